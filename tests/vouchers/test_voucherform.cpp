#include "testmain.h"
#include "voucherformfixture.h"

#include "vouchers/cudzipoistenecf.h"

using namespace vidoraw;
using namespace vidoraw::test;

// The voucher form: its checks on OK in their order, the aid lines, the batch context and the
// permissions, the keys of the birth number, the prescription grid.
class TestVoucherForm : public QObject {
    Q_OBJECT
private slots:
    void checksOnOkInOrder_data();
    void checksOnOkInOrder();
    void aidLines();
    void patientAmounts_data();
    void patientAmounts();
    void changesOnlyFromTheBatch_data();
    void changesOnlyFromTheBatch();
    void addingInABatch();
    void foreignInsuredPerson();
    void gridColumns();
    void frequentVoucher();
    void clientCodes();
};

namespace {

// A saved voucher of client 1 in invoice 7, batch 3 (code 1).
void AddSavedVoucher(VoucherFormFixture& f) {
    QVERIFY(f.addRow(module::kPoukazv,
                     {{"KOD", "1"}, {"KODFA", "7"}, {"KODDAV", "3"}, {"KODKLIENT", "1"},
                      {"RODCIS", "800101/1007"}, {"KODPOIKL", "25"}, {"MENO", "Ján"},
                      {"PRIEZVISK", "Novák"}, {"DIALKY", "64"}, {"BLIZKO", "62"},
                      {"KODLEK", "1"}, {"KODDIAG", "H52"}, {"KODOP1", "00001"}, {"POCET1", "1"},
                      {"SUMAPOI1", "10"}, {"DATUM", "1.3.2024"}, {"DATUMVYD", "31.3.2024"}}));
}

} // namespace

void TestVoucherForm::checksOnOkInOrder_data() {
    QTest::addColumn<QStringList>("typed");    // over the saved voucher
    QTest::addColumn<QList<int>>("answers");   // to the questions on the way
    QTest::addColumn<QString>("message");      // empty: the check fails without one
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("lists");            // pick lists that open and are closed

    const QString wrongNumber = " Nesprávne celé číslo! ";
    const QString wrongDecimal = "Nesprávne desatinné číslo!";
    const QString badDate = "Nesprávny dátum !";
    const QList<int> none;
    // Each row spoils its field and a later one: the earlier is the one refused.
    QTest::newRow("birth number too short")
        << QStringList{"RODCIS=8001", "KODPOIKL=99"} << none << "Rodné číslo nie je správne!"
        << "Chyba" << "RODCIS" << 1;
    QTest::newRow("birth number of nobody") << QStringList{"RODCIS=8001011030", "KODPOIKL=99"}
                                            << none << "" << "" << "RODCIS" << 1;
    QTest::newRow("doubtful birth number, not to go on")
        << QStringList{"RODCIS=800101/1000"} << QList<int>{0} << "" << "" << "RODCIS" << 1;
    QTest::newRow("insurer unknown") << QStringList{"KODPOIKL=99", "DIALKY="} << none << ""
                                     << "" << "KODPOIKL" << 1;
    QTest::newRow("distance far empty") << QStringList{"DIALKY=", "BLIZKO=x"} << none
                                        << wrongNumber << "Chyba !" << "DIALKY" << 0;
    QTest::newRow("distance near with decimals")
        << QStringList{"BLIZKO=6,5", "KODS=9"} << none << wrongNumber << "Chyba !" << "BLIZKO" << 0;
    QTest::newRow("lens type unknown") << QStringList{"KODS=9", "KODR=9"} << none << "" << ""
                                       << "KODS" << 1;
    QTest::newRow("frame type unknown") << QStringList{"KODR=9", "KODKS=9"} << none << "" << ""
                                        << "KODR" << 1;
    QTest::newRow("contact-lens type unknown") << QStringList{"KODKS=9", "KODLEK=9"} << none
                                               << "" << "" << "KODKS" << 1;
    QTest::newRow("doctor unknown") << QStringList{"KODLEK=9", "KODDIAG=Z99"} << none << "" << ""
                                    << "KODLEK" << 1;
    QTest::newRow("diagnosis unknown") << QStringList{"KODDIAG=Z99", "POCET1=x"} << none << ""
                                       << "" << "KODDIAG" << 1;
    QTest::newRow("aid unknown") << QStringList{"KODOP1=99999", "SUMAPAC1=x"} << none << "" << ""
                                 << "KODOP1" << 1;
    QTest::newRow("count not whole") << QStringList{"POCET1=1,5", "SUMAPOI1=x"} << none
                                     << "Hodnota počet nepredstavuje celé číslo!" << "Chyba"
                                     << "POCET1" << 0;
    QTest::newRow("insurer amount not a number") << QStringList{"SUMAPOI1=1x", "SUMAPAC1=x"}
                                                 << none << wrongDecimal << "Chyba" << "SUMAPOI1"
                                                 << 0;
    QTest::newRow("aid without price leaves the amount empty")
        << QStringList{"KODOP1=00007", "SUMAPAC1=x"} << none << wrongDecimal << "Chyba"
        << "SUMAPOI1" << 0;
    QTest::newRow("patient amount not a number") << QStringList{"SUMAPAC1=abc", "DATUM="} << none
                                                 << wrongDecimal << "Chyba" << "SUMAPAC1" << 0;
    QTest::newRow("patient amount of line 3")
        << QStringList{"KODOP3=10001", "SUMAPAC3=x", "DATUM="} << none << wrongDecimal << "Chyba"
        << "SUMAPAC3" << 0;
    QTest::newRow("no aid at all") << QStringList{"KODOP1=", "DATUM=x"} << none
                                   << "Poukaz neobsahuje ani jednu optickú pomôcku!" << "Cbyba"
                                   << "KODOP4" << 0;
    QTest::newRow("prescription date 31 April")
        << QStringList{"DATUM=31.4.2024", "DATUMVYD="} << none << badDate << "Chyba" << "DATUM" << 0;
    QTest::newRow("dispensing date empty") << QStringList{"DATUMVYD= "} << none << badDate
                                           << "Chyba" << "DATUMVYD" << 0;
}

