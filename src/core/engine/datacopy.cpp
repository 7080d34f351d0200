#include "core/engine/datacopy.h"

#include "core/engine/table.h"

namespace vidoraw {

namespace {

constexpr int kRowsPerWrite = 2000; // one transaction each: a long one helps nobody

bool Fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

// Every row of a table, in the order of its primary key (or its first field).
bool ScanAll(Table& t, const std::function<bool(const QVector<QVariant>&)>& visit) {
    QString order;
    if (t.database()->primaryFields(t.tableName()).isEmpty())
        order = t.fieldDefs().value(0).name;
    return t.scanOrder(order, {}, false, [&](qint64, const QVector<QVariant>& row) {
        return visit(row);
    });
}

int CountRows(Database& db, const QString& fileName) {
    Table t(&db, fileName);
    return t.open() ? t.recordCount() : -1;
}

} // namespace

bool CopyTable(Database& from, Database& to, const QString& name, qint64& rows, QString* error,
               const QString& targetName) {
    rows = 0;
    const QString target = targetName.isEmpty() ? name : targetName;
    const FieldDefs fields = from.fieldDefs(name);
    if (!to.createTable(target, fields, from.indexDefs(name), error))
        return false;
    Table source(&from, name);
    Table copy(&to, target);
    if (!source.open())
        return Fail(error, source.lastError());
    if (!copy.open())
        return Fail(error, copy.lastError());
    std::unique_ptr<WriteLock> lock;
    int inLock = 0;
    QString why;
    const bool scanned = ScanAll(source, [&](const QVector<QVariant>& row) {
        if (!lock) {
            lock = std::make_unique<WriteLock>(to);
            if (!lock->ok()) {
                why = lock->error();
                return false;
            }
        }
        if (!copy.append()) {
            why = copy.lastError();
            return false;
        }
        for (int i = 0; i < fields.size(); ++i)
            if (!row[i].isNull() && !copy.field(i).setValue(row[i])) {
                why = copy.lastError();
                return false;
            }
        if (!copy.post()) {
            why = QStringLiteral("%1: %2").arg(name, copy.lastError());
            return false;
        }
        if (++inLock == kRowsPerWrite) {
            inLock = 0;
            const bool ok = lock->commit();
            if (!ok)
                why = lock->error();
            lock.reset();
            return ok;
        }
        return true;
    });
    if (!why.isEmpty())
        return Fail(error, why);
    if (!scanned)
        return Fail(error, source.lastError());
    if (lock && !lock->commit())
        return Fail(error, lock->error());
    lock.reset();
    // The count check: both sides counted afresh from their databases.
    const int have = CountRows(from, name);
    const int copied = CountRows(to, target);
    if (have < 0 || have != copied)
        return Fail(error, QStringLiteral("Tabuľka %1: v zdroji %2 záznamov, v cieli %3.")
                               .arg(name)
                               .arg(have)
                               .arg(copied));
    rows = copied;
    return true;
}

bool CopyData(Database& from, Database& to, CopyReport& report, QString* error,
              const std::function<void(const QString&)>& progress) {
    report = {};
    if (!to.tableNames().isEmpty())
        return Fail(error, QStringLiteral("Cieľová databáza %1 už obsahuje tabuľky; kopírovať "
                                          "možno len do prázdnej.")
                               .arg(to.backend().databaseFile()));
    const QStringList tables = from.tableNames();
    for (const QString& name : tables) {
        if (progress)
            progress(name);
        qint64 copied = 0;
        if (!CopyTable(from, to, name, copied, error))
            return false;
        report.tables << QStringLiteral("%1: %2").arg(name).arg(copied);
        report.rows += copied;
    }
    if (to.tableNames().size() != tables.size())
        return Fail(error, QStringLiteral("Cieľ nemá všetky tabuľky zdroja."));
    return true;
}

} // namespace vidoraw
