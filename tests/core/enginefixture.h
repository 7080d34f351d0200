#pragma once
// A fresh data directory with a small table of persons.
#include "core/engine/tableops.h"

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

inline FieldDefs PersonFields() {
    return {{"KOD", 'N', 0},   {"PRIEZ", 'A', 20}, {"MENO", 'A', 12}, {"MESTO", 'A', 20},
            {"DATNAR", 'D', 0}, {"SUMA", 'F', 0},  {"POCET", 'I', 0}, {"PLATCA", 'L', 0}};
}

inline IndexDefs PersonIndexes() {
    return {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Priez", {"PRIEZ"}, true),
            IndexDef::Secondary("Mesto", {"MESTO", "PRIEZ"}, true),
            IndexDef::Secondary("Meno", {"MENO"}, false)};
}

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
            t.append();
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

// The values of one field along the cursor's order.
inline QStringList Walk(Table& t, const QString& field) {
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.field(field).asString();
    return out;
}

} // namespace vidoraw::test
