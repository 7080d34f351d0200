#include "framework/adrarch.h"
#include "framework/systemrecord.h"
#include "maintenance/dataversion.h"
#include "maintenance/upgradewindow.h"
#include "maintenance/maintenance.h"
#include "maintenance/tfadres.h"
#include "maintenancefixture.h"
#include "shell/mainwindow.h"
#include "testmain.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace vidoraw;
using namespace vidoraw::test;

// The main window's commands: archive into a chosen directory, and a diskette's contents
// with its deletion of every file.
class TestMaintenanceCommands : public QObject {
    Q_OBJECT
private slots:
    void archiveToChosenDirectory();
    void diskContents();
    void startWithDataVersion_data();
    void startWithDataVersion();
};

void TestMaintenanceCommands::archiveToChosenDirectory() {
    ShopFixture shop(20);
    RegisterMaintenanceCommands(*shop.program, *shop.app);
    TfHlavny* main = shop.program->mainWindow();
    for (const char* path : {"Systém/Archív/Mechanika &A", "Systém/Archív/&Pevný disk",
                                "Systém/Obnova/Mechanika &B", "Systém/Obnova/&Pevný disk",
                                "Systém/Obsah diskety/Mechanika &A"})
        QVERIFY2(main->command(path) && main->command(path)->isEnabled(), qPrintable(path));

    const QString target = shop.archiveDir.filePath("zaloha");
    QVERIFY(QDir().mkpath(target));
    shop.ui.queueAnswer(1);
    shop.ui.queueDialog([&](QDialog& d) {
        auto* form = qobject_cast<TfAdrarch*>(&d);
        QVERIFY(form);
        form->eAdresar->setText(target);
        form->pressOk();
    });
    main->command("Systém/Archív/&Pevný disk")->trigger();
    QCOMPARE(shop.ui.takeNoticeTexts(), QStringList{"Archivácia prebehla úspešne!"});
    QVERIFY(QFileInfo::exists(QDir(target).filePath("POCET.TXT")));
    QVERIFY(QFileInfo::exists(QDir(target).filePath("VIDORAW.ARJ")));
}

void TestMaintenanceCommands::diskContents() {
    ShopFixture shop(10);
    RegisterMaintenanceCommands(*shop.program, *shop.app);
    const QDir a(shop.configDir.filePath("A"));
    QVERIFY(QDir().mkpath(a.filePath("PODADR")));
    for (const char* name : {"POCET.TXT", "DAVKA"}) {
        QFile f(a.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("12345");
    }
    shop.ui.queueDialog([&](QDialog& d) {
        auto* w = qobject_cast<TfAdres*>(&d);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Obsah adresára: ") + QDir::toNativeSeparators(a.path()));
        QStringList rows;
        for (int r = 0; r < w->sgSubory->rowCount(); ++r)
            rows << w->sgSubory->item(r, 0)->text() + " " + w->sgSubory->item(r, 1)->text();
        // Folders first; a name without an extension is listed too.
        QCOMPARE(rows, (QStringList{"PODADR DIR", "DAVKA 5", "POCET.TXT 5"}));
        shop.ui.queueAnswer(1);
        w->bZmaz->click();
        QCOMPARE(w->sgSubory->rowCount(), 1);
        w->bbOk->click();
    });
    shop.program->mainWindow()->command("Systém/Obsah diskety/Mechanika &A")->trigger();
    QCOMPARE(shop.ui.takeNoticeTexts(),
             QStringList{"Mazanie súborov ukončené! Počet zmazaných súborov: 2 !"});
    QCOMPARE(a.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"PODADR"});
}

void TestMaintenanceCommands::startWithDataVersion_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("runs");      // the program goes on
    QTest::addColumn<QString>("version"); // afterwards
    QTest::newRow("current") << "1,15" << true << "1,15";
    QTest::newRow("one step older") << "1,14" << true << "1,15";
    QTest::newRow("newer than the program") << "1,16" << false << "1,16";
}

void TestMaintenanceCommands::startWithDataVersion() {
    QFETCH(QString, stored);
    QFETCH(bool, runs);
    QFETCH(QString, version);
    ShopFixture shop(10);
    RegisterMaintenanceCommands(*shop.program, *shop.app);
    QVERIFY(WriteSystemFields(*shop.app, {{"VERZIA", stored}}));
    QStringList protocol;
    if (stored == "1,14")
        shop.ui.queueDialog([&](QDialog& d) {
            auto* w = qobject_cast<TfNovaVerzia*>(&d);
            QVERIFY(w);
            protocol = w->protocol();
            d.accept();
        });
    QCOMPARE(shop.program->runStartSequence(), runs);
    if (!runs)
        QCOMPARE(shop.ui.takeNoticeTexts(),
                 QStringList{"Nesprávne číslo verzie programu! Kvôli bezpečnosti musí byť program ukončený!"});
    QCOMPARE(StoredDataVersion(*shop.app), version);
    if (stored == "1,14") {
        // The vouchers already had the newest layout: the step says so and sets the version.
        QVERIFY(protocol.contains("   Tabuľka : POUKAZ.DB už bola prevedená skôr."));
        QCOMPARE(protocol.last(), QStringLiteral("Prevod na verziu 1,15 ukončený."));
        QCOMPARE(SystemField(*shop.app, "STAV"), QStringLiteral("B"));
    }
}

VIDORAW_TEST(TestMaintenanceCommands)
#include "test_commands.moc"
