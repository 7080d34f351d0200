// The table engine on 200 000 voucher-like rows, each step beside the raw SQLite query that
// does the same work in the same run.
//   bench_engine [rows] [data directory]
#include "core/engine/collation.h"
#include "core/engine/tableops.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
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

// Steps a raw statement to its end (or to limit rows), reading every column.
int RawRun(sqlite3* db, const char* sql, const char* text = nullptr, int limit = -1) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
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

    sqlite3* raw = nullptr;
    sqlite3_open_v2(QFile::encodeName(db->backend().databaseFile()).constData(), &raw,
                    SQLITE_OPEN_READONLY, nullptr);
    sqlite3_create_collation_v2(raw, "SK_CI", SQLITE_UTF16LE, nullptr, CollateCi, nullptr);
    sqlite3_create_collation_v2(raw, "SK", SQLITE_UTF16LE, nullptr, CollateCs, nullptr);
    const char* cols = "KOD, PRIEZVISKO, MENO, RC, DATUM, SUMAPOI, SUMAPAC, KODFA, KODDAV";

    const auto readFirst = [](Table& t, int n) {
        int i = 0;
        for (t.first(); !t.eof() && i < n; t.next(), ++i)
            for (int f = 0; f < t.tableFieldCount(); ++f)
                t.field(f).value();
    };

    std::printf("rows: %d\n", rows);
    const double openOurs = MedianMs(5, [&] {
        Table t(db.get(), "POUKAZ.DB");
        Must(t.setOrder("PRIEZVISKO"), t);
        Must(t.open(), t);
        readFirst(t, 50);
    });
    const QByteArray rawOrdered =
        QByteArray("SELECT rowid FROM POUKAZ ORDER BY PRIEZVISKO COLLATE SK_CI, KOD, rowid");
    const QByteArray rawFirst50 = QByteArray("SELECT ") + cols +
                                  " FROM POUKAZ ORDER BY PRIEZVISKO COLLATE SK_CI, KOD LIMIT 50";
    const double openRawKeys = MedianMs(5, [&] { RawRun(raw, rawOrdered.constData()); });
    const double openRaw50 = MedianMs(5, [&] { RawRun(raw, rawFirst50.constData()); });
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
        RawRun(raw, (flip = !flip) ? "SELECT rowid FROM POUKAZ ORDER BY KOD, rowid"
                                   : rawOrdered.constData());
    });
    Report("change the order (KOD <-> PRIEZVISKO), 50 rows", orderOurs, orderRaw);

    Must(t.setOrder("PRIEZVISKO"), t);
    const char* probes[] = {"Nov", "Novák25", "Ch", "Žiak4999", "Kuč", "Ba"};
    int p = 0;
    const double findOurs =
        MedianMs(21, [&] { (void)t.findNearest({QString::fromUtf8(probes[p++ % 6])}); });
    p = 0;
    const QByteArray rawFind = QByteArray("SELECT ") + cols +
                               " FROM POUKAZ WHERE PRIEZVISKO COLLATE SK_CI >= ? ORDER BY "
                               "PRIEZVISKO COLLATE SK_CI, KOD, rowid LIMIT 1";
    const double findRaw = MedianMs(21, [&] { RawRun(raw, rawFind.constData(), probes[p++ % 6], 1); });
    Report("find nearest (incremental search keystroke)", findOurs, findRaw);

    const double lastOurs = MedianMs(21, [&] { LastValue(t, "KOD", "KOD"); });
    const double lastRaw = MedianMs(21, [&] { RawRun(raw, "SELECT MAX(KOD) FROM POUKAZ"); });
    Report("next code (LastValue of KOD)", lastOurs, lastRaw);

    Must(t.setOrder("KODFA;KODDAV;KOD"), t);
    const double compOurs = MedianMs(21, [&] { (void)t.findKey({50, 7}); });
    const double compRaw = MedianMs(21, [&] {
        RawRun(raw, "SELECT * FROM POUKAZ WHERE KODFA = 50 AND KODDAV = 7 ORDER BY KODFA, KODDAV, "
                    "KOD LIMIT 1", nullptr, 1);
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
    sqlite3* rawWrite = nullptr;
    sqlite3_open_v2(QFile::encodeName(db->backend().databaseFile()).constData(), &rawWrite,
                    SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_create_collation_v2(rawWrite, "SK_CI", SQLITE_UTF16LE, nullptr, CollateCi, nullptr);
    sqlite3_create_collation_v2(rawWrite, "SK", SQLITE_UTF16LE, nullptr, CollateCs, nullptr);
    sqlite3_exec(rawWrite, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    const double bulkRaw = MedianMs(5, [&] {
        sqlite3_exec(rawWrite, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(rawWrite,
                           "INSERT INTO POUKAZ (KOD, PRIEZVISKO, KODFA) VALUES (?, 'Novy', 1)", -1,
                           &s, nullptr);
        for (int i = 0; i < 1000; ++i) {
            sqlite3_bind_int64(s, 1, ++next);
            sqlite3_step(s);
            sqlite3_reset(s);
        }
        sqlite3_finalize(s);
        sqlite3_exec(rawWrite, "COMMIT", nullptr, nullptr, nullptr);
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
        sqlite3_exec(rawWrite, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(rawWrite, "INSERT INTO POUKAZ (KOD, PRIEZVISKO) VALUES (?, 'Jeden')",
                           -1, &s, nullptr);
        sqlite3_bind_int64(s, 1, ++next);
        sqlite3_step(s);
        sqlite3_finalize(s);
        sqlite3_exec(rawWrite, "COMMIT", nullptr, nullptr, nullptr);
    });
    Report("one saved record (lock, append, post, commit)", oneOurs, oneRaw);
    sqlite3_close(rawWrite);

    sqlite3_close(raw);
    return 0;
}
