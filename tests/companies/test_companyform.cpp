#include "companiesfixture.h"
#include "testmain.h"

#include "invoicing/companynames.h"

#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

// The company form: its checks in order, the flags, the same-name question, the stored IČO
// and the proposals of F7.
class TestCompanyForm : public QObject {
    Q_OBJECT
private slots:
    void addShowsDefaults();
    void checksFailInOrder_data();
    void checksFailInOrder();
    void storedForms_data();
    void storedForms();
    void editedUnchangedSaves();
    void sameNameQuestion_data();
    void sameNameQuestion();
    void nextClientIco_data();
    void nextClientIco();
    void nextMemberNumber();
    void nameHelpers_data();
    void nameHelpers();
};

namespace {

// Types FIELD=value assignments into the form's boxes.
void Type(TfDbForm& form, const QStringList& typed) {
    for (const QString& assignment : typed) {
        QLineEdit* e = Edit(form, assignment.section('=', 0, 0));
        QVERIFY2(e, qPrintable(assignment));
        e->setText(assignment.section('=', 1));
    }
}

// Two companies to collide with, a title and a state to look up.
void Seed(CompaniesFixture& f) {
    f.addCompany(1, "35697270",
                 {{"NAZOV", "Optika Lux"},
                  {"CLENCIS", "12"},
                  {"PRIEZVISK", "Novák"},
                  {"MENO", "Ján"},
                  {"PRIEZMENO", "Novák Ján"}});
    f.addCompany(2, "57",
                 {{"PRIEZVISK", "Kováčová"}, {"MENO", "Eva"}, {"PRIEZMENO", "Kováčová Eva"}});
    f.addRow(module::kTitul, {{"KOD", "1"}, {"NAZOV", "Ing."}});
}

} // namespace

