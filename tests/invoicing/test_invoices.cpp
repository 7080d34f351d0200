#include "invoicedata.h"
#include "invoicing/numberseries.h"
#include "shell/vlastnikd.h"
#include "testmain.h"
#include "framework/coderange.h"

#include <QLineEdit>
#include <QTableWidget>

using namespace vidoraw;
using namespace vidoraw::test;

// The invoice form: what a new invoice proposes, what it saves with its lines, the lines'
// checks with the rates of the invoice's own supply date, copying and deleting.
class TestInvoices : public QObject {
    Q_OBJECT
private slots:
    void newInvoiceProposals();
    void invoiceSavedWithItsLines();
    void linesCheckedWithTheSupplyDatesRates_data();
    void linesCheckedWithTheSupplyDatesRates();
    void linesWithoutAmountNeedNoRate();
    void oldInvoiceKeepsItsRatesWhenEdited();
    void checksFailInOrder_data();
    void checksFailInOrder();
    void copiedCreditNote();
    void deletingRemovesOnlyItsLines();
    void editorKeysAndTrimming();
    void escapeInCellAsksBeforeDropping_data();
    void escapeInCellAsksBeforeDropping();
    void marks_data();
    void marks();
    void bulkDeletion();
};

namespace {

QString Today(int addDays = 0) {
    return FormatDate(DaysFromDate(QDate::currentDate().addDays(addDays)));
}

} // namespace

void TestInvoices::newInvoiceProposals() {
    InvoicingFixture f;
    SeedInvoicing(f, {{"SPLAT", QVariant()}});
    auto& m = f.module<TfFakd>(35);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakd>(d);
        QCOMPARE(form.windowTitle(), QString("Faktúra"));
        QCOMPARE(form.eCisfaktu->text(), QString("2010/007"));
        QCOMPARE(form.eCisDodl->text(), QString("2010/007"));
        QCOMPARE(form.eKsNazov->text(), QString("Tovar"));
        QCOMPARE(form.eUcetCislo->text(), QString("1234567/0200"));
        QCOMPARE(form.eDatVys->text(), Today());
        QCOMPARE(form.eDatPln->text(), Today());
        // Without the owner's days to pay: seven.
        QCOMPARE(form.eDatSpl->text(), Today(7));
        QCOMPARE(form.eDicDod->text(), QString("1020304050"));
        QCOMPARE(form.eIcdphDod->text(), QString("SK1020304050"));
        QCOMPARE(form.focusWidget(), form.eCisfaktu);
        f.ui.queueAnswer(1);
        form.pressBack();
    });
    QCOMPARE(m.AddRecord(), 0);
    QVERIFY(IsTableEmpty(m.table()));
    QCOMPARE(f.field(37, 1, "POCITADLO"), QString("7"));
}

void TestInvoices::invoiceSavedWithItsLines() {
    InvoicingFixture f;
    SeedInvoicing(f);
    auto& m = f.module<TfFakd>(35);
    auto& pol = f.module<TfPold>(36);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakd>(d);
        form.eIcoOdb->setText("0012345");
        form.eDatPln->setText("15.6.2010");
        form.eDatVys->setText("15.6.2010");
        pol.setItems(ItemLines(pol.format(), {"Rámy|2|ks|100,00|19", "Sklá|1|pár|50,40|19",
                                              "Servis|1||10,00|0"}));
        form.pressOk();
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    Table& t = m.table();
    QVERIFY(FindByKey(t, "KOD", 1));
    QCOMPARE(t.field("CISFAKTU").asString(), QString("2010/007"));
    QCOMPARE(t.field("TYP").asString(), QString("F"));
    // Leading zeros stay in the text; the number loses them.
    QCOMPARE(t.field("ICO_ODBA").asString(), QString("0012345"));
    QCOMPARE(t.field("ICO_ODB").asFloat(), 12345.0);
    QCOMPARE(t.field("ICO_DOD").asFloat(), 31234567.0);
    QCOMPARE(t.field("NAZOV_ODB").asString(), QString("Optika Sever s.r.o."));
    // 250,40 at 19 %: gross 297,976 → 297,98, tax 47,58; 10,00 exempt.
    QCOMPARE(t.field("BEZDPH1").asFloat(), 10.0);
    QCOMPARE(t.field("BEZDPH2").asFloat(), 250.40);
    QCOMPARE(t.field("BEZDPH3").asFloat(), 0.0);
    QCOMPARE(t.field("SUMA").asFloat(), 307.98);
    QCOMPARE(t.field("DAT_PLN").asString(), QString("15.6.2010"));
    // The lines were written with the invoice, and the series moved on.
    QCOMPARE(ValuesWhere(f.app, 36, "KODH", 1.0, "TEXT"),
             (QVariantList{"Rámy", "Sklá", "Servis"}));
    QCOMPARE(ValuesWhere(f.app, 36, "KODH", 1.0, "SPOLU"), (QVariantList{200.0, 50.4, 10.0}));
    QCOMPARE(f.field(37, 1, "POCITADLO"), QString("8"));
}

