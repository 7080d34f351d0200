#include "testmain.h"
#include "vouchersfixture.h"

#include <QProcess>
#include <QPushButton>
#include <csignal>

using namespace vidoraw;
using namespace vidoraw::test;

// The checks on OK of the voucher code lists, in their order, with their messages; what the
// forms save; removing the hellers.
class TestVoucherForms : public QObject {
    Q_OBJECT
private slots:
    void checksFailInOrder_data();
    void checksFailInOrder();
    void leavingAField_data();
    void leavingAField();
    void vatRateInForce_data();
    void vatRateInForce();
    void emptyIcoQuestion_data();
    void emptyIcoQuestion();
    void acceptedSaves();
    void removeHellers_data();
    void removeHellers();
    void removeHellersUnderForeignLock();
};

namespace {

// What each form gets typed before a row's own values: enough for every check to pass.
QStringList Baseline(int module) {
    switch (module) {
    case module::kOptpom:
        return {"KODPOM=12345", "CENAMF=1", "CENAPOI=1", "CENA=1", "DPH=23"};
    case module::kPoist:
        return {"CPOI=27", "ICO=12345678", "DIC=", "PSC=", "STAT=Slovenská republika", "ODPOPOI="};
    case module::kLekar:
        return {"KODPOI=25", "KODP=", "KODNEW=123456789", "KODPZSNEW=123456789012", "PSC=",
                "STAT=Slovenská republika"};
    case module::kZmluva:
        return {"KODPOI=25", "PLATNOST=1.1.2024", "CISZML=Z-2"};
    case module::kDg:
        return {"KODD=H10"};
    }
    return {};
}

void Type(TfDbForm& form, const QStringList& assignments) {
    for (const QString& assignment : assignments) {
        QLineEdit* e = Edit(form, assignment.section('=', 0, 0));
        QVERIFY2(e, qPrintable(assignment));
        e->setText(assignment.section('=', 1));
    }
}

} // namespace

