// The main window as the keyboard and the mouse meet it: where it opens, the hints of its
// commands, the underlined letters of its menus.
#include "framework/tfbrowse.h"
#include "shellfixture.h"
#include "testmain.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// Opens a menu of the menu bar by its letter (Alt+letter), as the user does.
QMenu* OpenMenu(TfHlavny& window, Qt::Key letter) {
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return nullptr;
    QTest::keyClick(&window, letter, Qt::AltModifier);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

void CloseMenus() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void opensCentredOnTheScreen();
    void commandHints_data();
    void commandHints();
    void menuLetters_data();
    void menuLetters();
};

void TestMainWindow::opensCentredOnTheScreen() {
    ShellFixture f;
    const QRect screen = f.window().screen()->geometry();
    const QPoint expected(screen.left() + std::max(0, (screen.width() - f.window().width()) / 2),
                          screen.top() + std::max(0, (screen.height() - f.window().height()) / 2));
    QCOMPARE(f.window().pos(), expected);
    QVERIFY(expected != screen.topLeft());
}

void TestMainWindow::commandHints_data() {
    QTest::addColumn<int>("menu"); // the menu's letter
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("hint");
    QTest::newRow("password change") << int(Qt::Key_S) << "Systém/Zmena &hesla ..."
                                     << " Umožní zmeniť heslo pre plný prístup";
    QTest::newRow("users") << int(Qt::Key_N) << "Číselníky/Uží&vatelia" << " Zoznam užívateľov";
    QTest::newRow("frequent vouchers") << int(Qt::Key_N) << "Číselníky/Časté pou&kazy"
                                       << " Zoznam častých poukazov";
    QTest::newRow("keywords") << int(Qt::Key_N) << "Číselníky/H&eslá" << " Zoznam hesiel";
    QTest::newRow("assigned keywords") << int(Qt::Key_N) << "Číselníky/Prirade&né heslá"
                                       << " Zoznam priradených hesiel";
    QTest::newRow("no hint: the caption") << int(Qt::Key_N) << "Číselníky/Tit&ul" << " Titul";
}

void TestMainWindow::commandHints() {
    QFETCH(int, menu);
    QFETCH(QString, path);
    QFETCH(QString, hint);
    ShellFixture f;
    f.window().wire(path, [] {});
    QMenu* m = OpenMenu(f.window(), Qt::Key(menu));
    QVERIFY(m);
    m->setActiveAction(f.window().command(path)); // the mouse or the arrows on the item
    QCOMPARE(f.window().hintPanel->text(), hint);
    CloseMenus();
}

void TestMainWindow::menuLetters_data() {
    QTest::addColumn<int>("menu");
    QTest::addColumn<QList<int>>("modules"); // lists the program can open besides the usual
    QTest::addColumn<QString>("letters");
    QTest::addColumn<int>("opened"); // the list that opened, -1 none
    QTest::addColumn<QString>("highlighted");
    // "&Diagnózy" has no module yet.
    QTest::newRow("shared with a disabled item")
        << int(Qt::Key_N) << QList<int>{5} << "d" << 5 << "";
    // The menu opens on its first enabled item, here "&Diagnózy".
    QTest::newRow("two enabled take turns")
        << int(Qt::Key_N) << QList<int>{5, 9} << "d" << -1 << "&Dodávacie pošty";
    QTest::newRow("and come round again")
        << int(Qt::Key_N) << QList<int>{5, 9} << "dd" << -1 << "&Diagnózy";
    QTest::newRow("only a disabled item") << int(Qt::Key_C) << QList<int>{} << "v" << -1 << "";
}

void TestMainWindow::menuLetters() {
    QFETCH(int, menu);
    QFETCH(QList<int>, modules);
    QFETCH(QString, letters);
    QFETCH(int, opened);
    QFETCH(QString, highlighted);
    ShellFixture f;
    for (int n : modules)
        f.app.registry.setFactory(
            n, [&f, n] { return std::make_unique<TfPoukazStandIn>(f.app, n); },
            &TfPoukazStandIn::Schema);
    f.window().refreshCommands();
    int shown = -1;
    if (opened >= 0)
        f.ui.queueDialog([&](QDialog& d) {
            shown = As<TfBrowse>(d).moduleNumber();
            As<TfBrowse>(d).commandBack();
        });
    QMenu* m = OpenMenu(f.window(), Qt::Key(menu));
    QVERIFY(m);
    for (QChar c : letters)
        QTest::keyClick(m, c.toLatin1());
    QCOMPARE(shown, opened);
    if (opened < 0) {
        QCOMPARE(QApplication::activePopupWidget(), m); // nothing ran, the menu stays
        QCOMPARE(m->activeAction() ? m->activeAction()->text() : QString(), highlighted);
    }
    CloseMenus();
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestMainWindow)
#include "test_mainwindow.moc"
