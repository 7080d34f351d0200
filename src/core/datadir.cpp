#include "core/datadir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vidoraw {

namespace {
QString WithSlash(const QString& dir) {
    QString p = QDir::cleanPath(QDir(dir).absolutePath());
    if (!p.endsWith(QLatin1Char('/'))) p += QLatin1Char('/');
    return p;
}
} // namespace

QString PreferredDataDirectory() {
    const QString env = qEnvironmentVariable("VIDORAW_DATA");
    if (!env.isEmpty()) return WithSlash(env);
    // Without a QCoreApplication there is no program directory to ask for.
    if (QCoreApplication::instance()) {
        const QString appDir = QCoreApplication::applicationDirPath();
        const QFileInfo info(appDir);
        if (!appDir.isEmpty() && info.isDir() && info.isWritable()) return WithSlash(appDir);
    }
    // GenericDataLocation is ~/.local/share (~/.qttest/share in test mode).
    return WithSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                     QStringLiteral("/vidoraw"));
}

QString ChooseDataDirectory(bool* ok) {
    const QString dir = PreferredDataDirectory();
    const bool exists = QDir().mkpath(dir);
    if (ok) *ok = exists;
    return dir;
}

} // namespace vidoraw
