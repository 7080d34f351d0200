#include "dialogsfixture.h"
#include "framework/casintem.h"
#include "framework/obd.h"
#include "testmain.h"

#include <QLineEdit>
#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

class TestDateRange : public QObject {
    Q_OBJECT
private slots:
    void okChecksDatesAndOrder_data();
    void okChecksDatesAndOrder();
    void leavingABoxChecksIt();
    void periodFillsBothBoxes();
};

void TestDateRange::okChecksDatesAndOrder_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("failing");  // "od" or "do": the box that gets the focus
    QTest::newRow("in order") << "01.12.2008" << "31.12.2008" << "" << "";
    QTest::newRow("one day") << "05.05.2005" << "05.05.2005" << "" << "";
    QTest::newRow("single digits") << "1 .2 .2008" << "29.02.2008" << "" << "";
    QTest::newRow("out of order") << "31.12.2008" << "01.12.2008"
                                  << "Nesprávna postupnosť dátumov !" << "od";
    QTest::newRow("no day 30 in February") << "30.02.2008" << "01.03.2008"
                                           << "Hodnota dátumu od nie je prípustná !" << "od";
    QTest::newRow("29 February of 2100") << "01.01.2100" << "29.02.2100"
                                         << "Hodnota dátumu do nie je prípustná !" << "do";
    QTest::newRow("empty to") << "01.01.2008" << ""
                              << "Hodnota dátumu do nie je prípustná !" << "do";
    QTest::newRow("two-digit year") << "01.01.08" << "01.02.2008"
                                    << "Hodnota dátumu od nie je prípustná !" << "od";
}

// The dialog stays open until both dates are valid and in order.
void TestDateRange::okChecksDatesAndOrder() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, message);
    QFETCH(QString, failing);
    DialogsFixture f;
    bool stayedOpen = false;
    QWidget* focused = nullptr;
    f.ui.queueDialog([&](QDialog& d) {
        auto& c = As<TfCasintem>(d);
        QCOMPARE(d.windowTitle(), QString("Časový interval"));
        c.eOd->setText(from);
        c.eDo->setText(to);
        c.pressOk();
        stayedOpen = d.isVisible();
        focused = QApplication::focusWidget();
        if (stayedOpen) {
            // Mended, it closes.
            c.eOd->setText("01.01.2008");
            c.eDo->setText("02.01.2008");
            c.pressOk();
        }
    });
    QDate a(1999, 1, 1), b(1999, 1, 2);
    QVERIFY(AskDateRange(f.app, a, b));
    if (message.isEmpty()) {
        QVERIFY(!stayedOpen);
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
        double days = 0;
        QVERIFY(ParseDate(QString(from).remove(' '), days));
        QCOMPARE(a, DateFromDays(days));
        QVERIFY(a <= b);
    } else {
        QVERIFY(stayedOpen);
        const QList<RecordedNotice> shown = f.ui.takeNotices();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QString("Chyba"));
        QCOMPARE(shown[0].text, message);
        QCOMPARE(a, QDate(2008, 1, 1));
        QCOMPARE(b, QDate(2008, 1, 2));
        Q_UNUSED(focused);
    }
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestDateRange::leavingABoxChecksIt() {
    DialogsFixture f;
    f.ui.queueDialog([&](QDialog& d) {
        auto& c = As<TfCasintem>(d);
        // Preset from the caller.
        QCOMPARE(c.eOd->text(), QString("31.12.2008"));
        QCOMPARE(c.from(), QDate(2008, 12, 31));
        TypeAndLeave(c.eOd, "32122008", c.eDo);
        const QList<RecordedNotice> shown = f.ui.takeNotices();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QString("Hodnota dátumu od nie je prípustná !"));
        QCOMPARE(QApplication::focusWidget(), c.eOd); // back in the box
        QCOMPARE(c.eOd->palette().color(QPalette::Base), f.app.colours.incorrect);
        TypeAndLeave(c.eOd, "01122008", c.eDo);
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
        QCOMPARE(QApplication::focusWidget(), c.eDo);
        QCOMPARE(c.eOd->palette().color(QPalette::Base), f.app.colours.normal);
        c.pressBack();
    });
    QDate a(2008, 12, 31), b(2008, 12, 1);
    QVERIFY(!AskDateRange(f.app, a, b)); // Back answers false and changes nothing
    QCOMPARE(a, QDate(2008, 12, 31));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestDateRange::periodFillsBothBoxes() {
    DialogsFixture f;
    f.ui.queueDialog([&](QDialog& d) {
        auto& c = As<TfCasintem>(d);
        QVERIFY(c.eOd->text().remove(' ').remove('.').isEmpty()); // no preset: blank mask
        f.ui.queueDialog([&](QDialog& p) {
            auto& obd = As<TfObd>(p);
            obd.seRok->setValue(2008);
            obd.setChoice(5); // Február
            obd.bbOk->click();
        });
        // A click from the blank box: the box is not checked on the way.
        c.eOd->setFocus();
        QTest::mouseClick(c.bbObdobie, Qt::LeftButton);
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
        QCOMPARE(c.eOd->text(), QString("01.02.2008"));
        QCOMPARE(c.eDo->text(), QString("29.02.2008"));
        c.pressOk();
    });
    QDate a, b;
    QVERIFY(AskDateRange(f.app, a, b));
    QCOMPARE(a, QDate(2008, 2, 1));
    QCOMPARE(b, QDate(2008, 2, 29));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestDateRange)
#include "test_daterange.moc"
