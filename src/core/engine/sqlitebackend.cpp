#include "core/engine/backend.h"
#include "core/engine/collation.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>
#include <QUuid>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace vidoraw {

namespace {

int collateCs(void*, int n1, const void* s1, int n2, const void* s2) {
    return CompareSlovak(QStringView(static_cast<const char16_t*>(s1), n1 / 2),
                         QStringView(static_cast<const char16_t*>(s2), n2 / 2), false);
}

int collateCi(void*, int n1, const void* s1, int n2, const void* s2) {
    return CompareSlovak(QStringView(static_cast<const char16_t*>(s1), n1 / 2),
                         QStringView(static_cast<const char16_t*>(s2), n2 / 2), true);
}

class SqliteBackend final : public Backend {
public:
    ~SqliteBackend() override { close(); }

    bool open(const QString& directory, DbStatus& st) override {
        close();
        // Every running program holds the lock file shared; exclusive work holds it alone.
        const QByteArray lockPath =
            QFile::encodeName(QDir(directory).absoluteFilePath(QStringLiteral("vidoraw.lock")));
        lockFd_ = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (lockFd_ < 0) {
            st = {DbError::Other, QStringLiteral("Súbor zámku %1 sa nedá otvoriť.")
                                      .arg(QString::fromLocal8Bit(lockPath))};
            return false;
        }
        if (!lockFile(F_RDLCK)) {
            st = {DbError::Exclusive, QStringLiteral("Údaje používa iný program výhradne.")};
            closeLockFile();
            return false;
        }
        file_ = QDir(directory).absoluteFilePath(QStringLiteral("vidoraw.sqlite"));
        connName_ = QStringLiteral("vidoraw-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        {
            QSqlDatabase qdb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connName_);
            qdb.setDatabaseName(file_);
            if (!qdb.open()) {
                st = {DbError::Other, qdb.lastError().text()};
                QSqlDatabase::removeDatabase(connName_);
                connName_.clear();
                return false;
            }
            const QVariant h = qdb.driver()->handle();
            if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
                db_ = *static_cast<sqlite3* const*>(h.data());
        }
        if (!db_) {
            st = {DbError::Other, QStringLiteral("Databázový ovládač nedáva prístup k SQLite.")};
            close();
            return false;
        }
        sqlite3_create_collation_v2(db_, kCollationSk, SQLITE_UTF16LE, nullptr, collateCs,
                                    nullptr);
        sqlite3_create_collation_v2(db_, kCollationSkCi, SQLITE_UTF16LE, nullptr, collateCi,
                                    nullptr);
        sqlite3_busy_timeout(db_, 5000);
        // Text is kept as UTF-16 so the collations compare it without conversion. The change
        // counting triggers make every write keep a statement journal: in memory, not in a
        // temporary file written for each row.
        for (const char* p : {"PRAGMA encoding='UTF-16le'", "PRAGMA journal_mode=WAL",
                              "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=OFF",
                              "PRAGMA temp_store=MEMORY"}) {
            // Programs starting together on a new file: switching it to the log mode may be
            // refused at once instead of waiting.
            int tries = 0;
            while (!exec(QString::fromLatin1(p), {}, st)) {
                if (st.kind != DbError::Busy || ++tries > 100) {
                    close();
                    return false;
                }
                QThread::msleep(50);
            }
        }
        return true;
    }

    void close() override {
        closeLockFile();
        for (sqlite3_stmt* s : std::as_const(cache_))
            sqlite3_finalize(s);
        cache_.clear();
        db_ = nullptr;
        if (!connName_.isEmpty()) {
            {
                QSqlDatabase qdb = QSqlDatabase::database(connName_, false);
                qdb.close();
            }
            QSqlDatabase::removeDatabase(connName_);
            connName_.clear();
        }
    }

    bool isOpen() const override { return db_ != nullptr; }

