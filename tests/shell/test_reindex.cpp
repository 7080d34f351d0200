#include "core/enginefixture.h"
#include "shellfixture.h"
#include "testmain.h"

#include <QProcess>
#include <QSysInfo>

using namespace vidoraw;
using namespace vidoraw::test;

class TestReindex : public QObject {
    Q_OBJECT
private slots:
    void commandReindexesEveryModule();
    void refusedWhileAnotherProgramHasTheData();
    void answeringNoDoesNothing();
    void failedTableNamed_data();
    void failedTableNamed();
};

void TestReindex::commandReindexesEveryModule() {
    ShellFixture f;
    QVERIFY(f.created);
    // An index the modules do not define disappears; theirs come back.
    QString error;
    QVERIFY(f.app.db->addIndex("VLASTN.DB", IndexDef::Secondary("Navyse", {"MESTO"}), &error) ==
            false); // no such field: refused, nothing changed
    QVERIFY(f.app.db->addIndex("VLASTN.DB", IndexDef::Secondary("Navyse", {"OBEC"}), &error));
    const IndexDefs before = f.app.db->indexDefs("VLASTN.DB");
    f.ui.queueAnswer(1);
    QVERIFY(f.run("Systém/&Reindexácia ..."));
    QCOMPARE(f.ui.questions, QStringList({" Mám naozaj vykonať reindexáciu všetkých databáz? "}));
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.last().text, QString("Reindexácia prebehla úspešne."));
    const IndexDefs after = f.app.db->indexDefs("VLASTN.DB");
    QCOMPARE(after.size(), before.size() - 1);
    // Only the system record's module stays registered.
    QCOMPARE(f.app.registry.numbers(), std::vector<int>{1});
    QCOMPARE(f.system("STAV"), QString("A"));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestReindex::refusedWhileAnotherProgramHasTheData() {
    ShellFixture f;
    QVERIFY(f.created);
    QProcess other;
    other.start(QStringLiteral(ENGINE_WORKER), {"open", f.dataDir.path()});
    QVERIFY(other.waitForReadyRead(20000));
    QVERIFY(other.readAll().contains("READY"));
    f.ui.queueAnswer(1);
    QVERIFY(f.run("Systém/&Reindexácia ..."));
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    // A database server also names the workstation that has the data; a file cannot.
    QCOMPARE(shown.size(), OnServer(*f.app.db) ? 2 : 1);
    QCOMPARE(shown[0].title, QString("Oznam"));
    QCOMPARE(shown[0].text,
             QString("Pre reindexáciu súborov je potrebný exkluzívny-výradný prístup k databázam. "
                     "Všetci ostatní užívatelia musia ukončiť program."));
    if (shown.size() == 2) {
        QCOMPARE(shown[1].title, QString("Zoznam prihlásených užívateľov"));
        QVERIFY2(shown[1].text.startsWith(QSysInfo::machineHostName()), qPrintable(shown[1].text));
    }
    other.kill();
    other.waitForFinished(20000);
    // The program goes on: the system record is there and the data are unchanged.
    QCOMPARE(f.system("STAV"), QString("A"));
    QVERIFY(!f.app.db->isExclusive());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestReindex::answeringNoDoesNothing() {
    ShellFixture f;
    f.app.registry.EnsureModule(24);
    f.ui.queueAnswer(0);
    QVERIFY(f.run("Systém/&Reindexácia ..."));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
    QCOMPARE(f.app.registry.numbers(), (std::vector<int>{1, 24}));
}

void TestReindex::failedTableNamed_data() {
    QTest::addColumn<bool>("atStart"); // else the menu command
    QTest::newRow("command") << false;
    QTest::newRow("new version at start") << true;
}

// A table whose rows break its own key cannot be reindexed: the user learns which one and why.
void TestReindex::failedTableNamed() {
    QFETCH(bool, atStart);
    ShellFixture f;
    QVERIFY(f.created);
    QVERIFY(f.app.registry.module(47)->OpenTable());
    {
        OutsideWriter damage(*f.app.db);
        QVERIFY2(damage.exec("DROP INDEX \"POUKAZ__0_PRIMARY\"") &&
                     damage.exec("INSERT INTO \"POUKAZ\" (\"KOD\", \"PRIEZV\") VALUES (1, 'Dvojník')"),
                 qPrintable(damage.error));
    }
    const QString failure = "Reindexácia tabuľky POUKAZ.DB sa nepodarila: V tabuľke POUKAZ.DB sa "
                            "opakuje hodnota primárneho kľúča KOD.";
    if (atStart) {
        QVERIFY(SetRunState(f.app, "C"));
        QVERIFY(f.program->runStartSequence());
        QCOMPARE(f.ui.takeNoticeTexts(),
                 QStringList({"Nová verzia programu! Prebehne reindexácia súborov!", failure}));
        QCOMPARE(f.system("STAV"), QString("B")); // running, as after any start
    } else {
        f.ui.queueAnswer(1);
        QVERIFY(f.run("Systém/&Reindexácia ..."));
        const QList<RecordedNotice> notices = f.ui.takeNotices();
        QCOMPARE(notices.size(), 1); // and no success
        QCOMPARE(notices[0].title, QString("Chyba"));
        QCOMPARE(notices[0].text, failure);
        QCOMPARE(f.system("STAV"), QString("A"));
        QCOMPARE(f.app.registry.numbers(), std::vector<int>{1});
    }
    QVERIFY(!f.app.db->isExclusive());
}

VIDORAW_TEST(TestReindex)
#include "test_reindex.moc"
