#include "core/engine/serversettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace vidoraw {

namespace {

// Files that come from outside are found without regard to case.
QString FindSettingsFile(const QString& directory) {
    const QDir dir(directory);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        if (name.compare(QLatin1String(kServerSettingsFile), Qt::CaseInsensitive) == 0)
            return dir.absoluteFilePath(name);
    return QString();
}

quint32 Fnv1a(const QByteArray& bytes) {
    quint32 h = 2166136261u;
    for (char c : bytes) {
        h ^= quint8(c);
        h *= 16777619u;
    }
    return h;
}

bool ParseTestServer(ServerSettings& out) {
    const QString spec = qEnvironmentVariable("VIDORAW_TEST_PG");
    if (spec.trimmed().isEmpty())
        return false;
    for (const QString& part : spec.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0).trimmed().toLower();
        const QString value = part.section(QLatin1Char('='), 1).trimmed();
        if (key == QLatin1String("host"))
            out.host = value;
        else if (key == QLatin1String("port"))
            out.port = value.toInt();
        else if (key == QLatin1String("user"))
            out.user = value;
        else if (key == QLatin1String("dbname"))
            out.database = value;
    }
    return !out.database.isEmpty();
}

QStringList& UsedTestSchemas() {
    static QStringList names;
    return names;
}

} // namespace

bool TestServerConfigured() {
    ServerSettings s;
    return ParseTestServer(s);
}

ServerChoice ReadServerSettings(const QString& directory, ServerSettings& out, QString* error) {
    out = ServerSettings();
    const QString file = FindSettingsFile(directory);
    if (file.isEmpty()) {
        // A directory holding a database file keeps it, also in a test run on the server
        // (the archive's table files are such files).
        if (QFileInfo::exists(QDir(directory).filePath(QStringLiteral("vidoraw.sqlite"))) ||
            !ParseTestServer(out))
            return ServerChoice::LocalFile;
        // The absolute path names the schema: a worker process opening the same directory
        // finds it; a new temporary directory never meets an old schema.
        out.schema = QStringLiteral("t%1")
                         .arg(Fnv1a(QDir(directory).absolutePath().toUtf8()), 8, 16,
                              QLatin1Char('0'));
        if (!UsedTestSchemas().contains(out.schema))
            UsedTestSchemas() << out.schema;
        return ServerChoice::Server;
    }
    QSettings ini(file, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) {
        if (error)
            *error = QStringLiteral("Súbor %1 sa nedá prečítať.").arg(file);
        return ServerChoice::Invalid;
    }
    QString section;
    for (const QString& g : ini.childGroups())
        if (g.compare(QLatin1String("SERVER"), Qt::CaseInsensitive) == 0)
            section = g;
    ini.beginGroup(section.isEmpty() ? QStringLiteral("SERVER") : section);
    auto value = [&](const char* key) {
        for (const QString& k : ini.childKeys())
            if (k.compare(QLatin1String(key), Qt::CaseInsensitive) == 0)
                return ini.value(k).toString().trimmed();
        return QString();
    };
    if (!value("PASSWORD").isEmpty()) {
        // Everybody who sees the data directory would read it.
        if (error)
            *error = QStringLiteral("Súbor %1 obsahuje heslo k databáze. Heslo do zdieľaného "
                                    "adresára nepatrí: vymažte ho odtiaľ a uložte do súboru "
                                    "~/.pgpass každého užívateľa.")
                         .arg(file);
        return ServerChoice::Invalid;
    }
    out.host = value("HOST");
    out.database = value("DATABASE");
    out.user = value("USER");
    const QString port = value("PORT");
    const QString schema = value("SCHEMA");
    if (!schema.isEmpty())
        out.schema = schema;
    bool portOk = true;
    if (!port.isEmpty())
        out.port = port.toInt(&portOk);
    if (out.database.isEmpty() || !portOk || out.port <= 0 || out.port > 65535) {
        if (error)
            *error = QStringLiteral("V súbore %1 chýba v sekcii [SERVER] meno databázy "
                                    "(DATABASE) alebo je chybný port (PORT).")
                         .arg(file);
        return ServerChoice::Invalid;
    }
    return ServerChoice::Server;
}

bool WriteServerSettings(const QString& directory, const ServerSettings& server, QString* error) {
    QString file = FindSettingsFile(directory);
    if (file.isEmpty())
        file = QDir(directory).absoluteFilePath(QLatin1String(kServerSettingsFile));
    QSettings ini(file, QSettings::IniFormat);
    ini.clear();
    ini.beginGroup(QStringLiteral("SERVER"));
    ini.setValue(QStringLiteral("HOST"), server.host);
    ini.setValue(QStringLiteral("PORT"), server.port);
    ini.setValue(QStringLiteral("DATABASE"), server.database);
    ini.setValue(QStringLiteral("USER"), server.user);
    if (server.schema != QLatin1String("public"))
        ini.setValue(QStringLiteral("SCHEMA"), server.schema);
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError) {
        if (error)
            *error = QStringLiteral("Súbor %1 sa nedá zapísať.").arg(file);
        return false;
    }
    return true;
}

void DropTestSchemas() {
    ServerSettings s;
    if (UsedTestSchemas().isEmpty() || !ParseTestServer(s))
        return;
    const QString name = QStringLiteral("vidoraw-drop-") + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(s.host);
        db.setPort(s.port);
        db.setDatabaseName(s.database);
        db.setUserName(s.user);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SET client_min_messages TO warning"));
            for (const QString& schema : std::as_const(UsedTestSchemas()))
                q.exec(QStringLiteral("DROP SCHEMA IF EXISTS \"%1\" CASCADE").arg(schema));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    UsedTestSchemas().clear();
}

} // namespace vidoraw