void TestInvoices::linesCheckedWithTheSupplyDatesRates_data() {
    QTest::addColumn<QString>("supply");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::newRow("19 % before the change") << "15.6.2010" << "19" << "";
    QTest::newRow("19 % after the change")
        << "3.1.2011" << "19" << "Prípustné hodnoty dane sú : 0, 10, 20 !";
    QTest::newRow("20 % after the change") << "3.1.2011" << "20" << "";
    QTest::newRow("20 % before the change")
        << "31.12.2010" << "20" << "Prípustné hodnoty dane sú : 0, 19, 19 !";
    QTest::newRow("rate not whole") << "15.6.2010" << "1x" << "Nesprávne celé číslo!";
}

// The lines of an invoice are checked with the rates of its supply date, whatever the rates
// of the run are, and also when OK is pressed on the invoice without opening the editor.
void TestInvoices::linesCheckedWithTheSupplyDatesRates() {
    QFETCH(QString, supply);
    QFETCH(QString, rate);
    QFETCH(QString, message);
    InvoicingFixture f;
    SeedInvoicing(f);
    auto& m = f.module<TfFakd>(35);
    auto& pol = f.module<TfPold>(36);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakd>(d);
        form.eIcoOdb->setText("35697270");
        form.eDatPln->setText(supply);
        QList<InvoiceItem> lines = ItemLines(pol.format(), {"Rámy|1|ks|100,00|0"});
        lines[0].rate = rate;
        pol.setItems(lines);
        form.pressOk();
        if (!message.isEmpty()) {
            QVERIFY(form.isVisible());
            QCOMPARE(form.focusWidget(), form.bPolozky);
            f.ui.queueAnswer(1);
            form.pressBack();
        }
    });
    QCOMPARE(m.AddRecord(), message.isEmpty() ? 1 : 0);
    QCOMPARE(f.ui.takeNoticeTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(IsTableEmpty(m.table()), !message.isEmpty());
    QCOMPARE(ValuesWhere(f.app, 36, "KODH", 1.0, "TEXT").size(), message.isEmpty() ? 1 : 0);
}

// Rates without a zero level: the new line the editor always keeps at the end and a line with
// a text alone carry the rate "0" and must not stop the invoice.
void TestInvoices::linesWithoutAmountNeedNoRate() {
    InvoicingFixture f;
    SeedInvoicing(f);
    auto& m = f.module<TfFakd>(35);
    auto& pol = f.module<TfPold>(36);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakd>(d);
        form.eIcoOdb->setText("35697270");
        form.eDatPln->setText("10.1.2025");
        QList<InvoiceItem> lines = ItemLines(pol.format(), {"Rámy|1|ks|100,00|23"});
        InvoiceItem note = NewItem(pol.format());
        note.text = "Podľa objednávky";
        lines << note << NewItem(pol.format());
        pol.setItems(lines);
        form.pressOk();
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QCOMPARE(f.field(35, 1, "SUMA"), QString("123"));
}