void TestVoucherForm::checksOnOkInOrder() {
    QFETCH(QStringList, typed);
    QFETCH(QList<int>, answers);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    QFETCH(int, lists);
    VoucherFormFixture f;
    AddSavedVoucher(f);
    TfPoukazvd& m = f.vouchers();
    m.setBatchContext(VoucherFormFixture::batch());
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    for (int a : answers)
        f.ui.queueAnswer(a);
    f.ui.queueAnswer(1); // leaving with Späť afterwards
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        Type(form, typed);
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), Edit(form, focus));
        QCOMPARE(Edit(form, focus)->palette().color(QPalette::Base), f.app.colours.incorrect);
        form.pressBack();
    });
    for (int i = 0; i < lists; ++i)
        f.ui.queueDialog(CloseList);
    QCOMPARE(m.EditRecord(), 0);
    const QList<RecordedNotice> notices = f.ui.takeNotices();
    QCOMPARE(TextsOf(notices), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(notices[0].title, title);
    QVERIFY(f.ui.verifyNoSurprises());
    // Nothing was written.
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    QCOMPARE(m.table().field("RODCIS").asString(), QString("800101/1007"));
    QCOMPARE(m.table().field("SUMAPOI1").asFloat(), 10.0);
}

void TestVoucherForm::aidLines() {
    VoucherFormFixture f;
    TfPoukazvd& m = f.vouchers();
    m.setBatchContext(VoucherFormFixture::batch());
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        Type(form, ValidVoucher());
        for (const char* field : {"KODOP1", "POCET1", "SUMAPOI1"})
            Edit(form, field)->clear();
        AidLine& l = form.lines[0];

        // A code of three digits: zeros in front, one piece at the aid's price.
        form.focusField(l.code);
        l.code->setText("123");
        form.focusField(l.count);
        QCOMPARE(l.code->text(), QString("00123"));
        QCOMPARE(l.name->text(), QString("Rám"));
        QCOMPARE(l.count->text(), QString("1"));
        QCOMPARE(l.insurer->text(), QString("12,5"));
        QCOMPARE(form.eSpoluPoi->text(), QString("12,5"));
        // Two pieces, twice the price.
        l.count->setText("2");
        form.focusField(l.insurer);
        QCOMPARE(l.insurer->text(), QString("25"));
        // An amount typed over stays while code and count stay.
        l.insurer->setText("20");
        form.focusField(l.patient);
        form.focusField(l.code);
        form.focusField(l.count);
        form.focusField(l.insurer);
        QCOMPARE(l.insurer->text(), QString("20"));
        QCOMPARE(form.eSpoluPoi->text(), QString("20"));
        // ... until the count changes,
        form.focusField(l.count);
        l.count->setText("3");
        form.focusField(l.insurer);
        QCOMPARE(l.insurer->text(), QString("37,5"));
        // or the code: another aid keeps the count and takes its own price.
        l.insurer->setText("1");
        form.focusField(l.code);
        l.code->setText("1");
        form.focusField(l.count);
        QCOMPARE(l.code->text(), QString("00001"));
        QCOMPARE(l.name->text(), QString("Okuliare"));
        QCOMPARE(l.count->text(), QString("3"));
        QCOMPARE(l.insurer->text(), QString("30"));

        // An aid without a price leaves the amount empty: OK refuses until one is typed.
        AidLine& free = form.lines[1];
        form.focusField(free.code);
        free.code->setText("7");
        free.patient->setText("2.5");
        form.focusField(free.count);
        QCOMPARE(free.code->text(), QString("00007"));
        QCOMPARE(free.count->text(), QString("1"));
        QCOMPARE(free.insurer->text(), QString());
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), free.insurer);
        QCOMPARE(form.eSpoluPac->text(), QString("2,5"));
        free.insurer->setText("0");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Nesprávne desatinné číslo!"});
    Table& t = m.table();
    QCOMPARE(t.field("KODOP1").asString(), QString("00001"));
    QCOMPARE(t.field("POCET1").asInteger(), 3);
    QCOMPARE(t.field("SUMAPOI1").asFloat(), 30.0);
    QCOMPARE(t.field("KODOP2").asString(), QString("00007"));
    QVERIFY(!t.field("SUMAPOI2").isNull());
    QCOMPARE(t.field("SUMAPOI2").asFloat(), 0.0);
    QCOMPARE(t.field("SUMAPAC2").asFloat(), 2.5);
    QVERIFY(t.field("KODOP3").asString().isEmpty());
    QVERIFY(t.field("POCET3").isNull());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherForm::patientAmounts_data() {
    QTest::addColumn<QString>("pacnie");
    QTest::newRow("not read into vouchers") << "A";
    QTest::newRow("read, and optional") << "N";
}

