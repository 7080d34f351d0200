#include "framework/info.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace vidoraw {

TfInfo::TfInfo(const QString& text, QWidget* owner)
    : QWidget(owner ? owner->window() : nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral("Informácia"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    lText = new QLabel(text, this);
    lText->setAlignment(Qt::AlignCenter);
    lText->setWordWrap(true);
    lText->setTextFormat(Qt::PlainText);
    layout->addWidget(lText);
    resize(360, 120);
    if (owner) {
        const QRect o = owner->window()->frameGeometry();
        move(o.center() - rect().center());
    }
}

// Only HideInfo ends the message, not the window manager's close.
void TfInfo::closeEvent(QCloseEvent* event) { event->ignore(); }

void ShowInfo(AppContext& app, const QString& text, QWidget* owner) {
    HideInfo(app);
    auto* info = new TfInfo(text, owner ? owner : app.mainWindow);
    app.info.window = info;
    info->show();
    info->raise();
    // Painted now: the caller goes on working without returning to the event loop.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    info->repaint();
}

void HideInfo(AppContext& app) {
    if (TfInfo* info = CurrentInfo(app)) {
        info->hide();
        delete info;
    }
    app.info.window = nullptr;
}

TfInfo* CurrentInfo(AppContext& app) { return qobject_cast<TfInfo*>(app.info.window.data()); }

} // namespace vidoraw
