#include "invoicingfixture.h"
#include "core/values.h"
#include "invoicing/vlastnostm.h"
#include "testmain.h"

#include <QCheckBox>

using namespace vidoraw;
using namespace vidoraw::test;

// "Parametre fakturácie" over the owner record: what it shows, its checks in order, what it
// writes, and the menu command that opens it.
class TestInvoicingParameters : public QObject {
    Q_OBJECT
private slots:
    void showsTheOwnersValues();
    void checksInOrder_data();
    void checksInOrder();
    void rateLimits_data();
    void rateLimits();
    void unknownCodeClearsItsName();
    void vatTotalsOnlyForPayers_data();
    void vatTotalsOnlyForPayers();
    void commandReloadsTheFlag();
};

namespace {

// A constant symbol and an account for the parameters to refer to.
void Seed(InvoicingFixture& f) {
    QVERIFY(f.addRow(38, {{"KOD", "1"}, {"KODKS", "0308"}, {"NAZOV", "Tovar"}}));
    QVERIFY(f.addRow(29, {{"KOD", "1"}, {"NAZOV", "VÚB"}, {"UCET", "VUB1"},
                          {"CISUCET", "1234567890"}, {"KODBAN", "0200"}, {"PBN", "B"}}));
}

QHash<QString, QLineEdit*> Edits(TfVlastnostm& d) {
    return {{"KS", d.eKs},           {"SPLAT", d.eSplat},   {"UCET", d.eUcet},
            {"KODD", d.eKodd},       {"KODU", d.eKodu},     {"DOLNYOKRAJ", d.eDolnyokraj},
            {"PDM", d.ePdm},         {"PDMZ", d.ePdmz},     {"POSUNXF", d.ePosunxf},
            {"POSUNYF", d.ePosunyf}, {"KODZAOK", d.eKodzaok}, {"MENA", d.eMena},
            {"DMENA", d.eDmena},     {"KURZ", d.eKurz}};
}

// Every field valid, then the given changes (FIELD=value).
void Type(TfVlastnostm& d, const QStringList& changes) {
    const QHash<QString, QLineEdit*> edits = Edits(d);
    const QStringList valid{"KS=0308",     "SPLAT=14",  "UCET=VUB1",    "KODD=1",
                            "KODU=2",      "DOLNYOKRAJ=10", "PDM=2",    "PDMZ=2",
                            "POSUNXF=5",   "POSUNYF=5", "KODZAOK=3",    "MENA=Sk",
                            "DMENA=USD",   "KURZ=30,1234"};
    for (const QString& a : valid + changes)
        edits.value(a.section('=', 0, 0))->setText(a.section('=', 1));
}

} // namespace

