#pragma once
// Which database a data directory uses. A data directory with a file DATABAZA.INI works on a
// PostgreSQL server (section SERVER: HOST, PORT, DATABASE, USER, optional SCHEMA); any other
// works on its own SQLite file. The password is never in the shared file: libpq reads it from
// the user's ~/.pgpass (or PGPASSFILE).
#include <QString>
#include <QStringList>

namespace vidoraw {

inline constexpr const char* kServerSettingsFile = "DATABAZA.INI";

struct ServerSettings {
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString schema = QStringLiteral("public"); // any other is made on first use
};

enum class ServerChoice { LocalFile, Server, Invalid };

// Reads the settings of a data directory. Invalid comes with a message for the user.
ServerChoice ReadServerSettings(const QString& directory, ServerSettings& out, QString* error);

// Writes DATABAZA.INI into a data directory (the copy command's target, tests).
bool WriteServerSettings(const QString& directory, const ServerSettings& server, QString* error);

// Tests on a server: with VIDORAW_TEST_PG set (libpq key=value pairs: host, port, user,
// dbname), a data directory without DATABAZA.INI gets a private schema on that server, named
// after the directory; every process that opens the directory finds the same one.
bool TestServerConfigured();
// Drops the test schemas this process made or used (the end of a test run).
void DropTestSchemas();

} // namespace vidoraw
