#include "companiesfixture.h"
#include "testmain.h"

#include "codelists/heslov.h"
#include "codelists/keywords.h"
#include "framework/notes.h"
#include "shell/mainwindow.h"

#include <QComboBox>
#include <QMenu>
#include <QTableView>

using namespace vidoraw;
using namespace vidoraw::test;

// The company list: its own filters, its commands, the main menu's commands of these modules,
// and deletions that leave nothing behind for a code used again.
class TestCompanyList : public QObject {
    Q_OBJECT
private slots:
    void ownFilters_data();
    void ownFilters();
    void commandsOfTheList();
    void commandsOnAnEmptyList();
    void deletedCompanyLeavesNothing();
    void deletedPersonAndKeywordLeaveNothing();
    void mainMenuCommands();
};

namespace {

// Two private clients and two real companies; keyword 2 on companies 2 and 4.
void Seed(CompaniesFixture& f) {
    f.addCompany(1, "57", {{"NAZOV", "Klient A"}, {"JEODB", "A"}, {"JEDOD", "N"}});
    f.addCompany(2, "99999", {{"NAZOV", "Klient B"}, {"JEODB", "N"}, {"JEDOD", "A"}});
    f.addCompany(3, "100000", {{"NAZOV", "Firma C"}, {"JEODB", "A"}, {"JEDOD", "A"}});
    f.addCompany(4, "35697270", {{"NAZOV", "Firma D"}, {"JEODB", "N"}, {"JEDOD", "N"}});
    f.addRow(module::kHesla, {{"KOD", "1"}, {"NAZOV", "hotel"}});
    f.addRow(module::kHesla, {{"KOD", "2"}, {"NAZOV", "dodávateľ skiel"}});
    f.addRow(module::kPrihesf, {{"KOD", "1"}, {"KODF", "2"}, {"KODH", "2"}});
    f.addRow(module::kPrihesf, {{"KOD", "2"}, {"KODF", "4"}, {"KODH", "2"}});
    f.addRow(module::kPrihesf, {{"KOD", "3"}, {"KODF", "3"}, {"KODH", "1"}});
}

QAction* Command(const QList<QAction*>& actions, const QString& text) {
    for (QAction* a : actions) {
        if (a->text() == text) return a;
        if (a->menu())
            if (QAction* inner = Command(a->menu()->actions(), text)) return inner;
    }
    return nullptr;
}

// The codes the list shows, top to bottom.
QList<int> Listed(TfBrowse& b) {
    QList<int> codes;
    Table& t = b.module()->table();
    const int kod = t.fieldIndex("KOD");
    for (int row = 0; row < b.model->rowCount(); ++row)
        codes << t.valueAt(row, kod).toInt();
    return codes;
}

} // namespace

void TestCompanyList::ownFilters_data() {
    QTest::addColumn<QStringList>("commands"); // one after the other
    QTest::addColumn<QList<int>>("listed");
    QTest::addColumn<QString>("description");
    QTest::newRow("clients") << QStringList{"&Klienti"} << QList<int>{1, 2} << "Klienti";
    QTest::newRow("real companies")
        << QStringList{"Fi&rmy reálne"} << QList<int>{3, 4} << "Firmy reálne";
    QTest::newRow("customers") << QStringList{"&Odberatelia"} << QList<int>{1, 3} << "Odberatelia";
    QTest::newRow("suppliers") << QStringList{"&Dodávatelia"} << QList<int>{2, 3} << "Dodávatelia";
    QTest::newRow("all again") << QStringList{"&Klienti", "Vše&tci"} << QList<int>{1, 2, 3, 4}
                               << "";
    QTest::newRow("by keyword") << QStringList{"&Podľa hesla"} << QList<int>{2, 4}
                                << "Pre heslo s kódom: 2";
    QTest::newRow("an expression replaces the keyword")
        << QStringList{"&Podľa hesla", "Fi&rmy reálne"} << QList<int>{3, 4} << "Firmy reálne";
    QTest::newRow("the keyword replaces an expression")
        << QStringList{"&Odberatelia", "&Podľa hesla"} << QList<int>{2, 4}
        << "Pre heslo s kódom: 2";
}

