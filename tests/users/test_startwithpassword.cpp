#include "framework/tfbrowse.h"
#include "testmain.h"
#include "usersfixture.h"

#include <QSignalSpy>
#include <QTableView>

using namespace vidoraw;
using namespace vidoraw::test;

// The start of the program with the password question plugged in.
class TestStartWithPassword : public QObject {
    Q_OBJECT
private slots:
    void start_data();
    void start();
    void startWithoutPassword();
    void commandsEnabled();
};

void TestStartWithPassword::start_data() {
    QTest::addColumn<QString>("runState"); // found at start
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<QStringList>("notices");
    QTest::newRow("right") << "A" << "Okuliare" << true << true << QStringList{kGreeting};
    QTest::newRow("wrong") << "A" << "okuliare" << true << false << QStringList{kIntrusion};
    QTest::newRow("cancelled") << "A" << "Okuliare" << false << false << QStringList();
    // After a crash the wrong password must not hide the crash from the next start.
    QTest::newRow("wrong after a crash") << "B" << "Okuliar" << true << false
                                         << QStringList{kIntrusion};
}

void TestStartWithPassword::start() {
    QFETCH(QString, runState);
    QFETCH(QString, keys);
    QFETCH(bool, ok);
    QFETCH(bool, goesOn);
    QFETCH(QStringList, notices);
    UsersFixture f;
    QVERIFY(f.created);
    QVERIFY(f.setPassword("Okuliare"));
    QVERIFY(SetRunState(f.app, runState));
    f.window().show();
    f.ui.queueDialog([&](QDialog& d) {
        QCOMPARE(d.windowTitle(), QString("Heslo"));
        AnswerPassword(keys, ok)(d);
    });
    if (goesOn && runState == "B")
        f.ui.queueAnswer(0);
    QSignalSpy started(f.program.get(), &Program::started);
    f.program->start();
    QTRY_COMPARE(f.ui.pendingDialogs(), 0);
    QTRY_VERIFY(started.count() == 1 || !f.window().isVisible());
    QCOMPARE(started.count(), goesOn ? 1 : 0);
    QCOMPARE(f.window().isVisible(), goesOn);
    QCOMPARE(f.ui.takeNoticeTexts(), notices);
    // Ending at the password asks nothing and leaves the run state as it was.
    QVERIFY(f.ui.questions.isEmpty());
    QCOMPARE(f.system("STAV"), goesOn ? QString("B") : runState);
    QVERIFY(f.ui.verifyNoSurprises());
    if (goesOn) {
        f.ui.queueAnswer(1);
        QVERIFY(f.window().close());
        QCOMPARE(f.system("STAV"), QString("A"));
    }
}

void TestStartWithPassword::startWithoutPassword() {
    UsersFixture f;
    QVERIFY(f.program->runStartSequence());
    QVERIFY(f.ui.dialogs.isEmpty()); // no question and no greeting
    QCOMPARE(f.system("STAV"), QString("B"));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestStartWithPassword::commandsEnabled() {
    UsersFixture f;
    for (const char* path : {"Systém/Zmena &hesla ...", "Číselníky/Uží&vatelia"}) {
        QAction* a = f.window().command(QString::fromUtf8(path));
        QVERIFY2(a && a->isEnabled(), path);
    }
    // The list opens over the initial user.
    f.ui.queueDialog([](QDialog& d) {
        auto& b = dynamic_cast<TfBrowse&>(d);
        QCOMPARE(b.windowTitle(), QString("Zoznam užívateľov"));
        QCOMPARE(b.grid->model()->rowCount(), 1);
        b.commandBack();
    });
    QVERIFY(f.run(QStringLiteral("Číselníky/Uží&vatelia")));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestStartWithPassword)
#include "test_startwithpassword.moc"
