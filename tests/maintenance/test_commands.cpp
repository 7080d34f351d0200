#include "framework/adrarch.h"
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

VIDORAW_TEST(TestMaintenanceCommands)
#include "test_commands.moc"
