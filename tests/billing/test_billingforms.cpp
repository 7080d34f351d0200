#include "billing/batchlist.h"
#include "billing/billingreports.h"
#include "billing/davkad.h"
#include "billing/fakturad.h"
#include "billingfixture.h"
#include "framework/coderange.h"
#include "framework/mesrok.h"
#include "testmain.h"
#include "vouchers/cispoud.h"

#include <QAction>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>

using namespace vidoraw;
using namespace vidoraw::test;

// Insurer invoices, batches and frequent vouchers: checks in order, numbers, deletion with
// what depends on them, the list commands, and two workstations adding batches.
class TestBillingForms : public QObject {
    Q_OBJECT
private slots:
    void invoiceChecksInOrder_data();
    void invoiceChecksInOrder();
    void invoiceDuplicateNumber();
    void invoiceDeletionTakesBatchesAndVouchers();
    void bulkDeletion_data();
    void bulkDeletion();
    void periodStatisticsReadNumbers();
    void batchListAddsAndNumbers();
    void batchDeletionAsksForVouchers_data();
    void batchDeletionAsksForVouchers();
    void batchFormNeverDuplicatesNumbers();
    void invoiceTotals();
    void twoWorkstationsNeverShareABatchNumber();
    void frequentVoucherLines();
};

void TestBillingForms::invoiceChecksInOrder_data() {
    QTest::addColumn<QStringList>("values"); // number, month, year, contract
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("focus"); // 0 number … 3 contract
    QTest::newRow("empty number") << QStringList{" ", "13", "x", "9"}
                                  << "Číslo faktúry nesmie byť prázdne!" << "Oznam" << 0;
    QTest::newRow("month not a number") << QStringList{"F9", "x", "x", "9"}
                                        << "Nesprávne celé číslo!" << "Chyba" << 1;
    QTest::newRow("month 13") << QStringList{"F9", "13", "x", "9"}
                              << "Mesiac je mimo interval 1-12!" << "Chyba" << 1;
    QTest::newRow("month 0") << QStringList{"F9", "0", "2007", "1"}
                             << "Mesiac je mimo interval 1-12!" << "Chyba" << 1;
    QTest::newRow("year not a number") << QStringList{"F9", "03", "20x7", "9"}
                                       << "Nesprávne celé číslo!" << "Chyba" << 2;
    QTest::newRow("year 1899") << QStringList{"F9", "3", "1899", "9"}
                               << "Rok je mimo interval 1900-9999!" << "Chyba" << 2;
}

// The first failing check speaks, with its title, and takes the focus; an unknown contract
// opens the contracts to pick from and fails when nothing is picked.
void TestBillingForms::invoiceChecksInOrder() {
    QFETCH(QStringList, values);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(int, focus);
    BillingFixture f;
    auto* m = dynamic_cast<TfFakturad*>(f.app.registry.module(15));
    QVERIFY(m);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakturad>(d);
        const QList<QLineEdit*> boxes = {form.eCisfak, form.eObdmm, form.eObdrr, form.eKodzml};
        for (int i = 0; i < 4; ++i)
            boxes[i]->setText(values[i]);
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), boxes[focus]);
        form.pressBack();
    });
    f.ui.queueAnswer(1);
    m->AddRecord();
    const QList<RecordedNotice> n = f.ui.takeNotices();
    QCOMPARE(TextsOf(n), QStringList{message});
    QCOMPARE(n[0].title, title);
    QCOMPARE(f.count(15), 0);

    // Everything right but the contract: the pick list opens; leaving it fails the check.
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakturad>(d);
        form.eCisfak->setText("F9");
        form.eObdmm->setText("03");
        form.eObdrr->setText("2009");
        form.eKodzml->setText("9");
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(form.eCiszml->text(), QString());
        // The real contract fills the shown fields and saves.
        form.eKodzml->setText("1");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    f.ui.queueDialog([&](QDialog& d) { As<TfBrowse>(d).commandBack(); });
    QCOMPARE(m->AddRecord(), 1);
    QCOMPARE(f.count(15), 1);
    QVERIFY(FindByKey(m->table(), "KOD", 1));
    QCOMPARE(m->table().field("OBDMM").asString(), QString("03"));
    QCOMPARE(m->table().field("CISZML").asString(), QString("Z-1"));
    QCOMPARE(m->table().field("NAZOVPOI").asString(), QString("Všeobecná poisťovňa"));
    QCOMPARE(m->table().field("ICOPOI").asString(), QString("35937874"));
}

