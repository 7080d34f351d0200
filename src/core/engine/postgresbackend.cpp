#include "core/engine/backend.h"
#include "core/engine/collation.h"
#include "core/engine/serversettings.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSysInfo>
#include <QUuid>
#include <charconv>
#include <cmath>
#include <libpq-fe.h>
#include <limits>

namespace vidoraw {

namespace {

// First keys of the advisory locks; the second is the schema's own number.
constexpr int kWriteLockSpace = 0x56520001; // the write lock, one writer at a time
constexpr int kDataLockSpace = 0x56520002;  // held shared by every program; exclusive work
constexpr qint64 kLargestPage = 16384;       // rows of one read of a long scan

// Type numbers of the results the engine reads (pg_type.oid).
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26, kFloat4 = 700,
              kFloat8 = 701, kNumeric = 1700;

int SchemaKey(const QString& schema) {
    quint32 h = 2166136261u;
    for (char c : schema.toUtf8()) {
        h ^= quint8(c);
        h *= 16777619u;
    }
    return int(h & 0x7fffffffu);
}

// The engine writes "?" placeholders; PostgreSQL numbers them. Quoted names and texts are
// left alone.
QByteArray NumberPlaceholders(const QString& sql, int* count) {
    QString out;
    out.reserve(sql.size() + 16);
    int n = 0;
    QChar quote;
    for (QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            out += c;
        } else if (c == u'\'' || c == u'"') {
            quote = c;
            out += c;
        } else if (c == u'?') {
            out += u'$' + QString::number(++n);
        } else {
            out += c;
        }
    }
    if (count)
        *count = n;
    return out.toUtf8();
}

QByteArray BindText(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? "1" : "0";
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QByteArray::number(v.toLongLong());
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (std::isnan(d))
            return "NaN";
        if (std::isinf(d))
            return d > 0 ? "Infinity" : "-Infinity";
        return QByteArray::number(d, 'g', 17);
    }
    default:
        return v.toString().toUtf8();
    }
}

QVariant ResultValue(const PGresult* r, int row, int col) {
    if (PQgetisnull(r, row, col))
        return QVariant();
    const char* p = PQgetvalue(r, row, col);
    const int n = PQgetlength(r, row, col);
    switch (PQftype(r, col)) {
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid: {
        qint64 v = 0;
        std::from_chars(p, p + n, v);
        return v;
    }
    case kFloat4:
    case kFloat8:
    case kNumeric: {
        double v = 0;
        if (std::from_chars(p, p + n, v).ec != std::errc()) {
            const QByteArray t(p, n);
            if (t == "NaN")
                v = std::numeric_limits<double>::quiet_NaN();
            else if (t.endsWith("Infinity"))
                v = t.startsWith('-') ? -std::numeric_limits<double>::infinity()
                                      : std::numeric_limits<double>::infinity();
        }
        return v;
    }
    case kBool:
        return qint64(*p == 't' ? 1 : 0);
    default:
        return QString::fromUtf8(p, n);
    }
}

void IgnoreNotice(void*, const char*) {}

class PostgresBackend final : public Backend {
public:
    explicit PostgresBackend(const ServerSettings& server)
        : server_(server), key_(SchemaKey(server.schema)) {}
    ~PostgresBackend() override { close(); }

