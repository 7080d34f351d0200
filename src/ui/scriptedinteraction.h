#pragma once
// Test double of the interaction service: records every notice and question and answers
// questions from a queue, so that tests run without any window.
//
//   ScriptedInteraction ui;          // installed for the lifetime of `ui`
//   ui.queueAnswer(1);               // the next AskConfirm answers "yes"
//   ... code under test ...
//   QCOMPARE(ui.takeNoticeTexts(), QStringList{"..."});
//
// A question asked while the queue is empty is answered -1 (cancelled), recorded in
// `questions` and sets `unexpectedQuestion`.
//
// The output device choice and the print dialog answer from queues of their own
// (queueOutputDevice, queuePrintDialog); a call with its queue empty answers "cancelled",
// is recorded in `dialogs` and counts as a surprise too.
//
// Nothing may pass unnoticed: when the double is destroyed, every notice must have been taken
// by the test (takeNotices), every question and dialog must have found its answer and every
// queued answer must have been used. Otherwise it reports what was left (qWarning), which
// fails the running test.
#include "core/interaction.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

namespace vidoraw {

struct RecordedNotice {
    QString title;
    QString text;
    NoticeKind kind = NoticeKind::Error;
};

// The texts of notices, in order.
QStringList TextsOf(const QList<RecordedNotice>& notices);

class ScriptedInteraction : public Interaction {
public:
    // With install (the default) the double replaces the current service until it is destroyed,
    // when the previous service comes back.
    explicit ScriptedInteraction(bool install = true);
    ~ScriptedInteraction() override;
    ScriptedInteraction(const ScriptedInteraction&) = delete;
    ScriptedInteraction& operator=(const ScriptedInteraction&) = delete;

    void showNotice(const QString& title, const QString& text, NoticeKind kind,
                    Placement where) override;
    int askConfirm(const QString& question, Placement where) override;
    int chooseOutputDevice(QWidget* owner) override;
    bool printDialog(QPrinter& printer, QWidget* owner) override;
    // Shows the dialog (not modally) and runs the next queued script on it in place of the
    // user; a dialog the script left open is closed as cancelled.
    int runDialog(QDialog& dialog) override;

    // Answer of the next question: 1 yes, 0 no, -1 cancelled.
    void queueAnswer(int answer);
    int pendingAnswers() const { return int(answers.size()); }
    // Answer of the next output device choice: 0 screen, 1 printer, -1 cancelled.
    void queueOutputDevice(int device);
    // Answer of the next print dialog; setup (when given) is applied to the printer first,
    // as the user's choices in the dialog would be (another printer, PDF output, copies).
    void queuePrintDialog(bool confirm, std::function<void(QPrinter&)> setup = {});
    // What the user does in the next modal dialog (a record form, a list, ...).
    void queueDialog(std::function<void(QDialog&)> script);
    int pendingDialogs() const { return int(dialogScripts.size()); }

    // True when every question and dialog found a queued answer and every queued answer was
    // used; otherwise prints what went wrong (qWarning) and answers false. Notices not taken
    // yet are no surprise here.
    bool verifyNoSurprises() const;
    // What the test has not accounted for yet (notices not taken, questions and dialogs
    // without an answer, answers never used), one line each; empty when nothing is left.
    QStringList leftovers() const;

    // The notices shown since the last take, in order; taking them marks them as checked.
    QList<RecordedNotice> takeNotices();
    // The same, only their texts.
    QStringList takeNoticeTexts();
    int pendingNotices() const { return int(notices.size()); }

    // Forgets notices, questions, dialogs, queued answers and the surprise flags.
    void clear();

    QStringList questions;       // every question asked, in order (expected or not)
    QList<Placement> placements; // placement of every notice and question, in call order
    bool unexpectedQuestion = false;
    // Caption of every output device choice and print dialog shown, in order.
    QStringList dialogs;
    bool unexpectedDialog = false;

private:
    QStringList surprises() const;

    QList<RecordedNotice> notices;
    struct PrintAnswer {
        bool confirm = false;
        std::function<void(QPrinter&)> setup;
    };
    QQueue<int> answers;
    QQueue<int> devices;
    QQueue<PrintAnswer> printAnswers;
    QQueue<std::function<void(QDialog&)>> dialogScripts;
    Interaction* previous = nullptr;
    bool installed = false;
};

} // namespace vidoraw
