#pragma once
// Test double of the interaction service: records every notice and question and answers
// questions from a queue, so that tests run without any window.
//
//   ScriptedInteraction ui;          // installed for the lifetime of `ui`
//   ui.queueAnswer(1);               // the next AskConfirm answers "yes"
//   ... code under test ...
//   QCOMPARE(ui.notices.size(), 1);
//   QCOMPARE(ui.notices[0].text, QStringLiteral("..."));
//   QVERIFY(ui.verifyNoSurprises());
//
// A question asked while the queue is empty is answered -1 (cancelled), recorded in
// `questions` and sets `unexpectedQuestion`; QTest::qFail cannot be relied on from inside
// the code under test, so the test must end with QVERIFY(ui.verifyNoSurprises()).
//
// The output device choice and the print dialog answer from queues of their own
// (queueOutputDevice, queuePrintDialog); a call with its queue empty answers "cancelled",
// is recorded in `dialogs` and counts as a surprise too.
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
    // used;
    // otherwise prints what went wrong (qWarning) and answers false.
    bool verifyNoSurprises() const;

    // Forgets notices, questions, dialogs, queued answers and the surprise flags.
    void clear();

    QList<RecordedNotice> notices;
    QStringList questions;       // every question asked, in order (expected or not)
    QList<Placement> placements; // placement of every notice and question, in call order
    bool unexpectedQuestion = false;
    // Caption of every output device choice and print dialog shown, in order.
    QStringList dialogs;
    bool unexpectedDialog = false;

private:
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