void TestInvoicingParameters::showsTheOwnersValues() {
    InvoicingFixture f;
    Seed(f);
    QVERIFY(WriteOwnerFields(f.app, {{"KS", "0308"}, {"UCET", "VUB1"}, {"KODD", "3"},
                                     {"KODU", "2"}, {"SPLAT", 14}, {"ZOBRAZDM", "A"}}));
    f.ui.queueDialog([](QDialog& dialog) {
        auto& d = As<TfVlastnostm>(dialog);
        QCOMPARE(d.windowTitle(), QString("Parametre fakturácie"));
        QCOMPARE(d.eKsNazov->text(), QString("Tovar"));
        QCOMPARE(d.eCisucet->text(), QString("1234567890"));
        QCOMPARE(d.eDoprava->text(), QString("Vlastné náklady"));
        QCOMPARE(d.eUhrada->text(), QString("Hotovosť"));
        QCOMPARE(d.eSplat->text(), QString("14"));
        // The defaults of a new owner record.
        QCOMPARE(d.eKodzaok->text(), QString("2"));
        QCOMPARE(d.eZaokruh->text(), QString("Na desaťhalierniky"));
        QCOMPARE(d.eMena->text(), QString("Sk"));
        QCOMPARE(d.eMenaNazov->text(), QString("Slovenská koruna"));
        QCOMPARE(d.eDmena->text(), QString("EUR"));
        QCOMPARE(d.eDmenaNazov->text(), QString());
        QCOMPARE(d.eKurz->text(), QString("30,1234"));
        QCOMPARE(d.ePosunxf->text(), QString("5"));
        QVERIFY(!d.cbAjsdph->isChecked());
        QVERIFY(d.cbZobrazdm->isChecked());
        for (QLineEdit* name : {d.eKsNazov, d.eCisucet, d.eDoprava, d.eUhrada, d.eZaokruh,
                                d.eMenaNazov, d.eDmenaNazov})
            QVERIFY(name->isReadOnly());
    });
    QCOMPARE(EditInvoicingParameters(f.app, nullptr), 0);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestInvoicingParameters::checksInOrder_data() {
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");
    const QString whole = " Nesprávne celé číslo! ";
    const QString decimal = " Nesprávne desatinné číslo! ";
    const QString rate = "Prípustná hodnota pre kurz : 0,0001 - 10000 !";
    const QString decimals = "Prípustná hodnota pre počet desatinných miest je : 0 - 5 !";
    QTest::newRow("rate not a number") << QStringList{"KURZ=3O"} << decimal << "Chyba !" << "KURZ";
    QTest::newRow("rate zero") << QStringList{"KURZ=0"} << rate << "Chyba" << "KURZ";
    QTest::newRow("rate before due days")
        << QStringList{"SPLAT=x", "KURZ=20000"} << rate << "Chyba" << "KURZ";
    QTest::newRow("due days not whole") << QStringList{"SPLAT=14,5"} << whole << "Chyba !"
                                        << "SPLAT";
    QTest::newRow("bottom margin too large")
        << QStringList{"DOLNYOKRAJ=31"} << "Prípustná hodnota pre dolný okraj je : 0 - 30 mm!"
        << "Chyba" << "DOLNYOKRAJ";
    QTest::newRow("bottom margin not whole") << QStringList{"DOLNYOKRAJ=1,5"} << whole
                                             << "Chyba !" << "DOLNYOKRAJ";
    QTest::newRow("shift y") << QStringList{"POSUNYF=x", "PDM=9"} << decimal << "Chyba !"
                             << "POSUNYF";
    QTest::newRow("decimals rounded") << QStringList{"PDM=6", "PDMZ=7"} << decimals << "Chyba"
                                      << "PDM";
    QTest::newRow("decimals shown") << QStringList{"PDMZ=7"} << decimals << "Chyba" << "PDMZ";
}

void TestInvoicingParameters::checksInOrder() {
    QFETCH(QStringList, changes);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    InvoicingFixture f;
    Seed(f);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& dialog) {
        auto& d = As<TfVlastnostm>(dialog);
        Type(d, changes);
        d.pressOk();
        QVERIFY(d.isVisible());
        QCOMPARE(QApplication::focusWidget(), Edits(d).value(focus));
        QCOMPARE(Edits(d).value(focus)->palette().color(QPalette::Base), f.app.colours.incorrect);
        d.pressBack();
    });
    QCOMPARE(EditInvoicingParameters(f.app, nullptr), 0);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown), QStringList{message});
    QCOMPARE(shown[0].title, title);
    QCOMPARE(OwnerField(f.app, "KS"), QString()); // nothing written
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestInvoicingParameters::rateLimits_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("stored");
    QTest::newRow("0,00009") << "0,00009" << false << 0.0;
    QTest::newRow("0,0001") << "0,0001" << true << 0.0001;
    QTest::newRow("0.0001 with a point") << "0.0001" << true << 0.0001;
    QTest::newRow("10000") << "10000" << true << 10000.0;
    QTest::newRow("10000,0001") << "10000,0001" << false << 0.0;
}

