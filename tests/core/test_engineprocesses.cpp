// Several programs on one data directory at the same time.
#include "enginefixture.h"
#include "testmain.h"

#include <QProcess>
#include <QSet>
#include <QSysInfo>
#include <csignal>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

std::unique_ptr<QProcess> StartWorker(const QStringList& args) {
    auto p = std::make_unique<QProcess>();
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QStringLiteral(ENGINE_WORKER), args);
    return p;
}

bool WaitForLine(QProcess& p, const QByteArray& line) {
    QByteArray seen;
    while (p.state() != QProcess::NotRunning || p.bytesAvailable()) {
        if (!p.bytesAvailable() && !p.waitForReadyRead(20000))
            return false;
        seen += p.readAll();
        if (seen.contains(line))
            return true;
    }
    return false;
}

} // namespace

class TestEngineProcesses : public QObject {
    Q_OBJECT
private slots:
    void concurrentAddsGetDistinctCodes();
    void killedWriterLeavesNothingAndFreesLock();
    void exclusiveRefusedWhileOthersOpen();
    void tableMadeMeanwhileByAnotherProgram();
    void twoProgramsStartOnNewDirectory();
};

void TestEngineProcesses::concurrentAddsGetDistinctCodes() {
    EngineFixture f;
    QVERIFY(f.init());
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int i = 0; i < 4; ++i)
        workers.push_back(StartWorker({"add", f.dir.path(), "250"}));
    for (auto& w : workers) {
        QVERIFY(w->waitForFinished(300000));
        QCOMPARE(w->exitStatus(), QProcess::NormalExit);
        QCOMPARE(w->exitCode(), 0);
    }
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    QCOMPARE(t.recordCount(), 1000);
    QSet<qint64> codes;
    for (t.first(); !t.eof(); t.next())
        codes.insert(t.field("KOD").asInteger());
    QCOMPARE(codes.size(), 1000);
    QCOMPARE(LastValue(t, "KOD", "KOD"), qint64(1000));
    // All four wrote their share.
    ENGINE_OK(t.setOrder("PRIEZ"), t);
    QSet<QString> writers;
    for (t.first(); !t.eof(); t.next())
        writers.insert(t.field("PRIEZ").asString());
    QCOMPARE(writers.size(), 4);
}

void TestEngineProcesses::killedWriterLeavesNothingAndFreesLock() {
    EngineFixture f;
    QVERIFY(f.init());
    QVERIFY(f.add({"1|Pred"}));
    auto w = StartWorker({"hold", f.dir.path()});
    QVERIFY(WaitForLine(*w, "HOLDING"));
    // While it holds the lock nobody else writes.
    f.db->setLockTimeout(200);
    {
        WriteLock blocked(*f.db);
        QVERIFY(!blocked.ok());
    }
    ::kill(pid_t(w->processId()), SIGKILL);
    QVERIFY(w->waitForFinished(20000));
    f.db->setLockTimeout(5000);
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    QCOMPARE(Walk(t, "PRIEZ"), QStringList({"Pred"}));
    WriteLock lock(*f.db);
    QVERIFY2(lock.ok(), qPrintable(lock.error()));
    ENGINE_OK(t.append(), t);
    QVERIFY(t.field("KOD").setValue(LastValue(t, "KOD", "KOD") + 1));
    ENGINE_OK(t.post(), t);
    QVERIFY(lock.commit());
    QCOMPARE(Walk(t, "KOD"), QStringList({"1", "2"}));
}

void TestEngineProcesses::exclusiveRefusedWhileOthersOpen() {
    EngineFixture f;
    QVERIFY(f.init());
    auto w = StartWorker({"open", f.dir.path()});
    QVERIFY(WaitForLine(*w, "READY"));
    QVERIFY(!f.db->tryExclusive());
    QVERIFY(!f.db->isExclusive());
    QVERIFY(f.db->othersConnected());
    // A server tells who has the data: the workstation and its user; a database file cannot.
    if (OnServer(*f.db))
        QCOMPARE(f.db->otherPrograms(),
                 QStringList(qEnvironmentVariable("USER").isEmpty()
                                 ? QSysInfo::machineHostName()
                                 : QSysInfo::machineHostName() + " (" + qEnvironmentVariable("USER") + ")"));
    else
        QVERIFY(f.db->otherPrograms().isEmpty());
    w->kill();
    QVERIFY(w->waitForFinished(20000));
    // A server ends the killed program's session when it notices the closed connection.
    QTRY_VERIFY_WITH_TIMEOUT(f.db->tryExclusive(), 10000);
    QVERIFY(!f.db->othersConnected());
    // While it is held, nobody can open the directory.
    QString err;
    QVERIFY(!Database::open(f.dir.path(), &err));
    QVERIFY(err.contains("výhradne"));
    auto second = StartWorker({"open", f.dir.path()});
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitCode(), 3);
    f.db->releaseExclusive();
    QVERIFY(Database::open(f.dir.path(), &err));
    // The same program object keeps working after exclusive use.
    QVERIFY(f.add({"1|Po"}));
}

// A program finds a table missing, and another one makes it before the first gets the lock.
void TestEngineProcesses::tableMadeMeanwhileByAnotherProgram() {
    QTemporaryDir dir;
    QString err;
    auto db = Database::open(dir.path(), &err);
    QVERIFY2(db, qPrintable(err));
    auto w = StartWorker({"createhold", dir.path()});
    QVERIFY(WaitForLine(*w, "HOLDING"));
    QVERIFY(!db->tableExists("OSOBY.DB")); // not committed yet
    QVERIFY2(CreateTableWithRows(*db, "OSOBY.DB", PersonFields(), PersonIndexes(), {"7|Iný"},
                                 &err),
             qPrintable(err));
    QVERIFY(w->waitForFinished(20000));
    QCOMPARE(w->exitCode(), 0);
    Table t(db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);
    QCOMPARE(Walk(t, "PRIEZ"), QStringList({"Prvý", "Druhý"}));
}

void TestEngineProcesses::twoProgramsStartOnNewDirectory() {
    QTemporaryDir parent;
    const QString dir = parent.filePath("nove-data");
    std::vector<std::unique_ptr<QProcess>> programs;
    for (int i = 0; i < 3; ++i)
        programs.push_back(StartWorker({"create", dir}));
    for (auto& p : programs) {
        QVERIFY(p->waitForFinished(60000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }
    QString err;
    auto db = Database::open(dir, &err);
    QVERIFY2(db, qPrintable(err));
    Table t(db.get(), "OKRES.DB");
    ENGINE_OK(t.open(), t);
    QCOMPARE(Walk(t, "NAZOV"), QStringList({"Bratislava I", "Nitra"}));
}

VIDORAW_TEST(TestEngineProcesses)
#include "test_engineprocesses.moc"
