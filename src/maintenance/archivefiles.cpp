#include "maintenance/archivefiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace vidoraw {

QString VolumeName(int n) {
    if (n == 0)
        return QString::fromLatin1(kArchiveName);
    return QStringLiteral("VIDORAW.A%1").arg(n, 2, 10, QLatin1Char('0'));
}

int VolumeNumber(const QString& fileName) {
    if (fileName.compare(QLatin1String(kArchiveName), Qt::CaseInsensitive) == 0)
        return 0;
    static const QRegularExpression re(QStringLiteral("^VIDORAW\\.A(\\d{2,})$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(fileName);
    if (!m.hasMatch())
        return -1;
    const int n = m.captured(1).toInt();
    // Only the one spelling each number has: A01, never A1 or A001.
    return n > 0 && m.captured(1) == QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')) ? n : -1;
}

QStringList VolumesIn(const QString& directory) {
    QList<std::pair<int, QString>> found;
    for (const QString& name : QDir(directory).entryList(QDir::Files)) {
        const int n = VolumeNumber(name);
        if (n >= 0)
            found.append({n, name});
    }
    std::sort(found.begin(), found.end());
    QStringList out;
    for (const auto& f : found)
        out << f.second;
    return out;
}

QString PackedName(const QString& tableFile) { return QStringLiteral("Z") + tableFile; }

QString FindNoCase(const QString& directory, const QString& name) {
    const QDir dir(directory);
    if (dir.exists(name))
        return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return QString();
}

bool WriteListFile(const QString& path, const QStringList& names, QString* error) {
    QSaveFile f(path);
    QByteArray text;
    for (const QString& n : names)
        text += QFile::encodeName(n) + '\n';
    if (f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.commit())
        return true;
    if (error)
        *error = f.errorString();
    return false;
}

QByteArray CountText(int volumes) { return QByteArray::number(volumes).rightJustified(4, '0'); }

int ParseCount(const QByteArray& text) {
    if (text.size() != 4)
        return -1;
    for (char c : text)
        if (c < '0' || c > '9')
            return -1;
    const int n = text.toInt();
    return n >= 1 ? n : -1;
}

QString ArchiverProgram() {
    const QString found = QStandardPaths::findExecutable(QStringLiteral("arj"));
    return found.isEmpty() ? QStringLiteral("arj") : found;
}

ArchiverRun RunArchiver(const QString& workDir, const QStringList& arguments,
                        const QString& outputFile) {
    ArchiverRun run;
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setStandardOutputFile(QDir(workDir).filePath(outputFile));
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(ArchiverProgram(), arguments);
    if (!p.waitForStarted())
        return run;
    run.started = true;
    p.waitForFinished(-1);
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return run;
}

bool EmptyFolder(const QString& directory, QString* error) {
    QDir dir(directory);
    for (const QFileInfo& fi : dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                 QDir::NoDotAndDotDot)) {
        const bool gone = fi.isDir() && !fi.isSymLink() ? QDir(fi.filePath()).removeRecursively()
                                                        : QFile::remove(fi.filePath());
        if (!gone) {
            if (error)
                *error = fi.filePath();
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