// An invoice of 2010 opened after the change keeps its 19 % line in its totals.
void TestInvoices::oldInvoiceKeepsItsRatesWhenEdited() {
    InvoicingFixture f;
    SeedInvoicing(f);
    AddStoredInvoice(f, 1, "2010/001", "35697270", "15.6.2010",
                     {"Rámy|1|ks|100|19|100", "Sklá|1|ks|14,5|19|14,5"},
                     {{"SUMA", "136,26"}});
    auto& m = f.module<TfFakd>(35);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakd>(d);
        QCOMPARE(form.eSuma->text(), QString("136,26"));
        QCOMPARE(form.eBezDph->text(), QString("114,50"));
        form.pressOk();
    });
    QCOMPARE(m.EditRecord(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    QCOMPARE(m.table().field("SUMA").asFloat(), 136.26);
    QCOMPARE(m.table().field("BEZDPH2").asFloat(), 114.5);
}

void TestInvoices::checksFailInOrder_data() {
    QTest::addColumn<QStringList>("typed"); // control=value
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("number empty") << QStringList{"eCisfaktu= ", "eIcoOdb=x"}
                                  << "Číslo faktúry nesmie byť prázdne!" << "eCisfaktu";
    QTest::newRow("number taken") << QStringList{"eCisfaktu=2010/001", "eIcoOdb=x"}
                                  << "Duplicitné číslo faktúry!" << "eCisfaktu";
    QTest::newRow("IČO with a letter, before any look-up")
        << QStringList{"eIcoOdb=12a45"} << "IČO môže obsahovať iba znaky 0-9!" << "eIcoOdb";
    QTest::newRow("due date") << QStringList{"eIcoOdb=35697270", "eDatSpl=31.2.2010"}
                              << "Nesprávny dátum!" << "eDatSpl";
    QTest::newRow("issue date, separators of the due date accepted")
        << QStringList{"eIcoOdb=35697270", "eDatSpl=1-3-2010", "eDatVys=1.13.2010"}
        << "Nesprávny dátum!" << "eDatVys";
    QTest::newRow("supply date")
        << QStringList{"eIcoOdb=35697270", "eDatPln=x"} << "Nesprávny dátum!" << "eDatPln";
}

void TestInvoices::checksFailInOrder() {
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    InvoicingFixture f;
    SeedInvoicing(f);
    AddStoredInvoice(f, 1, "2010/001", "35697270", "15.6.2010", {});
    auto& m = f.module<TfFakd>(35);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakd>(d);
        for (const QString& t : typed) {
            const QString name = t.section('=', 0, 0);
            const QString value = t.section('=', 1);
            QLineEdit* edit = name == "eCisfaktu" ? form.eCisfaktu
                              : name == "eIcoOdb" ? form.eIcoOdb
                              : name == "eDatSpl" ? form.eDatSpl
                              : name == "eDatVys" ? form.eDatVys
                                                  : form.eDatPln;
            edit->setText(value);
        }
        form.pressOk();
        QVERIFY(form.isVisible());
        QLineEdit* expected = focus == "eCisfaktu" ? form.eCisfaktu
                              : focus == "eIcoOdb" ? form.eIcoOdb
                              : focus == "eDatSpl" ? form.eDatSpl
                              : focus == "eDatVys" ? form.eDatVys
                                                   : form.eDatPln;
        QCOMPARE(form.focusWidget(), expected);
        f.ui.queueAnswer(1);
        form.pressBack();
    });
    QCOMPARE(m.AddRecord(), 0);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{message});
}