void TestCompanyList::ownFilters() {
    QFETCH(QStringList, commands);
    QFETCH(QList<int>, listed);
    QFETCH(QString, description);
    CompaniesFixture f;
    Seed(f);
    TfFirmad& m = f.companies();
    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QVERIFY(b.button(TfBrowse::sFilter)->isEnabled());
        QCOMPARE(b.windowTitle(), QString("Zoznam firiem"));
        QObject owner;
        const QList<QAction*> menu = m.filterCommands(&b, &owner);
        for (const QString& command : commands) {
            if (command == "&Podľa hesla")
                f.ui.queueDialog([](QDialog& choice) {
                    auto& w = As<TfHeslov>(choice);
                    QCOMPARE(w.windowTitle(), QString("Výber hesla"));
                    QCOMPARE(w.cbHeslo->currentText(), QString("1-hotel"));
                    w.cbHeslo->setCurrentIndex(1);
                    w.pressOk();
                });
            QAction* a = Command(menu, command);
            QVERIFY2(a, qPrintable(command));
            a->trigger();
        }
        QCOMPARE(Listed(b), listed);
        QCOMPARE(b.windowTitle(), listed.size() == 4 ? QString("Zoznam firiem")
                                                     : QString("Zoznam firiem - Použitý filter"));
        QCOMPARE(m.filterDescription, description);
        QCOMPARE(b.grid->currentIndex().row(), 0); // the list starts on its first record
        b.commandBack();
    });
    browser.Browse(module::kFirma, TfBrowse::DefaultButtons(), false);
    // The filter stays on the table until another filter command replaces it.
    QCOMPARE(m.table().recordCount(), listed.size());
    QVERIFY(f.ui.verifyNoSurprises());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestCompanyList::commandsOfTheList() {
    CompaniesFixture f;
    TfFirmad& m = f.companies();
    QObject owner;
    QStringList texts, hints;
    for (QAction* a : m.otherCommands(nullptr, &owner)) {
        if (a->isSeparator()) continue;
        texts << a->text();
        hints << a->statusTip();
    }
    QCOMPARE(texts.mid(7), QStringList({"Priradené heslá", "&Komentár", "&Osoby", "H&romadný mail",
                                        "Nas&tavenie pošty ...", "O&bálky"}));
    QCOMPARE(hints.mid(7, 4),
             QStringList({"Zoznam hesiel priradených k firme", "Umožní editovať komentár ku firme",
                          "Zoznam osôb", "Pošle mail všetkým"}));
    QMenu* envelopes = Command(m.otherCommands(nullptr, &owner), "O&bálky")->menu();
    QStringList items, itemHints;
    for (QAction* a : envelopes->actions()) {
        items << a->text();
        itemHints << a->statusTip();
    }
    QCOMPARE(items,
             QStringList({"&A Formát 114 x 163", "&B Formát 114 x 228", "&C Formát 162 x 228",
                          "&D Formát 125 x 177 doporučene", "&E Formát 114 x 163 pre všetkých",
                          "&F Formát 114 x 228 pre všetkých", "&G Formát 162 x 228 pre všetkých",
                          "&H Formát 125 x 177 doporučene pre všetkých"}));
    QCOMPARE(itemHints.first(), QString("Formát 114 x 163 na ležato"));
    QCOMPARE(itemHints.last(), QString("Formát 125 x 177 doporučene na ležato pre všetkých"));
    QStringList filters;
    for (QAction* a : m.filterCommands(nullptr, &owner))
        if (!a->isSeparator()) filters << a->text();
    QCOMPARE(filters.mid(4), QStringList({"&Klienti", "Fi&rmy reálne", "&Odberatelia",
                                          "&Dodávatelia", "Vše&tci", "&Podľa hesla"}));
}

