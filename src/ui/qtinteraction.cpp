#include "ui/qtinteraction.h"

#include "ui/noticewindows.h"

namespace vidoraw {

void QtInteraction::showNotice(const QString& title, const QString& text, NoticeKind kind,
                               Placement where) {
    TfHlaska window(title, text, kind, DialogParent(where));
    PlaceDialog(&window, where);
    window.exec();
}

int QtInteraction::askConfirm(const QString& question, Placement where) {
    TfPotvrd window(question, DialogParent(where));
    PlaceDialog(&window, where);
    window.exec();
    return window.answer();
}

} // namespace vidoraw
