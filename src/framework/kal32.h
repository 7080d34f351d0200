#pragma once
// "Kalendárik": a small month calendar opened beside a date box; a double click on a day
// takes that day.
#include "framework/appcontext.h"

#include <QDate>
#include <QDialog>

class QAbstractItemView;
class QCalendarWidget;
class QLineEdit;

namespace vidoraw {

class TfKal32 : public QDialog {
    Q_OBJECT
public:
    explicit TfKal32(QWidget* parent = nullptr);

    // Top-left corner of a window of size window opened for an edit box whose bottom-left
    // corner is editBottomLeft (screen coordinates): under the box, or above it when it would
    // reach below the screen's bottom; never beyond the screen's left or right edge.
    static QPoint Position(QPoint editBottomLeft, int editHeight, QSize window,
                           const QRect& screen);
    void placeBeside(QWidget* edit);

    // Presets the calendar, places the window and shows it modally; true with the day the
    // user double-clicked.
    bool pick(QWidget* edit, QDate start, QDate& date);

    bool wasAccepted() const { return accepted_; }
    QDate chosenDate() const { return chosen_; }

    QCalendarWidget* calendar = nullptr;
    // The grid of days inside the calendar.
    QAbstractItemView* dayView = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void onActivated(QDate date);
    QPointer<QWidget> edit_;
    bool doubleClick_ = false;
    bool accepted_ = false;
    QDate chosen_;
};

// The calendar of the program (made on first use, kept for the run).
TfKal32& CalendarDialog(AppContext& app);
// owner: the window asking (the calendar is placed by the edit box when there is one).
bool PickDate(AppContext& app, QWidget* owner, QWidget* edit, QDate start, QDate& date);
// The usual caller: starts from the date in the box (today when it holds none) and writes
// the chosen day back as day.month.year.
bool PickDateInto(AppContext& app, QLineEdit* edit);

} // namespace vidoraw
