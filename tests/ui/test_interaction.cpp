#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "testmain.h"
#include "ui/noticewindows.h"
#include "ui/qtinteraction.h"
#include "ui/scriptedinteraction.h"

using namespace vidoraw;

Q_DECLARE_METATYPE(vidoraw::NoticeKind)

namespace {
// Buttons of a window from left to right.
QStringList ButtonTexts(QWidget* w) {
    QList<QPushButton*> buttons = w->findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QStringList texts;
    for (QPushButton* b : buttons)
        texts << b->text();
    return texts;
}

QImage Image(const QLabel* label) {
    return label->pixmap().toImage();
}

// Keys go where the user's keys go: to the widget holding the focus.
void Press(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, Qt::Key(key), modifiers);
}
} // namespace

class TestInteraction : public QObject {
    Q_OBJECT

private slots:
    void noticeWindow_data() {
        QTest::addColumn<NoticeKind>("kind");
        QTest::addColumn<int>("icon");
        QTest::newRow("error") << NoticeKind::Error << int(QStyle::SP_MessageBoxCritical);
        QTest::newRow("warning") << NoticeKind::Warning << int(QStyle::SP_MessageBoxWarning);
        QTest::newRow("question") << NoticeKind::Question << int(QStyle::SP_MessageBoxQuestion);
        QTest::newRow("information")
            << NoticeKind::Information << int(QStyle::SP_MessageBoxInformation);
    }
    void noticeWindow() {
        QFETCH(NoticeKind, kind);
        QFETCH(int, icon);
        const QString text = QStringLiteral("Dlhý text hlásenia, ktorý sa musí zalomiť, lebo sa "
                                            "nezmestí do jedného riadku okna s hlásením.");
        TfHlaska w(QStringLiteral("Chyba"), text, kind);
        QCOMPARE(w.windowTitle(), QStringLiteral("Chyba"));
        QCOMPARE(w.lText->text(), text);
        QCOMPARE(w.lText->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(w.lText->wordWrap());
        QCOMPARE(ButtonTexts(&w), QStringList{"OK"});
        QCOMPARE(int(TfHlaska::IconFor(kind)), icon);
        const int size = w.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &w);
        const QImage expected = w.style()
                                    ->standardIcon(QStyle::StandardPixmap(icon), nullptr, &w)
                                    .pixmap(size, size)
                                    .toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(Image(w.lIkona), expected);
    }

    // Every kind shows its own icon.
    void noticeIconsDiffer() {
        QList<QImage> images;
        for (NoticeKind k : {NoticeKind::Error, NoticeKind::Warning, NoticeKind::Question,
                             NoticeKind::Information}) {
            TfHlaska w("t", "x", k);
            QVERIFY(!images.contains(Image(w.lIkona)));
            images << Image(w.lIkona);
        }
    }