void TestVoucherForms::checksFailInOrder_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<bool>("edit");         // edit the record with code 1 instead of adding
    QTest::addColumn<QStringList>("typed"); // FIELD=value over the baseline
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("shown"); // the refused field's text afterwards, when it matters

    const QString error = "Chyba";
    const QString valueError = "Chyba !";
    const QString aidLength = "Kód pomôcky musí mať 5 číslic!";
    const QString aidDigits = "Kód pomôcky musí byť tvorený číslicami, t.j. znakmi 0-9 !";
    const QString aidTaken = "Duplicitný kód pomôcky!";
    const QString badDecimal = " Nesprávne desatinné číslo! ";
    QTest::newRow("aid code empty") << 13 << false << QStringList{"KODPOM=  "} << aidLength
                                    << error << "KODPOM" << "";
    QTest::newRow("aid code with a letter") << 13 << false << QStringList{"KODPOM=12a45"}
                                            << aidDigits << error << "KODPOM" << "12a45";
    QTest::newRow("aid code of three digits")
        << 13 << false << QStringList{"KODPOM=123"} << aidLength << error << "KODPOM" << "123";
    QTest::newRow("aid code taken") << 13 << false << QStringList{"KODPOM=10001"} << aidTaken
                                    << error << "KODPOM" << "10001";
    QTest::newRow("leading zeros accepted, taken")
        << 13 << false << QStringList{"KODPOM=00001"} << aidTaken << error << "KODPOM" << "00001";
    QTest::newRow("another aid's code when editing")
        << 13 << true << QStringList{"KODPOM=10001"} << aidTaken << error << "KODPOM" << "";
    QTest::newRow("MF price not a number") << 13 << false << QStringList{"CENAMF=12,5x", "CENA=x"}
                                           << badDecimal << valueError << "CENAMF" << "";
    QTest::newRow("insurer price empty") << 13 << false << QStringList{"CENAPOI= "} << badDecimal
                                         << valueError << "CENAPOI" << "";
    QTest::newRow("price with two separators")
        << 13 << false << QStringList{"CENA=1.234,50"} << badDecimal << valueError << "CENA"
        << "1,234,50";
    QTest::newRow("VAT rate with decimals") << 13 << false << QStringList{"DPH=6.5"}
                                            << " Nesprávne celé číslo! " << valueError << "DPH"
                                            << "6,5";
    QTest::newRow("VAT rate not in force")
        << 13 << false << QStringList{"DPH=20"}
        << "Neprípustná hodnota dane. Použite jednu z nasledovných možností: 0, 6, 23!" << error
        << "DPH" << "";

    QTest::newRow("insurer code empty") << 11 << false << QStringList{"CPOI= ", "ICO=x"}
                                        << "Kód poisťovne nesmie byť prázdny!" << error << "CPOI"
                                        << "";
    QTest::newRow("insurer code with a letter") << 11 << false << QStringList{"CPOI=2a"}
                                                << "Kód poisťovne môže obsahovať znaky 0-9 !"
                                                << error << "CPOI" << "";
    const QString insurerLength = "Kód poisťovne môže byť dvojmiestny alebo štvormiestny !";
    QTest::newRow("insurer code of three digits") << 11 << false << QStringList{"CPOI=123"}
                                                  << insurerLength << error << "CPOI" << "";
    QTest::newRow("insurer code of one digit") << 11 << false << QStringList{"CPOI=7"}
                                               << insurerLength << error << "CPOI" << "";
    QTest::newRow("insurer code taken") << 11 << false << QStringList{"CPOI= 25"}
                                        << "Duplicitný kód poisťovne!" << error << "CPOI" << "25";
    QTest::newRow("another insurer's code when editing")
        << 11 << true << QStringList{"CPOI=2400"} << "Duplicitný kód poisťovne!" << error << "CPOI"
        << "";
    QTest::newRow("IČO with a letter") << 11 << false << QStringList{"ICO=1234567a", "DIC=x"}
                                       << "IČO môže obsahovať iba znaky 0-9!" << error << "ICO"
                                       << "";
    QTest::newRow("DIČ with letters") << 11 << false << QStringList{"DIC=SK2020"}
                                      << "DIČO môže obsahovať iba znaky 0-9!" << error << "DIC"
                                      << "";
    QTest::newRow("corresponding code with a letter")
        << 11 << false << QStringList{"ODPOPOI=2x"}
        << "Odpovedajúci kód poisťovne môže obsahovať znaky 0-9 !" << error << "ODPOPOI" << "";
    QTest::newRow("corresponding code of one digit")
        << 11 << false << QStringList{"ODPOPOI= 7"}
        << "Odpovedajúci kód poisťovne môže byť dvojmiestny !" << error << "ODPOPOI" << "7";

    QTest::newRow("old doctor code half typed")
        << 14 << false << QStringList{"KODP=12345", "KODNEW=1"}
        << "Starý kód lekára musí byť vyplnený úplne!" << error << "KODP" << "";
    QTest::newRow("new doctor code of eight characters")
        << 14 << false << QStringList{"KODNEW=12345678"} << "Nový kód lekára musí byť vyplnený úplne!"
        << error << "KODNEW" << "";
    QTest::newRow("new doctor code short once trimmed")
        << 14 << false << QStringList{"KODNEW= 1234567 "}
        << "Nový kód lekára musí byť vyplnený úplne!" << error << "KODNEW" << "1234567";
    QTest::newRow("doctor's provider code short")
        << 14 << false << QStringList{"KODPZSNEW=12345678901"}
        << "Kód PZS lekára musí byť vyplnený úplne!" << error << "KODPZSNEW" << "";

    const QString badDate = "Nesprávny dátum !";
    QTest::newRow("validity empty") << 10 << false << QStringList{"PLATNOST=", "CISZML="} << badDate
                                    << error << "PLATNOST" << "";
    QTest::newRow("validity 31 April") << 10 << false << QStringList{"PLATNOST=31.4.2024"}
                                       << badDate << error << "PLATNOST" << "";
    QTest::newRow("validity 29 February of a common year")
        << 10 << false << QStringList{"PLATNOST= 29/2/2023 "} << badDate << error << "PLATNOST"
        << "29.2.2023";
    QTest::newRow("validity with a two-digit year") << 10 << false << QStringList{"PLATNOST=1.2.24"}
                                                    << badDate << error << "PLATNOST" << "";
    QTest::newRow("contract number empty") << 10 << false << QStringList{"CISZML=  "}
                                           << "Čislo zmluvy nesmie byť prázdne!" << error
                                           << "CISZML" << "";

    QTest::newRow("diagnosis code empty") << 9 << false << QStringList{"KODD= "}
                                          << "Kód diagnózy nesmie byť prázdny!" << error << "KODD"
                                          << "";
    QTest::newRow("diagnosis code taken, in small letters")
        << 9 << false << QStringList{"KODD=h52 "} << "Duplicitný kód diagnózy!" << error << "KODD"
        << "H52";
}

