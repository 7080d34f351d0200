#pragma once
// The benchmarks' yardstick: the same statements without the engine, on the same database in
// the same run (SQLite's own interface on a database file, libpq on a server).
#include "core/engine/collation.h"
#include "core/engine/database.h"
#include "core/engine/serversettings.h"

#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <libpq-fe.h>
#include <memory>
#include <sqlite3.h>

namespace vidoraw {

inline int CollateCi(void*, int n1, const void* s1, int n2, const void* s2) {
    return CompareSlovak(QStringView(static_cast<const char16_t*>(s1), n1 / 2),
                         QStringView(static_cast<const char16_t*>(s2), n2 / 2), true);
}

inline int CollateCs(void*, int n1, const void* s1, int n2, const void* s2) {
    return CompareSlovak(QStringView(static_cast<const char16_t*>(s1), n1 / 2),
                         QStringView(static_cast<const char16_t*>(s2), n2 / 2), false);
}

// A row of a raw query: texts and numbers as the database gives them (an empty text for NULL).
class RawRow {
public:
    virtual ~RawRow() = default;
    virtual QString text(int column) const = 0;
    virtual double number(int column) const = 0;
};

// The same statements without the engine. SQL names are quoted: the server keeps capitals
// only in quoted names. One "?" parameter at most.
class RawDb {
public:
    virtual ~RawDb() = default;
    // Visits every row of a query.
    virtual void each(const QByteArray& sql, const std::function<void(const RawRow&)>& visit) = 0;
    // Runs a query to its end (or to limit rows), reading every column.
    virtual int run(const QByteArray& sql, const char* text = nullptr, int limit = -1) = 0;
    virtual void exec(const char* sql) = 0;
    // The statement with one integer parameter, n times in one transaction.
    virtual void insertMany(const QByteArray& sql, int n, qint64& next) = 0;
};

class RawSqlite final : public RawDb {
public:
    explicit RawSqlite(const QString& file) {
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_create_collation_v2(db_, kCollationSkCi, SQLITE_UTF16LE, nullptr, CollateCi, nullptr);
        sqlite3_create_collation_v2(db_, kCollationSk, SQLITE_UTF16LE, nullptr, CollateCs, nullptr);
        sqlite3_exec(db_, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    }
    ~RawSqlite() override { sqlite3_close(db_); }
    int run(const QByteArray& sql, const char* text, int limit) override {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db_, sql.constData(), -1, &s, nullptr);
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
    void each(const QByteArray& sql, const std::function<void(const RawRow&)>& visit) override {
        struct Row final : RawRow {
            sqlite3_stmt* s = nullptr;
            QString text(int i) const override {
                const auto* p = static_cast<const char16_t*>(sqlite3_column_text16(s, i));
                return p ? QString::fromUtf16(p, sqlite3_column_bytes16(s, i) / 2) : QString();
            }
            double number(int i) const override { return sqlite3_column_double(s, i); }
        } row;
        sqlite3_prepare_v2(db_, sql.constData(), -1, &row.s, nullptr);
        while (sqlite3_step(row.s) == SQLITE_ROW)
            visit(row);
        sqlite3_finalize(row.s);
    }
    void exec(const char* sql) override { sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }
    void insertMany(const QByteArray& sql, int n, qint64& next) override {
        exec("BEGIN IMMEDIATE");
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db_, sql.constData(), -1, &s, nullptr);
        for (int i = 0; i < n; ++i) {
            sqlite3_bind_int64(s, 1, ++next);
            sqlite3_step(s);
            sqlite3_reset(s);
        }
        sqlite3_finalize(s);
        exec("COMMIT");
    }

private:
    sqlite3* db_ = nullptr;
};

class RawPostgres final : public RawDb {
public:
    explicit RawPostgres(const ServerSettings& s) {
        const QByteArray info = QStringLiteral("host='%1' port=%2 dbname='%3' user='%4'")
                                    .arg(s.host)
                                    .arg(s.port)
                                    .arg(s.database, s.user)
                                    .toUtf8();
        conn_ = PQconnectdb(info.constData());
        if (PQstatus(conn_) != CONNECTION_OK) {
            std::fprintf(stderr, "%s", PQerrorMessage(conn_));
            std::exit(1);
        }
        exec(QByteArray("SET search_path TO \"" + s.schema.toUtf8() + '"').constData());
    }
    ~RawPostgres() override { PQfinish(conn_); }
    int run(const QByteArray& sql, const char* text, int limit) override {
        PGresult* r = PQexecParams(conn_, numbered(sql).constData(), text ? 1 : 0, nullptr,
                                   text ? &text : nullptr, nullptr, nullptr, 0);
        if (PQresultStatus(r) != PGRES_TUPLES_OK)
            std::fprintf(stderr, "%s", PQresultErrorMessage(r));
        const int n = PQntuples(r);
        const int rows = limit < 0 ? n : std::min(n, limit);
        for (int i = 0; i < rows; ++i)
            for (int c = 0; c < PQnfields(r); ++c)
                PQgetvalue(r, i, c);
        PQclear(r);
        return rows;
    }
    void each(const QByteArray& sql, const std::function<void(const RawRow&)>& visit) override {
        struct Row final : RawRow {
            PGresult* r = nullptr;
            int at = 0;
            QString text(int i) const override {
                return QString::fromUtf8(PQgetvalue(r, at, i), PQgetlength(r, at, i));
            }
            double number(int i) const override { return std::strtod(PQgetvalue(r, at, i), nullptr); }
        } row;
        row.r = PQexec(conn_, sql.constData());
        if (PQresultStatus(row.r) != PGRES_TUPLES_OK)
            std::fprintf(stderr, "%s", PQresultErrorMessage(row.r));
        for (; row.at < PQntuples(row.r); ++row.at)
            visit(row);
        PQclear(row.r);
    }
    void exec(const char* sql) override {
        PGresult* r = PQexec(conn_, sql);
        if (PQresultStatus(r) != PGRES_COMMAND_OK && PQresultStatus(r) != PGRES_TUPLES_OK)
            std::fprintf(stderr, "%s", PQresultErrorMessage(r));
        PQclear(r);
    }
    void insertMany(const QByteArray& sql, int n, qint64& next) override {
        exec("BEGIN");
        PQclear(PQprepare(conn_, "ins", numbered(sql).constData(), 1, nullptr));
        for (int i = 0; i < n; ++i) {
            const QByteArray v = QByteArray::number(++next);
            const char* p = v.constData();
            PQclear(PQexecPrepared(conn_, "ins", 1, &p, nullptr, nullptr, 0));
        }
        exec("DEALLOCATE ins");
        exec("COMMIT");
    }

private:
    static QByteArray numbered(QByteArray sql) { return sql.replace('?', "$1"); }
    PGconn* conn_ = nullptr;
};

// The raw connection to the database a data directory uses.
inline std::unique_ptr<RawDb> MakeRawDb(Database& db) {
    ServerSettings server;
    QString error;
    if (ReadServerSettings(db.directory(), server, &error) == ServerChoice::Server)
        return std::make_unique<RawPostgres>(server);
    return std::make_unique<RawSqlite>(db.backend().databaseFile());
}

} // namespace vidoraw
