#include "testmain.h"
#include "vouchersfixture.h"

#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

// Look-ups between the voucher code lists and into the general ones: insurer codes with their
// names and IČO, post offices and states.
class TestVoucherLookups : public QObject {
    Q_OBJECT
private slots:
    void unknownInsurerPicked_data();
    void unknownInsurerPicked();
    void insurerNameAndIcoShown();
    void postOffice_data();
    void postOffice();
    void unknownStateRefused();
};

void TestVoucherLookups::unknownInsurerPicked_data() {
    QTest::addColumn<int>("module");
    QTest::newRow("doctor") << 14;
    QTest::newRow("contract") << 10;
}

void TestVoucherLookups::unknownInsurerPicked() {
    QFETCH(int, module);
    VouchersFixture f;
    f.seed();
    auto* m = dynamic_cast<TfDbForm*>(f.app.registry.module(module));
    QVERIFY(m && m->OpenTable());
    Table& insurers = f.app.registry.module(11)->table();
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        for (const QString& a : module == 14 ? QStringList{"KODNEW=123456789", "KODPZSNEW=123456789012",
                                                           "STAT=Slovenská republika", "MENO=Eva"}
                                             : QStringList{"PLATNOST=1.3.2024", "CISZML=Z-9"})
            Edit(form, a.section('=', 0, 0))->setText(a.section('=', 1));
        QLineEdit* code = Edit(form, "KODPOI");
        code->setText("99");
        form.pressOk(); // not found: the insurers open, Späť
        QVERIFY(form.isVisible());
        QCOMPARE(form.focusWidget(), code);
        QCOMPARE(code->text(), QString("99"));
        form.pressOk(); // again, and an insurer is picked
        QVERIFY(!form.isVisible());
        QCOMPARE(code->text(), QString("2400"));
    });
    f.ui.queueDialog([](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam poisťovní"));
        QVERIFY(b.button(TfBrowse::sVyber)->isEnabled());
        b.commandBack();
    });
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QVERIFY(FindByKey(insurers, "CPOI", "2400"));
        b.syncGridToTable();
        b.commandPick();
    });
    QCOMPARE(m->AddRecord(), 1);
    QVERIFY(FindByKey(m->table(), "KOD", 2));
    QCOMPARE(m->table().field("KODPOI").asString(), QString("2400"));
    if (module == 10)
        QCOMPARE(m->table().field("ICOPOI").asString(), QString("35942436"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherLookups::insurerNameAndIcoShown() {
    VouchersFixture f;
    f.seed();
    // Loading shows the insurer's name; F7 picks another one and brings its IČO.
    auto& contracts = f.module<TfZmluvad>(10);
    QVERIFY(FindByKey(contracts.table(), "KOD", 1));
    Table& insurers = f.app.registry.module(11)->table();
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfZmluvad>(d);
        QCOMPARE(form.eNazovPoi->text(), QString("Všeobecná poisťovňa"));
        QCOMPARE(form.eIcopoi->text(), QString("35937874"));
        QVERIFY(form.eNazovPoi->isReadOnly());
        form.eKodpoi->setFocus();
        QTest::keyClick(form.eKodpoi, Qt::Key_F7);
        QCOMPARE(form.eKodpoi->text(), QString("2400"));
        QCOMPARE(form.eNazovPoi->text(), QString("Dôvera"));
        QCOMPARE(form.eIcopoi->text(), QString("35942436"));
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    f.ui.queueDialog([&](QDialog& d) {
        QVERIFY(FindByKey(insurers, "CPOI", "2400"));
        As<TfBrowse>(d).commandPick();
    });
    QCOMPARE(contracts.EditRecord(), 1);
    QCOMPARE(contracts.table().field("ICOPOI").asString(), QString("35942436"));

    // The doctor's insurer name likewise; a new doctor starts without one.
    auto& doctors = f.module<TfLekard>(14);
    QVERIFY(FindByKey(doctors.table(), "KOD", 1));
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfLekard>(d);
        QCOMPARE(form.eNazovPoi->text(), QString("Všeobecná poisťovňa"));
        QTest::keyClick(&form, Qt::Key_Escape);
    });
    QCOMPARE(doctors.ShowRecord(), 0);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfLekard>(d);
        QCOMPARE(form.eNazovPoi->text(), QString());
        form.pressBack();
    });
    QCOMPARE(doctors.AddRecord(), 0);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherLookups::postOffice_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("postalCode");
    QTest::addColumn<QString>("postOffice"); // saved
    // An empty postal code empties an insurer's post office but keeps a doctor's.
    QTest::newRow("insurer, known code") << 11 << "04001" << "Košice 1";
    QTest::newRow("insurer, no code") << 11 << " " << "";
    QTest::newRow("doctor, known code") << 14 << "04001" << "Košice 1";
    QTest::newRow("doctor, no code") << 14 << "" << "Stará pošta";
}

void TestVoucherLookups::postOffice() {
    QFETCH(int, module);
    QFETCH(QString, postalCode);
    QFETCH(QString, postOffice);
    VouchersFixture f;
    f.seed();
    auto* m = dynamic_cast<TfDbForm*>(f.app.registry.module(module));
    QVERIFY(m && m->OpenTable());
    Table& t = m->table();
    QVERIFY(FindByKey(t, "KOD", 1));
    {
        WriteLock lock(*f.db);
        QVERIFY(t.edit());
        QVERIFY(t.field("PSC").setAsString("81101"));
        QVERIFY(t.field("DODPOSTA").setAsString("Stará pošta"));
        QVERIFY(t.field("STAT").setAsString("Slovenská republika"));
        QVERIFY(t.post() && lock.commit());
    }
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        if (module == 11)
            Edit(form, "ICO")->setText("35937874");
        Edit(form, "PSC")->setText(postalCode);
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m->EditRecord(), 1);
    QVERIFY(FindByKey(t, "KOD", 1));
    QCOMPARE(t.field("PSC").asString(), postalCode.trimmed());
    QCOMPARE(t.field("DODPOSTA").asString(), postOffice);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherLookups::unknownStateRefused() {
    VouchersFixture f;
    f.seed();
    auto& m = f.module<TfPoistovd>(11);
    f.ui.queueAnswer(1); // Späť
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfPoistovd>(d);
        form.eCpoi->setText("27");
        form.eIco->setText("1");
        form.eStat->setText("Rakúsko");
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(form.focusWidget(), form.eStat);
        form.pressBack();
    });
    f.ui.queueDialog([](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam štátov"));
        b.commandBack();
    });
    QCOMPARE(m.AddRecord(), 0);
    QCOMPARE(m.table().recordCount(), 2);
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestVoucherLookups)
#include "test_voucherlookups.moc"
