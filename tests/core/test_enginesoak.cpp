// Four workstations add batches and vouchers to one insurer invoice on a database server at
// once; one of them is killed on the way and the server restarts meanwhile.
#include "serverhelpers.h"
#include "testmain.h"

#include "core/engine/table.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QSet>
#include <QThread>
#include <csignal>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

constexpr int kWriters = 4;
constexpr int kSteps = 120; // a batch and two vouchers each
constexpr qint64 kInvoice = 7;

int Rows(Database& db, const QString& table) {
    Table t(&db, table);
    return t.open() ? t.recordCount() : 0;
}

bool WaitForRows(Database& db, const QString& table, int rows) {
    QDeadlineTimer deadline(120000);
    while (Rows(db, table) < rows) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

bool WaitForLine(QProcess& p, const QByteArray& line) {
    QByteArray seen;
    while (!seen.contains(line)) {
        if (!p.bytesAvailable() && !p.waitForReadyRead(240000))
            return false;
        seen += p.readAllStandardOutput();
    }
    return true;
}

// The values of some fields of every row, in primary-key order.
QList<QVector<QVariant>> Read(Database& db, const QString& table, const QStringList& fields) {
    Table t(&db, table);
    QList<QVector<QVariant>> out;
    if (!t.open())
        return out;
    QList<int> at;
    for (const QString& f : fields)
        at << t.fieldIndex(f);
    (void)t.scanFields(QString(), {}, fields, [&](qint64, const QVector<QVariant>& row) {
        QVector<QVariant> v;
        for (int i : at)
            v << row[i];
        out << v;
        return true;
    });
    return out;
}

// 1..n in the given order: no number twice, none skipped.
bool Consecutive(QList<qint64> numbers, QString* why) {
    std::sort(numbers.begin(), numbers.end());
    for (int i = 0; i < numbers.size(); ++i)
        if (numbers[i] != i + 1) {
            *why = QStringLiteral("at %1: %2").arg(i + 1).arg(numbers[i]);
            return false;
        }
    return true;
}

} // namespace

class TestEngineSoak : public QObject {
    Q_OBJECT
private slots:
    void batchesAndVouchersSurviveKillAndRestart();
};

void TestEngineSoak::batchesAndVouchersSurviveKillAndRestart() {
    if (!TestServerConfigured())
        QSKIP("needs PostgreSQL (VIDORAW_TEST_PG)");
    PrivateServer server;
    QString err;
    QVERIFY2(server.start(&err), qPrintable(err));
    TestServerOverride onServer(server.conninfo()); // the workers inherit it
    QTemporaryDir dir;
    auto db = Database::open(dir.path(), &err);
    QVERIFY2(db, qPrintable(err));
    {
        // The tables as the modules make them.
        QProcess make;
        make.start(QStringLiteral(SOAK_WORKER), {"soak", dir.path(), QString::number(kInvoice), "0"});
        QVERIFY(make.waitForFinished(60000));
        QVERIFY2(make.exitCode() == 0, make.readAllStandardError().constData());
    }

    std::vector<std::unique_ptr<QProcess>> workers;
    QStringList names; // each writer names its vouchers after its process
    for (int i = 0; i < kWriters; ++i) {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral(SOAK_WORKER),
                 {"soak", dir.path(), QString::number(kInvoice), QString::number(kSteps)});
        QVERIFY(p->waitForStarted());
        names << QStringLiteral("P%1").arg(p->processId());
        workers.push_back(std::move(p));
    }
    // Killed in the middle of its work: it is nearly always inside a transaction.
    QVERIFY(WaitForRows(*db, "DAVKA.DB", 40));
    ::kill(pid_t(workers[0]->processId()), SIGKILL);
    QVERIFY(workers[0]->waitForFinished(20000));
    QVERIFY(WaitForRows(*db, "POUKAZ.DB", 300));
    QVERIFY(server.restart());
    // Every survivor finishes its steps, then checks its vouchers on the restarted server.
    for (int i = 1; i < kWriters; ++i)
        QVERIFY(WaitForLine(*workers[size_t(i)], "DONE"));
    for (int i = 1; i < kWriters; ++i) {
        QProcess& w = *workers[size_t(i)];
        w.write("go\n");
        QVERIFY(w.waitForFinished(240000));
        const QString said = QString::fromUtf8(w.readAllStandardError());
        QVERIFY2(w.exitStatus() == QProcess::NormalExit && w.exitCode() == 0, qPrintable(said));
        // Each one was told that the server went away, and went on.
        QVERIFY2(said.contains("Spojenie so serverom databázy"), qPrintable(said));
    }

    // This program lost its connection too: the first read finds out, the next one connects.
    (void)Rows(*db, "DAVKA.DB");
    const QList<QVector<QVariant>> batches = Read(*db, "DAVKA.DB", {"KOD", "KODFA", "CISDAV"});
    const QList<QVector<QVariant>> vouchers =
        Read(*db, "POUKAZ.DB", {"KOD", "KODFA", "KODDAV", "PRIEZVISK", "CISLO"});
    QVERIFY(batches.size() >= (kWriters - 1) * kSteps);
    QList<qint64> batchCodes, numbers;
    for (const QVector<QVariant>& b : batches) {
        QCOMPARE(b[1].toLongLong(), kInvoice);
        batchCodes << b[0].toLongLong();
        numbers << b[2].toLongLong();
    }
    QVERIFY2(Consecutive(batchCodes, &err), qPrintable("batch codes " + err));
    QVERIFY2(Consecutive(numbers, &err), qPrintable("batch numbers " + err));

    // Vouchers: codes 1..n; each writer's steps whole, both vouchers of a step in one batch of
    // the invoice, and each step in a batch of its own.
    QList<qint64> codes;
    QHash<QString, QHash<int, QList<qint64>>> steps; // writer -> step -> batches of its vouchers
    const QSet<qint64> known(batchCodes.begin(), batchCodes.end());
    for (const QVector<QVariant>& v : vouchers) {
        codes << v[0].toLongLong();
        QCOMPARE(v[1].toLongLong(), kInvoice);
        QVERIFY(known.contains(v[2].toLongLong()));
        steps[v[3].toString()][v[4].toString().toInt()] << v[2].toLongLong();
    }
    QVERIFY2(Consecutive(codes, &err), qPrintable("voucher codes " + err));
    QVERIFY(steps.size() <= kWriters);
    QSet<qint64> used;
    for (int i = 0; i < kWriters; ++i) {
        const QHash<int, QList<qint64>>& mine = steps.value(names[i]);
        if (i == 0)
            QVERIFY(mine.size() < kSteps); // killed on the way
        else
            QCOMPARE(mine.size(), kSteps);
        for (auto it = mine.begin(); it != mine.end(); ++it) {
            QVERIFY(it.key() >= 0 && it.key() < mine.size()); // in order, none missing
            QCOMPARE(it.value().size(), 2);
            QCOMPARE(it.value()[0], it.value()[1]);
            QVERIFY(!used.contains(it.value()[0]));
            used.insert(it.value()[0]);
        }
    }
}

VIDORAW_TEST(TestEngineSoak)
#include "test_enginesoak.moc"
