#include "framework/tfmojform.h"

#include "core/interaction.h"
#include "framework/cp1250input.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>

#include <algorithm>

namespace vidoraw {

TfMojForm::TfMojForm(AppContext& app, QWidget* parent)
    : QDialog(parent ? parent : app.mainWindow), app_(app) {
    connect(qApp, &QApplication::focusChanged, this, &TfMojForm::onFocusChanged);
}

TfMojForm::~TfMojForm() = default;

QWidget* TfMojForm::makeButtonStrip() {
    auto* strip = new QWidget(this);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(8, 4, 8, 8);
    bbOk = new QPushButton(QStringLiteral("&OK"), strip);
    bbSpat = new QPushButton(QStringLiteral("&Späť"), strip);
    for (QPushButton* b : {bbOk, bbSpat}) {
        // Enter moves between fields, also on the buttons; the buttons act on a click,
        // Space, their Alt key or Ctrl+End / Escape.
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumWidth(90);
    }
    row->addStretch(1);
    row->addWidget(bbOk);
    row->addWidget(bbSpat);
    connect(bbOk, &QPushButton::clicked, this, &TfMojForm::pressOk);
    connect(bbSpat, &QPushButton::clicked, this, &TfMojForm::pressBack);
    return strip;
}

FormRows& TfMojForm::rows() {
    if (!rows_)
        rows_ = std::make_unique<FormRows>(this);
    return *rows_;
}

void TfMojForm::finishLayout() { rows().finish(makeButtonStrip()); }

QString TfMojForm::trimmedText(QLineEdit* edit) {
    const QString t = edit->text().trimmed();
    if (t != edit->text())
        edit->setText(t);
    return t;
}

void TfMojForm::complain(const QString& text) {
    ShowNotice(QStringLiteral("Chyba"), text, NoticeKind::Error, this);
}

int TfMojForm::showModal() { return RunDialog(*this); }

void TfMojForm::centreOver(QWidget* owner) {
    if (!owner)
        return;
    adjustSize();
    const QRect o = owner->frameGeometry();
    const QSize me = frameGeometry().size();
    int left = std::max(0, o.left() + (o.width() - me.width()) / 2);
    int top = std::max(0, o.top() + (o.height() - me.height()) / 2);
    const QRect screen = owner->screen()->availableGeometry();
    if (top + me.height() > screen.bottom())
        top = screen.bottom() - me.height();
    if (left + me.width() > screen.right())
        left = screen.right() - me.width();
    move(std::max(0, left), std::max(0, top));
}

void TfMojForm::pressOk() {
    if (bbOk && !bbOk->isEnabled())
        return;
    if (closeWithOk())
        done(QDialog::Accepted);
}

void TfMojForm::pressBack() {
    if (closeWithBack())
        done(QDialog::Rejected);
}

void TfMojForm::reject() { pressBack(); }

bool TfMojForm::isFocusableKind(const QWidget* w) {
    if (auto* r = qobject_cast<const QRadioButton*>(w)) {
        if (r->isChecked())
            return true;
        // A group with nothing chosen yet (a new record) is entered at its first button.
        const QList<QAbstractButton*> peers = r->group() ? r->group()->buttons()
                                                         : QList<QAbstractButton*>{};
        return !peers.isEmpty() && peers.first() == r &&
               std::none_of(peers.begin(), peers.end(),
                            [](const QAbstractButton* b) { return b->isChecked(); });
    }
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w);
}

QList<QWidget*> TfMojForm::focusableFields() const {
    QList<QWidget*> out;
    QWidget* w = const_cast<TfMojForm*>(this)->nextInFocusChain();
    while (w && w != this) {
        if (isAncestorOf(w) && isFocusableKind(w) && w->isVisibleTo(this) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) && !out.contains(w))
            out << w;
        w = w->nextInFocusChain();
    }
    return out;
}

void TfMojForm::focusField(QWidget* control) {
    if (!control)
        return;
    control->setFocus(Qt::TabFocusReason);
    if (auto* e = qobject_cast<QLineEdit*>(control))
        e->selectAll();
}

