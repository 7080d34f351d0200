#include "shellfixture.h"
#include "testmain.h"

#include <QProcess>

using namespace vidoraw;
using namespace vidoraw::test;

class TestReindex : public QObject {
    Q_OBJECT
private slots:
    void commandReindexesEveryModule();
    void refusedWhileAnotherProgramHasTheData();
    void answeringNoDoesNothing();
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
    QCOMPARE(f.ui.notices.last().text, QString("Reindexácia prebehla úspešne."));
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
    QCOMPARE(f.ui.notices.size(), 1);
    QCOMPARE(f.ui.notices[0].title, QString("Oznam"));
    QCOMPARE(f.ui.notices[0].text,
             QString("Pre reindexáciu súborov je potrebný exkluzívny-výradný prístup k databázam. "
                     "Všetci ostatní užívatelia musia ukončiť program."));
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
    QVERIFY(f.ui.notices.isEmpty());
    QCOMPARE(f.app.registry.numbers(), (std::vector<int>{1, 24}));
}

VIDORAW_TEST(TestReindex)
#include "test_reindex.moc"
