#include "core/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace vidoraw {

namespace {

QRegularExpression WildcardPattern(const QString& pattern) {
    QString rx;
    for (QChar ch : pattern) {
        if (ch == u'*')
            rx += QStringLiteral(".*");
        else if (ch == u'?')
            rx += u'.';
        else
            rx += QRegularExpression::escape(QString(ch));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(rx),
                              QRegularExpression::CaseInsensitiveOption |
                                  QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

QStringList MatchingFiles(const QString& dir, const QString& pattern) {
    const QDir d(dir.isEmpty() ? QStringLiteral(".") : dir);
    const QRegularExpression rx = WildcardPattern(pattern);
    QStringList found;
    const QStringList names = d.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names)
        if (rx.match(name).hasMatch()) found.append(d.filePath(name));
    return found;
}

bool RunAndWait(const QString& commandLine, const QString& workingDirectory) {
    QStringList args = QProcess::splitCommand(commandLine);
    if (args.isEmpty()) return false;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    if (!workingDirectory.isEmpty()) process.setWorkingDirectory(workingDirectory);
    const QString program = args.takeFirst();
    process.start(program, args);
    if (!process.waitForStarted(-1)) return false;
    process.waitForFinished(-1);
    return true;
}

bool FileSizeOf(const QString& name, qint64& size) {
    size = 0;
    const QFileInfo info(name);
    const QStringList found = MatchingFiles(info.path(), info.fileName());
    if (found.isEmpty()) return false;
    size = QFileInfo(found.first()).size();
    return true;
}

bool DeleteFilesLike(const QString& dir, const QString& baseName) {
    if (!QFileInfo(dir.isEmpty() ? QStringLiteral(".") : dir).isDir()) return false;
    bool all = true;
    for (const QString& path : MatchingFiles(dir, baseName + QStringLiteral(".*")))
        all = QFile::remove(path) && all;
    return all;
}

bool DeleteTableFiles(const QString& dir, const QString& baseName) {
    const QString keepDb = baseName + QStringLiteral(".db");
    const QString keepMb = baseName + QStringLiteral(".mb");
    bool all = true;
    for (const QString& path : MatchingFiles(dir, baseName + QStringLiteral(".*"))) {
        const QString name = QFileInfo(path).fileName();
        if (name.compare(keepDb, Qt::CaseInsensitive) == 0 ||
            name.compare(keepMb, Qt::CaseInsensitive) == 0)
            continue;
        all = QFile::remove(path) && all;
    }
    return all;
}

} // namespace vidoraw
