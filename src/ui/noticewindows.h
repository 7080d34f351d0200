#pragma once
// The notice window (TfHlaska) and the question window (TfPotvrd) behind ShowNotice and
// AskConfirm, and where such a window stands on the screen.
#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStyle>

#include "core/interaction.h"

class QLabel;
class QPushButton;

namespace vidoraw {

// Top-left corner of a window of the given (frame) size, all rectangles in global coordinates:
// - no owner: centred on the screen;
// - owner and below: below the owner control, horizontally centred on it, above it when there is
//   no room below;
// - owner without below: centred over the owner's window.
// The window is then kept inside the screen (when it is larger, its top-left corner stays in).
QPoint PlaceWindow(QSize window, QRect ownerGlobal, QRect ownerWindowGlobal, QRect screen,
                   bool hasOwner, bool below);

// Moves a not yet shown window to where PlaceWindow puts it on the owner's screen.
void PlaceDialog(QWidget* window, Placement where);

// The window an owner control's dialogs belong to (nullptr without an owner).
QWidget* DialogParent(Placement where);

class TfHlaska : public QDialog {
    Q_OBJECT
public:
    TfHlaska(const QString& title, const QString& text, NoticeKind kind, QWidget* parent = nullptr);

    NoticeKind kind() const { return noticeKind; }
    // The style's standard icon shown for the kind.
    static QStyle::StandardPixmap IconFor(NoticeKind kind);

    QLabel* lIkona = nullptr;
    QLabel* lText = nullptr;
    QPushButton* bOk = nullptr;

private:
    NoticeKind noticeKind;
};

class TfPotvrd : public QDialog {
    Q_OBJECT
public:
    explicit TfPotvrd(const QString& question, QWidget* parent = nullptr);

    // 1 yes, 0 no, -1 cancelled (also while no answer has been given yet).
    int answer() const { return odpoved; }

    QLabel* lIkona = nullptr;
    QLabel* lOtazka = nullptr;
    QPushButton* bAno = nullptr;
    QPushButton* bNie = nullptr;
    QPushButton* bPomoc = nullptr;

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void finish(int value);
    void showHelp();

    int odpoved = -1;
};

} // namespace vidoraw
