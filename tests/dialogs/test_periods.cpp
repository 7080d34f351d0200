#include "dialogsfixture.h"
#include "framework/mesrok.h"
#include "framework/obd.h"
#include "testmain.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace vidoraw;
using namespace vidoraw::test;

class TestPeriods : public QObject {
    Q_OBJECT
private slots:
    void periodOfChoice_data();
    void periodOfChoice();
    void yearClamped_data();
    void yearClamped();
    void periodDialogRemembersItsChoice();
    void backAnswersNothing();
    void monthAndYear();
};

void TestPeriods::periodOfChoice_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::newRow("I. quarter") << 2008 << 0 << QDate(2008, 1, 1) << QDate(2008, 3, 31);
    QTest::newRow("II. quarter") << 2008 << 1 << QDate(2008, 4, 1) << QDate(2008, 6, 30);
    QTest::newRow("III. quarter") << 2008 << 2 << QDate(2008, 7, 1) << QDate(2008, 9, 30);
    QTest::newRow("IV. quarter") << 2008 << 3 << QDate(2008, 10, 1) << QDate(2008, 12, 31);
    QTest::newRow("January") << 2009 << 4 << QDate(2009, 1, 1) << QDate(2009, 1, 31);
    QTest::newRow("February of a leap year") << 2008 << 5 << QDate(2008, 2, 1) << QDate(2008, 2, 29);
    QTest::newRow("February of 2100") << 2100 << 5 << QDate(2100, 2, 1) << QDate(2100, 2, 28);
    QTest::newRow("February of 2000") << 2000 << 5 << QDate(2000, 2, 1) << QDate(2000, 2, 29);
    QTest::newRow("February of 1990") << 1990 << 5 << QDate(1990, 2, 1) << QDate(1990, 2, 28);
    QTest::newRow("April") << 2010 << 7 << QDate(2010, 4, 1) << QDate(2010, 4, 30);
    QTest::newRow("December") << 2010 << 15 << QDate(2010, 12, 1) << QDate(2010, 12, 31);
}

void TestPeriods::periodOfChoice() {
    QFETCH(int, year);
    QFETCH(int, choice);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    const DatePeriod p = PeriodOfChoice(year, choice);
    QCOMPARE(p.first, first);
    QCOMPARE(p.last, last);

    // The same through the dialog.
    DialogsFixture f;
    f.ui.queueDialog([&](QDialog& d) {
        auto& obd = As<TfObd>(d);
        obd.seRok->setValue(year);
        obd.setChoice(choice);
        obd.bbOk->click();
    });
    QDate from, to;
    QVERIFY(AskPeriod(f.app, from, to));
    QCOMPARE(from, first);
    QCOMPARE(to, last);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPeriods::yearClamped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("year");
    QTest::newRow("too early") << "1985" << 1990;
    QTest::newRow("too late") << "2200" << 2100;
    QTest::newRow("letters") << "abc" << 1990;
    QTest::newRow("empty") << "" << 1990;
    QTest::newRow("inside") << "2008" << 2008;
    QTest::newRow("edges") << "2100" << 2100;
    QTest::newRow("spaces around") << " 1999 " << 1999;
    QTest::newRow("huge") << "99999999999" << 2100;
    QTest::newRow("negative") << "-5" << 1990;
}