// Adding or copying another invoice's number is refused; an edit keeps its own number.
void TestBillingForms::invoiceDuplicateNumber() {
    BillingFixture f;
    f.addInvoice(1, "F1", "1", "2007");
    auto* m = dynamic_cast<TfFakturad*>(f.app.registry.module(15));
    QVERIFY(FindByKey(m->table(), "KOD", 1));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakturad>(d);
        QCOMPARE(form.eKod->text(), QString("2"));
        QCOMPARE(form.eCisfak->text(), QString("F1"));
        QCOMPARE(form.eCiszml->text(), QString("Z-1"));
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), form.eCisfak);
        form.eCisfak->setText("F2");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m->CopyRecord(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Duplicitné číslo faktúry!"});
    QVERIFY(FindByKey(m->table(), "KOD", 1));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFakturad>(d);
        form.eObdmm->setText("2");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m->EditRecord(), 1);
    QCOMPARE(f.count(15), 2);
}

// Deleting an invoice from its list removes its batches and their vouchers, nobody else's.
void TestBillingForms::invoiceDeletionTakesBatchesAndVouchers() {
    BillingFixture f;
    f.addInvoice(1, "F1", "1", "2007");
    f.addInvoice(2, "F2", "2", "2007");
    f.addBatch(1, 1, 1);
    f.addBatch(2, 1, 2);
    f.addBatch(3, 2, 1);
    f.addVoucher(1, 1, 1);
    f.addVoucher(2, 1, 2);
    f.addVoucher(3, 2, 3);
    auto* m = dynamic_cast<TfFakturad*>(f.app.registry.module(15));
    QVERIFY(FindByKey(m->table(), "KOD", 1));
    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QVERIFY(FindByKey(m->table(), "KOD", 1));
        b.syncGridToTable();
        b.commandDelete();
        b.commandBack();
    });
    f.ui.queueDialog([&](QDialog& d) { QTRY_VERIFY(!d.isVisible()); });
    f.ui.queueAnswer(1);
    browser.Browse(15, TfBrowse::DefaultButtons(), false);
    QCOMPARE(f.count(15), 1);
    QCOMPARE(f.count(16), 1);
    QCOMPARE(f.count(17), 1);
    QCOMPARE(BatchesOf(f.app, 2).size(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestBillingForms::bulkDeletion_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<int>("deleted");
    QTest::newRow("2-3") << "2" << "3" << QList<int>{1, 1} << 2;
    QTest::newRow("5-3 deletes nothing") << "5" << "3" << QList<int>{1, 1} << 0;
    QTest::newRow("second answer no") << "1" << "3" << QList<int>{1, 0} << -1;
    QTest::newRow("first answer no") << "1" << "3" << QList<int>{0} << -1;
}

// Each invoice of the interval goes with its batches and vouchers; anything but two yeses
// stops before a record is touched.
void TestBillingForms::bulkDeletion() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QList<int>, answers);
    QFETCH(int, deleted);
    BillingFixture f;
    for (int i = 1; i <= 3; ++i) {
        f.addInvoice(i, "F" + QString::number(i), "1", "2007");
        f.addBatch(i, i, 1);
        f.addVoucher(i, i, i);
    }
    auto* m = dynamic_cast<TfFakturad*>(f.app.registry.module(15));
    f.ui.queueDialog([&](QDialog& d) {
        auto& r = As<TfCodeRange>(d);
        r.eOd->setText(from);
        r.eDo->setText(to);
        r.pressOk();
    });
    for (int a : answers)
        f.ui.queueAnswer(a);
    m->BulkDelete(nullptr);
    const QString range = from + "-" + to + "?";
    QCOMPARE(f.ui.questions.first(), "Mám vymazať faktúry s kódom v intervale: " + range);
    if (deleted < 0) {
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
        QCOMPARE(f.count(15), 3);
        return;
    }
    QCOMPARE(f.ui.questions.last(), "Mám naozaj vymazať faktúry s kódom v intervale: " + range);
    QCOMPARE(f.ui.takeNoticeTexts(),
             QStringList{QString("Vymazávanie ukončené. Vymazali sme %1 záznamov!").arg(deleted)});
    QCOMPARE(f.count(15), 3 - deleted);
    QCOMPARE(f.count(16), 3 - deleted);
    QCOMPARE(f.count(17), 3 - deleted);
}

