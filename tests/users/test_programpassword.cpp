#include "testmain.h"
#include "usersfixture.h"

#include <QLabel>
#include <QPushButton>

using namespace vidoraw;
using namespace vidoraw::test;

// The question for the program password and the change of the password.
class TestProgramPassword : public QObject {
    Q_OBJECT
private slots:
    void question_data();
    void question();
    void noPasswordNoQuestion();
    void change_data();
    void change();
    void changeToNothingRemovesTheQuestion();
    void tooLongPasswordRefused();
};

void TestProgramPassword::question_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("ok"); // OK (Enter) or Späť (Escape)
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<QString>("notice");
    QTest::newRow("right") << "Tajne" << true << true << kGreeting;
    QTest::newRow("right, digits ignored") << "Ta1j2ne" << true << true << kGreeting;
    QTest::newRow("right after a correction") << "Tajnx<e" << true << true << kGreeting;
    QTest::newRow("wrong case") << "tajne" << true << false << kIntrusion;
    QTest::newRow("too short") << "Tajn" << true << false << kIntrusion;
    QTest::newRow("nothing typed") << "" << true << false << kIntrusion;
    QTest::newRow("cancelled") << "Tajne" << false << false << "";
}

void TestProgramPassword::question() {
    QFETCH(QString, keys);
    QFETCH(bool, ok);
    QFETCH(bool, allowed);
    QFETCH(QString, notice);
    UsersFixture f;
    QVERIFY(f.created);
    QVERIFY(f.setPassword("Tajne"));
    QVERIFY(f.system("HESLOP") != QString("Tajne")); // kept scrambled
    f.ui.queueDialog([&](QDialog& d) {
        auto& w = dynamic_cast<TfHeslo&>(d);
        QCOMPARE(w.windowTitle(), QString("Heslo"));
        QCOMPARE(w.label->text(), QString("Heslo : "));
        QCOMPARE(w.bbOk->text(), QString("&Ok"));
        QCOMPARE(w.bbSpat->text(), QString("&Späť"));
        AnswerPassword(keys, ok)(d);
        QVERIFY(!w.isVisible());
    });
    QCOMPARE(CheckProgramPassword(f.app, &f.window()), allowed);
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown), notice.isEmpty() ? QStringList() : QStringList{notice});
    if (!notice.isEmpty()) {
        QCOMPARE(shown[0].title, QString("Oznam"));
        QCOMPARE(shown[0].kind, allowed ? NoticeKind::Information : NoticeKind::Error);
    }
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestProgramPassword::noPasswordNoQuestion() {
    UsersFixture f;
    QVERIFY(CheckProgramPassword(f.app, &f.window()));
    QVERIFY(f.ui.dialogs.isEmpty());
}

void TestProgramPassword::change_data() {
    QTest::addColumn<QString>("old");     // keys in the old-password window; "-" cancels it
    QTest::addColumn<QString>("first");   // keys of the two new entries; "-" cancels the
    QTest::addColumn<QString>("second");  // change window, "" when it is never shown
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QStringList>("notices");
    QTest::newRow("changed") << "Stare" << "Nove" << "Nove" << true << QStringList{kChanged};
    QTest::newRow("changed, digits ignored")
        << "Stare" << "No1ve" << "N2ove" << true << QStringList{kChanged};
    QTest::newRow("entries differ")
        << "Stare" << "Nove" << "Nova" << false << QStringList{kNotChanged};
    QTest::newRow("entries differ in case")
        << "Stare" << "Nove" << "nove" << false << QStringList{kNotChanged};
    QTest::newRow("wrong old password")
        << "stare" << "" << "" << false << QStringList{kIntrusion, kNotChanged};
    QTest::newRow("old password cancelled")
        << "-" << "" << "" << false << QStringList{kNotChanged};
    QTest::newRow("change window cancelled")
        << "Stare" << "-" << "" << false << QStringList{kNotChanged};
}

