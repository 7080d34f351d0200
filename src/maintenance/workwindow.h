#pragma once
// The window of a long data operation (archive, restore): a message line and a progress bar,
// repainted between the steps.
#include <QDialog>

class QLabel;
class QProgressBar;

namespace vidoraw {

class WorkWindow : public QDialog {
    Q_OBJECT
public:
    WorkWindow(const QString& caption, QWidget* parent);

    // The message line; the window repaints before the work goes on.
    void say(const QString& text);
    void setSteps(int count);
    void setStep(int done);

    QLabel* lSprava = nullptr;
    QProgressBar* pbPriebeh = nullptr;
};

} // namespace vidoraw
