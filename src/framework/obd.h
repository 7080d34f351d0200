#pragma once
// "Určenie obdobia": a year and one of the four quarters or twelve months; the window is kept
// for the whole run and offers the last choice again.
#include "framework/appcontext.h"

#include <QDate>
#include <QDialog>
#include <QSpinBox>

class QButtonGroup;
class QHBoxLayout;
class QPushButton;
class QRadioButton;

namespace vidoraw {

inline constexpr int kFirstYear = 1990;
inline constexpr int kLastYear = 2100;

// The year a typed text stands for: a text that is no whole number counts as 0; the result
// lies in kFirstYear..kLastYear.
int ClampYear(const QString& text);

// The "Rok:" box of the period and month dialogs: any text may be typed; leaving the box or
// confirming the dialog turns it into a year by ClampYear.
class YearBox : public QSpinBox {
    Q_OBJECT
public:
    explicit YearBox(QWidget* parent = nullptr);
    QLineEdit* editor() const { return lineEdit(); }

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;
};

struct DatePeriod {
    QDate first;
    QDate last;
};
// choice 0..3 the quarters I..IV, 4..15 January..December of the year.
DatePeriod PeriodOfChoice(int year, int choice);

// n radio buttons in a titled group, filling four columns from top to bottom.
QButtonGroup* MakeChoiceColumns(QWidget* groupBox, const QStringList& texts);

class TfObd : public QDialog {
    Q_OBJECT
public:
    explicit TfObd(QWidget* parent = nullptr);
    int showModal();

    int year() const;
    int choice() const;
    void setChoice(int choice);
    DatePeriod period() const { return PeriodOfChoice(year(), choice()); }

    YearBox* seRok = nullptr;
    QButtonGroup* rgObdobie = nullptr;
    QPushButton* bbOk = nullptr;
    QPushButton* bbSpat = nullptr;

private:
    void pressOk();
};

// "Rok:" and the year box, on a row of their own.
QHBoxLayout* MakeYearRow(QWidget* dialog, YearBox* box);

// Plain OK / Back buttons of the small dialogs, under the rest.
QWidget* MakeOkBackStrip(QDialog* dialog, QPushButton*& ok, QPushButton*& back);

// The period dialog of the program (made on first use, kept for the run).
TfObd& PeriodDialog(AppContext& app);
// True with the first and last day of the chosen period; false after "Späť".
bool AskPeriod(AppContext& app, QDate& first, QDate& last);

} // namespace vidoraw
