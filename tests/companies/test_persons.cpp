#include "companiesfixture.h"
#include "testmain.h"

#include "framework/notes.h"
#include "invoicing/komentod.h"
#include "invoicing/osobafd.h"
#include "invoicing/osobafp.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace vidoraw;
using namespace vidoraw::test;

// Persons of companies: their form's checks, the company block, and the window that lists the
// persons of one company.
class TestPersons : public QObject {
    Q_OBJECT
private slots:
    void checksFailInOrder_data();
    void checksFailInOrder();
    void storedForms_data();
    void storedForms();
    void companyPersonsWindow();
    void emptyWindowDoesNothing();
    void vanishedPerson_data();
    void vanishedPerson();
    void personComment();
};

namespace {

void Seed(CompaniesFixture& f) {
    f.addCompany(1, "35697270",
                 {{"NAZOV", "Optika Lux"},
                  {"TITUL", "Ing."},
                  {"MENO", "Ján"},
                  {"PRIEZVISK", "Novák"},
                  {"DICON", "2020123"},
                  {"ICDPH", "SK2020123"},
                  {"ULICA", "Hlavná 5"},
                  {"OBEC", "Košice"},
                  {"PSC", "04001"},
                  {"DODPOSTA", "Košice 1"}});
    f.addRow(module::kPsc, {{"PSC", "04001"}, {"POSTA", "Košice 1"}, {"KOD", "1"}});
    f.addRow(module::kPsc, {{"PSC", "81101"}, {"POSTA", "Bratislava 1"}, {"KOD", "2"}});
    f.addRow(module::kTitul, {{"KOD", "1"}, {"NAZOV", "Mgr."}});
}

QStringList GridRow(QTableWidget* grid, int row) {
    QStringList out;
    for (int c = 0; c < grid->columnCount(); ++c)
        out << (grid->item(row, c) ? grid->item(row, c)->text() : QString());
    return out;
}

} // namespace

void TestPersons::checksFailInOrder_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("message"); // empty: a pick list opened and was left
    QTest::addColumn<QString>("focus");
    QTest::newRow("company not in the list") << QStringList{"KODF=7", "POHL=x"} << ""
                                             << "KODF";
    QTest::newRow("title not in the list") << QStringList{"TITUL=Doc.", "POHL=x"} << ""
                                           << "TITUL";
    QTest::newRow("sex other") << QStringList{"POHL=x"} << "Prípustné hodnoty : M-muž Ž-žena!"
                               << "POHL";
    QTest::newRow("sex empty") << QStringList{"POHL= "} << "Prípustné hodnoty : M-muž Ž-žena!"
                               << "POHL";
    QTest::newRow("home postal code") << QStringList{"POHL=m", "PSC=99999", "PSCF=88888"} << ""
                                      << "PSC";
    QTest::newRow("only the work postal code filled")
        << QStringList{"POHL=m", "PSC=", "PSCF=88888"} << ""
        << "PSCF";
}

void TestPersons::checksFailInOrder() {
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    CompaniesFixture f;
    Seed(f);
    auto& m = f.module<TfOsobafd>(module::kOsobaf);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfOsobafd>(d);
        QCOMPARE(form.windowTitle(), QString("Osoba"));
        QCOMPARE(QApplication::focusWidget(), form.eKodf);
        for (const QString& assignment : typed)
            Edit(form, assignment.section('=', 0, 0))->setText(assignment.section('=', 1));
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(form.focusWidget(), Edit(form, focus)); // (no active window after a pick list)
        QCOMPARE(form.eFirma->text(), QString());        // no company found, none shown
        form.pressBack();
    });
    if (message.isEmpty()) f.ui.queueDialog([](QDialog& d) { As<TfBrowse>(d).commandBack(); });
    QCOMPARE(m.AddRecord(), 0);
    QCOMPARE(f.ui.takeNoticeTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(m.table().recordCount(), 0);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPersons::storedForms_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("stored");
    QTest::newRow("z is a woman") << QStringList{"POHL=z"} << QStringList{"POHL=Ž", "KODF="};
    QTest::newRow("small ž") << QStringList{"POHL=ž"} << QStringList{"POHL=Ž"};
    QTest::newRow("capital Z") << QStringList{"POHL=Z"} << QStringList{"POHL=Ž"};
    QTest::newRow("m is a man, post offices from the codes")
        << QStringList{"POHL=m", "PSC=04001", "PSCF=81101", "TITUL=Mgr.", "KODF=1"}
        << QStringList{"POHL=M", "DODPOSTA=Košice 1", "DODPOSTAF=Bratislava 1", "KODF=1"};
}