void TestCompanyForm::addShowsDefaults() {
    CompaniesFixture f;
    Seed(f);
    TfFirmad& m = f.companies();
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFirmad>(d);
        QCOMPARE(form.windowTitle(), QString("Firma"));
        QCOMPARE(form.eKod->text(), QString("3"));
        QCOMPARE(QApplication::focusWidget(), form.eNazov);
        for (QLineEdit* flag : {form.ePlatcaDan, form.eJeOdb, form.eJeDod, form.eFOsoba})
            QCOMPARE(flag->text(), QString("A"));
        QCOMPARE(form.eIco->text(), QString());
        QVERIFY(!form.bKomentar->isEnabled()); // nothing to comment on before it is saved
        form.pressBack();
    });
    QCOMPARE(m.AddRecord(), 0);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFirmad>(d);
        QCOMPARE(QApplication::focusWidget(), form.eNazov);
        QCOMPARE(form.eIco->text(), QString("35697270"));
        QVERIFY(form.bKomentar->isEnabled());
        form.pressOk();
    });
    QCOMPARE(m.EditRecord(), 1);
    QVERIFY(!m.bKomentar->isEnabled());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCompanyForm::checksFailInOrder_data() {
    QTest::addColumn<bool>("edit"); // edit company 1 instead of adding
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message"); // empty: a pick list opened and was left
    QTest::addColumn<QString>("focus");

    const QStringList valid = {"ICO=12345678", "PLATCADAN=A", "JEODB=A", "JEDOD=A", "FOSOBA=A"};
    const QString flags = "Prípustné hodnoty : A alebo N !";
    QTest::newRow("VAT payer first, before an empty IČO")
        << false << QStringList{"PLATCADAN=x", "ICO="} << "Oznam" << flags << "PLATCADAN";
    QTest::newRow("VAT payer empty")
        << false << (valid + QStringList{"PLATCADAN= "}) << "Oznam" << flags << "PLATCADAN";
    QTest::newRow("IČO empty") << false << QStringList{"ICO=  "} << "Chyba"
                               << "IČO nemôže byť prázdne!"
                               << "ICO";
    QTest::newRow("IČO with a letter") << false << QStringList{"ICO=3569727O"} << "Chyba"
                                       << "IČO môže obsahovať iba znaky 0-9!"
                                       << "ICO";
    QTest::newRow("IČO of another company") << false << QStringList{"ICO= 35697270 "} << "Chyba"
                                            << "Duplicitná hodnota IČO je neprípustná!"
                                            << "ICO";
    QTest::newRow("IČO of another company when editing") << true << QStringList{"ICO=57"} << "Chyba"
                                                         << "Duplicitná hodnota IČO je neprípustná!"
                                                         << "ICO";
    QTest::newRow("DIČO with a letter")
        << false << (valid + QStringList{"DICO=2020/12a"}) << "Chyba"
        << "DIČO môže obsahovať iba znaky 0-9 a znak / !"
        << "DICO";
    QTest::newRow("new DIČO with a slash")
        << false << (valid + QStringList{"DICON=2020/1"}) << "Chyba"
        << "DIČO môže obsahovať iba znaky 0-9 !"
        << "DICON";
    QTest::newRow("IČ DPH with a small letter")
        << false << (valid + QStringList{"ICDPH=sk2020123456"}) << "Chyba"
        << "IČ DPH môže obsahovať iba znaky 0-9 a znaky A-Z !"
        << "ICDPH";
    QTest::newRow("IČ DPH with a letter outside A-Z")
        << false << (valid + QStringList{"ICDPH=SKČ2020"}) << "Chyba"
        << "IČ DPH môže obsahovať iba znaky 0-9 a znaky A-Z !"
        << "ICDPH";
    QTest::newRow("supplier before customer")
        << false << (valid + QStringList{"JEODB=x", "JEDOD=b"}) << "Oznam" << flags << "JEDOD";
    QTest::newRow("customer") << false << (valid + QStringList{"JEODB=Á"}) << "Oznam" << flags
                              << "JEODB";
    QTest::newRow("member number with a letter")
        << false << (valid + QStringList{"CLENCIS=1a"}) << "Chyba"
        << "Neprípustný znak v člnenskom čísle!"
        << "CLENCIS";
    QTest::newRow("member number of another company")
        << false << (valid + QStringList{"CLENCIS=12"}) << "Chyba"
        << "Duplicitné členské číslo!"
        << "CLENCIS";
    QTest::newRow("title not in its list") << false << (valid + QStringList{"TITUL=Doc."}) << ""
                                           << ""
                                           << "TITUL";
    QTest::newRow("state not in its list") << false << (valid + QStringList{"STAT=Rakúsko"}) << ""
                                           << ""
                                           << "STAT";
    QTest::newRow("natural person last")
        << false << (valid + QStringList{"FOSOBA=1"}) << "Oznam" << flags << "FOSOBA";
}

void TestCompanyForm::checksFailInOrder() {
    QFETCH(bool, edit);
    QFETCH(QStringList, typed);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    CompaniesFixture f;
    Seed(f);
    TfFirmad& m = f.companies();
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    const int before = m.table().recordCount();
    f.ui.queueAnswer(1); // leaving with Späť afterwards
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        Type(form, typed);
        form.pressOk();
        QVERIFY(form.isVisible());
        // (a closed pick list leaves no active window offscreen: ask the form)
        QCOMPARE(form.focusWidget(), Edit(form, focus));
        QCOMPARE(Edit(form, focus)->palette().color(QPalette::Base), f.app.colours.incorrect);
        form.pressBack();
    });
    if (message.isEmpty()) f.ui.queueDialog([](QDialog& d) { As<TfBrowse>(d).commandBack(); });
    QCOMPARE(edit ? m.EditRecord() : m.AddRecord(), 0);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    if (message.isEmpty()) {
        QVERIFY(shown.isEmpty());
    } else {
        QCOMPARE(TextsOf(shown), QStringList{message});
        QCOMPARE(shown[0].title, title);
    }
    QCOMPARE(m.table().recordCount(), before);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCompanyForm::storedForms_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("stored"); // FIELD=value as the table holds it
    QTest::newRow("IČO of 8 digits starting with 0")
        << QStringList{"ICO=01234567"} << QStringList{"ICO=01234567", "ICOI=1234567"};
    QTest::newRow("flags in small letters")
        << QStringList{"ICO=44", "PLATCADAN=n", "JEODB=a", "JEDOD=n", "FOSOBA=a"}
        << QStringList{"PLATCADAN=N", "JEODB=A", "JEDOD=N", "FOSOBA=A"};
    QTest::newRow("surname and first name joined")
        << QStringList{"ICO=45", "PRIEZVISK= Hrubá ", "MENO=Mária", "TITUL=Ing."}
        << QStringList{"PRIEZMENO=Hrubá Mária", "PRIEZVISK=Hrubá", "TITUL=Ing."};
    QTest::newRow("first name alone")
        << QStringList{"ICO=46", "MENO=Mária"} << QStringList{"PRIEZMENO=Mária"};
    QTest::newRow("IČ DPH, DIČO and member number")
        << QStringList{"ICO=47", "ICDPH=SK2020123456", "DICO=2020/123", "DICON=2020123",
                       "CLENCIS=13"}
        << QStringList{"ICDPH=SK2020123456", "DICO=2020/123", "DICON=2020123", "CLENCIS=13"};
}

