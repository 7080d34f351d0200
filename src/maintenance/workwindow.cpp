#include "maintenance/workwindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace vidoraw {

WorkWindow::WorkWindow(const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    lSprava = new QLabel(this);
    lSprava->setMinimumWidth(420);
    pbPriebeh = new QProgressBar(this);
    pbPriebeh->setRange(0, 1);
    pbPriebeh->setValue(0);
    layout->addWidget(lSprava);
    layout->addWidget(pbPriebeh);
}

void WorkWindow::say(const QString& text) {
    lSprava->setText(text);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WorkWindow::setSteps(int count) {
    pbPriebeh->setRange(0, std::max(1, count));
    pbPriebeh->setValue(0);
}

void WorkWindow::setStep(int done) {
    pbPriebeh->setValue(done);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace vidoraw