    bool open(const QString&, DbStatus& st) override {
        close();
        connName_ = QStringLiteral("vidoraw-pg-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        {
            QSqlDatabase qdb = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connName_);
            if (!qdb.isValid()) {
                st = {DbError::Other,
                      QStringLiteral("Chýba ovládač databázy PostgreSQL (balík libqt6sql6-psql).")};
                QSqlDatabase::removeDatabase(connName_);
                connName_.clear();
                return false;
            }
            qdb.setHostName(server_.host);
            qdb.setPort(server_.port);
            qdb.setDatabaseName(server_.database);
            qdb.setUserName(server_.user);
            // The workstation's name shows whoever holds the data; no ";" may reach the options.
            QString who = QSysInfo::machineHostName() + u':' + qEnvironmentVariable("USER");
            who.remove(u';').remove(u'\'').remove(u'\\');
            qdb.setConnectOptions(QStringLiteral("connect_timeout=5;application_name='vidoraw:%1'")
                                      .arg(who.left(50)));
            if (!qdb.open()) {
                st = {DbError::Other, describe(qdb.lastError().text())};
                close();
                return false;
            }
            const QVariant h = qdb.driver()->handle();
            // The driver names the handle by libpq's own struct name.
            if (h.isValid() && (qstrcmp(h.typeName(), "PGconn*") == 0 ||
                                qstrcmp(h.typeName(), "pg_conn*") == 0))
                conn_ = *static_cast<PGconn* const*>(h.data());
        }
        if (!conn_) {
            st = {DbError::Other, QStringLiteral("Databázový ovládač nedáva prístup k PostgreSQL.")};
            close();
            return false;
        }
        PQsetNoticeProcessor(conn_, IgnoreNotice, nullptr);
        if (!prepareSession(st) || !ensureCollations(st)) {
            close();
            return false;
        }
        return true;
    }

    void close() override {
        // The server ends a closed session a moment later; until then its hold on the data
        // would refuse another program's exclusive work.
        if (conn_ && PQstatus(conn_) == CONNECTION_OK) {
            rollback();
            PQclear(PQexec(conn_, "SELECT pg_advisory_unlock_all()"));
        }
        prepared_.clear();
        inWrite_ = false;
        exclusive_ = false;
        conn_ = nullptr;
        if (!connName_.isEmpty()) {
            {
                QSqlDatabase qdb = QSqlDatabase::database(connName_, false);
                qdb.close();
            }
            QSqlDatabase::removeDatabase(connName_);
            connName_.clear();
        }
    }

    bool isOpen() const override { return conn_ != nullptr; }

    bool exec(const QString& sql, const QVariantList& binds, DbStatus& st, qint64* lastId = nullptr,
              int* changes = nullptr) override {
        const bool returning = lastId && sql.startsWith(QLatin1String("INSERT"));
        PGresult* r = run(returning ? sql + QStringLiteral(" RETURNING rowid") : sql, binds, st);
        if (!r)
            return false;
        if (returning && PQntuples(r) > 0)
            *lastId = ResultValue(r, 0, 0).toLongLong();
        if (changes) {
            const char* n = PQcmdTuples(r);
            *changes = n && *n ? std::atoi(n) : 0;
        }
        PQclear(r);
        return true;
    }

    bool query(const QString& sql, const QVariantList& binds,
               const std::function<bool(const QVariantList&)>& row, DbStatus& st) override {
        // The server would send every row of an open-ended ordered scan at once, while the
        // caller mostly wants the first few: such scans are read in growing pages, and a
        // whole table (the copy command) never stands in memory at once. Pages, not a
        // server cursor: the caller may run its own statements between two rows.
        const bool paged = sql.startsWith(QLatin1String("SELECT")) &&
                           sql.contains(QLatin1String(" ORDER BY ")) &&
                           !sql.contains(QLatin1String(" LIMIT "));
        if (!paged)
            return readAll(run(sql, binds, st), row, nullptr, st);
        const QString s = sql + QStringLiteral(" LIMIT ? OFFSET ?");
        qint64 offset = 0;
        for (qint64 page = 32;; page = std::min<qint64>(page * 16, kLargestPage)) {
            bool stopped = false;
            PGresult* r = run(s, QVariantList(binds) << page << offset, st);
            if (!r)
                return false;
            const int n = PQntuples(r);
            if (!readAll(r, row, &stopped, st))
                return false;
            if (stopped || n < page)
                return true;
            offset += n;
        }
    }

    bool ids(const QString& sql, const QVariantList& binds, std::vector<qint64>& out,
             DbStatus& st) override {
        out.clear();
        PGresult* r = run(sql, binds, st);
        if (!r)
            return false;
        const int n = PQntuples(r);
        out.reserve(size_t(n));
        for (int i = 0; i < n; ++i) {
            const char* p = PQgetvalue(r, i, 0);
            qint64 v = 0;
            std::from_chars(p, p + PQgetlength(r, i, 0), v);
            out.push_back(v);
        }
        PQclear(r);
        return true;
    }

    bool beginWrite(int timeoutMs, DbStatus& st) override {
        if (!connected(st))
            return false;
        // Codes computed inside are unique: every writer of these data takes the same lock.
        const QByteArray sql = QStringLiteral("BEGIN; SET LOCAL lock_timeout = %1; "
                                              "SELECT pg_advisory_xact_lock(%2, %3)")
                                   .arg(std::max(timeoutMs, 1))
                                   .arg(kWriteLockSpace)
                                   .arg(key_)
                                   .toUtf8();
        PGresult* r = PQexec(conn_, sql.constData());
        if (!resultOk(r, st)) {
            rollback();
            return false;
        }
        PQclear(r);
        inWrite_ = true;
        return true;
    }

    bool commit(DbStatus& st) override {
        if (!conn_) {
            st = notOpen();
            return false;
        }
        PGresult* r = PQexec(conn_, "COMMIT");
        inWrite_ = false;
        if (!resultOk(r, st))
            return false;
        // A transaction that failed before ends with ROLLBACK although COMMIT was asked.
        const bool committed = qstrcmp(PQcmdStatus(r), "COMMIT") == 0;
        PQclear(r);
        if (!committed)
            st = {DbError::Other, QStringLiteral("Zmena bola odvolaná.")};
        return committed;
    }

    void rollback() override {
        inWrite_ = false;
        if (conn_ && PQstatus(conn_) == CONNECTION_OK &&
            PQtransactionStatus(conn_) != PQTRANS_IDLE)
            PQclear(PQexec(conn_, "ROLLBACK"));
    }

    bool tableExists(const QString& sqlName) override {
        return exists(QStringLiteral("SELECT 1 FROM pg_tables WHERE schemaname = "
                                     "current_schema() AND tablename = ?"),
                      {sqlName});
    }

    QStringList indexNames(const QString& sqlName, DbStatus& st) override {
        QStringList out;
        query(QStringLiteral("SELECT c.relname FROM pg_index i JOIN pg_class c ON c.oid = "
                             "i.indexrelid JOIN pg_class t ON t.oid = i.indrelid WHERE t.relname "
                             "= ? AND t.relnamespace = current_schema()::regnamespace AND NOT "
                             "i.indisprimary"),
              {sqlName},
              [&](const QVariantList& r) {
                  out << r[0].toString();
                  return true;
              },
              st);
        return out;
    }

    QString rowIdColumn() const override { return QStringLiteral("rowid"); }
    bool rowIdInIndexes() const override { return true; }

    QString columnType(const FieldDef& def) const override {
        switch (def.type) {
        case 'I':
        case 'N':
        case 'L':
            return QStringLiteral("BIGINT");
        case 'F':
            return QStringLiteral("DOUBLE PRECISION");
        default:
            return QStringLiteral("TEXT");
        }
    }

    QString createTableSql(const QString& sqlName, const FieldDefs& fields) const override {
        QStringList cols{QStringLiteral("rowid BIGSERIAL PRIMARY KEY")};
        for (const FieldDef& f : fields)
            cols << quoteName(f.name.toUpper()) + u' ' + columnType(f);
        return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteName(sqlName), cols.join(", "));
    }

    QString databaseFile() const override {
        QString s = QStringLiteral("%1@%2:%3/%4")
                        .arg(server_.user, server_.host)
                        .arg(server_.port)
                        .arg(server_.database);
        if (server_.schema != QLatin1String("public"))
            s += u'/' + server_.schema;
        return s;
    }

    bool columnExists(const QString& sqlName, const QString& column) override {
        return exists(QStringLiteral("SELECT 1 FROM information_schema.columns WHERE "
                                     "table_schema = current_schema() AND table_name = ? AND "
                                     "lower(column_name) = lower(?)"),
                      {sqlName, column});
    }

    QStringList countChangesSql(const QString& sqlName, const QString& catalog) const override {
        QString literal = sqlName;
        literal.replace(u'\'', QStringLiteral("''"));
        // A transaction counts once per table: counting every row would update the catalog
        // row over and over, which slows a long transaction down with each row.
        QStringList out{
            QStringLiteral(
                "DO $do$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_proc WHERE proname = '_VR_COUNT' "
                "AND pronamespace = current_schema()::regnamespace) THEN CREATE FUNCTION "
                "\"_VR_COUNT\"() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN IF "
                "current_setting('vidoraw.n' || TG_RELID, true) IS DISTINCT FROM '1' THEN UPDATE "
                "%1 SET CHANGES = CHANGES + 1 WHERE TBL = TG_ARGV[0]; PERFORM "
                "set_config('vidoraw.n' || TG_RELID, '1', true); END IF; RETURN NULL; END $f$; "
                "END IF; END $do$")
                .arg(quoteName(catalog))};
        for (const char* event : {"INSERT", "UPDATE", "DELETE"}) {
            const QString name = sqlName + QStringLiteral("__CHANGES_") + QLatin1Char(event[0]);
            out << QStringLiteral("CREATE OR REPLACE TRIGGER %1 AFTER %2 ON %3 FOR EACH ROW "
                                  "EXECUTE FUNCTION \"_VR_COUNT\"('%4')")
                       .arg(quoteName(name), QLatin1String(event), quoteName(sqlName), literal);
        }
        return out;
    }

    QStringList tablesCountingChanges(DbStatus& st) override {
        QStringList out;
        query(QStringLiteral("SELECT c.relname FROM pg_trigger t JOIN pg_class c ON c.oid = "
                             "t.tgrelid WHERE c.relnamespace = current_schema()::regnamespace AND "
                             "t.tgname = c.relname || '__CHANGES_D'"),
              {},
              [&](const QVariantList& r) {
                  out << r[0].toString();
                  return true;
              },
              st);
        return out;
    }

    bool countsOncePerTransaction() const override { return true; }
    int idWindow() const override { return 1024; }

    bool tryExclusive() override {
        if (!exclusive_)
            exclusive_ = flag(QStringLiteral("SELECT pg_try_advisory_lock(%1, %2)")
                                  .arg(kDataLockSpace)
                                  .arg(key_));
        return exclusive_;
    }

    void releaseExclusive() override {
        if (exclusive_)
            flag(QStringLiteral("SELECT pg_advisory_unlock(%1, %2)").arg(kDataLockSpace).arg(key_));
        exclusive_ = false;
    }

    bool othersConnected() override { return !holders(false).isEmpty(); }
    QStringList otherPrograms() override { return holders(true); }

    QString collated(const QString& expr, bool ci) const override {
        return dialect_.collated(expr, ci);
    }
    QString prefix(const QString& expr, int n) const override { return dialect_.prefix(expr, n); }
    QString orderTerm(const QString& expr, bool desc) const override {
        return dialect_.orderTerm(expr, desc);
    }
    QString notOrBlank(const QString& condition) const override {
        return dialect_.notOrBlank(condition);
    }
    QString integerType() const override { return dialect_.integerType(); }

