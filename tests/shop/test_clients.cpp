#include "shopfixture.h"
#include "testmain.h"

#include "core/base/codepage.h"
#include "shop/clientbirthnumbers.h"
#include "shop/klientd.h"
#include "shop/latestprescription.h"
#include "vouchers/eyedatagrid.h"

#include <QFile>

using namespace vidoraw;
using namespace vidoraw::test;

// Clients: the checks on OK in their order, the four-field key, the latest prescription, the
// duplicates file and the missing slash.
class TestClients : public QObject {
    Q_OBJECT
private slots:
    void checksOnOkInOrder_data();
    void checksOnOkInOrder();
    void addedWithoutSlash();
    void editAndCopyUnchanged();
    void latestPrescription_data();
    void latestPrescription();
    void prescriptionBlock();
    void duplicates();
    void missingSlash();
};

namespace {

QStringList ValidClient() {
    return {"RODCIS=750101/1001", "STATPOI=", "ICPOI=", "POHLPOI=", "KODPOI=25", "TITUL=",
            "MENO=Eva",           "PRIEZVISK=Malá", "OBEC=Bratislava", "PSC=81101"};
}

} // namespace

void TestClients::checksOnOkInOrder_data() {
    QTest::addColumn<QStringList>("typed"); // over a valid new client
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("message"); // empty: refused without one
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("lists"); // pick lists opened and closed

    const QList<int> none;
    const QString duplicate = "Duplictná štvorica Rodné číslo, Štát, IČ a pohlavie poistenca, "
                              "pokračovanie nie je možné!";
    // Each row spoils its field and a later one: the earlier is the one refused.
    QTest::newRow("birth number too short") << QStringList{"RODCIS=8001", "KODPOI=99"} << none
                                            << "Rodné číslo nie je správne!" << "RODCIS" << 0;
    QTest::newRow("doubtful birth number, not to go on")
        << QStringList{"RODCIS=7501011000", "KODPOI=99"} << QList<int>{0} << "" << "RODCIS" << 0;
    QTest::newRow("another client's birth number")
        << QStringList{"RODCIS=800101/1007", "KODPOI=99"} << none << duplicate << "RODCIS" << 0;
    QTest::newRow("another foreign client's key, no birth number tested")
        << QStringList{"RODCIS=", "STATPOI=AT", "ICPOI=X123", "POHLPOI=M"} << none << duplicate
        << "RODCIS" << 0;
    QTest::newRow("insurer unknown") << QStringList{"KODPOI=99", "TITUL=Doc."} << none << ""
                                     << "KODPOI" << 1;
    QTest::newRow("title unknown") << QStringList{"TITUL=Doc.", "PRIEZVISK="} << none << ""
                                   << "TITUL" << 1;
    QTest::newRow("first name empty, not to go on")
        << QStringList{"MENO= ", "PRIEZVISK="} << QList<int>{0} << "" << "MENO" << 0;
    QTest::newRow("surname empty") << QStringList{"PRIEZVISK=  ", "OBEC=Trnava"} << none
                                   << "Priezvisko nesmie byť prázdne!" << "PRIEZVISK" << 0;
    QTest::newRow("municipality unknown") << QStringList{"OBEC=Trnava"} << none << "" << "OBEC"
                                          << 1;
    QTest::newRow("postal code of the municipality without a post office")
        << QStringList{"OBEC=Košice", "PSC=04011"} << none << "" << "PSC" << 1;
}