void TestVoucherForm::patientAmounts() {
    QFETCH(QString, pacnie);
    VoucherFormFixture f;
    QVERIFY(WriteSystemFields(f.app, {{"PACNIE", pacnie}}));
    TfPoukazvd& m = f.vouchers();
    m.setBatchContext(VoucherFormFixture::batch());
    const bool entered = pacnie == "N";
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        for (const AidLine& l : form.lines)
            QCOMPARE(l.patient->isEnabled(), entered);
        Type(form, ValidVoucher());
        if (entered)
            form.lines[1].patient->clear(); // optional with an aid, none without
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    QVERIFY(m.table().field("SUMAPAC1").isNull());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherForm::changesOnlyFromTheBatch_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message"); // empty: nothing happens at all
    QTest::newRow("add") << "add" << "Pridávanie poukazov je možné cez voľbu Faktúry | Faktúry poisťovne!";
    QTest::newRow("copy") << "copy"
                          << "Pridávanie poukazov je možné cez voľbu Faktúry | Faktúry poisťovne!";
    QTest::newRow("edit") << "edit" << "Oprava poukazov je možné cez voľbu Faktúry | Faktúry poisťovne!";
    QTest::newRow("delete") << "delete"
                            << "Vymazávanie poukazov je možné cez voľbu Faktúry | Faktúry poisťovne!";
    QTest::newRow("delete all") << "delete all" << "";
}