void TestCompanyList::commandsOnAnEmptyList() {
    CompaniesFixture f;
    TfFirmad& m = f.companies();
    QObject owner;
    const QList<QAction*> commands = m.otherCommands(nullptr, &owner);
    for (const char* text : {"Priradené heslá", "&Komentár", "&Osoby", "&A Formát 114 x 163"})
        Command(commands, QString::fromUtf8(text))->trigger();
    // No keyword at all: nothing to choose, nothing filtered.
    Command(m.filterCommands(nullptr, &owner), "&Podľa hesla")->trigger();
    QVERIFY(!m.table().isFiltered());
    QVERIFY(f.ui.dialogs.isEmpty());
    QVERIFY(f.ui.verifyNoSurprises());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestCompanyList::deletedCompanyLeavesNothing() {
    CompaniesFixture f;
    f.addCompany(1, "11", {{"NAZOV", "Zostáva"}});
    f.addCompany(2, "22", {{"NAZOV", "Odchádza"}});
    // Company 2: two persons with comments, a comment of its own, two keywords.
    f.addRow(module::kOsobaf, {{"KOD", "1"}, {"KODF", "1"}, {"PRIEZVISK", "Stála"}});
    f.addRow(module::kOsobaf, {{"KOD", "2"}, {"KODF", "2"}, {"PRIEZVISK", "Prvá"}});
    f.addRow(module::kOsobaf, {{"KOD", "3"}, {"KODF", "2"}, {"PRIEZVISK", "Druhá"}});
    f.addRow(module::kHesla, {{"KOD", "1"}, {"NAZOV", "hotel"}});
    for (const auto& [company, keyword] : {std::pair{1, 1}, {2, 1}, {2, 2}})
        f.addRow(module::kPrihesf, {{"KOD", QString::number(company * 10 + keyword)},
                                    {"KODF", QString::number(company)},
                                    {"KODH", QString::number(keyword)}});
    QString error;
    const QString longText = QString("Poznámka dlhšia ako jeden riadok tabuľky. ").repeated(3);
    for (qint64 person : {1, 2, 3})
        QVERIFY(SaveNotes(f.table(module::kKomento), person, longText, &error));
    for (qint64 company : {1, 2})
        QVERIFY(SaveNotes(f.table(module::kKomentf), company, longText, &error));

    TfFirmad& m = f.companies();
    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QVERIFY(FindByKey(m.table(), "KOD", 2));
        b.syncGridToTable();
        b.commandDelete();
        b.commandBack();
    });
    f.ui.queueDialog([](QDialog& d) { QTRY_VERIFY(!d.isVisible()); });
    f.ui.queueAnswer(1);
    browser.Browse(module::kFirma, TfBrowse::DefaultButtons(), false);
    QCOMPARE(f.ui.questions, QStringList{"Mám naozaj zmazať tento záznam ?"});
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());

    // Table by table: nothing of company 2 is left, everything of company 1 is.
    QCOMPARE(f.countWhere(module::kFirma, "KOD", "2"), 0);
    QCOMPARE(f.countWhere(module::kOsobaf, "KODF", "2"), 0);
    QCOMPARE(f.countWhere(module::kOsobaf, "KODF", "1"), 1);
    QCOMPARE(f.countWhere(module::kKomento, "KODH", "2"), 0);
    QCOMPARE(f.countWhere(module::kKomento, "KODH", "3"), 0);
    QCOMPARE(LoadNotes(f.table(module::kKomento), 1), longText);
    QCOMPARE(f.countWhere(module::kKomentf, "KODH", "2"), 0);
    QCOMPARE(LoadNotes(f.table(module::kKomentf), 1), longText);
    QCOMPARE(f.countWhere(module::kPrihesf, "KODF", "2"), 0);
    QCOMPARE(f.countWhere(module::kPrihesf, "KODF", "1"), 1);

    // The freed code goes to the next company, which starts with nothing.
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfFirmad>(d);
        QCOMPARE(form.eKod->text(), QString("2"));
        form.eIco->setText("33");
        form.pressOk();
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(f.countWhere(module::kOsobaf, "KODF", "2"), 0);
    QCOMPARE(LoadNotes(f.table(module::kKomentf), 2), QString());
    QVERIFY(!CompanyHasKeyword(f.app, 2, "1"));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCompanyList::deletedPersonAndKeywordLeaveNothing() {
    CompaniesFixture f;
    f.addCompany(1, "11");
    f.addRow(module::kOsobaf, {{"KOD", "1"}, {"KODF", "1"}, {"PRIEZVISK", "Prvá"}});
    f.addRow(module::kOsobaf, {{"KOD", "2"}, {"KODF", "1"}, {"PRIEZVISK", "Druhá"}});
    QString error;
    for (qint64 person : {1, 2})
        QVERIFY(SaveNotes(f.table(module::kKomento), person, "komentár", &error));
    f.addRow(module::kHesla, {{"KOD", "1"}, {"NAZOV", "hotel"}});
    f.addRow(module::kHesla, {{"KOD", "2"}, {"NAZOV", "optika"}});
    f.addRow(module::kPrihesf, {{"KOD", "1"}, {"KODF", "1"}, {"KODH", "1"}});
    f.addRow(module::kPrihesf, {{"KOD", "2"}, {"KODF", "1"}, {"KODH", "2"}});

    // The last person and the last keyword: their codes come round again.
    for (const auto& [number, code] : {std::pair{module::kOsobaf, 2}, {module::kHesla, 2}}) {
        auto* m = dynamic_cast<TfDbForm*>(f.app.registry.module(number));
        TfBrowse browser(f.app);
        f.ui.queueDialog([&, code = code](QDialog& d) {
            auto& b = As<TfBrowse>(d);
            QVERIFY(FindByKey(m->table(), "KOD", code));
            b.syncGridToTable();
            b.commandDelete();
            b.commandBack();
        });
        f.ui.queueDialog([](QDialog& d) { QTRY_VERIFY(!d.isVisible()); });
        f.ui.queueAnswer(1);
        browser.Browse(number, TfBrowse::DefaultButtons(), false);
    }
    QCOMPARE(f.countWhere(module::kOsobaf, "KOD", "2"), 0);
    QCOMPARE(f.countWhere(module::kKomento, "KODH", "2"), 0);
    QCOMPARE(f.countWhere(module::kKomento, "KODH", "1"), 1);
    QCOMPARE(f.countWhere(module::kHesla, "KOD", "2"), 0);
    QCOMPARE(f.countWhere(module::kPrihesf, "KODH", "2"), 0);
    QCOMPARE(f.countWhere(module::kPrihesf, "KODH", "1"), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCompanyList::mainMenuCommands() {
    CompaniesFixture f;
    f.addCompany(
        1, "35697270",
        {{"NAZOV", "Optika Lux"}, {"TITUL", "Ing."}, {"MENO", "Ján"}, {"PRIEZVISK", "Novák"}});
    f.addRow(module::kHesla, {{"KOD", "2"}, {"NAZOV", "dodávateľ"}});
    f.addRow(module::kPrihesf, {{"KOD", "1"}, {"KODF", "1"}, {"KODH", "2"}});
    auto window = std::make_unique<TfHlavny>(f.app);
    // The modules made meanwhile are the window's children: they go before it does.
    struct Release {
        CompaniesFixture& f;
        ~Release() {
            f.app.mainWindow = nullptr;
            f.app.registry.ReleaseAll();
        }
    } release{f};
    for (const char* path :
         {"Faktúry/Číselníky/&Firmy", "Číselníky/H&eslá", "Číselníky/Prirade&né heslá"})
        QVERIFY2(window->command(QString::fromUtf8(path))->isEnabled(), path);

    // The assigned keywords: names filled in while the list is shown, nothing may be changed.
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam priradených hesiel"));
        Table& t = b.module()->table();
        QCOMPARE(t.valueAt(0, t.fieldIndex("FIRMA")).toString(),
                 QString("1-Optika Lux-35697270 Ing. Ján Novák"));
        QCOMPARE(t.valueAt(0, t.fieldIndex("HESLO")).toString(), QString("2-dodávateľ"));
        b.commandAdd();
        b.commandCopy();
        b.commandEdit();
        b.commandDelete();
        b.commandBack();
    });
    window->command("Číselníky/Prirade&né heslá")->trigger();
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(
        TextsOf(shown),
        QStringList({"Pridávanie záznamov nie je dovolené!", "Pridávanie záznamov nie je dovolené!",
                     "Oprava záznamov nie je dovolená!", "Vymazávanie záznamov nie je dovolené!"}));
    QCOMPARE(shown[0].title, QString("Oznam!"));
    QCOMPARE(shown[0].kind, NoticeKind::Error);
    QCOMPARE(f.countWhere(module::kPrihesf, "KODF", "1"), 1);
    // Elsewhere the table is read for its codes alone.
    QString firma;
    QVERIFY(LookupField(f.app, module::kPrihesf, "KOD", {1}, "FIRMA", firma));
    QCOMPARE(firma, QString());
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestCompanyList)
#include "test_companylist.moc"