void TestVoucherForms::checksFailInOrder() {
    QFETCH(int, module);
    QFETCH(bool, edit);
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    QFETCH(QString, shown);
    VouchersFixture f;
    f.seed();
    auto* m = dynamic_cast<TfDbForm*>(f.app.registry.module(module));
    QVERIFY(m && m->OpenTable());
    QVERIFY(FindByKey(m->table(), "KOD", 1));
    const int before = m->table().recordCount();
    f.ui.queueAnswer(1); // leaving with Späť afterwards
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        Type(form, Baseline(module));
        Type(form, typed);
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), Edit(form, focus));
        QCOMPARE(Edit(form, focus)->palette().color(QPalette::Base), f.app.colours.incorrect);
        if (!shown.isEmpty())
            QCOMPARE(Edit(form, focus)->text(), shown);
        form.pressBack();
    });
    QCOMPARE(edit ? m->EditRecord() : m->AddRecord(), 0);
    const QList<RecordedNotice> notices = f.ui.takeNotices();
    QCOMPARE(TextsOf(notices), QStringList{message});
    QCOMPARE(notices[0].title, title);
    QCOMPARE(m->table().recordCount(), before);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherForms::leavingAField_data() {
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");   // the field's text once left
    QTest::addColumn<QString>("message"); // empty: passed
    QTest::addColumn<bool>("focusStays");
    // Only the diagnosis code keeps the focus; the other fields are painted.
    QTest::newRow("diagnosis code empty") << 9 << "KODD" << " " << "" << "Kód diagnózy nesmie byť prázdny!"
                                          << true;
    QTest::newRow("diagnosis code in capitals") << 9 << "KODD" << "h52" << "H52" << "" << false;
    QTest::newRow("aid code short") << 13 << "KODPOM" << " 77" << "77"
                                    << "Kód pomôcky musí mať 5 číslic!" << false;
    QTest::newRow("aid code with a blank") << 13 << "KODPOM" << "7 7 7" << "7 7 7"
                                           << "Kód pomôcky musí byť tvorený číslicami, t.j. znakmi 0-9 !"
                                           << false;
    QTest::newRow("price with a point") << 13 << "CENAMF" << "1.5" << "1,5" << "" << false;
    QTest::newRow("insurer code of three digits")
        << 11 << "CPOI" << "123" << "123" << "Kód poisťovne môže byť dvojmiestny alebo štvormiestny !"
        << false;
}

