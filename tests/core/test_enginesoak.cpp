// Four programs add records with next codes to one table on a database server at once; one of
// them is killed on the way and the server restarts meanwhile.
#include "enginefixture.h"
#include "serverhelpers.h"
#include "testmain.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QSet>
#include <QThread>
#include <csignal>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

constexpr int kWriters = 4;
constexpr int kPairs = 150; // two records each, in one transaction

int Rows(Table& t) {
    t.refresh();
    return t.recordCount();
}

bool WaitForRows(Table& t, int rows) {
    QDeadlineTimer deadline(120000);
    while (Rows(t) < rows) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

} // namespace

class TestEngineSoak : public QObject {
    Q_OBJECT
private slots:
    void writersSurviveKillAndRestart();
};

void TestEngineSoak::writersSurviveKillAndRestart() {
    if (!TestServerConfigured())
        QSKIP("needs PostgreSQL (VIDORAW_TEST_PG)");
    PrivateServer server;
    QString err;
    QVERIFY2(server.start(&err), qPrintable(err));
    TestServerOverride onServer(server.conninfo()); // the workers inherit it
    EngineFixture f;
    QVERIFY2(f.init(&err), qPrintable(err));
    Table t(f.db.get(), "OSOBY.DB");
    ENGINE_OK(t.open(), t);

    std::vector<std::unique_ptr<QProcess>> workers;
    QStringList names; // each writer names its records after its process
    for (int i = 0; i < kWriters; ++i) {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral(ENGINE_WORKER), {"soak", f.dir.path(), QString::number(kPairs)});
        QVERIFY(p->waitForStarted());
        names << QStringLiteral("P%1").arg(p->processId());
        workers.push_back(std::move(p));
    }
    const QString killed = names[0];
    QVERIFY(WaitForRows(t, 60));
    ::kill(pid_t(workers[0]->processId()), SIGKILL);
    QVERIFY(WaitForRows(t, 300));
    QVERIFY(server.restart());

    QSet<QString> survivors;
    for (int i = 1; i < kWriters; ++i) {
        QProcess& w = *workers[size_t(i)];
        QVERIFY(w.waitForFinished(300000));
        const QString said = QString::fromUtf8(w.readAllStandardError());
        QVERIFY2(w.exitStatus() == QProcess::NormalExit && w.exitCode() == 0, qPrintable(said));
        // Each one was told that the server went away, and went on.
        QVERIFY2(said.contains("Spojenie so serverom databázy"), qPrintable(said));
        survivors << names[i];
    }
    workers[0]->waitForFinished(20000);

    // Codes 1..n without a gap or a repeat; every pair whole; nothing of a survivor lost.
    QHash<QString, QList<qint64>> sequences;
    QList<qint64> codes;
    // This program lost its connection too: the first read finds out, the next one connects.
    t.refresh();
    t.refresh();
    for (t.first(); !t.eof(); t.next()) {
        codes << t.field("KOD").asInteger();
        sequences[t.field("PRIEZ").asString()] << t.field("POCET").asInteger();
    }
    for (int i = 0; i < codes.size(); ++i)
        QCOMPARE(codes[i], qint64(i + 1));
    QList<qint64> all;
    for (int i = 0; i < kPairs; ++i)
        all << i;
    for (const QString& name : survivors) {
        QList<qint64> a = sequences.value(name), b = sequences.value(name + "-b");
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        QCOMPARE(a, all);
        QCOMPARE(b, all);
    }
    QList<qint64> a = sequences.value(killed), b = sequences.value(killed + "-b");
    QVERIFY(a.size() < kPairs);
    QCOMPARE(b, a); // as written: pair by pair
    QCOMPARE(codes.size(), 2 * (int(survivors.size()) * kPairs + int(a.size())));
}

VIDORAW_TEST(TestEngineSoak)
#include "test_enginesoak.moc"
