// The table engine on 200 000 voucher-like rows, each step beside the raw query that does the
// same work on the same database in the same run: SQLite's own interface on a database file,
// libpq on a server (a data directory with DATABAZA.INI).
//   bench_engine [rows] [data directory]
#include "core/engine/collation.h"
#include "core/engine/serversettings.h"
#include "core/engine/tableops.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <libpq-fe.h>
#include <memory>
#include <random>
#include <sqlite3.h>

using namespace vidoraw;

namespace {

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// A benchmark over a failing engine measures nothing: it stops at once.
void Must(bool ok, const Table& t) {
    if (!ok) {
        std::fprintf(stderr, "%s\n", qPrintable(t.lastError()));
        std::exit(1);
    }
}

void Report(const char* what, double ours, double raw) {
    std::printf("%-52s %9.3f ms   raw %9.3f ms   ratio %5.2f\n", what, ours, raw,
                raw > 0 ? ours / raw : 0.0);
}

int CollateCi(void*, int n1, const void* s1, int n2, const void* s2) {
    return CompareSlovak(QStringView(static_cast<const char16_t*>(s1), n1 / 2),
                         QStringView(static_cast<const char16_t*>(s2), n2 / 2), true);
}

int CollateCs(void*, int n1, const void* s1, int n2, const void* s2) {
    return CompareSlovak(QStringView(static_cast<const char16_t*>(s1), n1 / 2),
                         QStringView(static_cast<const char16_t*>(s2), n2 / 2), false);
}

// The same statements without the engine. SQL names are quoted: the server keeps capitals
// only in quoted names. One "?" parameter at most.
class RawDb {
public:
    virtual ~RawDb() = default;
    // Runs a query to its end (or to limit rows), reading every column.
    virtual int run(const QByteArray& sql, const char* text = nullptr, int limit = -1) = 0;
    virtual void exec(const char* sql) = 0;
    // The statement with one integer parameter, n times in one transaction.
    virtual void insertMany(const QByteArray& sql, int n, qint64& next) = 0;
};

class RawSqlite final : public RawDb {
public:
    explicit RawSqlite(const QString& file) {
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_create_collation_v2(db_, kCollationSkCi, SQLITE_UTF16LE, nullptr, CollateCi, nullptr);
        sqlite3_create_collation_v2(db_, kCollationSk, SQLITE_UTF16LE, nullptr, CollateCs, nullptr);
        sqlite3_exec(db_, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    }
    ~RawSqlite() override { sqlite3_close(db_); }
    int run(const QByteArray& sql, const char* text, int limit) override {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db_, sql.constData(), -1, &s, nullptr);
        if (text)
            sqlite3_bind_text(s, 1, text, -1, SQLITE_TRANSIENT);
        int rows = 0;
        while ((limit < 0 || rows < limit) && sqlite3_step(s) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(s); ++c) {
                if (sqlite3_column_type(s, c) == SQLITE_TEXT)
                    sqlite3_column_text16(s, c);
                else
                    sqlite3_column_int64(s, c);
            }
            ++rows;
        }
        sqlite3_finalize(s);
        return rows;
    }
    void exec(const char* sql) override { sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }
    void insertMany(const QByteArray& sql, int n, qint64& next) override {
        exec("BEGIN IMMEDIATE");
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db_, sql.constData(), -1, &s, nullptr);
        for (int i = 0; i < n; ++i) {
            sqlite3_bind_int64(s, 1, ++next);
            sqlite3_step(s);
            sqlite3_reset(s);
        }
        sqlite3_finalize(s);
        exec("COMMIT");
    }

private:
    sqlite3* db_ = nullptr;
};

