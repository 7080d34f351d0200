#include "testmain.h"

#include "core/interaction.h"
#include "ui/outputdevicedialog.h"
#include "ui/qtinteraction.h"
#include "ui/scriptedinteraction.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace vidoraw;

class TestOutputDevice : public QObject {
    Q_OBJECT
private slots:
    void scriptedAnswers_data();
    void scriptedAnswers();
    void unexpectedChoiceIsASurprise();
    void scriptedPrintDialog();
    void window();
    void windowAnswers_data();
    void windowAnswers();
    void throughTheWindowService();
};

void TestOutputDevice::scriptedAnswers_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("screen") << 0;
    QTest::newRow("printer") << 1;
    QTest::newRow("cancelled") << -1;
}

void TestOutputDevice::scriptedAnswers() {
    QFETCH(int, answer);
    ScriptedInteraction ui;
    ui.queueOutputDevice(answer);
    QCOMPARE(ChooseOutputDevice(), answer);
    QCOMPARE(ui.dialogs, QStringList{QStringLiteral("Voľba zariadenia")});
    QVERIFY(ui.verifyNoSurprises());
}

void TestOutputDevice::unexpectedChoiceIsASurprise() {
    ScriptedInteraction ui;
    const QRegularExpression withoutAnswer("a dialog came without a queued answer");
    QTest::ignoreMessage(QtWarningMsg, "ScriptedInteraction: unexpected output device choice");
    QCOMPARE(ChooseOutputDevice(), -1);
    QVERIFY(ui.unexpectedDialog);
    QTest::ignoreMessage(QtWarningMsg, withoutAnswer);
    QVERIFY(!ui.verifyNoSurprises());
    ui.clear();
    QVERIFY(ui.verifyNoSurprises());
    // An answer left unused is a surprise too.
    ui.queueOutputDevice(0);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("never used"));
    QVERIFY(!ui.verifyNoSurprises());
    ui.clear();
    QPrinter printer;
    QTest::ignoreMessage(QtWarningMsg, "ScriptedInteraction: unexpected print dialog");
    QVERIFY(!PrintDialog(printer));
    QTest::ignoreMessage(QtWarningMsg, withoutAnswer);
    QVERIFY(!ui.verifyNoSurprises());
    ui.clear(); // every surprise above was expected
}

void TestOutputDevice::scriptedPrintDialog() {
    ScriptedInteraction ui;
    ui.queuePrintDialog(true, [](QPrinter& p) { p.setCopyCount(3); });
    ui.queuePrintDialog(false);
    QPrinter printer;
    QVERIFY(PrintDialog(printer));
    QCOMPARE(printer.copyCount(), 3);
    QVERIFY(!PrintDialog(printer));
    QCOMPARE(ui.dialogs, QStringList({QStringLiteral("Tlač"), QStringLiteral("Tlač")}));
    QVERIFY(ui.verifyNoSurprises());
}

void TestOutputDevice::window() {
    TfVolbazar w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Voľba zariadenia"));
    QCOMPARE(w.rgZariadenie->title(), QStringLiteral("Zariadenie"));
    QCOMPARE(w.rbObrazovka->text(), QStringLiteral("Obrazovka"));
    QCOMPARE(w.rbTlaciaren->text(), QStringLiteral("Tlačiareň"));
    QVERIFY(w.rbObrazovka->isChecked());
    QCOMPARE(w.selected(), 0);
    QCOMPARE(w.bbOk->text(), QStringLiteral("&Ok"));
    QCOMPARE(w.bbSpat->text(), QStringLiteral("&Späť"));
    QCOMPARE(w.bbPomoc->text(), QStringLiteral("&Pomoc"));
    QVERIFY(w.lVysvetlenie->text().startsWith(
        QStringLiteral("Môžete vybrať výstupné zariadenie. V prípade, že zvolíte Obrazovka,")));
    QCOMPARE(w.answer(), -1);
}

void TestOutputDevice::windowAnswers_data() {
    QTest::addColumn<bool>("printer");
    QTest::addColumn<int>("how"); // 0 OK, 1 Späť, 2 Esc
    QTest::addColumn<int>("answer");
    QTest::newRow("OK, screen") << false << 0 << 0;
    QTest::newRow("OK, printer") << true << 0 << 1;
    QTest::newRow("Späť") << true << 1 << -1;
    QTest::newRow("Esc") << false << 2 << -1;
}

void TestOutputDevice::windowAnswers() {
    QFETCH(bool, printer);
    QFETCH(int, how);
    QFETCH(int, answer);
    TfVolbazar w;
    w.show();
    if (printer)
        QTest::mouseClick(w.rbTlaciaren, Qt::LeftButton);
    QCOMPARE(w.selected(), printer ? 1 : 0);
    if (how == 0)
        QTest::mouseClick(w.bbOk, Qt::LeftButton);
    else if (how == 1)
        QTest::mouseClick(w.bbSpat, Qt::LeftButton);
    else
        QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.answer(), answer);
}

void TestOutputDevice::throughTheWindowService() {
    QtInteraction windows;
    Interaction* previous = InstallInteraction(&windows);
    QTimer::singleShot(0, [] {
        auto* w = qobject_cast<TfVolbazar*>(QApplication::activeModalWidget());
        if (!w)
            return;
        w->rbTlaciaren->setChecked(true);
        w->bbOk->click();
    });
    // Never hang the run when the window did not come up as expected.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    guard.start(5000);
    const int device = ChooseOutputDevice();
    InstallInteraction(previous);
    QCOMPARE(device, 1);
}

VIDORAW_TEST(TestOutputDevice)
#include "test_outputdevice.moc"
