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
#include "core/interaction.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

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

    // Answer of the next question: 1 yes, 0 no, -1 cancelled.
    void queueAnswer(int answer);
    int pendingAnswers() const { return int(answers.size()); }

    // True when every question found a queued answer and every queued answer was used;
    // otherwise prints what went wrong (qWarning) and answers false.
    bool verifyNoSurprises() const;

    // Forgets notices, questions, queued answers and the surprise flag.
    void clear();

    QList<RecordedNotice> notices;
    QStringList questions;       // every question asked, in order (expected or not)
    QList<Placement> placements; // placement of every notice and question, in call order
    bool unexpectedQuestion = false;

private:
    QQueue<int> answers;
    Interaction* previous = nullptr;
    bool installed = false;
};

} // namespace vidoraw