    bool exec(const QString& sql, const QVariantList& binds, DbStatus& st,
              qint64* lastId = nullptr, int* changes = nullptr) override {
        sqlite3_stmt* s = prepare(sql, st);
        if (!s || !bind(s, binds, st))
            return false;
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            fail(rc, st);
            sqlite3_reset(s);
            return false;
        }
        sqlite3_reset(s);
        if (lastId)
            *lastId = sqlite3_last_insert_rowid(db_);
        if (changes)
            *changes = sqlite3_changes(db_);
        st = {};
        return true;
    }

    bool query(const QString& sql, const QVariantList& binds,
               const std::function<bool(const QVariantList&)>& row, DbStatus& st) override {
        sqlite3_stmt* s = prepare(sql, st);
        if (!s || !bind(s, binds, st))
            return false;
        // The callback may run other statements, so this one is taken out of the cache.
        cache_.remove(sql);
        int rc;
        const int n = sqlite3_column_count(s);
        QVariantList values;
        values.reserve(n);
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
            values.clear();
            for (int c = 0; c < n; ++c)
                values << column(s, c);
            if (!row(values)) {
                rc = SQLITE_DONE;
                break;
            }
        }
        const bool ok = rc == SQLITE_DONE;
        if (!ok)
            fail(rc, st);
        else
            st = {};
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
        if (cache_.contains(sql))
            sqlite3_finalize(s);
        else
            cache_.insert(sql, s);
        return ok;
    }

    bool ids(const QString& sql, const QVariantList& binds, std::vector<qint64>& out,
             DbStatus& st) override {
        out.clear();
        sqlite3_stmt* s = prepare(sql, st);
        if (!s || !bind(s, binds, st))
            return false;
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW)
            out.push_back(sqlite3_column_int64(s, 0));
        sqlite3_reset(s);
        if (rc != SQLITE_DONE)
            return fail(rc, st);
        st = {};
        return true;
    }

    bool beginWrite(int timeoutMs, DbStatus& st) override {
        sqlite3_busy_timeout(db_, timeoutMs);
        const bool ok = exec(QStringLiteral("BEGIN IMMEDIATE"), {}, st);
        sqlite3_busy_timeout(db_, 5000);
        return ok;
    }

    bool commit(DbStatus& st) override {
        if (exec(QStringLiteral("COMMIT"), {}, st))
            return true;
        rollback();
        return false;
    }

    void rollback() override {
        if (db_ && !sqlite3_get_autocommit(db_)) {
            // Statements still running would keep the transaction open.
            for (sqlite3_stmt* s : std::as_const(cache_))
                sqlite3_reset(s);
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }

    bool tableExists(const QString& sqlName) override {
        bool found = false;
        DbStatus st;
        query(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?"),
              {sqlName}, [&](const QVariantList&) {
                  found = true;
                  return false;
              },
              st);
        return found;
    }

    QStringList indexNames(const QString& sqlName, DbStatus& st) override {
        QStringList out;
        query(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index' AND tbl_name=? "
                             "AND sql IS NOT NULL"),
              {sqlName},
              [&](const QVariantList& r) {
                  out << r[0].toString();
                  return true;
              },
              st);
        return out;
    }

    QString rowIdColumn() const override { return QStringLiteral("rowid"); }

    QString columnType(const FieldDef& def) const override {
        switch (def.type) {
        case 'I':
        case 'N':
        case 'L':
            return QStringLiteral("INTEGER");
        case 'F':
            return QStringLiteral("REAL");
        default:
            return QStringLiteral("TEXT");
        }
    }

    QString createTableSql(const QString& sqlName, const FieldDefs& fields) const override {
        QStringList cols;
        for (const FieldDef& f : fields)
            cols << quoteName(f.name.toUpper()) + ' ' + columnType(f);
        return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteName(sqlName), cols.join(", "));
    }

    QString databaseFile() const override { return file_; }

    bool columnExists(const QString& sqlName, const QString& column) override {
        bool found = false;
        DbStatus st;
        query(QStringLiteral("SELECT 1 FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE"),
              {sqlName, column},
              [&](const QVariantList&) {
                  found = true;
                  return false;
              },
              st);
        return found;
    }

    bool tryExclusive() override { return lockFile(F_WRLCK); }
    void releaseExclusive() override { lockFile(F_RDLCK); }

    bool othersConnected() override {
        // Asks whether an exclusive lock would be granted, without taking it.
        struct flock fl{};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        return lockFd_ >= 0 && ::fcntl(lockFd_, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
    }

    QStringList countChangesSql(const QString& sqlName, const QString& catalog) const override {
        QString literal = sqlName;
        literal.replace('\'', QStringLiteral("''"));
        QStringList out;
        for (const char* event : {"INSERT", "UPDATE", "DELETE"}) {
            const QString name = sqlName + QStringLiteral("__CHANGES_") + QLatin1Char(event[0]);
            out << QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1 AFTER %2 ON %3 BEGIN UPDATE %4 "
                                  "SET CHANGES = CHANGES + 1 WHERE TBL = '%5'; END")
                       .arg(quoteName(name), QLatin1String(event), quoteName(sqlName),
                            quoteName(catalog), literal);
        }
        return out;
    }

    QStringList tablesCountingChanges(DbStatus& st) override {
        // The delete trigger is made last, in the same transaction as the other two.
        QStringList out;
        query(QStringLiteral("SELECT tbl_name FROM sqlite_master WHERE type='trigger' AND "
                             "name = tbl_name || '__CHANGES_D'"),
              {},
              [&](const QVariantList& r) {
                  out << r[0].toString();
                  return true;
              },
              st);
        return out;
    }

    QString collated(const QString& expr, bool ci) const override {
        return dialect_.collated(expr, ci);
    }
    QString prefix(const QString& expr, int n) const override { return dialect_.prefix(expr, n); }