void TestCompanyForm::storedForms() {
    QFETCH(QStringList, typed);
    QFETCH(QStringList, stored);
    CompaniesFixture f;
    Seed(f);
    TfFirmad& m = f.companies();
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        Type(form, typed);
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    QVERIFY(FindByKey(m.table(), "KOD", 3));
    for (const QString& s : stored)
        QCOMPARE(m.table().field(s.section('=', 0, 0)).asString(), s.section('=', 1));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCompanyForm::editedUnchangedSaves() {
    CompaniesFixture f;
    Seed(f);
    TfFirmad& m = f.companies();
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    // Its own IČO, member number and name are no duplicates: no message and no question.
    f.ui.queueDialog([](QDialog& d) {
        As<TfFirmad>(d).pressOk();
        QVERIFY(!d.isVisible());
    });
    QCOMPARE(m.EditRecord(), 1);
    QCOMPARE(m.table().field("ICOI").asString(), QString("35697270"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.questions.isEmpty());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCompanyForm::sameNameQuestion_data() {
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<int>("answer"); // -2: not asked
    QTest::addColumn<bool>("saved");
    QTest::newRow("same, yes") << "Novák"
                               << " Ján" << 1 << true;
    QTest::newRow("same, no") << "Novák "
                              << "Ján" << 0 << false;
    QTest::newRow("same, cancelled") << "Novák"
                                     << "Ján" << -1 << false;
    QTest::newRow("other first name") << "Novák"
                                      << "Jana" << -2 << true;
    QTest::newRow("no names at all") << ""
                                     << "" << -2 << true;
}

void TestCompanyForm::sameNameQuestion() {
    QFETCH(QString, surname);
    QFETCH(QString, firstName);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    CompaniesFixture f;
    Seed(f);
    TfFirmad& m = f.companies();
    if (answer != -2) f.ui.queueAnswer(answer);
    if (!saved) f.ui.queueAnswer(1); // Späť afterwards
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFirmad>(d);
        form.eIco->setText("99");
        form.ePriezvisk->setText(surname);
        form.eMeno->setText(firstName);
        form.pressOk();
        QCOMPARE(form.isVisible(), !saved);
        if (!saved) {
            QCOMPARE(QApplication::focusWidget(), form.ePriezvisk);
            form.pressBack();
        }
    });
    QCOMPARE(m.AddRecord(), saved ? 1 : 0);
    const QString question = "Duplicitné priezvisko a meno klienta - majiteľa firmy! Mám aj "
                             "napriek tomu pokračovať?";
    QCOMPARE(f.ui.questions.contains(question), answer != -2);
    QCOMPARE(m.table().recordCount(), saved ? 3 : 2);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCompanyForm::nextClientIco_data() {
    QTest::addColumn<QString>("filter"); // a filter command of the list, or none
    QTest::addColumn<int>("clients");    // private clients 1..clients
    QTest::addColumn<QString>("proposed");
    QTest::newRow("clients 1 to 57") << "" << 57 << "58";
    QTest::newRow("suppliers only count the listed clients") << "&Dodávatelia" << 57 << "41";
    QTest::newRow("only real companies") << "" << 0 << "1";
    QTest::newRow("real companies listed") << "Fi&rmy reálne" << 57 << "1";
}

void TestCompanyForm::nextClientIco() {
    QFETCH(QString, filter);
    QFETCH(int, clients);
    QFETCH(QString, proposed);
    CompaniesFixture f;
    // Clients 1..n in a shuffled order of codes; every one up to 40 also a supplier.
    int code = 1;
    for (int ico = clients; ico >= 1; --ico)
        f.addCompany(code++, QString::number(ico), {{"JEDOD", ico <= 40 ? "A" : "N"}});
    for (const char* ico : {"100000", "35697270", "654321"})
        f.addCompany(code++, ico, {{"JEDOD", "A"}});
    TfFirmad& m = f.companies();
    if (!filter.isEmpty()) {
        QObject owner;
        for (QAction* a : m.filterCommands(nullptr, &owner))
            if (a->text() == filter) a->trigger();
        QVERIFY(m.table().isFiltered());
    }
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFirmad>(d);
        form.focusField(form.eIco);
        QTest::keyClick(form.eIco, Qt::Key_F7);
        QCOMPARE(form.eIco->text(), proposed);
        QTest::keyClick(form.eIco, Qt::Key_Insert); // F7 only
        QCOMPARE(form.eIco->text(), proposed);
        form.pressBack();
    });
    QCOMPARE(m.AddRecord(), 0);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCompanyForm::nextMemberNumber() {
    CompaniesFixture f;
    f.addCompany(1, "11", {{"CLENCIS", "7"}});
    f.addCompany(2, "12", {{"CLENCIS", ""}});
    f.addCompany(3, "13", {{"CLENCIS", "31"}});
    f.addCompany(4, "14", {{"CLENCIS", "9"}});
    TfFirmad& m = f.companies();
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfFirmad>(d);
        form.focusField(form.eClenCis);
        QTest::keyClick(form.eClenCis, Qt::Key_F7);
        QCOMPARE(form.eClenCis->text(), QString("32")); // not the text order ("9")
        form.pressBack();
    });
    QCOMPARE(m.AddRecord(), 0);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCompanyForm::nameHelpers_data() {
    QTest::addColumn<QString>("ico");
    QTest::addColumn<QStringList>("names"); // display, formal, owner, address
    QTest::newRow("a company") << "35697270"
                               << QStringList{"Optika Lux", "Optika Lux", "Ing. Ján Novák",
                                              "Hlavná 5 Košice 04001 Košice 1 SR"};
    QTest::newRow("a private person, blank name")
        << "57" << QStringList{"Kováčová Eva Mgr.", "Mgr. Eva Kováčová", "Mgr. Eva Kováčová", ""};
    QTest::newRow("IČO not in the list") << "99" << QStringList{"", "", "", ""};
}

void TestCompanyForm::nameHelpers() {
    QFETCH(QString, ico);
    QFETCH(QStringList, names);
    CompaniesFixture f;
    f.addCompany(1, "35697270", {{"NAZOV", "Optika Lux"}, {"TITUL", "Ing."}, {"MENO", "Ján"},
                                 {"PRIEZVISK", "Novák"}, {"ULICA", "Hlavná"}, {"CISLO", "5"},
                                 {"OBEC", "Košice"}, {"PSC", "04001"}, {"DODPOSTA", "Košice 1"},
                                 {"STAT", "SR"}});
    f.addCompany(2, "57", {{"NAZOV", "  "}, {"TITUL", "Mgr."}, {"MENO", "Eva"},
                           {"PRIEZVISK", "Kováčová"}});
    QCOMPARE(QStringList({CompanyDisplayName(f.app, ico), CompanyFormalName(f.app, ico),
                          CompanyOwnerName(f.app, ico), CompanyAddressLine(f.app, ico)}),
             names);
}

VIDORAW_TEST(TestCompanyForm)
#include "test_companyform.moc"
