#pragma once
// One data directory: its tables (in one database file), their definitions, the write lock
// and the exclusive access that reindexing, archiving and restoring need.
#include "core/engine/backend.h"
#include "core/engine/fielddef.h"

#include <QHash>
#include <QSet>
#include <QObject>
#include <memory>

namespace vidoraw {

class Database : public QObject {
    Q_OBJECT
public:
    ~Database() override;

    // Opens the database of a data directory, creating directory and database when missing.
    // Fails while another process holds the directory exclusively.
    [[nodiscard]] static std::unique_ptr<Database> open(const QString& directory,
                                                        QString* error);

    // The database of a data directory without the engine's catalog: a plain connection, as
    // another program that writes SQL would have (the copy check, tests).
    static std::unique_ptr<Backend> openBackend(const QString& directory, QString* error);

    QString directory() const { return dir_; }
    Backend& backend() { return *backend_; }

    // Definitions. Table names are file names ("ZMLUVA.db"); case does not matter.
    bool tableExists(const QString& fileName);
    [[nodiscard]] bool createTable(const QString& fileName, const FieldDefs& fields,
                                   const IndexDefs& indexes, QString* error);
    FieldDefs fieldDefs(const QString& fileName);
    IndexDefs indexDefs(const QString& fileName);
    [[nodiscard]] bool addIndex(const QString& fileName, const IndexDef& index, QString* error);
    // Replaces all indexes of a table by the given ones (reindexing).
    [[nodiscard]] bool redefineIndexes(const QString& fileName, const IndexDefs& indexes,
                                       QString* error);
    [[nodiscard]] bool addField(const QString& fileName, const FieldDef& field, QString* error);
    [[nodiscard]] bool emptyTable(const QString& fileName, QString* error);
    [[nodiscard]] bool dropTable(const QString& fileName, QString* error);
    QStringList tableNames();

    // Write lock. Nested locks share one transaction; the outermost commit makes the
    // change durable, any rollback undoes all of it.
    [[nodiscard]] bool beginWrite(QString* error, DbError* kind = nullptr);
    [[nodiscard]] bool commitWrite(QString* error);
    void rollbackWrite();
    bool inWrite() const { return writeDepth_ > 0; }
    void setLockTimeout(int ms) { lockTimeoutMs_ = ms; }
    int lockTimeout() const { return lockTimeoutMs_; }

    // Every table counts the changes of its rows (whoever wrote them: the database itself
    // counts them) and of its definition, so that every cursor, of this process or another,
    // knows when its rows or its fields are stale.
    struct ChangeState {
        qint64 rows = -1;
        qint64 definition = -1;
    };
    // Reading the state also forgets this process's copy of a definition that another
    // process changed.
    ChangeState changeState(const QString& sqlName);
    // Called by cursors inside a write, with the rows they changed: the table's change signal
    // follows the commit.
    void noteChange(const QString& sqlName, int rows = 0);

    // Exclusive access to the data: refused while another program has them open.
    bool tryExclusive();
    void releaseExclusive();
    bool isExclusive() const { return exclusive_; }
    // Whether another program has the data open now, and who, where the database can tell
    // ("workstation (user)"; a local database file names nobody).
    bool othersConnected();
    QStringList otherPrograms();

    // Ordering of a field list: the index defining it decides case and direction.
    struct OrderInfo {
        QStringList fields;
        QList<int> fieldIndexes;
        bool caseInsensitive = false;
        bool descending = false;
    };
    OrderInfo orderInfo(const QString& fileName, const QStringList& fields);
    // Primary key fields (empty when the table has no primary index).
    QStringList primaryFields(const QString& fileName);

signals:
    void tableChanged(const QString& sqlName);

private:
    Database() = default;
    struct TableInfo {
        QString fileName;
        FieldDefs fields;
        IndexDefs indexes;
        qint64 definition = -1; // the definition counter when read
    };
    TableInfo* info(const QString& fileName);
    bool createIndexSql(const QString& sqlName, const TableInfo& t, const IndexDef& idx,
                        int position, DbStatus& st);
    bool ensureCatalog(QString* error);
    bool catalogComplete();
    bool countRowChanges(const QString& sqlName, DbStatus& st);
    bool countDefinitionChange(const QString& sqlName, DbStatus& st);
    bool runWrite(const std::function<bool(DbStatus&)>& work, QString* error);

    QString dir_;
    std::unique_ptr<Backend> backend_;
    QHash<QString, TableInfo> tables_;
    int writeDepth_ = 0;
    bool writeFailed_ = false;
    int lockTimeoutMs_ = 5000;
    bool exclusive_ = false;
    QSet<QString> pendingChanged_;
    QHash<QString, qint64> writeRows_; // rows this program changed in the open write
};

// RAII write lock: rolled back unless committed.
class WriteLock {
public:
    explicit WriteLock(Database& db);
    ~WriteLock();
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;
    bool ok() const { return active_; }
    QString error() const { return error_; }
    DbError errorKind() const { return kind_; }
    [[nodiscard]] bool commit();
    void rollback();

private:
    Database& db_;
    bool active_ = false;
    QString error_;
    DbError kind_ = DbError::None;
};

} // namespace vidoraw