void TestProgramPassword::change() {
    QFETCH(QString, old);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, changed);
    QFETCH(QStringList, notices);
    UsersFixture f;
    QVERIFY(f.setPassword("Stare"));
    f.ui.queueDialog([&](QDialog& d) {
        auto& w = dynamic_cast<TfHeslo&>(d);
        QCOMPARE(w.windowTitle(), QString("Staré heslo"));
        QCOMPARE(w.label->text(), QString("Staré heslo:"));
        if (old == "-")
            w.pressBack();
        else
            AnswerPassword(old)(d);
    });
    if (!first.isEmpty()) {
        f.ui.queueDialog([&](QDialog& d) {
            auto& w = dynamic_cast<TfZmenaheslo&>(d);
            QCOMPARE(w.windowTitle(), QString("Zmena hesla"));
            QCOMPARE(QApplication::focusWidget(), w.eNove);
            if (first == "-") {
                TypeKeys(w.eNove, "abc");
                QTest::keyClick(w.eNove, Qt::Key_Escape);
                return;
            }
            TypeKeys(w.eNove, first);
            QTest::keyClick(w.eNove, Qt::Key_Return); // on to the repetition
            QCOMPARE(QApplication::focusWidget(), w.eOpakovanie);
            TypeKeys(w.eOpakovanie, second);
            QCOMPARE(w.eOpakovanie->text(), QString(w.repeated().size(), u'*'));
            QTest::keyClick(w.eOpakovanie, Qt::Key_Return);
            QVERIFY(!w.isVisible());
        });
    }
    // The menu command runs the change.
    QVERIFY(f.run(QStringLiteral("Systém/Zmena &hesla ...")));
    const QList<RecordedNotice> shown = f.ui.takeNotices();
    QCOMPARE(TextsOf(shown), notices);
    // A right old password shows no greeting; the success is information, the rest errors.
    QCOMPARE(shown.last().kind, changed ? NoticeKind::Information : NoticeKind::Error);
    QCOMPARE(ProgramPassword(f.app), changed ? QString("Nove") : QString("Stare"));
    QCOMPARE(f.system("HESLOP"), ScramblePassword(ProgramPassword(f.app)));
    QVERIFY(f.ui.verifyNoSurprises());

    // The start asks for the password in force.
    f.ui.clear();
    f.ui.queueDialog(AnswerPassword(changed ? "Nove" : "Stare"));
    QVERIFY(CheckProgramPassword(f.app, &f.window()));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kGreeting});
}

void TestProgramPassword::changeToNothingRemovesTheQuestion() {
    UsersFixture f;
    // No password yet: the old one is nothing, and a first one is set.
    f.ui.queueDialog(AnswerPassword(""));
    f.ui.queueDialog([](QDialog& d) {
        auto& w = dynamic_cast<TfZmenaheslo&>(d);
        TypeKeys(w.eNove, "abc");
        TypeKeys(w.eOpakovanie, "abc");
        w.pressOk();
    });
    QVERIFY(ChangeProgramPassword(f.app, &f.window()));
    QCOMPARE(ProgramPassword(f.app), QString("abc"));
    // Two empty entries are equal: the password is gone.
    f.ui.queueDialog(AnswerPassword("abc"));
    f.ui.queueDialog([](QDialog& d) { dynamic_cast<TfZmenaheslo&>(d).pressOk(); });
    QVERIFY(ChangeProgramPassword(f.app, &f.window()));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList({kChanged, kChanged}));
    QCOMPARE(f.system("HESLOP"), QString());
    f.ui.clear();
    QVERIFY(CheckProgramPassword(f.app, &f.window()));
    QVERIFY(f.ui.dialogs.isEmpty());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestProgramPassword::tooLongPasswordRefused() {
    // The stored password holds 30 characters: a longer one would be cut and never match
    // what the user types, locking everybody out.
    UsersFixture f;
    QVERIFY(f.setPassword("Stare"));
    const QString tooLong = QString("a").repeated(31);
    for (const QString& keys : {tooLong, tooLong.left(30)}) {
        f.ui.queueDialog(AnswerPassword("Stare"));
        f.ui.queueDialog([keys](QDialog& d) {
            auto& w = dynamic_cast<TfZmenaheslo&>(d);
            TypeKeys(w.eNove, keys);
            TypeKeys(w.eOpakovanie, keys);
            w.pressOk();
        });
        ChangeProgramPassword(f.app, &f.window());
        if (keys.size() == 31) {
            QCOMPARE(f.ui.takeNoticeTexts(),
                     QStringList({"Heslo môže mať najviac 30 písmen.", kNotChanged}));
            QCOMPARE(ProgramPassword(f.app), QString("Stare"));
            f.ui.clear();
        }
    }
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kChanged});
    QCOMPARE(ProgramPassword(f.app), tooLong.left(30));
    f.ui.queueDialog(AnswerPassword(tooLong.left(30)));
    QVERIFY(CheckProgramPassword(f.app, &f.window()));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kGreeting});
}

VIDORAW_TEST(TestProgramPassword)
#include "test_programpassword.moc"