// Typed into "Rok:" and left, or typed and confirmed at once: both dialogs show and answer
// the clamped year.
void TestPeriods::yearClamped() {
    QFETCH(QString, typed);
    QFETCH(int, year);
    QCOMPARE(ClampYear(typed), year);

    DialogsFixture f;
    f.ui.queueDialog([&](QDialog& d) {
        auto& obd = As<TfObd>(d);
        TypeAndLeave(obd.seRok, typed, obd.rgObdobie->button(0));
        QCOMPARE(obd.seRok->editor()->text(), QString::number(year));
        QCOMPARE(obd.seRok->value(), year);
        obd.bbOk->click();
    });
    QDate from, to;
    QVERIFY(AskPeriod(f.app, from, to));
    QCOMPARE(from, QDate(year, 1, 1));

    f.ui.queueDialog([&](QDialog& d) {
        auto& mesrok = As<TfMesrok>(d);
        mesrok.seRok->setFocus();
        mesrok.seRok->editor()->setText(typed);
        mesrok.bbOk->click(); // the click does not take the focus from the box first
    });
    int month = 3, y = 2000;
    QVERIFY(AskMonthYear(f.app, month, y));
    QCOMPARE(y, year);
    QCOMPARE(month, 3);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPeriods::periodDialogRemembersItsChoice() {
    DialogsFixture f;
    // A fresh dialog offers the current year and the first quarter.
    const TestDay today;
    f.ui.queueDialog([&](QDialog& d) {
        auto& obd = As<TfObd>(d);
        QVERIFY(today.either([&](const QDate& day) { return obd.year() == day.year(); }));
        QCOMPARE(obd.choice(), 0);
        QVERIFY(obd.rgObdobie->button(0)->isChecked());
        obd.seRok->setValue(2004);
        obd.setChoice(9); // June
        obd.bbOk->click();
    });
    QDate from, to;
    QVERIFY(AskPeriod(f.app, from, to));
    QCOMPARE(from, QDate(2004, 6, 1));
    QCOMPARE(to, QDate(2004, 6, 30));
    // The next use offers June 2004 again.
    f.ui.queueDialog([&](QDialog& d) {
        auto& obd = As<TfObd>(d);
        QCOMPARE(obd.year(), 2004);
        QCOMPARE(obd.choice(), 9);
        QCOMPARE(obd.rgObdobie->checkedButton()->text(), QString("Jún"));
        obd.bbOk->click();
    });
    QVERIFY(AskPeriod(f.app, from, to));
    QCOMPARE(to, QDate(2004, 6, 30));
    // Another context (another run) starts afresh.
    DialogsFixture g;
    g.ui.queueDialog([&](QDialog& d) {
        QCOMPARE(As<TfObd>(d).choice(), 0);
        d.reject();
    });
    QVERIFY(!AskPeriod(g.app, from, to));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPeriods::backAnswersNothing() {
    DialogsFixture f;
    QDate from(2001, 1, 1), to(2001, 1, 2);
    f.ui.queueDialog([&](QDialog& d) { As<TfObd>(d).bbSpat->click(); });
    QVERIFY(!AskPeriod(f.app, from, to));
    QCOMPARE(from, QDate(2001, 1, 1));
    f.ui.queueDialog([&](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    int month = 4, year = 2003;
    QVERIFY(!AskMonthYear(f.app, month, year));
    QCOMPARE(month, 4);
    QCOMPARE(year, 2003);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestPeriods::monthAndYear() {
    DialogsFixture f;
    // The caller's preset is shown; the answer is the position + 1.
    f.ui.queueDialog([&](QDialog& d) {
        auto& m = As<TfMesrok>(d);
        QCOMPARE(d.windowTitle(), QString("Mesiac a rok "));
        QCOMPARE(m.year(), 2007);
        QCOMPARE(m.rgMesiac->checkedButton()->text(), QString("November"));
        m.rgMesiac->button(1)->click(); // Február
        m.bbOk->click();
    });
    int month = 11, year = 2007;
    QVERIFY(AskMonthYear(f.app, month, year));
    QCOMPARE(month, 2);
    QCOMPARE(year, 2007);
    // Without a preset: the current month and year.
    const TestDay today;
    f.ui.queueDialog([&](QDialog& d) {
        auto& m = As<TfMesrok>(d);
        QVERIFY(today.either([&](const QDate& day) {
            return m.month() == day.month() && m.year() == day.year();
        }));
        QTest::keyClick(m.seRok, Qt::Key_Return); // Enter confirms
    });
    month = 0;
    year = 0;
    QVERIFY(AskMonthYear(f.app, month, year));
    QVERIFY(today.either([&](const QDate& day) { return month == day.month(); }));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestPeriods)
#include "test_periods.moc"
