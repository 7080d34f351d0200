#include "ui/noticewindows.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace vidoraw {

QPoint PlaceWindow(QSize window, QRect ownerGlobal, QRect ownerWindowGlobal, QRect screen,
                   bool hasOwner, bool below) {
    int x, y;
    if (!hasOwner) {
        x = screen.x() + (screen.width() - window.width()) / 2;
        y = screen.y() + (screen.height() - window.height()) / 2;
    } else if (below) {
        x = ownerGlobal.x() + (ownerGlobal.width() - window.width()) / 2;
        y = ownerGlobal.y() + ownerGlobal.height();
        if (y + window.height() > screen.y() + screen.height())
            y = ownerGlobal.y() - window.height();
    } else {
        x = ownerWindowGlobal.x() + (ownerWindowGlobal.width() - window.width()) / 2;
        y = ownerWindowGlobal.y() + (ownerWindowGlobal.height() - window.height()) / 2;
    }
    // Right and bottom edges first so that a window larger than the screen keeps its
    // caption and left edge on the screen.
    x = std::max(screen.x(), std::min(x, screen.x() + screen.width() - window.width()));
    y = std::max(screen.y(), std::min(y, screen.y() + screen.height() - window.height()));
    return QPoint(x, y);
}

QWidget* DialogParent(Placement where) {
    return where.owner ? where.owner->window() : nullptr;
}

void PlaceDialog(QWidget* window, Placement where) {
    QScreen* screen = where.owner ? where.owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    window->adjustSize();
    QRect ownerGlobal, ownerWindowGlobal;
    if (where.owner) {
        ownerGlobal = QRect(where.owner->mapToGlobal(QPoint(0, 0)), where.owner->size());
        ownerWindowGlobal = where.owner->window()->frameGeometry();
    }
    window->move(PlaceWindow(window->frameGeometry().size(), ownerGlobal, ownerWindowGlobal,
                             screen->availableGeometry(), where.owner != nullptr, where.below));
}

namespace {
QLabel* IconLabel(QWidget* parent, QStyle::StandardPixmap which) {
    auto* label = new QLabel(parent);
    QStyle* style = parent->style();
    const int size = style->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, parent);
    label->setPixmap(style->standardIcon(which, nullptr, parent).pixmap(size, size));
    label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return label;
}

QLabel* TextLabel(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setMinimumWidth(220);
    label->setMaximumWidth(480);
    return label;
}
} // namespace

// ---------------------------------------------------------------------------------------------

QStyle::StandardPixmap TfHlaska::IconFor(NoticeKind kind) {
    switch (kind) {
    case NoticeKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case NoticeKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case NoticeKind::Question:
        return QStyle::SP_MessageBoxQuestion;
    case NoticeKind::Information:
        return QStyle::SP_MessageBoxInformation;
    }
    return QStyle::SP_MessageBoxInformation;
}

TfHlaska::TfHlaska(const QString& title, const QString& text, NoticeKind kind, QWidget* parent)
    : QDialog(parent), noticeKind(kind) {
    setObjectName(QStringLiteral("fHlaska"));
    setWindowTitle(title);
    setModal(true);

    lIkona = IconLabel(this, IconFor(kind));
    lText = TextLabel(this, text);
    bOk = new QPushButton(QStringLiteral("OK"), this);
    bOk->setDefault(true);
    connect(bOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(lIkona);
    row->addWidget(lText, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bOk);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    bOk->setFocus();
}

// ---------------------------------------------------------------------------------------------

TfPotvrd::TfPotvrd(const QString& question, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fPotvrd"));
    setWindowTitle(QStringLiteral("P O T V R D E N I E"));
    setModal(true);

    lIkona = IconLabel(this, QStyle::SP_MessageBoxQuestion);
    lOtazka = TextLabel(this, question);
    bAno = new QPushButton(QStringLiteral("Áno"), this);
    bNie = new QPushButton(QStringLiteral("Nie"), this);
    bPomoc = new QPushButton(QStringLiteral("Pomoc"), this);
    connect(bAno, &QPushButton::clicked, this, [this] { finish(1); });
    connect(bNie, &QPushButton::clicked, this, [this] { finish(0); });
    connect(bPomoc, &QPushButton::clicked, this, &TfPotvrd::showHelp);

    auto* row = new QHBoxLayout;
    row->addWidget(lIkona);
    row->addWidget(lOtazka, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bAno);
    buttons->addWidget(bNie);
    buttons->addWidget(bPomoc);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // "Nie" is the safe answer to a slip of Enter.
    bNie->setDefault(true);
    bNie->setFocus();
}

void TfPotvrd::finish(int value) {
    odpoved = value;
    done(value);
}

void TfPotvrd::reject() {
    finish(-1);
}

void TfPotvrd::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers other =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (other == Qt::NoModifier) {
        if (event->key() == Qt::Key_A) {
            finish(1);
            return;
        }
        if (event->key() == Qt::Key_N) {
            finish(0);
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TfPotvrd::showHelp() {
    ShowNotice(QStringLiteral("Pomoc"),
               QStringLiteral("Áno (kláves A) – súhlas, Nie (kláves N) – nesúhlas, "
                              "Esc – zrušenie."),
               NoticeKind::Information, bPomoc, true);
}

} // namespace vidoraw
