#include "shopfixture.h"
#include "testmain.h"

#include "shop/latestprescription.h"
#include "shop/obpd.h"
#include "shop/okubpm.h"
#include "vouchers/eyedatagrid.h"

#include <QPushButton>
#include <QTableWidget>

using namespace vidoraw;
using namespace vidoraw::test;

// Glasses without voucher: the form with its checks in order, the distances taken over from the
// latest prescription while adding, the client's glasses dialog, and the glasses as the latest
// prescription.
class TestGlasses : public QObject {
    Q_OBJECT
private slots:
    void distancesTakenOver_data();
    void distancesTakenOver();
    void checksInOrder_data();
    void checksInOrder();
    void clientGlassesDialog();
    void emptyClientDialog();
    void latestPrescriptionIsGlasses();
};

namespace {

TfObpd& Glasses(ShopFixture& f) { return dynamic_cast<TfObpd&>(f.module(module::kObp)); }

// A voucher of client 1 on 1.2.2024 with the given distances.
void VoucherOfClient1(ShopFixture& f, const QString& dialky, const QString& blizko) {
    QVERIFY(f.addRow(module::kPoukazv, {{"KOD", "1"}, {"KODKLIENT", "1"}, {"DATUM", "1.2.2024"},
                                        {"DIALKY", dialky}, {"BLIZKO", blizko}}));
}

} // namespace

void TestGlasses::distancesTakenOver_data() {
    QTest::addColumn<QString>("how"); // add, client, edit
    QTest::addColumn<QStringList>("voucher"); // DIALKY, BLIZKO of the latest voucher; empty: none
    QTest::addColumn<QString>("dialky");
    QTest::addColumn<QString>("blizko");
    QTest::newRow("64 and 0") << "client" << QStringList{"64", "0"} << "64" << "";
    QTest::newRow("typed client") << "add" << QStringList{"64", "62"} << "64" << "62";
    QTest::newRow("no history") << "client" << QStringList{} << "" << "";
    QTest::newRow("editing keeps 0") << "edit" << QStringList{"64", "62"} << "0" << "0";
}

void TestGlasses::distancesTakenOver() {
    QFETCH(QString, how);
    QFETCH(QStringList, voucher);
    QFETCH(QString, dialky);
    QFETCH(QString, blizko);
    ShopFixture f;
    f.seedClients();
    if (!voucher.isEmpty())
        VoucherOfClient1(f, voucher[0], voucher[1]);
    TfObpd& form = Glasses(f);
    f.ui.queueDialog([&](QDialog&) {
        if (how == "add") {
            QCOMPARE(form.focusWidget(), form.eKodklient);
            form.eKodklient->setText("1");
            form.eKodklient->setFocus();
            form.eDatum->setFocus(); // leaving the client runs its check
        } else if (how == "client") {
            QVERIFY(form.eKodklient->isReadOnly());
            QCOMPARE(form.focusWidget(), form.eDatum);
            QCOMPARE(form.eKlient->text(), QString("Novák Ján 800101/1007"));
        }
        QCOMPARE(form.eyes->eDialky->text(), dialky);
        QCOMPARE(form.eyes->eBlizko->text(), blizko);
        form.pressBack();
    });
    if (how == "edit") {
        QVERIFY(f.addRow(module::kObp, {{"KOD", "1"}, {"KODKLIENT", "1"}, {"DATUM", "1.3.2024"},
                                        {"DIALKY", "0"}, {"BLIZKO", "0"}}));
        QVERIFY(FindByKey(form.table(), "KOD", 1));
        f.ui.queueAnswer(1);
        form.EditRecord();
    } else if (how == "add") {
        f.ui.queueAnswer(1); // leave without saving
        form.AddRecord();
    } else {
        f.ui.queueAnswer(1);
        QVERIFY(!form.AddGlassesForClient(1));
    }
    f.ui.takeNotices();
}

void TestGlasses::checksInOrder_data() {
    QTest::addColumn<QStringList>("typed"); // over a valid record of client 1
    QTest::addColumn<QString>("message");   // empty: refused without one (a pick list)
    QTest::addColumn<QString>("focus");
    QTest::newRow("valid with empty types") << QStringList{} << "" << "";
    QTest::newRow("unknown client") << QStringList{"KODKLIENT=9"} << "-" << "KODKLIENT";
    QTest::newRow("bad date") << QStringList{"DATUM=31.2.2024"} << "Nesprávny dátum !"
                              << "DATUM";
    QTest::newRow("empty date") << QStringList{"DATUM="} << "Nesprávny dátum !" << "DATUM";
    QTest::newRow("near distance empty") << QStringList{"BLIZKO="} << " Nesprávne celé číslo! "
                                         << "BLIZKO";
    QTest::newRow("frame only a lens type") << QStringList{"KODR=3"} << "-" << "KODR";
    QTest::newRow("unknown contact lens") << QStringList{"KODKS=7"} << "-" << "KODKS";
    QTest::newRow("all types") << QStringList{"KODS=2", "KODR=1", "KODKS=2", "NAZR=Titan"} << ""
                               << "";
}