    void noticeKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Esc closes") << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("Enter is OK") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("Space on OK") << int(Qt::Key_Space) << int(QDialog::Accepted);
    }
    void noticeKeys() {
        QFETCH(int, key);
        QFETCH(int, result);
        TfHlaska w("Oznam", "Hotovo.", NoticeKind::Information);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.focusWidget(), w.bOk);
        Press(&w, key, Qt::NoModifier);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), result);
    }

    void questionWindow() {
        TfPotvrd w(QStringLiteral("Chceš naozaj ukončiť program?"));
        QCOMPARE(w.windowTitle(), QStringLiteral("P O T V R D E N I E"));
        QCOMPARE(w.lOtazka->text(), QStringLiteral("Chceš naozaj ukončiť program?"));
        QCOMPARE(w.lOtazka->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(w.lOtazka->wordWrap());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(ButtonTexts(&w), (QStringList{"Áno", "Nie", "Pomoc"}));
        QCOMPARE(w.focusWidget(), w.bNie);
        QVERIFY(w.bNie->isDefault());
        QVERIFY(!w.bAno->isDefault());
        QCOMPARE(w.answer(), -1);
    }

    void questionKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("answer");
        QTest::newRow("a") << int(Qt::Key_A) << int(Qt::NoModifier) << true << 1;
        QTest::newRow("A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << true << 1;
        QTest::newRow("n") << int(Qt::Key_N) << int(Qt::NoModifier) << true << 0;
        QTest::newRow("N") << int(Qt::Key_N) << int(Qt::ShiftModifier) << true << 0;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier) << true << -1;
        QTest::newRow("Enter answers the focused Nie")
            << int(Qt::Key_Return) << int(Qt::NoModifier) << true << 0;
        QTest::newRow("Space answers the focused Nie")
            << int(Qt::Key_Space) << int(Qt::NoModifier) << true << 0;
        QTest::newRow("Ctrl+A is no answer")
            << int(Qt::Key_A) << int(Qt::ControlModifier) << false << -1;
        QTest::newRow("other letter") << int(Qt::Key_X) << int(Qt::NoModifier) << false << -1;
    }
    void questionKeys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        QFETCH(int, answer);
        ScriptedInteraction script; // nothing may be shown or asked meanwhile
        TfPotvrd w("Zmazať záznam?");
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Press(&w, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w.isVisible(), !closes);
        QCOMPARE(w.answer(), answer);
        if (closes) QCOMPARE(w.result(), answer);
    }

    void questionButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("Áno") << "Áno" << 1;
        QTest::newRow("Nie") << "Nie" << 0;
    }
    void questionButtons() {
        QFETCH(QString, button);
        QFETCH(int, answer);
        TfPotvrd w("Zmazať záznam?");
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QPushButton* b = button == "Áno" ? w.bAno : w.bNie;
        QTest::mouseClick(b, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.answer(), answer);
    }

    // Pomoc explains the keys and leaves the question open.
    void questionHelp() {
        ScriptedInteraction script;
        TfPotvrd w("Zmazať záznam?");
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.bPomoc, Qt::LeftButton);
        QVERIFY(w.isVisible());
        QCOMPARE(w.answer(), -1);
        const QList<RecordedNotice> notices = script.takeNotices();
        QCOMPARE(notices.size(), 1);
        QCOMPARE(notices[0].title, QStringLiteral("Pomoc"));
        QCOMPARE(notices[0].kind, NoticeKind::Information);
        QCOMPARE(script.placements[0].owner, w.bPomoc);
        QVERIFY(script.verifyNoSurprises());
        Press(&w, Qt::Key_A, Qt::NoModifier);
        QCOMPARE(w.answer(), 1);
    }

    void placement_data() {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QRect>("ownerWindow");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<bool>("hasOwner");
        QTest::addColumn<bool>("below");
        QTest::addColumn<QPoint>("expected");
        const QSize w(200, 100);
        const QRect screen(0, 0, 1000, 800);
        const QRect ownerWin(100, 100, 600, 400);
        QTest::newRow("no owner: centred on the screen")
            << w << QRect() << QRect() << screen << false << false << QPoint(400, 350);
        QTest::newRow("no owner ignores owner rectangles")
            << w << QRect(0, 0, 10, 10) << QRect(0, 0, 10, 10) << screen << false << true
            << QPoint(400, 350);
        QTest::newRow("no owner on a second screen")
            << w << QRect() << QRect() << QRect(1000, 0, 1000, 800) << false << false
            << QPoint(1400, 350);
        QTest::newRow("below, centred on the control")
            << w << QRect(300, 200, 100, 20) << ownerWin << screen << true << true
            << QPoint(250, 220);
        QTest::newRow("below, just fits") << w << QRect(300, 680, 100, 20) << ownerWin << screen
                                          << true << true << QPoint(250, 700);
        QTest::newRow("above when no room below") << w << QRect(300, 690, 100, 20) << ownerWin
                                                  << screen << true << true << QPoint(250, 590);
        QTest::newRow("below, kept in at the left")
            << w << QRect(0, 200, 50, 20) << ownerWin << screen << true << true << QPoint(0, 220);
        QTest::newRow("below, kept in at the right") << w << QRect(950, 200, 50, 20) << ownerWin
                                                     << screen << true << true << QPoint(800, 220);
        QTest::newRow("neither below nor above fits: top of the screen")
            << w << QRect(300, 60, 100, 20) << ownerWin << QRect(0, 0, 1000, 150) << true << true
            << QPoint(250, 0);
        QTest::newRow("below on a screen with an offset")
            << w << QRect(1300, 790, 100, 20) << ownerWin << QRect(1000, 100, 1000, 800) << true
            << true << QPoint(1250, 690);
        QTest::newRow("centred over the owner's window")
            << w << QRect(110, 110, 20, 20) << ownerWin << screen << true << false
            << QPoint(300, 250);
        QTest::newRow("centred over a window partly off the screen")
            << w << QRect() << QRect(800, 600, 600, 400) << screen << true << false
            << QPoint(800, 700);
        QTest::newRow("window larger than the screen")
            << QSize(1200, 900) << QRect() << QRect() << screen << false << false << QPoint(0, 0);
    }
    void placement() {
        QFETCH(QSize, window);
        QFETCH(QRect, owner);
        QFETCH(QRect, ownerWindow);
        QFETCH(QRect, screen);
        QFETCH(bool, hasOwner);
        QFETCH(bool, below);
        QFETCH(QPoint, expected);
        QCOMPARE(PlaceWindow(window, owner, ownerWindow, screen, hasOwner, below), expected);
    }

    // PlaceDialog measures the owner control in global coordinates, not in its parent's.
    void placeDialogBelowControl() {
        QWidget main;
        auto* layout = new QVBoxLayout(&main);
        layout->setContentsMargins(40, 30, 40, 30);
        auto* field = new QPushButton("pole", &main);
        layout->addWidget(field);
        main.setGeometry(100, 100, 300, 200);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));

        TfHlaska notice("Chyba", "Zlý dátum!", NoticeKind::Error, DialogParent({field, true}));
        PlaceDialog(&notice, Placement{field, true});
        const QRect control(field->mapToGlobal(QPoint(0, 0)), field->size());
        const QRect placed = notice.frameGeometry();
        QCOMPARE(placed.top(), control.bottom() + 1);
        QVERIFY(qAbs(placed.center().x() - control.center().x()) <= 1);
        QCOMPARE(notice.parentWidget(), &main);
    }

    // The program's service runs the windows modally and hands back their answer.
    void qtInteraction_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("a") << int(Qt::Key_A) << 1;
        QTest::newRow("n") << int(Qt::Key_N) << 0;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << -1;
    }
    void qtInteraction() {
        QFETCH(int, key);
        QFETCH(int, answer);
        QtInteraction service;
        QString seen;
        auto pressOn = [&](int k) {
            return [&seen, k] {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal) return;
                seen = modal->windowTitle();
                Press(modal, k, Qt::NoModifier);
            };
        };
        // Should a key not close the window, this does, so that the test fails instead of hanging.
        auto rescue = [] {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        };
        QTimer::singleShot(50, pressOn(key));
        QTimer::singleShot(2000, rescue);
        QCOMPARE(service.askConfirm("Pokračovať?", {}), answer);
        QCOMPARE(seen, QStringLiteral("P O T V R D E N I E"));

        seen.clear();
        QTimer::singleShot(50, pressOn(Qt::Key_Escape));
        service.showNotice("Oznam", "Hotovo.", NoticeKind::Information, {});
        QCOMPARE(seen, QStringLiteral("Oznam"));
    }

    // ----- the test double -----

    void scriptedRecordsAndAnswers() {
        ScriptedInteraction script;
        QCOMPARE(CurrentInteraction(), &script);
        QWidget owner;
        ShowNotice("Chyba", "IČO nemôže byť prázdne!", NoticeKind::Error, &owner, true);
        ShowNotice("Oznam", "Hotovo.", NoticeKind::Information);
        script.queueAnswer(1);
        script.queueAnswer(0);
        script.queueAnswer(-1);
        QCOMPARE(AskConfirm("Prvá?"), 1);
        QCOMPARE(AskConfirm("Druhá?", &owner), 0);
        QCOMPARE(AskConfirm("Tretia?"), -1);

        const QList<RecordedNotice> notices = script.takeNotices();
        QCOMPARE(notices.size(), 2);
        QCOMPARE(notices[0].title, QStringLiteral("Chyba"));
        QCOMPARE(notices[0].text, QStringLiteral("IČO nemôže byť prázdne!"));
        QCOMPARE(notices[0].kind, NoticeKind::Error);
        QCOMPARE(notices[1].kind, NoticeKind::Information);
        QVERIFY(script.takeNotices().isEmpty()); // taken once
        QCOMPARE(script.questions, (QStringList{"Prvá?", "Druhá?", "Tretia?"}));
        QCOMPARE(script.placements.size(), 5);
        QCOMPARE(script.placements[0].owner, &owner);
        QVERIFY(script.placements[0].below);
        QCOMPARE(script.placements[3].owner, &owner);
        QVERIFY(!script.placements[3].below);
        QCOMPARE(script.pendingAnswers(), 0);
        QVERIFY(script.verifyNoSurprises());
    }

    void scriptedUnexpectedQuestion() {
        ScriptedInteraction script;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unexpected question.*Zmazať"));
        QCOMPARE(AskConfirm("Zmazať?"), -1);
        QVERIFY(script.unexpectedQuestion);
        QCOMPARE(script.questions, QStringList{"Zmazať?"});
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("without a queued answer"));
        QVERIFY(!script.verifyNoSurprises());
        script.clear();
        QVERIFY(script.verifyNoSurprises());
    }

    // Whatever the test did not account for is reported when the double goes, which fails the
    // running test.
    void scriptedReportsLeftovers_data() {
        QTest::addColumn<QString>("leave");
        QTest::addColumn<QString>("reported");
        QTest::newRow("notice") << "notice" << "notice not taken: Oznam / Hotovo.";
        QTest::newRow("answer") << "answer" << "1 queued answer(s) never used";
        QTest::newRow("question") << "question"
                                  << "a question came without a queued answer; questions asked: "
                                     "Zmazať?";
        QTest::newRow("dialog") << "dialog" << "1 queued dialog answer(s) never used";
        QTest::newRow("nothing") << "" << "";
    }
    void scriptedReportsLeftovers() {
        QFETCH(QString, leave);
        QFETCH(QString, reported);
        if (!reported.isEmpty())
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("left unchecked by the test:.*" +
                                                    QRegularExpression::escape(reported)));
        ScriptedInteraction script;
        ShowNotice("Oznam", "Hotovo.");
        if (leave != "notice") QCOMPARE(script.takeNoticeTexts(), QStringList{"Hotovo."});
        if (leave == "answer") script.queueAnswer(1);
        if (leave == "dialog") script.queueDialog([](QDialog&) {});
        if (leave == "question") {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unexpected question"));
            QCOMPARE(AskConfirm("Zmazať?"), -1);
        }
        QCOMPARE(script.leftovers().size(), reported.isEmpty() ? 0 : 1);
    }

    void scriptedInstallsAndRestores() {
        Interaction* before = CurrentInteraction();
        {
            ScriptedInteraction outer;
            {
                ScriptedInteraction inner;
                ShowNotice("Oznam", "vnútorný");
                QCOMPARE(inner.takeNoticeTexts(), QStringList{"vnútorný"});
            }
            QCOMPARE(CurrentInteraction(), &outer);
            ShowNotice("Oznam", "vonkajší");
            QCOMPARE(outer.takeNoticeTexts(), QStringList{"vonkajší"});
            ScriptedInteraction detached(false);
            QCOMPARE(CurrentInteraction(), &outer);
        }
        QCOMPARE(CurrentInteraction(), before);
    }
};

VIDORAW_TEST(TestInteraction)
#include "test_interaction.moc"
