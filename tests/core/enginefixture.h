#pragma once
// A fresh data directory with a small table of persons.
#include "core/engine/collation.h"
#include "core/engine/tableops.h"
#include "persontable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

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

// Another program writing the database with plain SQL (a command-line tool, a script) that
// knows nothing of the engine; it only brings the text orders the indexes name. Its SQL names
// tables and columns in quotes, as they are stored.
class OutsideWriter {
public:
    explicit OutsideWriter(const Database& db)
        : backend_(Database::openBackend(db.directory(), &error)) {}
    OutsideWriter(const OutsideWriter&) = delete;
    OutsideWriter& operator=(const OutsideWriter&) = delete;

    // False with error set when the statement fails.
    bool exec(const QString& sql) {
        if (!backend_)
            return false;
        DbStatus st;
        const bool ok = backend_->exec(sql, {}, st);
        error = st.message;
        return ok;
    }
    QString error;

private:
    std::unique_ptr<Backend> backend_;
};

// True when the tests run on the database server.
inline bool OnServer(Database& db) { return !db.backend().databaseFile().endsWith(".sqlite"); }

// The values of one field along the cursor's order.
inline QStringList Walk(Table& t, const QString& field) {
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.field(field).asString();
    return out;
}

} // namespace vidoraw::test
