// The test runner turns a warning of our own code into a failure of the running test.
#include "testmain.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

// Fails on purpose; run by TestRunner in a process of its own.
class RunnerProbe : public QObject {
    Q_OBJECT
private slots:
    void ourWarning() { qWarning("probe: a warning of ours"); }
    void ourWarningExpected() {
        QTest::ignoreMessage(QtWarningMsg, "probe: a warning of ours");
        qWarning("probe: a warning of ours");
    }
    // Without a source file, as Qt's own messages come.
    void foreignWarning() { QMessageLogger().warning("probe: a warning from elsewhere"); }
};

class TestRunner : public QObject {
    Q_OBJECT
private slots:
    void warningOfOursFailsItsTest() {
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(), {"RunnerProbe"});
        QVERIFY(probe.waitForFinished(60000));
        const QString out = QString::fromUtf8(probe.readAllStandardOutput());
        QVERIFY2(out.contains("FAIL!  : RunnerProbe::ourWarning()"), qPrintable(out));
        QVERIFY2(out.contains("PASS   : RunnerProbe::ourWarningExpected()"), qPrintable(out));
        QVERIFY2(out.contains("PASS   : RunnerProbe::foreignWarning()"), qPrintable(out));
        QCOMPARE(probe.exitCode(), 1);
    }
};

VIDORAW_TEST_ON_REQUEST(RunnerProbe)
VIDORAW_TEST(TestRunner)
#include "test_runner.moc"
