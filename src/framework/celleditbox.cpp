#include "framework/celleditbox.h"

#include "core/interaction.h"
#include "core/base/codepage.h"

#include <QKeyEvent>
#include <QTableWidget>
#include <QTimer>

namespace vidoraw {

bool OpensCellBox(QChar ch) {
    return (ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z') ||
           HasDiacritics(ch) || QStringView(u"-+ */.,?!:").contains(ch);
}

CellEditBox::CellEditBox(QTableWidget* grid, std::function<void(int, int, const QString&)> store,
                         std::function<void(int, int)> closed)
    : QLineEdit(grid->viewport()), grid_(grid), store_(std::move(store)), closed_(std::move(closed)) {
    hide();
}

void CellEditBox::openOver(const QString& text, bool typed) {
    row_ = grid_->currentRow();
    column_ = grid_->currentColumn();
    if (row_ < 0 || column_ < 0)
        return;
    setGeometry(grid_->visualRect(grid_->model()->index(row_, column_)));
    setText(text);
    if (typed)
        setCursorPosition(int(text.size()));
    else
        selectAll();
    show();
    setFocus(Qt::OtherFocusReason);
}

void CellEditBox::finish(bool store) {
    if (!isVisible())
        return;
    if (store && row_ >= 0 && store_)
        store_(row_, column_, text());
    hide();
    grid_->setFocus(Qt::OtherFocusReason);
    if (closed_)
        closed_(row_, column_);
}

void CellEditBox::keyPressEvent(QKeyEvent* event) {
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter) {
        finish(true);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        asking_ = true;
        const bool leave = AskConfirm(QStringLiteral("Mám ukončiť editáciu bez uchovania?"), this) == 1;
        asking_ = false;
        if (leave)
            finish(false);
        else
            setFocus(Qt::OtherFocusReason);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CellEditBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (asking_)
        return;
    // Leaving the box drops what was typed without Enter.
    QTimer::singleShot(0, this, [this] {
        if (!hasFocus())
            finish(false);
    });
}

} // namespace vidoraw
