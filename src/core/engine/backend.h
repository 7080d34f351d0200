#pragma once
// A database system under the table engine. Every difference between database systems
// (connection, SQL dialect, locking, error kinds, fast key scans) lives in one subclass.
#include "core/engine/fielddef.h"
#include "core/engine/sqldialect.h"

#include <QVariantList>
#include <functional>
#include <vector>

namespace vidoraw {

enum class DbError { None, Busy, Constraint, Other };

struct DbStatus {
    DbError kind = DbError::None;
    QString message;
    bool ok() const { return kind == DbError::None; }
};

class Backend : public SqlDialect {
public:
    // Opens (creating when missing) the database of a data directory.
    virtual bool open(const QString& directory, DbStatus& st) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Runs one statement; lastId receives the new row's id after an insert.
    virtual bool exec(const QString& sql, const QVariantList& binds, DbStatus& st,
                      qint64* lastId = nullptr, int* changes = nullptr) = 0;
    // Streams result rows; the callback answers false to stop early.
    virtual bool query(const QString& sql, const QVariantList& binds,
                       const std::function<bool(const QVariantList&)>& row, DbStatus& st) = 0;
    // The first column of every row as a 64-bit integer (row ids in order).
    virtual bool ids(const QString& sql, const QVariantList& binds, std::vector<qint64>& out,
                     DbStatus& st) = 0;

    // The write lock: waits up to the timeout for other writers.
    virtual bool beginWrite(int timeoutMs, DbStatus& st) = 0;
    virtual bool commit(DbStatus& st) = 0;
    virtual void rollback() = 0;

    virtual bool tableExists(const QString& sqlName) = 0;
    // Names of the indexes the engine created on a table.
    virtual QStringList indexNames(const QString& sqlName, DbStatus& st) = 0;
    // Name of the hidden row id column every table has.
    virtual QString rowIdColumn() const = 0;
    virtual QString columnType(const FieldDef& def) const = 0;
    virtual QString createTableSql(const QString& sqlName, const FieldDefs& fields) const = 0;
    virtual QString databaseFile() const = 0;

    // Statements after which the database itself counts every row change of a table (insert,
    // update, delete, by any program) in the CHANGES column of the catalog table, row TBL =
    // sqlName. Repeating them does no harm.
    virtual QStringList countChangesSql(const QString& sqlName, const QString& catalog) const = 0;
    // The tables whose changes the database already counts.
    virtual QStringList tablesCountingChanges(DbStatus& st) = 0;
};

std::unique_ptr<Backend> MakeSqliteBackend();

} // namespace vidoraw
