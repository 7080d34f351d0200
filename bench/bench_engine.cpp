// The table engine on 200 000 voucher-like rows, each step beside the raw query that does the
// same work on the same database in the same run: SQLite's own interface on a database file,
// libpq on a server (a data directory with DATABAZA.INI).
//   bench_engine [rows] [data directory]
#include "core/engine/tableops.h"
#include "rawdb.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>

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

    std::unique_ptr<RawDb> raw = MakeRawDb(*db);
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