// "03" and "3" are both March; another year or month is not.
void TestBillingForms::periodStatisticsReadNumbers() {
    BillingFixture f;
    f.addInvoice(1, "F1", "3", "2009");
    f.addInvoice(2, "F2", "03", "2009");
    f.addInvoice(3, "F3", "3", "2008");
    f.addInvoice(4, "F4", "4", "2009");
    f.addBatch(1, 1, 1);
    f.addBatch(2, 2, 1);
    f.addBatch(3, 2, 2);
    f.addVoucher(1, 1, 1);
    f.addVoucher(2, 2, 2);
    f.addVoucher(3, 2, 2);
    f.addVoucher(4, 2, 3);
    f.addVoucher(5, 3, 9); // not one of the period's
    const PeriodCounts c = CountPeriod(f.app, 3, 2009);
    QCOMPARE(c.invoices, 2);
    QCOMPARE(c.batches, 3);
    QCOMPARE(c.vouchers, 4);

    auto* m = dynamic_cast<TfFakturad*>(f.app.registry.module(15));
    QVERIFY(FindByKey(m->table(), "KOD", 2));
    f.ui.queueDialog([&](QDialog& d) {
        auto& mr = As<TfMesrok>(d);
        QCOMPARE(mr.month(), 3);
        QCOMPARE(mr.year(), 2009);
        mr.bbOk->click();
    });
    f.ui.queueDialog([&](QDialog& d) {
        QCOMPARE(d.windowTitle(), QString("Štatistika za obdobie"));
        QStringList shown;
        for (const char* label : {"Počet faktúr:", "Počet dávok:", "Počet dokladov:"})
            shown << d.findChild<QLineEdit*>(QString::fromUtf8(label))->text();
        QCOMPARE(shown, QStringList({"2", "3", "4"}));
        d.reject();
    });
    m->PeriodStatistics(nullptr);
}

// The list offers the first batch itself; numbers follow the largest, also after a deletion.
void TestBillingForms::batchListAddsAndNumbers() {
    BillingFixture f;
    f.addInvoice(1, "F1", "1", "2007");
    f.addInvoice(2, "F2", "1", "2007");
    f.addBatch(7, 2, 5); // another invoice's batch does not count
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& list = As<TfZoznamDavok>(d);
        QCOMPARE(list.eCisfak->text(), QString("F1"));
        QCOMPARE(list.eObdobie->text(), QString("1.2007"));
        QCOMPARE(list.ePoistovna->text(), QString("25 Všeobecná poisťovňa"));
        QTRY_COMPARE(list.grid->rowCount(), 1);
        f.ui.queueAnswer(1);
        QTest::keyClick(list.grid, Qt::Key_F2);
        f.ui.queueAnswer(1);
        list.bPridaj->click();
        QCOMPARE(list.grid->rowCount(), 3);
        QCOMPARE(list.grid->item(2, 0)->text(), QString("10"));
        QCOMPARE(list.grid->item(2, 2)->text(), QString("3"));
        // Delete number 2: asked once, no vouchers to ask about.
        list.grid->selectRow(1);
        f.ui.queueAnswer(1);
        QTest::keyClick(list.grid, Qt::Key_F8);
        QCOMPARE(list.grid->rowCount(), 2);
        f.ui.queueAnswer(0);
        list.commandAdd();
        QCOMPARE(list.grid->rowCount(), 2);
        list.reject();
    });
    TfZoznamDavok list(f.app, 1);
    list.showModal();
    QCOMPARE(f.ui.questions, QStringList({"Mám pridať ďalšiu dávku s číslom: 1?",
                                          "Mám pridať ďalšiu dávku s číslom: 2?",
                                          "Mám pridať ďalšiu dávku s číslom: 3?",
                                          "Mám naozaj vymazať aktuálny záznam?",
                                          "Mám pridať ďalšiu dávku s číslom: 4?"}));
    QCOMPARE(NextBatchNumber(f.app, 1), 4);
}