class RawPostgres final : public RawDb {
public:
    explicit RawPostgres(const ServerSettings& s) {
        const QByteArray info = QStringLiteral("host='%1' port=%2 dbname='%3' user='%4'")
                                    .arg(s.host)
                                    .arg(s.port)
                                    .arg(s.database, s.user)
                                    .toUtf8();
        conn_ = PQconnectdb(info.constData());
        if (PQstatus(conn_) != CONNECTION_OK) {
            std::fprintf(stderr, "%s", PQerrorMessage(conn_));
            std::exit(1);
        }
        exec(QByteArray("SET search_path TO \"" + s.schema.toUtf8() + '"').constData());
    }
    ~RawPostgres() override { PQfinish(conn_); }
    int run(const QByteArray& sql, const char* text, int limit) override {
        PGresult* r = PQexecParams(conn_, numbered(sql).constData(), text ? 1 : 0, nullptr,
                                   text ? &text : nullptr, nullptr, nullptr, 0);
        if (PQresultStatus(r) != PGRES_TUPLES_OK)
            std::fprintf(stderr, "%s", PQresultErrorMessage(r));
        const int n = PQntuples(r);
        const int rows = limit < 0 ? n : std::min(n, limit);
        for (int i = 0; i < rows; ++i)
            for (int c = 0; c < PQnfields(r); ++c)
                PQgetvalue(r, i, c);
        PQclear(r);
        return rows;
    }
    void exec(const char* sql) override {
        PGresult* r = PQexec(conn_, sql);
        if (PQresultStatus(r) != PGRES_COMMAND_OK && PQresultStatus(r) != PGRES_TUPLES_OK)
            std::fprintf(stderr, "%s", PQresultErrorMessage(r));
        PQclear(r);
    }
    void insertMany(const QByteArray& sql, int n, qint64& next) override {
        exec("BEGIN");
        PQclear(PQprepare(conn_, "ins", numbered(sql).constData(), 1, nullptr));
        for (int i = 0; i < n; ++i) {
            const QByteArray v = QByteArray::number(++next);
            const char* p = v.constData();
            PQclear(PQexecPrepared(conn_, "ins", 1, &p, nullptr, nullptr, 0));
        }
        exec("DEALLOCATE ins");
        exec("COMMIT");
    }

private:
    static QByteArray numbered(QByteArray sql) { return sql.replace('?', "$1"); }
    PGconn* conn_ = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 200000;
    QTemporaryDir tmp;
    const QString dir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();
    QString error;
    auto db = Database::open(dir, &error);
    if (!db) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const FieldDefs fields{{"KOD", 'N', 0},    {"PRIEZVISKO", 'A', 30}, {"MENO", 'A', 15},
                           {"RC", 'A', 11},    {"DATUM", 'D', 0},       {"SUMAPOI", 'F', 0},
                           {"SUMAPAC", 'F', 0}, {"KODFA", 'N', 0},      {"KODDAV", 'N', 0}};
    const IndexDefs indexes{IndexDef::Primary({"KOD"}),
                            IndexDef::Secondary("Priezvisko", {"PRIEZVISKO"}, true),
                            IndexDef::Secondary("Rc", {"RC"}),
                            IndexDef::Secondary("Kodfa", {"KODFA", "KODDAV", "KOD"})};
    if (!db->tableExists("POUKAZ.DB")) {
        if (!db->createTable("POUKAZ.DB", fields, indexes, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        const QStringList surnames{"Novák", "Kováč", "Horváth", "Varga", "Tóth", "Nagy",
                                   "Baláž", "Szabó", "Molnár", "Čierny", "Šimko", "Chovanec",
                                   "Žiak", "Ďurica", "Lukáč", "Oravec", "Kučera", "Mráz"};
        const QStringList names{"Ján", "Peter", "Mária", "Eva", "Jozef", "Anna", "Štefan"};
        std::mt19937 rng(42);
        Table t(db.get(), "POUKAZ.DB");
        Must(t.open(), t);
        QElapsedTimer timer;
        timer.start();
        WriteLock lock(*db);
        for (int i = 1; i <= rows; ++i) {
            Must(t.append(), t);
            t.field("KOD").setValue(i);
            t.field("PRIEZVISKO").setAsString(surnames[int(rng() % surnames.size())] +
                                              QString::number(rng() % 5000));
            t.field("MENO").setAsString(names[int(rng() % names.size())]);
            t.field("RC").setAsString(QString::number(5000000000LL + qint64(rng() % 999999999)));
            t.field("DATUM").setAsDays(39000 + rng() % 3000);
            t.field("SUMAPOI").setValue(double(rng() % 100000) / 100.0);
            t.field("SUMAPAC").setValue(double(rng() % 10000) / 100.0);
            t.field("KODFA").setValue(1 + i / 2000);
            t.field("KODDAV").setValue(1 + (i / 100) % 20);
            Must(t.post(), t);
        }
        if (!lock.commit()) {
            std::fprintf(stderr, "%s\n", qPrintable(lock.error()));
            return 1;
        }
        std::printf("generated %d rows in %.0f ms\n", rows, double(timer.elapsed()));
    }

    ServerSettings server;
    const bool onServer = ReadServerSettings(db->directory(), server, &error) == ServerChoice::Server;
    std::unique_ptr<RawDb> raw;
    if (onServer)
        raw = std::make_unique<RawPostgres>(server);
    else
        raw = std::make_unique<RawSqlite>(db->backend().databaseFile());
    // The orders spelled as the indexes have them, so that the database can use them.
    const Backend& b = db->backend();
    const QByteArray ci = b.collated(QStringLiteral("\"PRIEZVISKO\""), true).toUtf8();
    auto asc = [&](const QString& expr) { return b.orderTerm(expr, false).toUtf8(); };
    const QByteArray byName = asc(QString::fromUtf8(ci)) + ", " + asc("\"KOD\"") + ", " + asc("rowid");
    const QByteArray byCode = asc("\"KOD\"") + ", " + asc("rowid");
    const char* cols = "\"KOD\", \"PRIEZVISKO\", \"MENO\", \"RC\", \"DATUM\", \"SUMAPOI\", "
                       "\"SUMAPAC\", \"KODFA\", \"KODDAV\"";

    const auto readFirst = [](Table& t, int n) {
        int i = 0;
        for (t.first(); !t.eof() && i < n; t.next(), ++i)
            for (int f = 0; f < t.tableFieldCount(); ++f)
                t.field(f).value();
    };

    std::printf("rows: %d on %s\n", rows, qPrintable(db->backend().databaseFile()));
    const double openOurs = MedianMs(5, [&] {
        Table t(db.get(), "POUKAZ.DB");
        Must(t.setOrder("PRIEZVISKO"), t);
        Must(t.open(), t);
        readFirst(t, 50);
    });
    const QByteArray rawOrdered =
        "SELECT rowid FROM \"POUKAZ\" ORDER BY " + byName;
    const QByteArray rawFirst50 =
        QByteArray("SELECT ") + cols + " FROM \"POUKAZ\" ORDER BY " + byName + " LIMIT 50";
    const double openRawKeys = MedianMs(5, [&] { raw->run(rawOrdered); });
    const double openRaw50 = MedianMs(5, [&] { raw->run(rawFirst50); });
    Report("open ordered by a case-insensitive index, 50 rows", openOurs, openRawKeys);
    std::printf("%-52s %9s      raw %9.3f ms (first 50 rows only)\n", "", "", openRaw50);

    Table t(db.get(), "POUKAZ.DB");
    Must(t.setOrder("PRIEZVISKO"), t);
    Must(t.open(), t);
    bool flip = false;
    const double orderOurs = MedianMs(5, [&] {
        Must(t.setOrder((flip = !flip) ? "KOD" : "PRIEZVISKO"), t);
        readFirst(t, 50);
    });
    const double orderRaw = MedianMs(5, [&] {
        raw->run((flip = !flip) ? "SELECT rowid FROM \"POUKAZ\" ORDER BY " + byCode
                                : rawOrdered);
    });
    Report("change the order (KOD <-> PRIEZVISKO), 50 rows", orderOurs, orderRaw);

    Must(t.setOrder("PRIEZVISKO"), t);
    const char* probes[] = {"Nov", "Novák25", "Ch", "Žiak4999", "Kuč", "Ba"};
    int p = 0;
    const double findOurs =
        MedianMs(21, [&] { (void)t.findNearest({QString::fromUtf8(probes[p++ % 6])}); });
    p = 0;
    const QByteArray rawFind = QByteArray("SELECT ") + cols + " FROM \"POUKAZ\" WHERE " + ci +
                               " >= ? ORDER BY " + byName + " LIMIT 1";
    const double findRaw = MedianMs(21, [&] { raw->run(rawFind, probes[p++ % 6], 1); });
    Report("find nearest (incremental search keystroke)", findOurs, findRaw);

    const double lastOurs = MedianMs(21, [&] { LastValue(t, "KOD", "KOD"); });
    const double lastRaw =
        MedianMs(21, [&] { raw->run("SELECT MAX(\"KOD\") FROM \"POUKAZ\""); });
    Report("next code (LastValue of KOD)", lastOurs, lastRaw);

    Must(t.setOrder("KODFA;KODDAV;KOD"), t);
    const double compOurs = MedianMs(21, [&] { (void)t.findKey({50, 7}); });
    const double compRaw = MedianMs(21, [&] {
        raw->run("SELECT * FROM \"POUKAZ\" WHERE \"KODFA\" = 50 AND \"KODDAV\" = 7 ORDER BY " +
                     asc("\"KODFA\"") + ", " + asc("\"KODDAV\"") + ", " + asc("\"KOD\"") +
                     " LIMIT 1",
                 nullptr, 1);
    });
    Report("find on two fields of a composite order", compOurs, compRaw);

    // Every first(), find and count asks whether somebody else changed the table.
    Must(t.setOrder("KOD"), t);
    const double checkOurs = MedianMs(101, [&] { t.first(); });
    Report("check for changes by others (first())", checkOurs, 0);

    // Writes: the per-row cost inside one lock, and one whole change with its commit.
    Table w(db.get(), "POUKAZ.DB");
    Must(w.open(), w);
    qint64 next = LastValue(w, "KOD", "KOD");
    const double bulkOurs = MedianMs(5, [&] {
        WriteLock lock(*db);
        for (int i = 0; i < 1000; ++i) {
            Must(w.append(), w);
            w.field("KOD").setValue(++next);
            w.field("PRIEZVISKO").setAsString(QStringLiteral("Nový"));
            w.field("KODFA").setValue(1);
            Must(w.post(), w);
        }
        Must(lock.commit(), w);
    }) / 1000;
    const double bulkRaw = MedianMs(5, [&] {
        raw->insertMany("INSERT INTO \"POUKAZ\" (\"KOD\", \"PRIEZVISKO\", \"KODFA\") VALUES (?, "
                        "'Novy', 1)",
                        1000, next);
    }) / 1000;
    Report("append a row inside a held lock (per row)", bulkOurs, bulkRaw);

    const double oneOurs = MedianMs(21, [&] {
        WriteLock lock(*db);
        Must(w.append(), w);
        w.field("KOD").setValue(++next);
        w.field("PRIEZVISKO").setAsString(QStringLiteral("Jeden"));
        Must(w.post(), w);
        Must(lock.commit(), w);
    });
    const double oneRaw = MedianMs(21, [&] {
        raw->insertMany("INSERT INTO \"POUKAZ\" (\"KOD\", \"PRIEZVISKO\") VALUES (?, 'Jeden')", 1,
                        next);
    });
    Report("one saved record (lock, append, post, commit)", oneOurs, oneRaw);
    return 0;
}
