#include "maintenance/newversionarchive.h"

#include "maintenance/archivefiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace vidoraw {

std::optional<QStringList> ParseListing(const QByteArray& text) {
    // An entry is "001) path" (its details on the lines below); the listing closes with
    // "N files". A name or comment that breaks the pattern breaks the count too.
    static const QRegularExpression entry(QStringLiteral("^(\\d{3,})\\) (.*)$"));
    static const QRegularExpression total(QStringLiteral("^\\s*(\\d+) files?(\\s|$)"));
    QStringList names;
    std::optional<int> count;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString l = QFile::decodeName(line);
        if (const auto m = entry.match(l); m.hasMatch()) {
            if (m.captured(1).toInt() != names.size() + 1)
                return std::nullopt;
            names << m.captured(2);
        } else if (const auto t = total.match(l); t.hasMatch()) {
            if (count)
                return std::nullopt;
            count = t.captured(1).toInt();
        }
    }
    if (!count || *count != names.size())
        return std::nullopt;
    return names;
}

bool IsDataFile(const QString& fileName) {
    const QString name = fileName.toLower();
    // The database, its journals and the lock every running program holds.
    if (name.startsWith(QLatin1String("vidoraw.sqlite")) || name == QLatin1String("vidoraw.lock"))
        return true;
    // Settings. The receipt settings file "VIDORAW" has no extension, the same name as the
    // program itself, which a new version does bring.
    for (const char* settings :
         {"vidoraw.ini", "hladanie.ini", "zorode.kfg", "databaza.ini", "smtp.heslo"})
        if (name == QLatin1String(settings))
            return true;
    // Tables: the shop's, and those of older versions or of the DOS program.
    const QString suffix = QFileInfo(name).suffix();
    for (const char* table : {"db", "mb", "px", "val", "dbf", "dbt", "sqlite", "sqlite3"})
        if (suffix == QLatin1String(table))
            return true;
    return false;
}

EntryFault CheckEntry(const QString& name) {
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || drive.match(path).hasMatch())
        return EntryFault::Absolute;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.contains(QStringLiteral("..")))
        return EntryFault::OutsideFolder;
    if (parts.isEmpty())
        return EntryFault::Absolute;
    if (IsDataFile(parts.last()))
        return EntryFault::DataFile;
    return EntryFault::None;
}

QString FaultText(EntryFault fault) {
    switch (fault) {
    case EntryFault::Absolute:
        return QStringLiteral("absolútna cesta");
    case EntryFault::OutsideFolder:
        return QStringLiteral("cesta mimo adresára novej verzie");
    case EntryFault::DataFile:
        return QStringLiteral("súbor s údajmi alebo nastaveniami");
    case EntryFault::NotPlain:
        return QStringLiteral("odkaz alebo zvláštny súbor");
    case EntryFault::None:
        break;
    }
    return QString();
}

ListingRun ListArchive(const QString& workDir, const QString& archive, const QString& outputFile) {
    ListingRun out;
    const ArchiverRun r =
        RunArchiver(workDir, {QStringLiteral("v"), QStringLiteral("-y"), archive}, outputFile);
    out.started = r.started;
    out.exitCode = r.exitCode;
    if (!r.started || r.exitCode != 0)
        return out;
    QFile f(QDir(workDir).filePath(outputFile));
    if (f.open(QIODevice::ReadOnly))
        out.names = ParseListing(f.readAll());
    return out;
}

QString FirstRefusedUnpacked(const QString& folder, EntryFault* fault) {
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo fi(it.next());
        EntryFault f = EntryFault::None;
        if (fi.isSymLink() || !(fi.isFile() || fi.isDir()))
            f = EntryFault::NotPlain;
        else if (fi.isFile() && IsDataFile(fi.fileName()))
            f = EntryFault::DataFile;
        if (f != EntryFault::None) {
            if (fault)
                *fault = f;
            return QDir(folder).relativeFilePath(fi.filePath());
        }
    }
    return QString();
}

QString FindInstaller(const QString& folder, const QString& named) {
    const QString name = named.trimmed();
    if (name.isEmpty()) {
        for (const char* candidate : kInstallerNames) {
            const QString found = FindNoCase(folder, QString::fromLatin1(candidate));
            if (!found.isEmpty() && QFileInfo(found).isFile())
                return found;
        }
        return QString();
    }
    if (QDir::isAbsolutePath(name))
        return QFileInfo(name).isFile() ? name : QString();
    const QString inFolder = QDir(folder).filePath(name);
    if (QFileInfo(inFolder).isFile())
        return inFolder;
    if (!name.contains(QLatin1Char('/')))
        if (const QString found = FindNoCase(folder, name);
            !found.isEmpty() && QFileInfo(found).isFile())
            return found;
    return name.contains(QLatin1Char('/')) ? QString() : QStandardPaths::findExecutable(name);
}

} // namespace vidoraw