void TfMojForm::focusNextField() {
    const QList<QWidget*> fields = focusableFields();
    if (fields.isEmpty())
        return;
    const int at = int(fields.indexOf(focusWidget()));
    focusField(fields[(at + 1) % fields.size()]);
}

void TfMojForm::focusPreviousField() {
    const QList<QWidget*> fields = focusableFields();
    if (fields.isEmpty())
        return;
    const int at = int(fields.indexOf(focusWidget()));
    focusField(fields[at <= 0 ? fields.size() - 1 : at - 1]);
}

void TfMojForm::paintField(QWidget* control, Colour colour) {
    if (!control)
        return;
    const QColor c = colour == Colour::Current     ? app_.colours.current
                     : colour == Colour::Incorrect ? app_.colours.incorrect
                                                   : app_.colours.normal;
    QPalette p = control->palette();
    if (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control)) {
        // Check boxes show the form's own background when normal.
        control->setAutoFillBackground(colour != Colour::Normal);
        p.setColor(QPalette::Window, colour == Colour::Normal ? palette().color(QPalette::Window)
                                                              : c);
    } else if (qobject_cast<QAbstractButton*>(control)) {
        return;
    } else {
        p.setColor(QPalette::Base, c);
    }
    control->setPalette(p);
}

void TfMojForm::failField(QWidget* control) {
    const bool was = checking_;
    checking_ = true;
    focusField(control);
    checking_ = was;
    paintField(control, Colour::Incorrect);
}

void TfMojForm::onPickKeys(QWidget* control, std::function<void()> pick) {
    pickers_.insert(control, std::move(pick));
    control->installEventFilter(this);
}

void TfMojForm::onFocusChanged(QWidget* old, QWidget* now) {
    const bool oldHere = old && isAncestorOf(old);
    const bool nowHere = now && isAncestorOf(now);
    if (!nowHere)
        return; // a message box or popup took the focus: nothing is checked or repainted
    bool oldPassed = true;
    if (oldHere && !checking_ && old != bbOk && old != bbSpat && now != bbOk && now != bbSpat) {
        checking_ = true;
        oldPassed = checkOnLeave(old);
        checking_ = false;
    }
    if (oldHere)
        paintField(old, oldPassed ? Colour::Normal : Colour::Incorrect);
    if (QApplication::focusWidget() != now)
        return; // the check put the focus elsewhere (back into its field); that move painted
    paintField(now, Colour::Current);
    current_ = now;
}

void TfMojForm::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // The Enter of the number pad comes with the keypad flag.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!enterConfirms)
            focusNextField();
        else if (bbSpat && focusWidget() == bbSpat)
            pressBack();
        else
            pressOk();
        return;
    }
    if (key == Qt::Key_Down && event->modifiers() == Qt::NoModifier && downArrowMoves) {
        focusNextField();
        return;
    }
    if (key == Qt::Key_Up && event->modifiers() == Qt::NoModifier && upArrowMoves) {
        focusPreviousField();
        return;
    }
    if (key == Qt::Key_End && event->modifiers() == Qt::ControlModifier) {
        pressOk();
        return;
    }
    if (key == Qt::Key_Escape) {
        pressBack();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfMojForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const auto pick = pickers_.constFind(watched);
        if (pick != pickers_.constEnd() && k->modifiers() == Qt::NoModifier &&
            (k->key() == Qt::Key_Insert || k->key() == Qt::Key_F7)) {
            (*pick)();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfMojForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    AcceptOnlyCp1250In(this);
    for (QWidget* w : focusableFields())
        paintField(w, Colour::Normal);
    if (QWidget* f = focusWidget())
        paintField(f, Colour::Current);
}

void TfMojForm::hideEvent(QHideEvent* event) {
    if (QWidget* f = focusWidget())
        paintField(f, Colour::Normal);
    QDialog::hideEvent(event);
}

} // namespace vidoraw