void TestInvoices::copiedCreditNote() {
    InvoicingFixture f;
    SeedInvoicing(f);
    AddStoredInvoice(f, 1, "2010/001", "35697270", "15.6.2010",
                     {"Vrátené rámy|-2|ks|100|19|-200"}, {{"TYP", "D"}});
    auto& m = f.module<TfFakd>(35);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakd>(d);
        QCOMPARE(form.windowTitle(), QString("Dobropis"));
        QCOMPARE(form.eCisfaktu->text(), QString("2010/007"));
        QCOMPARE(form.eDatPln->text(), QString("15.6.2010"));
        QCOMPARE(form.eSuma->text(), QString("-238,00"));
        form.pressOk();
    });
    QCOMPARE(m.CopyRecord(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    QCOMPARE(m.table().field("TYP").asString(), QString("D"));
    QCOMPARE(m.table().field("CISFAKTU").asString(), QString("2010/007"));
    QCOMPARE(m.table().field("SUMA").asFloat(), -238.0);
    QCOMPARE(ValuesWhere(f.app, 36, "KODH", 2.0, "MNOZSTVO"), QVariantList{-2.0});
    QCOMPARE(ValuesWhere(f.app, 36, "KODH", 1.0, "MNOZSTVO"), QVariantList{-2.0});
    QCOMPARE(f.field(37, 1, "POCITADLO"), QString("8"));
}

void TestInvoices::deletingRemovesOnlyItsLines() {
    InvoicingFixture f;
    SeedInvoicing(f);
    AddStoredInvoice(f, 1, "2010/001", "35697270", "15.6.2010", {"a|1|ks|1|0|1", "b|1|ks|1|0|1"});
    AddStoredInvoice(f, 2, "2010/002", "35697270", "15.6.2010", {"c|1|ks|1|0|1"});
    auto& m = f.module<TfFakd>(35);
    {
        WriteLock lock(*f.app.db);
        QVERIFY(lock.ok() && FindByKey(m.table(), "KOD", 1) && m.removeCurrentRecord() &&
                lock.commit());
    }
    QCOMPARE(ValuesWhere(f.app, 36, "KODH", 1.0, "TEXT"), QVariantList());
    QCOMPARE(ValuesWhere(f.app, 36, "KODH", 2.0, "TEXT"), QVariantList{"c"});
}

// The editor's row commands and what a save keeps of empty lines at the end.
void TestInvoices::editorKeysAndTrimming() {
    InvoicingFixture f;
    SeedInvoicing(f);
    auto& pol = f.module<TfPold>(36);
    pol.setRates({0, 19, 19});
    pol.setRoundingCode(1);
    pol.setItems(ItemLines(pol.format(), {"a|1|ks|10|19"}));
    pol.appendRow();
    pol.appendRow();
    QCOMPARE(pol.items().size(), 3);
    // A third empty line is not appended while the last two are empty.
    QVERIFY(!pol.appendIfUsed());
    pol.setCurrentCell(0, 0);
    pol.copyRow();
    QCOMPARE(pol.items()[0].text, QString("a"));
    QCOMPARE(pol.items()[1].text, QString("a"));
    QCOMPARE(pol.totalText(), QString("23,80"));
    f.ui.queueAnswer(1);
    pol.deleteRow();
    QCOMPARE(pol.items().size(), 3);
    QCOMPARE(pol.totalText(), QString("11,90"));
    {
        WriteLock lock(*f.app.db);
        QVERIFY(lock.ok() && pol.SaveItems(5) && lock.commit());
    }
    // Of the two empty lines at the end one is kept (two lines remain).
    QCOMPARE(ValuesWhere(f.app, 36, "KODH", 5.0, "TEXT"), (QVariantList{"a", ""}));
    // Deleting the only line leaves one new line.
    pol.setItems(ItemLines(pol.format(), {"x|1|ks|1|0"}));
    f.ui.queueAnswer(1);
    pol.deleteRow();
    QCOMPARE(pol.items(), QList<InvoiceItem>{NewItem(pol.format())});
}

void TestInvoices::escapeInCellAsksBeforeDropping_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("yes drops the text") << 1;
    QTest::newRow("no keeps editing") << 0;
}

