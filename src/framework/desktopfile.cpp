#include "framework/desktopfile.h"

#include "framework/appcontext.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace vidoraw {

bool ShowOnDesktop(AppContext& app, const QString& path) {
    const QUrl url = QUrl::fromLocalFile(path);
    return app.openOnDesktop ? app.openOnDesktop(url) : QDesktopServices::openUrl(url);
}

bool StartProgram(AppContext& app, const QString& program, const QStringList& arguments) {
    if (app.startProgram)
        return app.startProgram(program, arguments);
    const QString path = QStandardPaths::findExecutable(program);
    return !path.isEmpty() && QProcess::startDetached(path, arguments);
}

} // namespace vidoraw
