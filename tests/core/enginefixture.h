#pragma once
// A fresh data directory with a small table of persons.
#include "core/engine/collation.h"
#include "core/engine/tableops.h"
#include "persontable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sqlite3.h>

namespace vidoraw::test {

// Fails the current test with the engine's message when an engine call fails.
#define ENGINE_OK(call, obj)                                                                       \
    do {                                                                                           \
        if (!(call))                                                                               \
            QFAIL(qPrintable(QStringLiteral(#call ": ") + (obj).lastError()));                    \
    } while (0)

struct EngineFixture {
    QTemporaryDir dir;
    std::unique_ptr<Database> db;

    bool init(QString* error = nullptr) {
        db = Database::open(dir.path(), error);
        return db && db->createTable("OSOBY.DB", PersonFields(), PersonIndexes(), error);
    }

    // Rows: "KOD|PRIEZ|MENO|MESTO" (shorter rows leave the rest blank).
    bool add(const QStringList& rows, QString* error = nullptr) {
        Table t(db.get(), "OSOBY.DB");
        if (!t.open())
            return false;
        for (const QString& r : rows) {
            const QStringList v = r.split('|');
            if (!t.append())
                return false;
            for (int i = 0; i < v.size(); ++i)
                t.field(i).setAsString(v[i]);
            if (!t.post()) {
                if (error)
                    *error = t.lastError();
                return false;
            }
        }
        return true;
    }
};

// Another program writing the database file with plain SQL (a command-line tool, a script)
// that knows nothing of the engine; it only brings the text orders the indexes name.
class OutsideWriter {
public:
    explicit OutsideWriter(const QString& databaseFile) {
        sqlite3_open_v2(QFile::encodeName(databaseFile).constData(), &db_, SQLITE_OPEN_READWRITE,
                        nullptr);
        sqlite3_busy_timeout(db_, 5000);
        sqlite3_create_collation_v2(db_, kCollationSk, SQLITE_UTF16LE, nullptr, &Cs, nullptr);
        sqlite3_create_collation_v2(db_, kCollationSkCi, SQLITE_UTF16LE, nullptr, &Ci, nullptr);
    }
    ~OutsideWriter() { sqlite3_close(db_); }
    OutsideWriter(const OutsideWriter&) = delete;
    OutsideWriter& operator=(const OutsideWriter&) = delete;

    // False with error set when the statement fails.
    bool exec(const QString& sql) {
        char* message = nullptr;
        const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message);
        error = QString::fromUtf8(message ? message : "");
        sqlite3_free(message);
        return rc == SQLITE_OK;
    }
    QString error;

private:
    static int Cs(void*, int n1, const void* s1, int n2, const void* s2) {
        return CompareSlovak(QStringView(static_cast<const char16_t*>(s1), n1 / 2),
                             QStringView(static_cast<const char16_t*>(s2), n2 / 2), false);
    }
    static int Ci(void*, int n1, const void* s1, int n2, const void* s2) {
        return CompareSlovak(QStringView(static_cast<const char16_t*>(s1), n1 / 2),
                             QStringView(static_cast<const char16_t*>(s2), n2 / 2), true);
    }
    sqlite3* db_ = nullptr;
};

// The values of one field along the cursor's order.
inline QStringList Walk(Table& t, const QString& field) {
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.field(field).asString();
    return out;
}

} // namespace vidoraw::test
