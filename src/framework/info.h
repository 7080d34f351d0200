#pragma once
// "Informácia": a passing message shown while a long operation runs; it waits for nothing.
#include "framework/appcontext.h"

#include <QWidget>

class QLabel;

namespace vidoraw {

class TfInfo : public QWidget {
    Q_OBJECT
public:
    TfInfo(const QString& text, QWidget* owner);
    QLabel* lText = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
};

// Shows text centred over the owner window (the main window when none) and returns at once;
// a message already shown is replaced.
void ShowInfo(AppContext& app, const QString& text, QWidget* owner = nullptr);
void HideInfo(AppContext& app);
// The message shown now; null when none.
TfInfo* CurrentInfo(AppContext& app);

} // namespace vidoraw
