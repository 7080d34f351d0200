#pragma once
// A database system under the table engine. Every difference between database systems
// (connection, SQL dialect, locking, error kinds, fast key scans) lives in one subclass.
#include "core/engine/fielddef.h"
#include "core/engine/sqldialect.h"

#include <QVariantList>
#include <functional>
#include <vector>

namespace vidoraw {

// Lost: the connection to the database server broke; the next operation connects again.
// Exclusive: another program holds the data exclusively (reindexing, archiving, restoring).
enum class DbError { None, Busy, Constraint, Lost, Exclusive, Other };

struct DbStatus {
    DbError kind = DbError::None;
    QString message;
    bool ok() const { return kind == DbError::None; }
};

class Backend : public SqlDialect {
public:
    // Opens (creating when missing) the database of a data directory, and holds the data
    // shared: it fails while another program has them exclusively.
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
    // True when indexes must name the row id to serve the cursor's orders (SQLite keeps it in
    // every index by itself).
    virtual bool rowIdInIndexes() const { return false; }
    virtual QString columnType(const FieldDef& def) const = 0;
    virtual QString createTableSql(const QString& sqlName, const FieldDefs& fields) const = 0;
    // The database file, or the server's database as "user@host:port/database[/schema]".
    virtual QString databaseFile() const = 0;
    virtual bool columnExists(const QString& sqlName, const QString& column) = 0;

    // Statements after which the database itself counts every row change of a table (insert,
    // update, delete, by any program) in the CHANGES column of the catalog table, row TBL =
    // sqlName. Repeating them does no harm.
    virtual QStringList countChangesSql(const QString& sqlName, const QString& catalog) const = 0;
    // The tables whose changes the database already counts.
    virtual QStringList tablesCountingChanges(DbStatus& st) = 0;
    // True when a transaction counts once per table however many rows it changes (the
    // engine adds its own rows meanwhile, see Database::changeState).
    virtual bool countsOncePerTransaction() const { return false; }
    // Row ids a cursor reads at a time, 0 for all of an order at once. Over a network every id
    // costs transfer time: a server hands them out in windows as the cursor gets there.
    virtual int idWindow() const { return 0; }

    // Exclusive access: refused while another program holds the data shared.
    virtual bool tryExclusive() = 0;
    virtual void releaseExclusive() = 0;
    // True while another program has the data open.
    virtual bool othersConnected() = 0;
    // Who else has the data open ("workstation (user)"), where the database system can tell.
    virtual QStringList otherPrograms() { return {}; }
};

struct ServerSettings;

std::unique_ptr<Backend> MakeSqliteBackend();
std::unique_ptr<Backend> MakePostgresBackend(const ServerSettings& server);

} // namespace vidoraw
