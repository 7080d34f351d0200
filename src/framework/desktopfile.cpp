#include "framework/desktopfile.h"

#include "framework/appcontext.h"

#include <QDesktopServices>
#include <QUrl>

namespace vidoraw {

bool ShowOnDesktop(AppContext& app, const QString& path) {
    const QUrl url = QUrl::fromLocalFile(path);
    return app.openOnDesktop ? app.openOnDesktop(url) : QDesktopServices::openUrl(url);
}

} // namespace vidoraw
