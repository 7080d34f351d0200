#include "dialogsfixture.h"
#include "framework/coderange.h"
#include "testmain.h"

#include <QLineEdit>

using namespace vidoraw;
using namespace vidoraw::test;

class TestCodeRange : public QObject {
    Q_OBJECT
private slots:
    void okChecksBothBoxes_data();
    void okChecksBothBoxes();
    void leavingABoxChecksIt();
    void backAsksFirst();
};

void TestCodeRange::okChecksBothBoxes_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("stays");
    QTest::addColumn<qint64>("fromCode");
    QTest::addColumn<qint64>("toCode");
    QTest::newRow("range") << "10" << "250" << false << qint64(10) << qint64(250);
    QTest::newRow("trimmed") << "  7 " << " 9" << false << qint64(7) << qint64(9);
    QTest::newRow("beyond 32 bits") << "1" << "99999999999" << false << qint64(1)
                                    << qint64(99999999999);
    QTest::newRow("letters first") << "abc" << "5" << true << qint64(0) << qint64(0);
    QTest::newRow("decimal second") << "1" << "2,5" << true << qint64(0) << qint64(0);
    QTest::newRow("empty first") << "" << "5" << true << qint64(0) << qint64(0);
}

void TestCodeRange::okChecksBothBoxes() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, stays);
    QFETCH(qint64, fromCode);
    QFETCH(qint64, toCode);
    DialogsFixture f;
    bool open = false;
    QWidget* focused = nullptr;
    QLineEdit* failing = nullptr;
    f.ui.queueDialog([&](QDialog& d) {
        auto& c = As<TfCodeRange>(d);
        QCOMPARE(d.windowTitle(), QString("Výmaz záznamov"));
        QCOMPARE(c.eOd->text(), QString("0"));
        QCOMPARE(c.eDo->text(), QString("0"));
        c.eOd->setText(from);
        c.eDo->setText(to);
        c.pressOk();
        open = d.isVisible();
        focused = QApplication::focusWidget();
        failing = IsIntegerQuiet(from) ? c.eDo : c.eOd;
    });
    qint64 a = -1, b = -1;
    QCOMPARE(AskCodeRange(f.app, a, b), !stays);
    QCOMPARE(open, stays);
    if (stays) {
        const QList<RecordedNotice> shown = f.ui.takeNotices();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QString(" Nesprávne celé číslo! "));
        QCOMPARE(focused, failing);
        QCOMPARE(a, qint64(-1));
    } else {
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
        QCOMPARE(a, fromCode);
        QCOMPARE(b, toCode);
    }
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCodeRange::leavingABoxChecksIt() {
    DialogsFixture f;
    f.ui.queueDialog([&](QDialog& d) {
        auto& c = As<TfCodeRange>(d);
        TypeAndLeave(c.eOd, "x1", c.eDo);
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList{" Nesprávne celé číslo! "});
        // Painted, and the user goes on where he went; only OK sends him back.
        QCOMPARE(QApplication::focusWidget(), c.eDo);
        QCOMPARE(c.eOd->palette().color(QPalette::Base), f.app.colours.incorrect);
        c.pressOk();
        QVERIFY(d.isVisible());
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList{" Nesprávne celé číslo! "});
        QCOMPARE(QApplication::focusWidget(), c.eOd);
        TypeAndLeave(c.eOd, " 12 ", c.eDo);
        QCOMPARE(f.ui.takeNoticeTexts(), QStringList());
        QCOMPARE(c.eOd->text(), QString("12"));
        QCOMPARE(QApplication::focusWidget(), c.eDo);
        c.pressOk();
    });
    qint64 a = 0, b = 0;
    QVERIFY(AskCodeRange(f.app, a, b));
    QCOMPARE(a, qint64(12));
    QCOMPARE(b, qint64(0));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestCodeRange::backAsksFirst() {
    DialogsFixture f;
    bool openAfterNo = false;
    f.ui.queueAnswer(0);
    f.ui.queueAnswer(1);
    f.ui.queueDialog([&](QDialog& d) {
        auto& c = As<TfCodeRange>(d);
        c.pressBack(); // "no": stays
        openAfterNo = d.isVisible();
        QTest::keyClick(&d, Qt::Key_Escape); // "yes": gone
    });
    qint64 a = 0, b = 0;
    QVERIFY(!AskCodeRange(f.app, a, b));
    QVERIFY(openAfterNo);
    QCOMPARE(f.ui.questions,
             QStringList({" Mám naozaj ukončiť editáciu bez uchovania?",
                          " Mám naozaj ukončiť editáciu bez uchovania?"}));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestCodeRange)
#include "test_coderange.moc"