void TestPersons::storedForms() {
    QFETCH(QStringList, typed);
    QFETCH(QStringList, stored);
    CompaniesFixture f;
    Seed(f);
    auto& m = f.module<TfOsobafd>(module::kOsobaf);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfOsobafd>(d);
        for (const QString& assignment : typed)
            Edit(form, assignment.section('=', 0, 0))->setText(assignment.section('=', 1));
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    for (const QString& s : stored)
        QCOMPARE(m.table().field(s.section('=', 0, 0)).asString(), s.section('=', 1));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPersons::companyPersonsWindow() {
    CompaniesFixture f;
    Seed(f);
    f.addRow(module::kOsobaf, {{"KOD", "1"},
                               {"KODF", "1"},
                               {"PRIEZVISK", "Hrubá"},
                               {"MENO", "Eva"},
                               {"ULICA", "Nová 1"},
                               {"OBEC", "Košice"},
                               {"PSC", "04001"},
                               {"DODPOSTA", "Košice 1"},
                               {"FUNKCIA", "účtovníčka"}});
    f.addRow(module::kOsobaf, {{"KOD", "2"}, {"KODF", "3"}, {"PRIEZVISK", "Iná firma"}});
    QString error;
    QVERIFY(SaveNotes(f.table(module::kKomento), 1, "poznámka", &error));
    auto& persons = f.module<TfOsobafd>(module::kOsobaf);
    QVERIFY(persons.table().setOrder("PRIEZVISK;MENO;TITUL"));

    f.ui.queueDialog([&](QDialog& d) {
        auto& w = As<TfOsobafp>(d);
        QCOMPARE(w.windowTitle(), QString("Osoby patriace firme"));
        QCOMPARE(w.eKodf->text(), QString("1"));
        QCOMPARE(w.eFirma->text(), QString("Optika Lux"));
        QCOMPARE(w.eMajitel->text(), QString("Novák Ján Ing."));
        QCOMPARE(w.eDicon->text(), QString("2020123"));
        QCOMPARE(w.eIcdph->text(), QString("SK2020123"));
        QCOMPARE(w.eAdresa->text(), QString("Hlavná 5 Košice 04001 Košice 1"));
        QCOMPARE(w.sgOsoby->rowCount(), 1);
        QCOMPARE(GridRow(w.sgOsoby, 0),
                 QStringList({"1", "Hrubá Eva", "Nová 1 Košice 04001 Košice 1", "účtovníčka"}));
        QCOMPARE(QApplication::focusWidget(), w.sgOsoby);
        QTest::keyClick(w.sgOsoby, Qt::Key_Insert); // a new person of this company
        QCOMPARE(w.sgOsoby->rowCount(), 2);
        QCOMPARE(w.sgOsoby->currentRow(), 1);
        QCOMPARE(GridRow(w.sgOsoby, 1).mid(0, 2), QStringList({"3", "Biela Zora Mgr."}));
        w.sgOsoby->setCurrentCell(0, 0);
        QTest::keyClick(w.sgOsoby, Qt::Key_F6); // changed
        QCOMPARE(GridRow(w.sgOsoby, 0)[3], QString("riaditeľka"));
        QCOMPARE(w.sgOsoby->currentRow(), 0);
        QTest::keyClick(w.sgOsoby, Qt::Key_F8); // and deleted
        QCOMPARE(w.sgOsoby->rowCount(), 1);
        QCOMPARE(GridRow(w.sgOsoby, 0)[0], QString("3"));
        QTest::keyClick(w.sgOsoby, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    });
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfOsobafd>(d);
        QCOMPARE(form.eKod->text(), QString("3"));
        QCOMPARE(form.eKodf->text(), QString("1"));
        QVERIFY(form.eKodf->isReadOnly());
        QCOMPARE(form.eFirma->text(), QString("Optika Lux"));
        QCOMPARE(QApplication::focusWidget(), form.eTitul);
        form.eTitul->setText("Mgr.");
        form.eMeno->setText("Zora");
        form.ePriezvisk->setText("Biela");
        form.ePohl->setText("ž");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfOsobafd>(d);
        QCOMPARE(form.ePriezvisk->text(), QString("Hrubá"));
        QVERIFY(!form.eKodf->isReadOnly());
        QVERIFY(form.bKomentar->isEnabled());
        form.eFunkcia->setText("riaditeľka");
        form.ePohl->setText("Ž");
        form.pressOk();
    });
    f.ui.queueAnswer(1);
    ShowCompanyPersons(f.app, 1, nullptr);
    QCOMPARE(f.ui.questions, QStringList{"Mám naozaj vymazať aktuálny záznam?"});
    QCOMPARE(f.countWhere(module::kOsobaf, "KOD", "1"), 0);
    QCOMPARE(f.countWhere(module::kKomento, "KODH", "1"), 0); // its comment went with it
    QCOMPARE(f.countWhere(module::kOsobaf, "KODF", "3"), 1);
    QCOMPARE(persons.table().order(), QString("PRIEZVISK;MENO;TITUL"));
    QVERIFY(!persons.eKodf->isReadOnly());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPersons::emptyWindowDoesNothing() {
    CompaniesFixture f;
    Seed(f);
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfOsobafp>(d);
        QCOMPARE(w.sgOsoby->rowCount(), 1); // one empty row
        QCOMPARE(GridRow(w.sgOsoby, 0), QStringList(4, QString()));
        w.bOprav->click();
        w.bZmaz->click();
        w.pressBack();
    });
    ShowCompanyPersons(f.app, 1, nullptr);
    QVERIFY(f.ui.questions.isEmpty());
    QCOMPARE(f.ui.dialogs, QStringList{"Osoby patriace firme"}); // no form opened
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPersons::vanishedPerson_data() {
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::newRow("changed") << true << "Chyba"
                             << "Nenašiel som záznam v evidencii osôb. Vykonajte Reindexáciu!";
    QTest::newRow("deleted") << false << "Oznam"
                             << "Nenašiel som záznam s kódom: 1! Reindexujte!";
}