void TestBillingForms::batchDeletionAsksForVouchers_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("yes: both go") << 1;
    QTest::newRow("no: nothing goes") << 0;
}

// A batch with vouchers is never deleted without them: from the batch list and from the
// main window's list of batches alike.
void TestBillingForms::batchDeletionAsksForVouchers() {
    QFETCH(int, answer);
    BillingFixture f;
    f.addInvoice(1, "F1", "1", "2007");
    f.addBatch(1, 1, 1);
    f.addBatch(2, 1, 2);
    f.addVoucher(1, 1, 1);
    f.addVoucher(2, 1, 1);
    f.addVoucher(3, 1, 2);
    f.ui.queueDialog([&](QDialog& d) {
        auto& list = As<TfZoznamDavok>(d);
        list.grid->selectRow(0);
        f.ui.queueAnswer(1);
        f.ui.queueAnswer(answer);
        list.commandDelete();
        list.reject();
    });
    TfZoznamDavok list(f.app, 1);
    list.showModal();
    QCOMPARE(f.ui.questions.last(),
             QString("Dávka obsahuje 2 poukazov. Mám ich vymazať spolu s dávkou?"));
    QCOMPARE(f.count(16), answer ? 1 : 2);
    QCOMPARE(f.count(17), answer ? 1 : 3);

    // The list of all batches.
    f.ui.clear();
    auto* m = dynamic_cast<TfDavkad*>(f.app.registry.module(16));
    QVERIFY(FindByKey(m->table(), "KOD", 2));
    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QVERIFY(FindByKey(m->table(), "KOD", 2));
        b.syncGridToTable();
        b.commandDelete();
        b.commandBack();
    });
    f.ui.queueDialog([&](QDialog& d) { QTRY_VERIFY(!d.isVisible()); });
    f.ui.queueAnswer(1);
    f.ui.queueAnswer(answer);
    browser.Browse(16, TfBrowse::DefaultButtons(), false);
    QCOMPARE(f.ui.questions.last(),
             QString("Dávka obsahuje 1 poukazov. Mám ich vymazať spolu s dávkou?"));
    QCOMPARE(f.count(16), answer ? 0 : 2);
    QCOMPARE(f.count(17), answer ? 0 : 3);
}

// A batch added through the list of all batches takes a free number of its invoice.
void TestBillingForms::batchFormNeverDuplicatesNumbers() {
    BillingFixture f;
    f.addInvoice(1, "F1", "1", "2007");
    f.addBatch(1, 1, 1);
    f.addBatch(2, 1, 2);
    auto* m = dynamic_cast<TfDavkad*>(f.app.registry.module(16));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfDavkad>(d);
        form.eKodfa->setText("1");
        form.eCisdav->setText("2");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m->AddRecord(), 1);
    QList<qint64> numbers;
    for (const BatchRef& b : BatchesOf(f.app, 1))
        numbers << b.number;
    QCOMPARE(numbers, (QList<qint64>{1, 2, 3}));
    // Editing one batch onto another's number is refused.
    QVERIFY(FindByKey(m->table(), "KOD", 1));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfDavkad>(d);
        form.eCisdav->setText("3");
        form.pressOk();
        QVERIFY(form.isVisible());
        form.eCisdav->setText("4");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m->EditRecord(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Duplicitné číslo dávky!"});
}