void TestVoucherForms::leavingAField() {
    QFETCH(int, module);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    QFETCH(bool, focusStays);
    VouchersFixture f;
    auto* m = dynamic_cast<TfDbForm*>(f.app.registry.module(module));
    QVERIFY(m && m->OpenTable());
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        Type(form, Baseline(module)); // what the focus passes on its way is fine
        QLineEdit* e = Edit(form, field);
        form.focusField(e);
        e->setText(typed);
        QTest::keyClick(e, Qt::Key_Return);
        QCOMPARE(e->text(), shown);
        QCOMPARE(QApplication::focusWidget() == e, focusStays);
        QCOMPARE(e->palette().color(QPalette::Base),
                 message.isEmpty() ? f.app.colours.normal : f.app.colours.incorrect);
        QTest::mouseClick(form.bbSpat, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    });
    m->AddRecord();
    QCOMPARE(f.ui.takeNoticeTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherForms::vatRateInForce_data() {
    QTest::addColumn<QList<int>>("rates");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted
    const QList<int> standard{0, 6, 23};
    const QList<int> other{0, 10, 20};
    QTest::newRow("23 in force") << standard << " 23" << "";
    QTest::newRow("0 in force") << standard << "0" << "";
    QTest::newRow("20 not in force")
        << standard << "20"
        << "Neprípustná hodnota dane. Použite jednu z nasledovných možností: 0, 6, 23!";
    QTest::newRow("20 in force elsewhere") << other << "20" << "";
    QTest::newRow("23 no longer in force")
        << other << "23"
        << "Neprípustná hodnota dane. Použite jednu z nasledovných možností: 0, 10, 20!";
    QTest::newRow("empty") << standard << "" << " Nesprávne celé číslo! ";
}

void TestVoucherForms::vatRateInForce() {
    QFETCH(QList<int>, rates);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    VouchersFixture f;
    f.app.vatRates = {rates[0], rates[1], rates[2]};
    auto& m = f.module<TfOptpomd>(13);
    if (!message.isEmpty())
        f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfOptpomd>(d);
        Type(form, Baseline(13));
        form.eDph->setText(typed);
        form.pressOk();
        if (!message.isEmpty()) {
            QVERIFY(form.isVisible());
            QCOMPARE(QApplication::focusWidget(), form.eDph);
            form.pressBack();
        }
    });
    QCOMPARE(m.AddRecord(), message.isEmpty() ? 1 : 0);
    QCOMPARE(f.ui.takeNoticeTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (message.isEmpty())
        QCOMPARE(m.table().field("DPH").asInteger(), typed.trimmed().toLongLong());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherForms::emptyIcoQuestion_data() {
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("leaveFirst"); // the user leaves the empty IČO before OK
    QTest::addColumn<int>("asked");
    QTest::addColumn<bool>("saved");
    QTest::newRow("yes on OK") << QList<int>{1} << false << 1 << true;
    QTest::newRow("no on OK") << QList<int>{0} << false << 1 << false;
    QTest::newRow("yes when leaving, not asked again") << QList<int>{1} << true << 1 << true;
    QTest::newRow("no when leaving, yes on OK") << QList<int>{0, 1} << true << 2 << true;
}

void TestVoucherForms::emptyIcoQuestion() {
    QFETCH(QList<int>, answers);
    QFETCH(bool, leaveFirst);
    QFETCH(int, asked);
    QFETCH(bool, saved);
    VouchersFixture f;
    f.seed();
    auto& m = f.module<TfPoistovd>(11);
    for (int a : answers)
        f.ui.queueAnswer(a);
    if (!saved)
        f.ui.queueAnswer(1); // Späť
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfPoistovd>(d);
        Type(form, Baseline(11));
        form.eIco->setText(" ");
        if (leaveFirst) {
            form.focusField(form.eIco);
            QTest::keyClick(form.eIco, Qt::Key_Return);
            QCOMPARE(form.eIco->palette().color(QPalette::Base),
                     answers[0] == 1 ? f.app.colours.normal : f.app.colours.incorrect);
        }
        form.pressOk();
        QCOMPARE(form.isVisible(), !saved);
        if (!saved) {
            QCOMPARE(QApplication::focusWidget(), form.eIco);
            form.pressBack();
        }
    });
    QCOMPARE(m.AddRecord(), saved ? 1 : 0);
    const QString question = "IČO by nemalo byť prázdne, mám aj napriek tomu pokračovať?";
    QCOMPARE(f.ui.questions.count(question), asked);
    QCOMPARE(FindByKey(m.table(), "CPOI", "27"), saved);
    if (saved)
        QCOMPARE(m.table().field("ICO").asString(), QString());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherForms::acceptedSaves() {
    VouchersFixture f;
    f.seed();

    // An aid: a price reads the same with "." or ",".
    auto& aids = f.module<TfOptpomd>(13);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfOptpomd>(d);
        QCOMPARE(QApplication::focusWidget(), form.eKodpom);
        form.eKodpom->setText("00123");
        form.eNazov->setText("Rám");
        form.eCenamf->setText("12.5");
        form.eCenapoi->setText("12,5");
        form.eCena->setText(" 199.90 ");
        form.eDph->setText("6");
        form.pressOk();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.eCenamf->text(), QString("12,5"));
    });
    QCOMPARE(aids.AddRecord(), 1);
    QVERIFY(FindByKey(aids.table(), "KODPOM", "00123"));
    QCOMPARE(aids.table().field("KOD").asInteger(), 3);
    QCOMPARE(aids.table().field("CENAMF").asFloat(), 12.5);
    QCOMPARE(aids.table().field("CENAPOI").asFloat(), 12.5);
    QCOMPARE(aids.table().field("CENA").asFloat(), 199.9);
    QCOMPARE(aids.table().field("DPH").asInteger(), 6);
    // The edited aid keeps its own code.
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfOptpomd>(d);
        QCOMPARE(form.eCena->text(), QString("199,9"));
        form.eNazov->setText("Rám kovový");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(aids.EditRecord(), 1);
    QCOMPARE(aids.table().field("NAZOV").asString(), QString("Rám kovový"));

    // An insurer of four digits; the corresponding insurer of two.
    auto& insurers = f.module<TfPoistovd>(11);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfPoistovd>(d);
        QCOMPARE(QApplication::focusWidget(), form.eCpoi);
        Type(form, Baseline(11));
        form.eCpoi->setText("2700");
        form.eOdpopoi->setText("27");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(insurers.AddRecord(), 1);
    QVERIFY(FindByKey(insurers.table(), "CPOI", "2700"));
    QCOMPARE(insurers.table().field("ODPOPOI").asString(), QString("27"));

    // A doctor without an old code, then with a whole one.
    auto& doctors = f.module<TfLekard>(14);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfLekard>(d);
        QCOMPARE(QApplication::focusWidget(), form.eMeno);
        Type(form, Baseline(14));
        form.ePriezvisk->setText("Nový");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(doctors.AddRecord(), 1);
    QVERIFY(FindByKey(doctors.table(), "PRIEZVISK", "Nový"));
    QCOMPARE(doctors.table().field("KODP").asString(), QString());
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfLekard>(d);
        form.eKodp->setText("123456789");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(doctors.EditRecord(), 1);
    QCOMPARE(doctors.table().field("KODP").asString(), QString("1234-56-789"));

    // A contract: any of the separators, the insurer's IČO copied in.
    auto& contracts = f.module<TfZmluvad>(10);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfZmluvad>(d);
        QCOMPARE(QApplication::focusWidget(), form.eKodpoi);
        QVERIFY(form.eIcopoi->isReadOnly());
        form.eKodpoi->setText("2400");
        form.ePlatnost->setText(" 1-7/2024");
        form.eCiszml->setText(" 77/2024 ");
        form.pressOk();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.ePlatnost->text(), QString("1.7.2024"));
    });
    QCOMPARE(contracts.AddRecord(), 1);
    QVERIFY(FindByKey(contracts.table(), "CISZML", "77/2024"));
    QCOMPARE(contracts.table().field("PLATNOST").asDate(), QDate(2024, 7, 1));
    QCOMPARE(contracts.table().field("ICOPOI").asString(), QString("35942436"));
    QCOMPARE(contracts.table().field("KODPOI").asString(), QString("2400"));

    // A diagnosis in capitals with its length.
    auto& diagnoses = f.module<TfDgd>(9);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfDgd>(d);
        form.eKodd->setText(" h5 ");
        form.eNazov->setText("Iná");
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(diagnoses.AddRecord(), 1);
    QVERIFY(FindByKey(diagnoses.table(), "KODD", "H5"));
    QCOMPARE(diagnoses.table().field("DLZKA").asInteger(), 2);

    // A provider: nothing is checked, an empty form saves.
    auto& providers = f.module<TfPzsd>(39);
    f.ui.queueDialog([](QDialog& d) {
        auto& form = As<TfPzsd>(d);
        QCOMPARE(QApplication::focusWidget(), form.eIco);
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(providers.AddRecord(), 1);
    QCOMPARE(providers.table().recordCount(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherForms::removeHellers_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << 1;
    QTest::newRow("no") << 0;
}

void TestVoucherForms::removeHellers() {
    QFETCH(int, answer);
    VouchersFixture f;
    auto& m = f.module<TfOptpomd>(13);
    f.addRow(13, {{"KOD", "1"}, {"KODPOM", "00001"}, {"NAZOV", "C"}, {"CENA", "199,90"},
                  {"CENAPOI", "199,90"}, {"CENAMF", "150,45"}});
    f.addRow(13, {{"KOD", "2"}, {"KODPOM", "00002"}, {"NAZOV", "A"}, {"CENA", "-12,5"}});
    f.addRow(13, {{"KOD", "3"}, {"KODPOM", "00003"}, {"NAZOV", "B"}});
    f.addRow(13, {{"KOD", "4"}, {"KODPOM", "00004"}, {"NAZOV", "D"}, {"CENA", "40"}});
    Table& t = m.table();
    TfBrowse browser(f.app);
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        b.selectOrder(2); // by name
        QVERIFY(FindByKey(t, "NAZOV", "B"));
        b.syncGridToTable();
        QList<QAction*> commands = m.otherCommands(&b, &b);
        QAction* hellers = nullptr;
        for (QAction* a : commands)
            if (a->text() == "Od&stráň haliere")
                hellers = a;
        QVERIFY(hellers && hellers->isEnabled());
        QCOMPARE(hellers->statusTip(), QString("Odstráni desatinnú časť z ceny pre poisťovne"));
        f.ui.queueAnswer(answer);
        hellers->trigger();
        // The list is back in its order, on its record.
        QCOMPARE(t.order().toUpper(), QString("NAZOV"));
        QCOMPARE(t.field("KOD").asInteger(), 3);
        QCOMPARE(b.grid->currentIndex().row(), 1);
        b.commandBack();
    });
    browser.Browse(13, TfBrowse::DefaultButtons(), false);
    QCOMPARE(f.ui.questions,
             QStringList{"Mám naozaj odstrániť desatinnú čast z ceny pre poisťovne?"});
    QCOMPARE(f.ui.takeNoticeTexts(),
             answer == 1 ? QStringList{"Operácia ukončená."} : QStringList());
    const QList<double> cut{199, -12, 0, 40};
    const QList<double> kept{199.9, -12.5, 0, 40};
    for (int code = 1; code <= 4; ++code) {
        QVERIFY(FindByKey(t, "KOD", code));
        QCOMPARE(t.field("CENA").asFloat(), (answer == 1 ? cut : kept)[code - 1]);
    }
    QVERIFY(FindByKey(t, "KOD", 1));
    QCOMPARE(t.field("CENAPOI").asFloat(), 199.9);
    QCOMPARE(t.field("CENAMF").asFloat(), 150.45);
    QVERIFY(FindByKey(t, "KOD", 3));
    QVERIFY(t.field("CENA").isNull()); // no price stays no price
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestVoucherForms::removeHellersUnderForeignLock() {
    VouchersFixture f;
    auto& m = f.module<TfOptpomd>(13);
    f.addRow(13, {{"KOD", "1"}, {"KODPOM", "00001"}, {"CENA", "199,90"}});
    f.addRow(13, {{"KOD", "2"}, {"KODPOM", "00002"}, {"CENA", "5,50"}});
    // Another workstation holds the write lock of the data.
    QString error;
    QVERIFY(f.db->createTable("OSOBY.DB", {{"KOD", 'N', 0}, {"PRIEZ", 'A', 20}},
                              {IndexDef::Primary({"KOD"})}, &error));
    f.db->setLockTimeout(300);
    QProcess other;
    other.start(QStringLiteral(ENGINE_WORKER), {"hold", f.dataDir.path()});
    QVERIFY(other.waitForReadyRead(20000));
    QVERIFY(other.readAll().contains("HOLDING"));
    f.ui.queueAnswer(1);
    m.RemoveHellers(nullptr);
    ::kill(pid_t(other.processId()), SIGKILL);
    other.waitForFinished(20000);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown), QStringList{TfDbForm::saveErrorText()});
    QCOMPARE(shown[0].title, QString("Chyba!"));
    // Nothing was cut, and the next try cuts everything.
    m.table().refresh();
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    QCOMPARE(m.table().field("CENA").asFloat(), 199.9);
    f.ui.queueAnswer(1);
    m.RemoveHellers(nullptr);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Operácia ukončená."});
    for (const auto& [code, price] : {std::pair{1, 199.0}, std::pair{2, 5.0}}) {
        QVERIFY(FindByKey(m.table(), "KOD", code));
        QCOMPARE(m.table().field("CENA").asFloat(), price);
    }
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestVoucherForms)
#include "test_voucherforms.moc"