void TestPersons::vanishedPerson() {
    QFETCH(bool, edit);
    QFETCH(QString, title);
    QFETCH(QString, message);
    CompaniesFixture f;
    Seed(f);
    f.addRow(module::kOsobaf, {{"KOD", "1"}, {"KODF", "1"}, {"PRIEZVISK", "Hrubá"}});
    if (!edit) f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& w = As<TfOsobafp>(d);
        // Another workstation deletes the person meanwhile.
        Table other(f.db.get(), "osobaf.DB");
        QVERIFY(other.open());
        other.first();
        WriteLock lock(*f.db);
        QVERIFY(other.remove() && lock.commit());
        edit ? w.commandEdit() : w.commandDelete();
        QCOMPARE(w.sgOsoby->rowCount(), 1);
        QCOMPARE(GridRow(w.sgOsoby, 0)[0],
                 edit ? QString("1") : QString()); // refilled after a deletion
        w.pressBack();
    });
    ShowCompanyPersons(f.app, 1, nullptr);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown), QStringList{message});
    QCOMPARE(shown[0].title, title);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPersons::personComment() {
    CompaniesFixture f;
    Seed(f);
    f.addRow(module::kOsobaf, {{"KOD", "4"},
                               {"KODF", "1"},
                               {"TITUL", "Mgr."},
                               {"MENO", "Eva"},
                               {"PRIEZVISK", "Hrubá"},
                               {"POHL", "Ž"}});
    auto& persons = f.module<TfOsobafd>(module::kOsobaf);
    QVERIFY(FindByKey(persons.table(), "KOD", 4));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfOsobafd>(d);
        form.bKomentar->click();
        form.pressOk();
    });
    f.ui.queueDialog([](QDialog& d) {
        auto& w = As<TfKomentod>(d);
        QCOMPARE(w.windowTitle(), QString("Komentár (Osoba)"));
        QCOMPARE(w.eTitul->text(), QString("Mgr."));
        QCOMPARE(w.eMeno->text(), QString("Eva"));
        QCOMPARE(w.ePriezvisk->text(), QString("Hrubá"));
        w.mKomentar->setPlainText("Volať len dopoludnia.");
        w.pressOk();
    });
    QCOMPARE(persons.EditRecord(), 1);
    QCOMPARE(LoadNotes(f.table(module::kKomento), 4), QString("Volať len dopoludnia."));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestPersons)
#include "test_persons.moc"