// Batch and invoice totals: vouchers, aids, both amounts, the VAT parts.
void TestBillingForms::invoiceTotals() {
    BillingFixture f;
    f.addInvoice(1, "F1", "1", "2007");
    f.addBatch(1, 1, 1);
    f.addBatch(2, 1, 2);
    f.addVoucher(1, 1, 1, {{"KODOP2", "00001"}, {"SUMAPOI2", "5,5"}, {"SUMAPAC2", "2"}});
    f.addVoucher(2, 1, 1, {{"KODOP1", ""}, {"SUMAPOI1", ""}});
    f.addVoucher(3, 1, 2, {{"SUMAPAC1", "1,25"}});
    const BatchTotals b = TotalsOfBatch(f.app, 1, 1);
    QCOMPARE(b.vouchers, 2);
    QCOMPARE(b.aids, 2);
    QCOMPARE(b.insurer, 15.5);
    QCOMPARE(b.patient, 2.0);
    const BatchTotals t = TotalsOfInvoice(f.app, 1, true);
    QCOMPARE(t.vouchers, 3);
    QCOMPARE(t.aids, 3);
    QCOMPARE(t.insurer, 25.5);
    QCOMPARE(t.patient, 3.25);
    QCOMPARE(t.vat[0], 25.5);
}

void TestBillingForms::twoWorkstationsNeverShareABatchNumber() {
    BillingFixture f;
    f.addInvoice(1, "F1", "1", "2007");
    f.count(16); // the table exists before the workstations start
    const int workers = 2, each = 15;
    std::vector<std::unique_ptr<QProcess>> running;
    for (int i = 0; i < workers; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(BILLING_WORKER), {"add", f.dataDir.path(), "1", QString::number(each)});
        running.push_back(std::move(p));
    }
    for (auto& p : running) {
        QVERIFY(p->waitForFinished(300000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }
    QSet<qint64> numbers, codes;
    const QList<BatchRef> batches = BatchesOf(f.app, 1);
    for (const BatchRef& b : batches) {
        numbers << b.number;
        codes << b.code;
    }
    QCOMPARE(batches.size(), workers * each);
    QCOMPARE(numbers.size(), workers * each);
    QCOMPARE(codes.size(), workers * each);
    QCOMPARE(NextBatchNumber(f.app, 1), workers * each + 1);
}

// Frequent vouchers: a changed count recomputes the amount from the aid's price, an empty
// description is told but still saved, stored zeros show empty.
void TestBillingForms::frequentVoucherLines() {
    BillingFixture f;
    auto* m = dynamic_cast<TfCispoud*>(f.app.registry.module(18));
    QVERIFY(m && m->OpenTable());
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfCispoud>(d);
        QCOMPARE(form.windowTitle(), QString("Častý poukaz"));
        QCOMPARE(QApplication::focusWidget(), form.ePopis);
        form.focusField(form.lines[1].code);
        form.lines[1].code->setText("1");
        form.focusField(form.lines[1].count);
        QCOMPARE(form.lines[1].code->text(), QString("00001"));
        QCOMPARE(form.lines[1].name->text(), QString("Okuliare"));
        QCOMPARE(form.lines[1].count->text(), QString("1"));
        QCOMPARE(form.lines[1].insurer->text(), QString("10"));
        form.lines[1].count->setText("2");
        form.focusField(form.lines[1].insurer);
        QCOMPARE(form.lines[1].insurer->text(), QString("20"));
        QCOMPARE(form.eSpoluPoi->text(), QString("20"));
        form.lines[1].count->setText("x");
        form.focusField(form.lines[1].count);
        form.focusField(form.lines[1].insurer);
        form.lines[1].count->setText("2");
        form.focusField(form.lines[1].patient);
        form.focusField(form.ePopis);
        form.focusField(form.lines[0].code);
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m->AddRecord(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(),
             QStringList({"Popis nesmie byť prádzny!", "Hodnota počet nepredstavuje celé číslo!",
                          "Popis nesmie byť prádzny!"}));
    QVERIFY(FindByKey(m->table(), "KOD", 1));
    QCOMPARE(m->table().field("KODOP2").asString(), QString("00001"));
    QCOMPARE(m->table().field("POCET2").asString(), QString("2"));
    QCOMPARE(m->table().field("SUMAPOI2").asFloat(), 20.0);
    QVERIFY(m->table().field("KODOP1").asString().isEmpty());
}

VIDORAW_TEST(TestBillingForms)
#include "test_billingforms.moc"