void TestClients::checksOnOkInOrder() {
    QFETCH(QStringList, typed);
    QFETCH(QList<int>, answers);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(int, lists);
    ShopFixture f;
    f.seedClients();
    TfDbForm& m = f.module(module::kKlient);
    for (int a : answers)
        f.ui.queueAnswer(a);
    f.ui.queueAnswer(1); // Späť afterwards
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        Type(form, ValidClient());
        Type(form, typed);
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), Edit(form, focus));
        QCOMPARE(Edit(form, focus)->palette().color(QPalette::Base), f.app.colours.incorrect);
        form.pressBack();
    });
    for (int i = 0; i < lists; ++i)
        f.ui.queueDialog(CloseList);
    QCOMPARE(m.AddRecord(), 0);
    const QList<RecordedNotice> notices = f.ui.takeNotices();
    QCOMPARE(TextsOf(notices), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(notices[0].title, QString("Chyba"));
    QCOMPARE(m.table().recordCount(), 2);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestClients::addedWithoutSlash() {
    ShopFixture f;
    f.seedClients();
    auto& m = dynamic_cast<TfKlientd&>(f.module(module::kKlient));
    f.ui.queueAnswer(1); // an empty first name is fine
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfKlientd>(d);
        QCOMPARE(form.windowTitle(), QString("Klient"));
        QCOMPARE(form.eKod->text(), QString("3"));
        QCOMPARE(QApplication::focusWidget(), form.eRodcis);
        form.eRodcis->setText("7501011001");
        form.focusField(form.eKodpoi);
        QCOMPARE(form.eRodcis->text(), QString("750101/1001"));
        QCOMPARE(form.eRodcis->palette().color(QPalette::Base), f.app.colours.normal);
        Type(form, {"KODPOI=25", "PRIEZVISK=Malá", "MENO=", "OBEC=Bratislava", "PSC="});
        form.pressOk();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.eNazovPoi->text(), QString("Všeobecná poisťovňa"));
    });
    QCOMPARE(m.AddRecord(), 1);
    QCOMPARE(f.ui.questions,
             QStringList{"Meno klienta by nemalo byť prázdne! Mám aj napriek tomu pokračovať?"});
    Table& t = m.table();
    QCOMPARE(t.field("KOD").asInteger(), 3);
    QCOMPARE(t.field("RODCIS").asString(), QString("750101/1001"));
    // One municipality of that name: its postal code and post office.
    QCOMPARE(t.field("PSC").asString(), QString("81101"));
    QCOMPARE(t.field("DODPOSTA").asString(), QString("Bratislava 1"));
    QVERIFY(t.field("DATUM").isNull());
    QVERIFY(t.field("DIALKY").isNull());
    QVERIFY(f.ui.verifyNoSurprises());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestClients::editAndCopyUnchanged() {
    ShopFixture f;
    f.seedClients();
    TfDbForm& m = f.module(module::kKlient);
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueDialog([&](QDialog& d) {
        Form(d).pressOk();
        QVERIFY(!d.isVisible());
    });
    QCOMPARE(m.EditRecord(), 1);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        TfDbForm& form = Form(d);
        QCOMPARE(form.eKod->text(), QString("3"));
        form.pressOk();
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), Edit(form, "RODCIS"));
        form.pressBack();
    });
    QCOMPARE(m.CopyRecord(), 0);
    QCOMPARE(f.ui.takeNoticeTexts(),
             QStringList{"Duplictná štvorica Rodné číslo, Štát, IČ a pohlavie poistenca, "
                         "pokračovanie nie je možné!"});
    QCOMPARE(m.table().recordCount(), 2);
    QVERIFY(f.ui.verifyNoSurprises());
}

using Records = QList<QStringList>; // module, KOD, KODKLIENT, DATUM, DIALKY

void TestClients::latestPrescription_data() {
    QTest::addColumn<Records>("records");
    QTest::addColumn<QString>("dialky"); // of the latest; "-" when there is none

    const QString voucher = QString::number(module::kPoukazv);
    const QString glasses = QString::number(module::kObp);
    QTest::newRow("none") << Records{{voucher, "1", "2", "1.1.2024", "60"}} << "-";
    QTest::newRow("the later date") << Records{{voucher, "1", "1", "1.2.2024", "62"},
                                               {voucher, "2", "1", "1.1.2024", "60"}}
                                    << "62";
    QTest::newRow("a voucher before glasses of the same date")
        << Records{{glasses, "5", "1", "1.2.2024", "70"}, {voucher, "1", "1", "1.2.2024", "62"}}
        << "62";
    QTest::newRow("glasses of a later date") << Records{{voucher, "1", "1", "1.2.2024", "62"},
                                                        {glasses, "5", "1", "1.3.2024", "70"}}
                                             << "70";
    QTest::newRow("code 100 after 99 on the same date")
        << Records{{voucher, "100", "1", "1.2.2024", "64"}, {voucher, "99", "1", "1.2.2024", "62"}}
        << "64";
    QTest::newRow("a record without a date is the oldest")
        << Records{{voucher, "1", "1", "", "66"}, {voucher, "2", "1", "1.1.1990", "60"}} << "60";
}

void TestClients::latestPrescription() {
    QFETCH(Records, records);
    QFETCH(QString, dialky);
    ShopFixture f;
    for (const QStringList& r : records)
        QVERIFY(f.addRow(r[0].toInt(), {{"KOD", r[1]}, {"KODKLIENT", r[2]}, {"DATUM", r[3]},
                                        {"DIALKY", r[4]}, {"POD1", "+1,5"}, {"NAZR", "R" + r[1]}}));
    const std::optional<Prescription> p = LatestPrescription(f.app, 1);
    QCOMPARE(p.has_value(), dialky != "-");
    if (!p)
        return;
    QCOMPARE(p->dialky, dialky);
    QCOMPARE(p->blizko, QString());
    QCOMPARE(p->eyes.size(), 20);
    QCOMPARE(p->eyes[0], QString("+1,5"));
    QCOMPARE(p->eyes[1], QString());
}

