#include "maintenance/tabledump.h"

#include "core/engine/datacopy.h"
#include "core/engine/integrity.h"

#include <QDir>
#include <QFile>

namespace vidoraw {

namespace {

constexpr const char* kDatabaseFile = "vidoraw.sqlite";

bool Fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

} // namespace

bool LocalDatabaseFolder(const QString& directory, QString* error) {
    QFile f(QDir(directory).filePath(QLatin1String(kDatabaseFile)));
    if (QDir().mkpath(directory) && f.open(QIODevice::WriteOnly))
        return true;
    return Fail(error, QStringLiteral("Súbor %1 sa nedá vytvoriť.").arg(f.fileName()));
}

bool DumpTable(Database& db, const QString& fileName, const QString& targetFile,
               QString* error) {
    const QString scratch = targetFile + QStringLiteral(".d");
    QDir(scratch).removeRecursively();
    if (!LocalDatabaseFolder(scratch, error))
        return false;
    bool ok = false;
    {
        auto copy = Database::open(scratch, error);
        if (!copy)
            return false;
        qint64 rows = 0;
        ok = CopyTable(db, *copy, fileName, rows, error);
    } // closed: the database file is complete on disk
    if (ok) {
        QFile::remove(targetFile);
        if (!QFile::rename(QDir(scratch).filePath(QLatin1String(kDatabaseFile)), targetFile))
            ok = Fail(error, QStringLiteral("Súbor %1 sa nedá vytvoriť.").arg(targetFile));
    }
    QDir(scratch).removeRecursively();
    return ok;
}

std::unique_ptr<Database> OpenDump(const QString& file, const QString& scratchDir,
                                   const QString& fileName, QString* error) {
    QDir(scratchDir).removeRecursively();
    if (!QDir().mkpath(scratchDir) ||
        !QFile::rename(file, QDir(scratchDir).filePath(QLatin1String(kDatabaseFile)))) {
        Fail(error, QStringLiteral("Súbor %1 sa nedá presunúť.").arg(file));
        return nullptr;
    }
    QString why;
    // A damaged file must not get the engine's catalog written into it: checked first.
    if (!CheckDatabaseFile(QDir(scratchDir).filePath(QLatin1String(kDatabaseFile)), &why)) {
        Fail(error, why);
        return nullptr;
    }
    auto db = Database::open(scratchDir, &why);
    if (!db) {
        Fail(error, why);
        return nullptr;
    }
    if (!db->tableExists(fileName)) {
        Fail(error, QStringLiteral("neobsahuje tabuľku %1").arg(fileName));
        return nullptr;
    }
    return db;
}

} // namespace vidoraw