// Accepted, every field is written at once, the check boxes as A or N.
void TestInvoicingParameters::rateLimits() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(double, stored);
    InvoicingFixture f;
    Seed(f);
    f.app.vatPayer = "A";
    if (!accepted)
        f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& dialog) {
        auto& d = As<TfVlastnostm>(dialog);
        Type(d, {"KURZ=" + typed});
        d.cbAjsdph->setChecked(true);
        d.cbZobrazdm->setChecked(false);
        d.pressOk();
        QCOMPARE(d.isVisible(), !accepted);
        if (!accepted)
            d.pressBack();
    });
    QCOMPARE(EditInvoicingParameters(f.app, nullptr), accepted ? 1 : 0);
    if (!accepted) {
        QCOMPARE(f.ui.takeNoticeTexts(),
                 QStringList{"Prípustná hodnota pre kurz : 0,0001 - 10000 !"});
        QCOMPARE(OwnerField(f.app, "KURZ"), QString("30,1234"));
        return;
    }
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    double rate = 0;
    QVERIFY(DecimalFromText(OwnerField(f.app, "KURZ"), rate));
    QCOMPARE(rate, stored);
    const QStringList fields{"KS", "SPLAT", "UCET", "KODD", "KODU", "DOLNYOKRAJ", "PDM", "PDMZ",
                             "AJSDPH", "POSUNXF", "POSUNYF", "KODZAOK", "MENA", "DMENA",
                             "ZOBRAZDM"};
    QStringList written;
    for (const QString& name : fields)
        written << OwnerField(f.app, name);
    QCOMPARE(written, QStringList({"0308", "14", "VUB1", "1", "2", "10", "2", "2", "A", "5", "5",
                                   "3", "Sk", "USD", "N"}));
}

// An unknown code opens its list; left without a pick, the name beside the code is cleared and
// the code keeps the cursor.
void TestInvoicingParameters::unknownCodeClearsItsName() {
    InvoicingFixture f;
    Seed(f);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& dialog) {
        auto& d = As<TfVlastnostm>(dialog);
        Type(d, {"DMENA=EUR", "KURZ=0"});
        d.eDmenaNazov->setText("zostalo z minula");
        d.pressOk();
        QVERIFY(d.isVisible());
        QCOMPARE(d.focusWidget(), d.eDmena);
        QCOMPARE(d.eDmenaNazov->text(), QString());
        d.pressBack();
    });
    f.ui.queueDialog([](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam peňažných mien"));
        b.commandBack();
    });
    QCOMPARE(EditInvoicingParameters(f.app, nullptr), 0);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList()); // the rate is not reached
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestInvoicingParameters::vatTotalsOnlyForPayers_data() {
    QTest::addColumn<QString>("payer");
    QTest::addColumn<bool>("shown");
    QTest::newRow("payer") << "A" << true;
    QTest::newRow("not a payer") << "N" << false;
}

// Hidden from a non-payer, the flag keeps its value.
void TestInvoicingParameters::vatTotalsOnlyForPayers() {
    QFETCH(QString, payer);
    QFETCH(bool, shown);
    InvoicingFixture f;
    Seed(f);
    QVERIFY(WriteOwnerFields(f.app, {{"AJSDPH", "A"}}));
    f.app.vatPayer = payer;
    f.ui.queueDialog([&](QDialog& dialog) {
        auto& d = As<TfVlastnostm>(dialog);
        QCOMPARE(d.cbAjsdph->isVisible(), shown);
        QVERIFY(d.cbAjsdph->isChecked());
        Type(d, {});
        d.pressOk();
    });
    QCOMPARE(EditInvoicingParameters(f.app, nullptr), 1);
    QCOMPARE(OwnerField(f.app, "AJSDPH"), QString("A"));
}

void TestInvoicingParameters::commandReloadsTheFlag() {
    InvoicingFixture f;
    Seed(f);
    f.app.vatPayer = "A";
    QCOMPARE(f.app.ajsdph, QString("N"));
    QAction* command = f.program->mainWindow()->command("Faktúry/Číselníky/P&arametre");
    QVERIFY(command && command->isEnabled());
    f.ui.queueDialog([](QDialog& dialog) {
        auto& d = As<TfVlastnostm>(dialog);
        Type(d, {});
        d.cbAjsdph->setChecked(true);
        d.pressOk();
    });
    command->trigger();
    QCOMPARE(f.app.ajsdph, QString("A"));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestInvoicingParameters)
#include "test_invoicingparameters.moc"
