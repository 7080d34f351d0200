#include "dialogsfixture.h"
#include "framework/kal32.h"
#include "testmain.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// What the user's double click delivers: press, release, press, double click, release.
void DoubleClick(QWidget* w, QPoint at) {
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    QTest::mouseDClick(w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT
private slots:
    void position_data();
    void position();
    void opensAboveABoxNearTheBottom();
    void doubleClickOnADayAccepts();
    void doubleClickOffTheDaysDoesNothing_data();
    void doubleClickOffTheDaysDoesNothing();
    void keysMoveTheDay();
    void writesTheDateIntoTheBox();
};

void TestCalendar::position_data() {
    QTest::addColumn<QPoint>("corner"); // the edit box's bottom-left corner
    QTest::addColumn<QPoint>("expected");
    // Screen 1024 x 768, window 200 x 180, edit box 20 high.
    QTest::newRow("room below") << QPoint(100, 300) << QPoint(100, 300);
    QTest::newRow("near the bottom: above the box") << QPoint(100, 700) << QPoint(100, 500);
    QTest::newRow("just fits below") << QPoint(100, 588) << QPoint(100, 588);
    QTest::newRow("one pixel too low") << QPoint(100, 589) << QPoint(100, 389);
    QTest::newRow("right edge") << QPoint(900, 300) << QPoint(824, 300);
    QTest::newRow("left of the screen") << QPoint(-40, 300) << QPoint(0, 300);
    QTest::newRow("bottom right corner") << QPoint(1000, 760) << QPoint(824, 560);
}

void TestCalendar::position() {
    QFETCH(QPoint, corner);
    QFETCH(QPoint, expected);
    QCOMPARE(TfKal32::Position(corner, 20, QSize(200, 180), QRect(0, 0, 1024, 768)), expected);
}

// A real edit box near the bottom of the screen: the calendar stands above it.
void TestCalendar::opensAboveABoxNearTheBottom() {
    DialogsFixture f;
    QWidget owner;
    auto* edit = new QLineEdit(&owner);
    auto* layout = new QVBoxLayout(&owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    const QRect screen = owner.screen()->geometry();
    owner.setGeometry(screen.left() + 50, screen.bottom() - 60, 200, edit->sizeHint().height());
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QRect calendarAt;
    f.ui.queueDialog([&](QDialog& d) {
        calendarAt = d.frameGeometry();
        d.reject();
    });
    QDate date;
    QVERIFY(!PickDate(f.app, &owner, edit, QDate(2008, 5, 15), date));
    const QPoint editTop = edit->mapToGlobal(QPoint(0, 0));
    QCOMPARE(calendarAt.left(), editTop.x());
    QCOMPARE(calendarAt.bottom() + 1, editTop.y()); // right above the box
    QVERIFY(f.ui.verifyNoSurprises());

    // Higher up, it opens under the box.
    owner.move(screen.left() + 50, screen.top() + 40);
    QApplication::processEvents();
    f.ui.queueDialog([&](QDialog& d) {
        calendarAt = d.frameGeometry();
        d.reject();
    });
    QVERIFY(!PickDate(f.app, &owner, edit, QDate(2008, 5, 15), date));
    QCOMPARE(calendarAt.top(), edit->mapToGlobal(QPoint(0, edit->height())).y());
}

void TestCalendar::doubleClickOnADayAccepts() {
    DialogsFixture f;
    f.ui.queueDialog([&](QDialog& d) {
        auto& k = As<TfKal32>(d);
        QCOMPARE(d.windowTitle(), QString("Kalendárik"));
        QCOMPARE(k.calendar->selectedDate(), QDate(2008, 5, 15));
        QCOMPARE(k.calendar->verticalHeaderFormat(), QCalendarWidget::ISOWeekNumbers);
        // The window is the calendar and nothing else.
        QCOMPARE(k.calendar->geometry(), k.rect());
        QAbstractItemView* v = k.dayView;
        QVERIFY(v);
        // Another day of the month shown: 20 May 2008 lies five cells to the right of 15 May
        // (Thursday) on the next row.
        const QModelIndex at = v->currentIndex();
        const QModelIndex day20 = v->model()->index(at.row() + 1, at.column() - 2);
        DoubleClick(v->viewport(), v->visualRect(day20).center());
    });
    QDate date;
    QVERIFY(PickDate(f.app, nullptr, nullptr, QDate(2008, 5, 15), date));
    QCOMPARE(date, QDate(2008, 5, 20));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCalendar::doubleClickOffTheDaysDoesNothing_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("year in the title") << "title";
    QTest::newRow("next month arrow") << "arrow";
    QTest::newRow("week number") << "week";
    QTest::newRow("day names") << "names";
}

void TestCalendar::doubleClickOffTheDaysDoesNothing() {
    QFETCH(QString, where);
    DialogsFixture f;
    bool open = false;
    f.ui.queueDialog([&](QDialog& d) {
        auto& k = As<TfKal32>(d);
        QAbstractItemView* v = k.dayView;
        if (where == "title" || where == "arrow") {
            auto* b = k.calendar->findChild<QToolButton*>(
                where == "title" ? "qt_calendar_yearbutton" : "qt_calendar_nextmonth");
            QVERIFY(b);
            DoubleClick(b, b->rect().center());
        } else {
            const QModelIndex at = v->currentIndex();
            const QModelIndex cell = where == "week" ? v->model()->index(at.row(), 0)
                                                     : v->model()->index(0, at.column());
            DoubleClick(v->viewport(), v->visualRect(cell).center());
        }
        open = d.isVisible();
        // Enter does not take the day either; only the double click does.
        QTest::keyClick(v, Qt::Key_Return);
        open = open && d.isVisible();
    });
    QDate date(2000, 1, 1);
    QVERIFY(!PickDate(f.app, nullptr, nullptr, QDate(2008, 5, 15), date));
    QVERIFY(open);
    QCOMPARE(date, QDate(2000, 1, 1));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCalendar::keysMoveTheDay() {
    DialogsFixture f;
    QList<QDate> seen;
    f.ui.queueDialog([&](QDialog& d) {
        auto& k = As<TfKal32>(d);
        QWidget* v = k.dayView;
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up}) {
            QTest::keyClick(v, key);
            seen << k.calendar->selectedDate();
        }
        QTest::keyClick(v, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
    });
    QDate date;
    QVERIFY(!PickDate(f.app, nullptr, nullptr, QDate(2008, 5, 15), date));
    QCOMPARE(seen, QList<QDate>({QDate(2008, 5, 16), QDate(2008, 5, 23), QDate(2008, 5, 22),
                                 QDate(2008, 5, 15), QDate(2008, 5, 8)}));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCalendar::writesTheDateIntoTheBox() {
    DialogsFixture f;
    QLineEdit edit;
    edit.setText("3.4.2009");
    QDate shown;
    f.ui.queueDialog([&](QDialog& d) {
        auto& k = As<TfKal32>(d);
        shown = k.calendar->selectedDate();
        QTest::keyClick(k.dayView, Qt::Key_Right);
        QAbstractItemView* v = k.dayView;
        DoubleClick(v->viewport(), v->visualRect(v->currentIndex()).center());
    });
    QVERIFY(PickDateInto(f.app, &edit));
    QCOMPARE(shown, QDate(2009, 4, 3));
    QCOMPARE(edit.text(), QString("4.4.2009"));
    // A box without a valid date starts from today.
    edit.setText("35.4.2009");
    const TestDay today;
    f.ui.queueDialog([&](QDialog& d) {
        shown = As<TfKal32>(d).calendar->selectedDate();
        d.reject();
    });
    QVERIFY(!PickDateInto(f.app, &edit));
    QVERIFY2(today.is(shown), qPrintable(shown.toString(Qt::ISODate)));
    QCOMPARE(edit.text(), QString("35.4.2009"));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestCalendar)
#include "test_calendar.moc"