void TestVoucherForm::changesOnlyFromTheBatch() {
    QFETCH(QString, command);
    QFETCH(QString, message);
    VoucherFormFixture f;
    AddSavedVoucher(f);
    TfPoukazvd& m = f.vouchers();
    // A batch that was worked on earlier has given its permission back.
    m.setBatchContext(VoucherFormFixture::batch());
    m.leaveBatch();
    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam poukazov"));
        if (command == "add")
            b.commandAdd();
        else if (command == "copy")
            b.commandCopy();
        else if (command == "edit")
            b.commandEdit();
        else if (command == "delete")
            b.commandDelete();
        else
            b.commandDeleteAll();
        b.commandBack();
    });
    QVERIFY(!browser.Browse(module::kPoukazv, TfBrowse::DefaultButtons(), false));
    const QList<RecordedNotice> notices = f.ui.takeNotices();
    QCOMPARE(TextsOf(notices), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(notices[0].title, QString("Oznam"));
    QVERIFY(f.ui.verifyNoSurprises());
    QCOMPARE(m.table().recordCount(), 1);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    QCOMPARE(m.table().field("RODCIS").asString(), QString("800101/1007"));

    // Showing is always allowed.
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        QCOMPARE(form.ePriezvisk->text(), QString("Novák"));
        QCOMPARE(form.eMenoLek->text(), QString("Ján Lekár"));
        QCOMPARE(form.lines[0].name->text(), QString("Okuliare"));
        QCOMPARE(form.eSpoluPoi->text(), QString("10"));
        QVERIFY(!form.bbOk->isEnabled());
        form.pressBack();
    });
    QCOMPARE(m.ShowRecord(), 0);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherForm::addingInABatch() {
    VoucherFormFixture f;
    // The client's latest prescription: a far distance, no near one.
    QVERIFY(f.addRow(module::kPoukazv,
                     {{"KOD", "1"}, {"KODKLIENT", "1"}, {"DATUM", "1.2.2023"}, {"DIALKY", "66"},
                      {"BLIZKO", "0"}}));
    TfPoukazvd& m = f.vouchers();
    m.setBatchContext(VoucherFormFixture::batch());
    m.beginAddingSeries();
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        QCOMPARE(form.eKod->text(), QString("2"));
        QCOMPARE(form.eDatum->text(), QString("1.3.2024"));
        QCOMPARE(form.eDatumvyd->text(), QString("31.3.2024"));
        QCOMPARE(QApplication::focusWidget(), form.eRodcis);
        form.eRodcis->setText("8001011007");
        form.focusField(form.eKodpoikl);
        QCOMPARE(form.eRodcis->text(), QString("800101/1007"));
        QCOMPARE(form.eKodklient->text(), QString("1"));
        QCOMPARE(form.eTitul->text(), QString("Ing."));
        QCOMPARE(form.ePriezvisk->text(), QString("Novák"));
        QCOMPARE(form.eMobil->text(), QString("0905"));
        QCOMPARE(form.eyes->eDialky->text(), QString("66"));
        QCOMPARE(form.eyes->eBlizko->text(), QString());
        Type(form, {"KODPOIKL=25", "BLIZKO=62", "KODLEK=1", "KODDIAG=h52", "KODOP1=00001",
                    "KODKS=1", "DATUM=2.3.2024", "DATUMVYD=5.3.2024"});
        form.pressOk();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.eNazovKs->text(), QString("Mesačné Optika Sever"));
    });
    QCOMPARE(m.AddRecord(), 1);
    Table& t = m.table();
    QCOMPARE(t.field("KOD").asInteger(), 2);
    QCOMPARE(t.field("KODFA").asInteger(), 7);
    QCOMPARE(t.field("KODDAV").asInteger(), 3);
    QCOMPARE(t.field("KODKLIENT").asInteger(), 1);
    QCOMPARE(t.field("MENO").asString(), QString("Ján"));
    QCOMPARE(t.field("OBEC").asString(), QString("Bratislava"));
    QCOMPARE(t.field("DIALKY").asInteger(), 66);
    QCOMPARE(t.field("KODDIAG").asString(), QString("H52"));
    QCOMPARE(t.field("KODPEC").asString(), QString("1234-56-789"));
    QCOMPARE(t.field("KODPOILEK").asString(), QString("25"));
    QCOMPARE(t.field("POCET1").asInteger(), 1);
    QCOMPARE(t.field("SUMAPOI1").asFloat(), 10.0);
    QCOMPARE(t.field("DATUMVYD").asDate(), QDate(2024, 3, 5));
    QVERIFY(t.field("TITUL").isNull());

    // The next voucher of the series: the last one's dates; F9 its birth number and doctor.
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        QCOMPARE(form.eDatum->text(), QString("2.3.2024"));
        QCOMPARE(form.eDatumvyd->text(), QString("5.3.2024"));
        QVERIFY(form.eRodcis->text().isEmpty());
        QTest::keyClick(form.eRodcis, Qt::Key_F9);
        QCOMPARE(form.eRodcis->text(), QString("800101/1007"));
        QCOMPARE(form.ePriezvisk->text(), QString("Novák"));
        QCOMPARE(form.eKodlek->text(), QString("1"));
        QCOMPARE(form.eMenoLek->text(), QString("Ján Lekár"));
        form.pressBack();
    });
    QCOMPARE(m.AddRecord(), 0);
    // A new series starts from the invoice's period again.
    m.beginAddingSeries();
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        QCOMPARE(form.eDatum->text(), QString("1.3.2024"));
        QCOMPARE(form.eDatumvyd->text(), QString("31.3.2024"));
        form.pressBack();
    });
    QCOMPARE(m.AddRecord(), 0);
    QVERIFY(f.ui.verifyNoSurprises());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestVoucherForm::foreignInsuredPerson() {
    VoucherFormFixture f;
    TfPoukazvd& m = f.vouchers();
    m.setBatchContext(VoucherFormFixture::batch());
    auto foreign = [&](const QString& state, const QString& number, const QString& sex) {
        f.ui.queueDialog([=](QDialog& d) {
            auto& dialog = As<TfCudziPoistenecf>(d);
            QCOMPARE(dialog.windowTitle(), QString("Cudzí poistenec"));
            dialog.eStat->setText(state);
            dialog.eIc->setText(number);
            dialog.ePohlavie->setText(sex);
            dialog.pressOk();
        });
    };
    // A patient insured abroad: no birth number, found by the other three fields.
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        Type(form, ValidVoucher());
        form.eRodcis->clear();
        form.focusField(form.eRodcis);
        foreign("AT", "X123", "M");
        QTest::keyClick(form.eRodcis, Qt::Key_F8);
        QCOMPARE(form.eIcpoi->text(), QString("X123"));
        QVERIFY(form.eIcpoi->isReadOnly());
        QCOMPARE(form.eKodklient->text(), QString("2"));
        QCOMPARE(form.ePriezvisk->text(), QString("Berger"));
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(m.table().field("KODKLIENT").asInteger(), 2);
    QCOMPARE(m.table().field("STATPOI").asString(), QString("AT"));
    QVERIFY(m.table().field("RODCIS").asString().isEmpty());

    // Another identification number is another person: no client of the earlier one stays.
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        QCOMPARE(form.eKodklient->text(), QString("2"));
        foreign("AT", "Y999", "M");
        QTest::keyClick(form.eRodcis, Qt::Key_F8);
        QCOMPARE(form.eKodklient->text(), QString());
        QCOMPARE(form.ePriezvisk->text(), QString());
        form.pressBack();
    });
    QCOMPARE(m.EditRecord(), 0);
    QVERIFY(f.ui.verifyNoSurprises());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestVoucherForm::gridColumns() {
    VoucherFormFixture f;
    TfPoukazvd& m = f.vouchers();
    m.setBatchContext(VoucherFormFixture::batch());
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        Type(form, {"RODCIS=800101/1007"}); // left on the way into the grid
        EyeDataGrid* g = form.eyes;
        form.focusField(g->value(0, 2));
        for (int row : {1, 2, 3}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), g->value(row, 2));
        }
        // Down in the last row and Up in the first go on to the next or previous field.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), g->value(3, 3));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), g->value(2, 3));
        form.focusField(g->value(0, 0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), g->eBlizko);
        form.pressBack();
    });
    m.AddRecord();
    QVERIFY(f.ui.verifyNoSurprises());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestVoucherForm::frequentVoucher() {
    VoucherFormFixture f;
    TfPoukazvd& m = f.vouchers();
    m.setBatchContext(VoucherFormFixture::batch());
    // F5 opens the frequent vouchers; leaving the list without a pick changes nothing.
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        QTest::keyClick(form.lines[2].count, Qt::Key_F5);
        QVERIFY(form.lines[2].code->text().isEmpty());
        form.pressBack();
    });
    f.ui.queueDialog(CloseList);
    m.AddRecord();
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());

    // A picked one: its lines, "0" left out, focus on the prescription date.
    QVERIFY(f.addRow(module::kCispou,
                     {{"KOD", "1"}, {"POPIS", "Okuliare a šošovky"}, {"KODOP1", "10001"},
                      {"POCET1", "2"}, {"SUMAPOI1", "11"}, {"SUMAPAC1", "0"}, {"KODOP2", "00001"},
                      {"POCET2", "1"}, {"SUMAPOI2", "10"}, {"SUMAPAC2", "1,5"}}));
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoukazvd>(d);
        Type(form, {"RODCIS=800101/1007"}); // left on the way to the date
        QTest::keyClick(form.lines[0].code, Qt::Key_F5);
        QCOMPARE(form.lines[0].code->text(), QString("10001"));
        QCOMPARE(form.lines[0].name->text(), QString("Šošovka"));
        QCOMPARE(form.lines[0].count->text(), QString("2"));
        QCOMPARE(form.lines[0].insurer->text(), QString("11"));
        QCOMPARE(form.lines[0].patient->text(), QString());
        QCOMPARE(form.lines[1].patient->text(), QString("1,5"));
        QVERIFY(form.lines[2].code->text().isEmpty());
        QCOMPARE(form.eSpoluPoi->text(), QString("21"));
        QCOMPARE(QApplication::focusWidget(), form.eDatum);
        form.pressBack();
    });
    f.ui.queueDialog(PickFromList);
    m.AddRecord();
    QVERIFY(f.ui.verifyNoSurprises());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestVoucherForm::clientCodes() {
    VoucherFormFixture f;
    // A client without any key, as an old import may have left one.
    QVERIFY(f.addRow(module::kKlient, {{"KOD", "3"}, {"RODCIS", ""}, {"STATPOI", ""}, {"ICPOI", ""},
                                       {"POHLPOI", ""}, {"PRIEZVISK", "Bezmenný"}}));
    const QList<QList<QPair<QString, QString>>> vouchers = {
        // linked: the client with the same four fields
        {{"KOD", "1"}, {"RODCIS", "800101/1007"}},
        // not linked: an empty birth number names nobody
        {{"KOD", "2"}, {"RODCIS", ""}, {"STATPOI", "AT"}, {"ICPOI", "X123"}, {"POHLPOI", "M"},
         {"KODKLIENT", "0"}},
        {{"KOD", "3"}, {"RODCIS", ""}},
        // not linked: the same birth number of somebody insured abroad is somebody else
        {{"KOD", "4"}, {"RODCIS", "800101/1007"}, {"STATPOI", "AT"}, {"ICPOI", "Z"}},
        // kept: already linked
        {{"KOD", "5"}, {"RODCIS", "800101/1007"}, {"KODKLIENT", "9"}},
    };
    for (const auto& v : vouchers)
        QVERIFY(f.addRow(module::kPoukazv, v));
    TfPoukazvd& m = f.vouchers();
    QVERIFY(m.table().setOrder("PRIEZVISK"));
    QVERIFY(FindByKey(m.table(), "KOD", 4));
    f.ui.queueAnswer(1);
    m.SetClientCodes(nullptr);
    QCOMPARE(f.ui.questions, QStringList{"Mám naozaj nastaviť kódy klientov?"});
    const QList<RecordedNotice> done = f.ui.takeNotices();
    QCOMPARE(TextsOf(done),
             QStringList{"Nstavenie kódov klientov ukončené. Nastavili sme: 1 kódov."});
    QCOMPARE(done[0].title, QString("Oznam"));
    // The list's order and record as they were.
    QCOMPARE(m.table().order(), QString("PRIEZVISK"));
    QCOMPARE(m.table().field("KOD").asInteger(), 4);
    const QList<double> expected{1, 0, 0, 0, 9};
    for (int code = 1; code <= 5; ++code) {
        QVERIFY(FindByKey(m.table(), "KOD", code));
        QCOMPARE(m.table().field("KODKLIENT").asFloat(), expected[code - 1]);
    }
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestVoucherForm)
#include "test_voucherform.moc"