private:
    struct Prepared {
        QByteArray name;
        int params = 0;
    };

    static DbStatus notOpen() {
        return {DbError::Other, QStringLiteral("Databáza nie je otvorená.")};
    }

    QString describe(const QString& why) const {
        return QStringLiteral("Server databázy %1 neodpovedá: %2")
            .arg(databaseFile(), why.trimmed());
    }

    DbStatus lost() const {
        return {DbError::Lost,
                QStringLiteral("Spojenie so serverom databázy %1 sa prerušilo. Zapísané údaje "
                               "ostávajú vo formulári; keď bude server opäť dostupný, skúste to "
                               "znova.")
                    .arg(databaseFile())};
    }

    // The search path, the shared hold on the data and the collations, at every (re)connection.
    bool prepareSession(DbStatus& st) {
        // A workstation killed in the middle of a long statement would otherwise keep its locks
        // (the data held alone, a table's write lock) until that statement ends; servers before
        // 14 do not know the setting and go on as before.
        PQclear(PQexec(conn_, "SET client_connection_check_interval = 1000"));
        const QString schema = quoteName(server_.schema);
        QString sql;
        // A shop's own schema is made on its first start; a user who may not create schemas
        // still opens one that exists.
        if (server_.schema != QLatin1String("public")) {
            QString literal = server_.schema;
            literal.replace(u'\'', QStringLiteral("''"));
            sql += QStringLiteral("DO $do$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_namespace WHERE "
                                  "nspname = '%1') THEN CREATE SCHEMA %2; END IF; END $do$; ")
                       .arg(literal, schema);
        }
        sql += QStringLiteral("SET search_path TO %1; SELECT pg_try_advisory_lock_shared(%2, %3)")
                   .arg(schema)
                   .arg(kDataLockSpace)
                   .arg(key_);
        PGresult* r = PQexec(conn_, sql.toUtf8().constData());
        if (!resultOk(r, st)) {
            // Two programs making the same schema at once: the second finds it made.
            if (!schemaRetry_ && st.kind == DbError::Constraint) {
                schemaRetry_ = true;
                const bool ok = prepareSession(st);
                schemaRetry_ = false;
                return ok;
            }
            return false;
        }
        const bool held = PQntuples(r) == 1 && *PQgetvalue(r, 0, 0) == 't';
        PQclear(r);
        if (!held) {
            st = {DbError::Exclusive, QStringLiteral("Údaje používa iný program výhradne.")};
            return false;
        }
        return true;
    }

    bool ensureCollations(DbStatus& st) {
        if (exists(QStringLiteral("SELECT 1 FROM pg_collation WHERE collname = ? AND "
                                  "collnamespace = current_schema()::regnamespace"),
                   {QLatin1String(kCollationSkCi)}))
            return true;
        // The same order as the program's own comparison: ICU's Slovak rules, tertiary
        // strength; case-insensitive at secondary strength (accents still count).
        const QString sql =
            QStringLiteral("BEGIN; SELECT pg_advisory_xact_lock(%1, %2); "
                           "CREATE COLLATION IF NOT EXISTS %3 (provider = icu, locale = 'sk-SK'); "
                           "CREATE COLLATION IF NOT EXISTS %4 (provider = icu, locale = "
                           "'sk-SK-u-ks-level2', deterministic = false); COMMIT")
                .arg(kWriteLockSpace)
                .arg(key_)
                .arg(quoteName(QLatin1String(kCollationSk)), quoteName(QLatin1String(kCollationSkCi)));
        PGresult* r = PQexec(conn_, sql.toUtf8().constData());
        if (!resultOk(r, st)) {
            rollback();
            return false;
        }
        PQclear(r);
        return true;
    }

    // Connects again after the server was lost, unless a transaction was under way: its
    // changes are gone, and the caller must learn that by its rollback first.
    bool connected(DbStatus& st) {
        if (!conn_) {
            st = notOpen();
            return false;
        }
        if (PQstatus(conn_) == CONNECTION_OK)
            return true;
        if (inWrite_) {
            st = lost();
            return false;
        }
        prepared_.clear();
        exclusive_ = false;
        PQreset(conn_);
        if (PQstatus(conn_) != CONNECTION_OK) {
            st = lost();
            return false;
        }
        PQsetNoticeProcessor(conn_, IgnoreNotice, nullptr);
        // The driver set these on its own connection.
        PQclear(PQexec(conn_, "SET datestyle = 'ISO'; SET client_encoding = 'UTF8'"));
        if (!prepareSession(st))
            return false;
        return true;
    }

    PGresult* run(const QString& sql, const QVariantList& binds, DbStatus& st) {
        if (!connected(st))
            return nullptr;
        auto it = prepared_.constFind(sql);
        if (it == prepared_.constEnd()) {
            Prepared p;
            const QByteArray text = NumberPlaceholders(sql, &p.params);
            p.name = "vr" + QByteArray::number(++statements_);
            PGresult* r = PQprepare(conn_, p.name.constData(), text.constData(), 0, nullptr);
            if (!resultOk(r, st))
                return nullptr;
            PQclear(r);
            it = prepared_.insert(sql, p);
        }
        if (it->params != binds.size()) {
            st = {DbError::Other, QStringLiteral("Nesprávny počet hodnôt príkazu: %1").arg(sql)};
            return nullptr;
        }
        std::vector<QByteArray> values;
        std::vector<const char*> pointers;
        values.reserve(size_t(binds.size()));
        for (const QVariant& v : binds) {
            if (!v.isValid() || v.isNull()) {
                values.emplace_back();
                pointers.push_back(nullptr);
            } else {
                values.push_back(BindText(v));
                pointers.push_back(values.back().constData());
            }
        }
        PGresult* r = PQexecPrepared(conn_, it->name.constData(), int(pointers.size()),
                                     pointers.data(), nullptr, nullptr, 0);
        if (!resultOk(r, st)) {
            // A statement of a table made again, or a lost session: prepared afresh next time.
            prepared_.remove(sql);
            return nullptr;
        }
        return r;
    }

    bool readAll(PGresult* r, const std::function<bool(const QVariantList&)>& row, bool* stopped,
                 DbStatus& st) {
        if (!r)
            return false;
        const int rows = PQntuples(r);
        const int cols = PQnfields(r);
        QVariantList values;
        values.reserve(cols);
        for (int i = 0; i < rows; ++i) {
            values.clear();
            for (int c = 0; c < cols; ++c)
                values << ResultValue(r, i, c);
            if (!row(values)) {
                if (stopped)
                    *stopped = true;
                break;
            }
        }
        PQclear(r);
        st = {};
        return true;
    }

    // False with the kind and message of the error; the result is freed then.
    bool resultOk(PGresult* r, DbStatus& st) {
        const ExecStatusType s = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
        if (s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK) {
            st = {};
            return true;
        }
        const char* code = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
        const QByteArray state = code ? QByteArray(code) : QByteArray();
        QString message = QString::fromUtf8(
            r ? PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY) : PQerrorMessage(conn_));
        if (message.isEmpty())
            message = QString::fromUtf8(PQerrorMessage(conn_)).trimmed();
        if (const char* detail = r ? PQresultErrorField(r, PG_DIAG_MESSAGE_DETAIL) : nullptr)
            message += u' ' + QString::fromUtf8(detail);
        if (r)
            PQclear(r);
        if (PQstatus(conn_) != CONNECTION_OK || state.startsWith("08") || state.startsWith("57P")) {
            st = lost();
        } else if (state.startsWith("23")) {
            st = {DbError::Constraint, message};
        } else if (state == "55P03" || state == "40P01" || state == "40001") {
            st = {DbError::Busy, message};
        } else {
            st = {DbError::Other, message};
        }
        return false;
    }

    bool exists(const QString& sql, const QVariantList& binds) {
        bool found = false;
        DbStatus st;
        query(sql, binds,
              [&](const QVariantList&) {
                  found = true;
                  return false;
              },
              st);
        return found;
    }

    bool flag(const QString& sql) {
        bool value = false;
        DbStatus st;
        query(sql, {},
              [&](const QVariantList& r) {
                  value = r.value(0).toLongLong() != 0;
                  return false;
              },
              st);
        return value;
    }

    // Other sessions holding these data: "workstation (user)" each.
    QStringList holders(bool names) {
        QStringList out;
        DbStatus st;
        query(QStringLiteral(
                  "SELECT a.application_name, a.usename, a.client_addr::text FROM pg_locks l "
                  "LEFT JOIN pg_stat_activity a ON a.pid = l.pid WHERE l.locktype = 'advisory' "
                  "AND l.database = (SELECT oid FROM pg_database WHERE datname = "
                  "current_database()) AND l.classid = ?::oid AND l.objid = ?::oid AND "
                  "l.objsubid = 2 AND l.granted AND l.pid <> pg_backend_pid()"),
              {kDataLockSpace, key_},
              [&](const QVariantList& r) {
                  if (!names) {
                      out << QString();
                      return false;
                  }
                  const QString app = r[0].toString();
                  QString who;
                  if (app.startsWith(QLatin1String("vidoraw:"))) {
                      const QStringList parts = app.mid(8).split(u':');
                      who = parts.value(1).isEmpty()
                                ? parts.value(0)
                                : QStringLiteral("%1 (%2)").arg(parts.value(0), parts.value(1));
                  } else {
                      who = QStringLiteral("%1 (%2)").arg(r[2].toString(), r[1].toString());
                  }
                  if (!out.contains(who))
                      out << who;
                  return true;
              },
              st);
        return out;
    }

    ServerSettings server_;
    const int key_;
    PostgresDialect dialect_;
    QString connName_;
    PGconn* conn_ = nullptr;
    QHash<QString, Prepared> prepared_;
    qint64 statements_ = 0;
    bool inWrite_ = false;
    bool exclusive_ = false;
    bool schemaRetry_ = false;
};

} // namespace

std::unique_ptr<Backend> MakePostgresBackend(const ServerSettings& server) {
    return std::make_unique<PostgresBackend>(server);
}

} // namespace vidoraw
