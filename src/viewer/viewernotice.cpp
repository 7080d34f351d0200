#include "viewer/viewernotice.h"

#include <QMessageBox>

namespace vidoraw {

namespace {
ViewerNoticeHandler& Handler() {
    static ViewerNoticeHandler h;
    return h;
}
} // namespace

ViewerNoticeHandler SetViewerNoticeHandler(ViewerNoticeHandler handler) {
    ViewerNoticeHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}

void ViewerNotice(const QString& title, const QString& text, QWidget* owner, bool error) {
    if (Handler()) {
        Handler()(title, text);
        return;
    }
    QMessageBox box(error ? QMessageBox::Critical : QMessageBox::Information, title, text,
                    QMessageBox::Ok, owner);
    box.exec();
}

} // namespace vidoraw
