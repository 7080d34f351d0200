#include "ui/qtinteraction.h"

#include <QDialog>

#include "ui/noticewindows.h"
#include "ui/outputdevicedialog.h"

#include <QPrintDialog>
#include <QPrinter>

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

int QtInteraction::chooseOutputDevice(QWidget* owner) {
    const Placement where{owner, false};
    TfVolbazar window(DialogParent(where));
    PlaceDialog(&window, where);
    window.exec();
    return window.answer();
}

bool QtInteraction::printDialog(QPrinter& printer, QWidget* owner) {
    QPrintDialog dialog(&printer, DialogParent(Placement{owner, false}));
    return dialog.exec() == QDialog::Accepted;
}

int QtInteraction::runDialog(QDialog& dialog) { return dialog.exec(); }

} // namespace vidoraw
