#include "framework/menuletters.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

namespace vidoraw {

namespace {

class MenuLetters : public QObject {
public:
    explicit MenuLetters(QMenu* menu) : QObject(menu), menu_(menu) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != menu_ || event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods =
            key->modifiers() & ~(Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier);
        if (mods != Qt::NoModifier || key->text().size() != 1 || !key->text()[0].isLetterOrNumber())
            return false;
        const QChar letter = key->text()[0].toUpper();
        bool any = false;
        QList<QAction*> reachable;
        for (QAction* a : menu_->actions()) {
            if (a->isSeparator() || !a->isVisible() || MenuLetter(a->text()) != letter)
                continue;
            any = true;
            if (a->isEnabled())
                reachable << a;
        }
        if (!any)
            return false; // not this menu's letter: Qt passes it on
        if (reachable.size() == 1) {
            choose(reachable.first());
        } else if (!reachable.isEmpty()) {
            const int at = int(reachable.indexOf(menu_->activeAction()));
            menu_->setActiveAction(reachable[(at + 1) % reachable.size()]);
        }
        return true;
    }

private:
    void choose(QAction* a) {
        menu_->setActiveAction(a); // a submenu opens here
        if (QMenu* sub = a->menu()) {
            for (QAction* first : sub->actions())
                if (!first->isSeparator() && first->isVisible() && first->isEnabled()) {
                    sub->setActiveAction(first);
                    break;
                }
            return;
        }
        // Enter on the highlighted item: the menus close the way they always do, then it runs.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(menu_, &enter);
    }

    QMenu* menu_;
};

} // namespace

QChar MenuLetter(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i; // "&&" is a plain ampersand
            continue;
        }
        return caption[i + 1].toUpper();
    }
    return QChar();
}

void RouteMenuLetters(QMenu* menu) {
    if (!menu || menu->property("vidorawLetters").toBool())
        return;
    menu->setProperty("vidorawLetters", true);
    menu->installEventFilter(new MenuLetters(menu));
    for (QAction* a : menu->actions())
        if (a->menu())
            RouteMenuLetters(a->menu());
}

} // namespace vidoraw