void TestClients::prescriptionBlock() {
    ShopFixture f;
    f.seed();
    QVERIFY(f.addRow(module::kKlient, {{"KOD", "1"}, {"RODCIS", "800101/1007"}}));
    QVERIFY(f.addRow(module::kKlient, {{"KOD", "2"}, {"RODCIS", "750101/1001"}}));
    QVERIFY(f.addRow(module::kPoukazv,
                     {{"KOD", "1"}, {"KODKLIENT", "1"}, {"DATUM", "1.2.2024"}, {"DIALKY", "64"},
                      {"BLIZKO", "62"}, {"LOB5", "báza"}, {"KODS", "2"}, {"KODR", "1"},
                      {"NAZR", "Titan"}, {"KODKS", "2"}}));
    auto& m = dynamic_cast<TfKlientd&>(f.module(module::kKlient));
    QVERIFY(FindByKey(m.table(), "KOD", 1));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfKlientd>(d);
        QCOMPARE(form.eyes->eDialky->text(), QString("64"));
        QCOMPARE(form.eyes->value(3, 4)->text(), QString("báza"));
        QVERIFY(form.eyes->value(3, 4)->isReadOnly());
        QCOMPARE(form.eNazovS->text(), QString("Tónované"));
        QCOMPARE(form.eNazovR->text(), QString("Číre"));
        QCOMPARE(form.eNazr->text(), QString("Titan"));
        QCOMPARE(form.eNazovKs->text(), QString("Mesačné Optika Sever"));
        form.pressBack();
    });
    QCOMPARE(m.ShowRecord(), 0);
    // A client without vouchers shows an empty block.
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    f.ui.queueDialog([&](QDialog& d) {
        auto& form = As<TfKlientd>(d);
        QCOMPARE(form.eyes->eDialky->text(), QString());
        QCOMPARE(form.eNazovKs->text(), QString());
        QCOMPARE(form.eNazr->text(), QString());
        form.pressBack();
    });
    QCOMPARE(m.ShowRecord(), 0);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestClients::duplicates() {
    ShopFixture f;
    for (const auto& [code, number] : QList<QPair<QString, QString>>{{"1", "800101/1007"},
                                                                      {"2", "750101/1001"},
                                                                      {"3", "800101/1007"},
                                                                      {"4", ""},
                                                                      {"5", "800101/1007"},
                                                                      {"6", ""}})
        QVERIFY(f.addRow(module::kKlient, {{"KOD", code}, {"RODCIS", number}, {"STATPOI", code}}));
    auto& m = dynamic_cast<TfKlientd&>(f.module(module::kKlient));
    QVERIFY(FindByKey(m.table(), "KOD", 2));
    m.ShowDuplicates(nullptr);
    // Three clients with one number give two lines; two empty numbers one.
    QCOMPARE(f.opened, QStringList{DuplicatesFilePath()});
    QFile file(DuplicatesFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\r\n800101/1007\r\n800101/1007\r\n"));
    QCOMPARE(m.table().field("KOD").asInteger(), 2);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
}

void TestClients::missingSlash() {
    ShopFixture f;
    const QList<QPair<QString, QString>> numbers{
        {"800101", "800101/"},           {"80010", "80010"},
        {"8001011007", "800101/1007"},   {"750101/1001", "750101/1001"},
        {"80010110079", "80010110079"}}; // eleven characters would no longer fit
    int code = 0;
    for (const auto& [before, after] : numbers)
        QVERIFY(f.addRow(module::kKlient,
                         {{"KOD", QString::number(++code)}, {"RODCIS", before}}));
    auto& m = dynamic_cast<TfKlientd&>(f.module(module::kKlient));
    f.ui.queueAnswer(1);
    m.InsertMissingSlashes(nullptr);
    QCOMPARE(f.ui.questions, QStringList{"Mám doplniť lomítko do rodného čísla, kde chýba?"});
    QCOMPARE(f.ui.takeNoticeTexts(),
             QStringList({"Počet upravených rodných čísel je: 2",
                          "Rodné čísla, ktoré sa nedali upraviť: 80010110079"}));
    code = 0;
    for (const auto& [before, after] : numbers) {
        QVERIFY(FindByKey(m.table(), "KOD", ++code));
        QCOMPARE(m.table().field("RODCIS").asString(), after);
    }
    // No is no.
    f.ui.queueAnswer(0);
    m.InsertMissingSlashes(nullptr);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestClients)
#include "test_clients.moc"