void TestGlasses::checksInOrder() {
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    ShopFixture f;
    f.seed();
    f.seedClients();
    QVERIFY(f.addRow(52, {{"KOD", "3"}, {"NAZOV", "Len šošovka"}}));
    TfObpd& form = Glasses(f);
    const bool refused = !focus.isEmpty();
    f.ui.queueDialog([&](QDialog&) {
        Type(form, {"KODKLIENT=1", "DATUM=5.3.2024", "DIALKY=64", "BLIZKO=62"});
        Type(form, typed);
        form.pressOk();
        QCOMPARE(form.isVisible(), refused);
        if (refused) {
            QCOMPARE(form.focusWidget(), form.controlOf(focus));
            f.ui.queueAnswer(1);
            form.pressBack();
        }
    });
    if (message == "-")
        f.ui.queueDialog([](QDialog& d) { CloseList(d); });
    form.AddRecord();
    QCOMPARE(f.ui.takeNoticeTexts(),
             message.isEmpty() || message == "-" ? QStringList{} : QStringList{message});
    Table& t = form.table();
    QCOMPARE(IsTableEmpty(t), refused);
    if (refused)
        return;
    QVERIFY(FindByKey(t, "KOD", 1));
    QCOMPARE(t.field("DATUM").asDate(), QDate(2024, 3, 5));
    QCOMPARE(t.field("BLIZKO").asString(), QString("62"));
    if (QTest::currentDataTag() == QByteArray("all types")) {
        QCOMPARE(t.field("KODKS").asString(), QString("2"));
        QCOMPARE(form.eNazovKs->text(), QString("Mesačné Optika Sever"));
        QCOMPARE(t.field("NAZR").asString(), QString("Titan"));
    } else {
        QVERIFY(t.field("KODR").isNull());
    }
}

void TestGlasses::clientGlassesDialog() {
    ShopFixture f;
    f.seedClients();
    for (const auto& [code, date] : {std::pair{"7", "1.3.2024"}, std::pair{"8", "1.1.2023"},
                                     std::pair{"9", "15.6.2023"}})
        QVERIFY(f.addRow(module::kObp, {{"KOD", code}, {"KODKLIENT", "1"}, {"DATUM", date},
                                        {"DIALKY", "64"}, {"BLIZKO", "62"}}));
    QVERIFY(f.addRow(module::kObp, {{"KOD", "10"}, {"KODKLIENT", "2"}, {"DATUM", "1.1.2025"}}));
    TfOkubpm dialog(f.app, 1);
    QCOMPARE(dialog.windowTitle(), QString("Okuliare bez pokuazu"));
    QCOMPARE(dialog.ePriezvisk->text(), QString("Novák"));
    auto rows = [&] {
        QStringList out;
        for (int r = 0; r < dialog.grid->rowCount(); ++r)
            out << dialog.grid->item(r, 0)->text() + ' ' + dialog.grid->item(r, 1)->text();
        return out;
    };
    QCOMPARE(rows(), (QStringList{"8 1.1.2023", "9 15.6.2023", "7 1.3.2024"}));
    QCOMPARE(dialog.currentCode(), qint64(7));

    // Added with the client fixed; the new record's row is the newest, last and selected.
    TfObpd& form = Glasses(f);
    f.ui.queueDialog([&](QDialog&) {
        Type(form, {"DATUM=2.3.2024"});
        QCOMPARE(form.eyes->eDialky->text(), QString("64"));
        form.pressOk();
        QVERIFY(!form.isVisible());
    });
    dialog.commandAdd();
    QCOMPARE(rows().constLast(), QString("11 2.3.2024"));
    QCOMPARE(dialog.currentCode(), qint64(11));

    // Edited: the same row selected again.
    dialog.grid->setCurrentCell(0, 0);
    f.ui.queueDialog([&](QDialog&) {
        QCOMPARE(form.eKodklient->text(), QString("1"));
        Type(form, {"DATUM=1.1.2022"});
        form.pressOk();
    });
    dialog.commandEdit();
    QCOMPARE(rows().constFirst(), QString("8 1.1.2022"));
    QCOMPARE(dialog.currentCode(), qint64(8));

    // Deleted after the question; "no" keeps it.
    f.ui.queueAnswer(0);
    dialog.commandDelete();
    QCOMPARE(rows().size(), 4);
    f.ui.queueAnswer(1);
    dialog.commandDelete();
    QCOMPARE(rows(), (QStringList{"9 15.6.2023", "7 1.3.2024", "11 2.3.2024"}));
    QVERIFY(!FindByKey(form.table(), "KOD", 8));
}

void TestGlasses::emptyClientDialog() {
    ShopFixture f;
    f.seedClients();
    TfOkubpm dialog(f.app, 2);
    QCOMPARE(dialog.grid->rowCount(), 1);
    QCOMPARE(dialog.grid->item(0, 0)->text(), QString());
    QCOMPARE(dialog.currentCode(), qint64(0));
    dialog.commandEdit();   // nothing: no form, no question
    dialog.commandDelete();
    QCOMPARE(f.ui.pendingDialogs(), 0);
    QVERIFY(f.ui.questions.isEmpty());
}

void TestGlasses::latestPrescriptionIsGlasses() {
    ShopFixture f;
    f.seed();
    f.seedClients();
    VoucherOfClient1(f, "60", "58");
    TfObpd& form = Glasses(f);
    f.ui.queueDialog([&](QDialog&) {
        Type(form, {"DATUM=1.3.2024", "DIALKY=66", "BLIZKO=63", "POD1=-1,25", "KODS=2",
                    "NAZR=Titan"});
        form.pressOk();
    });
    QVERIFY(form.AddGlassesForClient(1));
    const std::optional<Prescription> p = LatestPrescription(f.app, 1);
    QVERIFY(p);
    QCOMPARE(p->dialky, QString("66"));
    QCOMPARE(p->blizko, QString("63"));
    QCOMPARE(p->eyes.value(0), QString("-1,25"));
    QCOMPARE(p->kods, QString("2"));
    QCOMPARE(p->nazr, QString("Titan"));
}

VIDORAW_TEST(TestGlasses)
#include "test_glasses.moc"