private:
    sqlite3_stmt* prepare(const QString& sql, DbStatus& st) {
        if (!db_) {
            st = {DbError::Other, QStringLiteral("Databáza nie je otvorená.")};
            return nullptr;
        }
        auto it = cache_.constFind(sql);
        if (it != cache_.constEnd())
            return *it;
        sqlite3_stmt* s = nullptr;
        const int rc = sqlite3_prepare16_v3(db_, sql.utf16(), int(sql.size() * 2),
                                            SQLITE_PREPARE_PERSISTENT, &s, nullptr);
        if (rc != SQLITE_OK) {
            fail(rc, st);
            return nullptr;
        }
        cache_.insert(sql, s);
        return s;
    }

    bool bind(sqlite3_stmt* s, const QVariantList& binds, DbStatus& st) {
        sqlite3_clear_bindings(s);
        for (int i = 0; i < binds.size(); ++i) {
            const QVariant& v = binds[i];
            int rc;
            if (!v.isValid() || v.isNull()) {
                rc = sqlite3_bind_null(s, i + 1);
            } else {
                switch (v.typeId()) {
                case QMetaType::Int:
                case QMetaType::LongLong:
                case QMetaType::UInt:
                case QMetaType::ULongLong:
                case QMetaType::Bool:
                    rc = sqlite3_bind_int64(s, i + 1, v.toLongLong());
                    break;
                case QMetaType::Double:
                    rc = sqlite3_bind_double(s, i + 1, v.toDouble());
                    break;
                default: {
                    const QString t = v.toString();
                    rc = sqlite3_bind_text16(s, i + 1, t.utf16(), int(t.size() * 2),
                                             SQLITE_TRANSIENT);
                }
                }
            }
            if (rc != SQLITE_OK) {
                fail(rc, st);
                return false;
            }
        }
        return true;
    }

    static QVariant column(sqlite3_stmt* s, int c) {
        switch (sqlite3_column_type(s, c)) {
        case SQLITE_INTEGER:
            return qint64(sqlite3_column_int64(s, c));
        case SQLITE_FLOAT:
            return sqlite3_column_double(s, c);
        case SQLITE_NULL:
            return QVariant();
        default: {
            const void* p = sqlite3_column_text16(s, c);
            const int n = sqlite3_column_bytes16(s, c);
            return QString(reinterpret_cast<const QChar*>(p), n / 2);
        }
        }
    }

    bool fail(int rc, DbStatus& st) {
        const int base = rc & 0xff;
        st.kind = (base == SQLITE_BUSY || base == SQLITE_LOCKED) ? DbError::Busy
                  : base == SQLITE_CONSTRAINT                    ? DbError::Constraint
                                                                 : DbError::Other;
        st.message = QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
        return false;
    }

    bool lockFile(short type) {
        struct flock fl{};
        fl.l_type = type;
        fl.l_whence = SEEK_SET;
        fl.l_start = 0;
        fl.l_len = 0;
        return lockFd_ >= 0 && ::fcntl(lockFd_, F_OFD_SETLK, &fl) == 0;
    }

    void closeLockFile() {
        if (lockFd_ >= 0)
            ::close(lockFd_);
        lockFd_ = -1;
    }

    SqliteDialect dialect_;
    int lockFd_ = -1;
    QString file_;
    QString connName_;
    sqlite3* db_ = nullptr;
    QHash<QString, sqlite3_stmt*> cache_;
};

} // namespace

std::unique_ptr<Backend> MakeSqliteBackend() { return std::make_unique<SqliteBackend>(); }

} // namespace vidoraw