// Esc in a cell's editor: "yes" restores the cell's text and leaves the cursor where it was,
// "no" keeps the editor open with what was typed. The editor is driven directly: the grid
// does not need a window or focus for it.
void TestInvoices::escapeInCellAsksBeforeDropping() {
    QFETCH(int, answer);
    InvoicingFixture f;
    SeedInvoicing(f);
    auto& pol = f.module<TfPold>(36);
    pol.setRates({0, 19, 19});
    pol.setRoundingCode(1);
    pol.setItems(ItemLines(pol.format(), {"Rámy|2|ks|10|19"}));
    const QString total = pol.totalText();
    QTableWidget* grid = nullptr;
    for (QTableWidget* g : pol.findChildren<QTableWidget*>())
        if (g != pol.sgRekap)
            grid = g;
    QVERIFY(grid);
    const QModelIndex cell = grid->model()->index(0, TfPold::kPrice);
    const QString before = grid->item(0, TfPold::kPrice)->text();
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
    QVERIFY(editor);
    editor->setText("99");
    f.ui.queueAnswer(answer);
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(f.ui.questions, QStringList{"Mám ukončiť editáciu bez uchovania?"});
    if (answer == 1) {
        QVERIFY(!grid->indexWidget(cell));
        QCOMPARE(grid->item(0, TfPold::kPrice)->text(), before);
        QCOMPARE(grid->currentIndex(), cell);
        QCOMPARE(pol.totalText(), total);
    } else {
        QCOMPARE(grid->indexWidget(cell), editor);
        QCOMPARE(editor->text(), QString("99"));
        // Enter then writes the kept text (the delegate commits from the event loop).
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(grid->item(0, TfPold::kPrice)->text(), QString("99,00"));
        QCOMPARE(pol.totalText(), QString("235,62"));
    }
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestInvoices::marks_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QStringList>("after"); // INDIK of invoices 1 to 3
    QTest::newRow("invert") << "Inverzia"
                            << "Inverzné označovanie záznamov ukončené. Zmenili sme označenie "
                               "pre: 3 záznamov!"
                            << QStringList{"A", "", "A"};
    QTest::newRow("mark all") << "Označ všetky"
                              << "Označovanie záznamov ukončené. Označili ste: 2 záznamov!"
                              << QStringList{"A", "A", "A"};
    QTest::newRow("unmark all") << "Odznač všetky"
                                << "Odznačovanie záznamov ukončené. Odznačili ste: 1 záznamov!"
                                << QStringList{"", "", ""};
}

void TestInvoices::marks() {
    QFETCH(QString, command);
    QFETCH(QString, report);
    QFETCH(QStringList, after);
    InvoicingFixture f;
    SeedInvoicing(f);
    for (int i = 1; i <= 3; ++i)
        AddStoredInvoice(f, i, QString("2010/00%1").arg(i), "35697270", "15.6.2010", {},
                         {{"INDIK", i == 2 ? "A" : ""}});
    auto& m = f.module<TfFakd>(35);
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    QObject parent;
    QAction* action = nullptr;
    for (QAction* a : m.filterCommands(nullptr, &parent))
        if (a->text() == command)
            action = a;
    QVERIFY(action);
    f.ui.queueAnswer(1);
    action->trigger();
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{report});
    QStringList marks;
    for (int i = 1; i <= 3; ++i)
        marks << f.field(35, i, "INDIK");
    QCOMPARE(marks, after);
    // The list is back on the invoice it was on.
    QCOMPARE(m.table().field("KOD").asInteger(), 2);
}

// Invoices 2 and 3 of the filtered list go with their lines; invoice 4 is out of the range
// and invoice 1 out of the list.
void TestInvoices::bulkDeletion() {
    InvoicingFixture f;
    SeedInvoicing(f);
    for (int i = 1; i <= 4; ++i)
        AddStoredInvoice(f, i, QString("2010/00%1").arg(i), i == 1 ? "0012345" : "35697270",
                         "15.6.2010", {QString("r%1|1|ks|1|0|1").arg(i)});
    auto& m = f.module<TfFakd>(35);
    QVERIFY(m.applyFilterText("ICO_ODBA = '35697270'", QString()));
    f.ui.queueDialog([](QDialog& d) {
        auto& c = As<TfCodeRange>(d);
        c.eOd->setText("1");
        c.eDo->setText("3");
        c.pressOk();
    });
    f.ui.queueAnswer(1);
    f.ui.queueAnswer(1);
    QCOMPARE(m.deleteRange(), 2);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Vymazávanie ukončené. Vymazali sme 2 záznamov!"});
    QCOMPARE(f.ui.questions, (QStringList{"Mám vymazať faktúry s kódom v intervale: 1-3?",
                                          "Mám naozaj vymazať faktúry s kódom v intervale: 1-3?"}));
    m.removeFilter();
    QStringList left;
    for (Table& t = m.table(); !t.eof(); t.next())
        left << t.field("CISFAKTU").asString();
    QCOMPARE(left, (QStringList{"2010/001", "2010/004"}));
    QCOMPARE(ValuesWhere(f.app, 36, "KODH", 2.0, "TEXT"), QVariantList());
    QCOMPARE(ValuesWhere(f.app, 36, "KODH", 4.0, "TEXT"), QVariantList{"r4"});
}

VIDORAW_TEST(TestInvoices)
#include "test_invoices.moc"
