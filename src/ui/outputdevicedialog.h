#pragma once
// The output device window of every report (TfVolbazar): screen or printer.
#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace vidoraw {

class TfVolbazar : public QDialog {
    Q_OBJECT
public:
    explicit TfVolbazar(QWidget* parent = nullptr);

    // 0 screen, 1 printer after OK; -1 for every other way of closing (and before closing).
    int answer() const { return odpoved; }
    // The item the radio group has selected now: 0 screen, 1 printer.
    int selected() const;

    QGroupBox* rgZariadenie = nullptr;
    QRadioButton* rbObrazovka = nullptr;
    QRadioButton* rbTlaciaren = nullptr;
    QLabel* lVysvetlenie = nullptr;
    QPushButton* bbOk = nullptr;
    QPushButton* bbSpat = nullptr;
    QPushButton* bbPomoc = nullptr;

public slots:
    void accept() override;
    void reject() override;

private:
    void showHelp();

    QButtonGroup* skupina = nullptr;
    int odpoved = -1;
};

} // namespace vidoraw
