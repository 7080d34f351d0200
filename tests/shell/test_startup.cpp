#include "core/engine/database.h"
#include "shellfixture.h"
#include "testmain.h"

#include <QProcess>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {
const QString kCrashQuestion = QStringLiteral(
    "Posledné spustenie programu nebolo správne ukončené! Mám vykonať reindexáciu súborov?");
const QString kCloseQuestion = QStringLiteral("Chceš naozaj ukončiť program?");

// Reindexing releases every module; nothing in the start sequence needs module 8 again.
bool Reindexed(ShellFixture& f) {
    const std::vector<int> n = f.app.registry.numbers();
    return std::find(n.begin(), n.end(), 8) == n.end();
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void runState_data();
    void runState();
    void closeAsks();
    void failedLoginEndsWithoutQuestion();
    void anotherWorkstationRunning();
};

void TestStartup::runState_data() {
    QTest::addColumn<QString>("found");
    QTest::addColumn<int>("answer"); // to the crash question; -2: no question
    QTest::addColumn<bool>("reindexed");
    QTest::addColumn<QString>("notice");
    QTest::newRow("normal end") << "A" << -2 << false << "";
    QTest::newRow("crash, no") << "B" << 0 << false << "";
    QTest::newRow("crash, cancelled") << "B" << -1 << false << "";
    QTest::newRow("crash, yes") << "B" << 1 << true << "";
    QTest::newRow("new version") << "C" << -2 << true
                                 << "Nová verzia programu! Prebehne reindexácia súborov!";
}

void TestStartup::runState() {
    QFETCH(QString, found);
    QFETCH(int, answer);
    QFETCH(bool, reindexed);
    QFETCH(QString, notice);
    ShellFixture f;
    QVERIFY(f.created);
    QVERIFY(SetRunState(f.app, found));
    QVERIFY(f.app.registry.module(8));
    if (answer != -2)
        f.ui.queueAnswer(answer);
    QVERIFY(f.program->runStartSequence());
    QCOMPARE(f.ui.questions, answer == -2 ? QStringList() : QStringList{kCrashQuestion});
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(shown.size(), notice.isEmpty() ? 0 : 1);
    if (!notice.isEmpty()) {
        QCOMPARE(shown[0].title, QString("Oznam"));
        QCOMPARE(shown[0].text, notice);
    }
    QCOMPARE(Reindexed(f), reindexed);
    QCOMPARE(f.system("STAV"), QString("B"));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestStartup::closeAsks() {
    ShellFixture f;
    QVERIFY(f.program->runStartSequence());
    f.window().show();
    f.ui.queueAnswer(0);
    QVERIFY(!f.window().close());
    QVERIFY(f.window().isVisible());
    QCOMPARE(f.system("STAV"), QString("B"));
    f.ui.queueAnswer(1);
    QVERIFY(f.window().close());
    QCOMPARE(f.ui.questions, QStringList({kCloseQuestion, kCloseQuestion}));
    QCOMPARE(f.system("STAV"), QString("A"));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestStartup::failedLoginEndsWithoutQuestion() {
    ShellFixture f;
    QVERIFY(SetRunState(f.app, "B"));
    f.program->login = [] { return false; };
    f.window().show();
    QVERIFY(!f.program->runStartSequence());
    QVERIFY(!f.window().isVisible());
    QVERIFY(f.ui.questions.isEmpty());
    QCOMPARE(f.system("STAV"), QString("B")); // the crash mark stays
}

// Several workstations share one run state: while another one runs, "B" is its running mark,
// not a crash, and ending here must not mark the data as properly closed under it.
void TestStartup::anotherWorkstationRunning() {
    ShellFixture f;
    QVERIFY(f.created);
    QVERIFY(SetRunState(f.app, "B"));
    QProcess other;
    other.start(QStringLiteral(ENGINE_WORKER), {"open", f.dataDir.path()});
    QVERIFY(other.waitForReadyRead(20000));
    QVERIFY(other.readAll().contains("READY"));
    QVERIFY(f.app.registry.module(8));
    QVERIFY(f.program->runStartSequence());
    QVERIFY(f.ui.questions.isEmpty());
    QVERIFY(!Reindexed(f));
    f.window().show();
    f.ui.queueAnswer(1);
    QVERIFY(f.window().close());
    QCOMPARE(f.system("STAV"), QString("B"));
    other.kill();
    QVERIFY(other.waitForFinished(20000));
    // A server ends the killed program's session when it notices the closed connection.
    QTRY_VERIFY_WITH_TIMEOUT(!f.app.db->othersConnected(), 10000);
    // The last one to end marks the normal end.
    f.window().show();
    f.ui.queueAnswer(1);
    QVERIFY(f.window().close());
    QCOMPARE(f.system("STAV"), QString("A"));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestStartup)
#include "test_startup.moc"
