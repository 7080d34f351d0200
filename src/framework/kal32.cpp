#include "framework/kal32.h"

#include "core/interaction.h"
#include "core/values.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QShowEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace vidoraw {

TfKal32::TfKal32(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setWindowTitle(QStringLiteral("Kalendárik"));
    calendar = new QCalendarWidget(this);
    calendar->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->setLocale(QLocale(QLocale::Slovak, QLocale::Slovakia));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendar);
    setFixedSize(calendar->sizeHint());

    dayView = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    if (!dayView)
        dayView = calendar->findChild<QAbstractItemView*>();
    if (dayView) {
        dayView->installEventFilter(this);
        dayView->viewport()->installEventFilter(this);
    }
    // The calendar answers "activated" for a day only (its own test of where a day lies);
    // Enter activates too, but only a double click takes the day here.
    connect(calendar, &QCalendarWidget::activated, this, &TfKal32::onActivated);
}

QPoint TfKal32::Position(QPoint editBottomLeft, int editHeight, QSize window,
                         const QRect& screen) {
    int left = std::max(screen.left(), editBottomLeft.x());
    if (left + window.width() > screen.left() + screen.width())
        left = screen.left() + screen.width() - window.width();
    int top = editBottomLeft.y();
    if (top + window.height() > screen.top() + screen.height())
        top = editBottomLeft.y() - (editHeight + window.height());
    return {left, top};
}

void TfKal32::placeBeside(QWidget* edit) {
    if (!edit)
        return;
    const QPoint corner = edit->mapToGlobal(QPoint(0, edit->height()));
    QScreen* screen = edit->screen() ? edit->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    move(Position(corner, edit->height(), frameGeometry().size(), screen->geometry()));
}

bool TfKal32::pick(QWidget* edit, QDate start, QDate& date) {
    calendar->setSelectedDate(start.isValid() ? start : QDate::currentDate());
    doubleClick_ = false;
    accepted_ = false;
    chosen_ = QDate();
    edit_ = edit;
    // The size as shown: the style and font are known only once polished.
    ensurePolished();
    calendar->ensurePolished();
    setFixedSize(calendar->sizeHint());
    placeBeside(edit);
    calendar->setFocus();
    RunDialog(*this);
    if (accepted_)
        date = chosen_;
    return accepted_;
}

void TfKal32::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Again once shown: the window's frame is known now.
    placeBeside(edit_);
}

bool TfKal32::eventFilter(QObject* watched, QEvent* event) {
    if (dayView && (watched == dayView || watched == dayView->viewport())) {
        switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            doubleClick_ = true;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
            doubleClick_ = false;
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfKal32::onActivated(QDate date) {
    if (!doubleClick_)
        return;
    doubleClick_ = false;
    accepted_ = true;
    chosen_ = date;
    accept();
}

TfKal32& CalendarDialog(AppContext& app) {
    auto* kal = qobject_cast<TfKal32*>(app.calendar.window.data());
    if (!kal) {
        kal = new TfKal32(app.mainWindow);
        app.calendar.window = kal;
    }
    return *kal;
}

bool PickDate(AppContext& app, QWidget* owner, QWidget* edit, QDate start, QDate& date) {
    TfKal32& kal = CalendarDialog(app);
    if (!edit && owner) {
        // Nothing to stand beside: over the asking window.
        kal.move(owner->window()->frameGeometry().center() - kal.rect().center());
    }
    return kal.pick(edit, start, date);
}

bool PickDateInto(AppContext& app, QLineEdit* edit) {
    double days = 0;
    const QDate start = ParseDate(edit->text(), days) ? DateFromDays(days) : QDate::currentDate();
    QDate date;
    if (!PickDate(app, edit->window(), edit, start, date))
        return false;
    edit->setText(FormatDate(DaysFromDate(date)));
    return true;
}

} // namespace vidoraw
