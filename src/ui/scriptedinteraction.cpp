#include "ui/scriptedinteraction.h"

#include <QtDebug>

namespace vidoraw {

ScriptedInteraction::ScriptedInteraction(bool install) : installed(install) {
    if (installed) previous = InstallInteraction(this);
}

ScriptedInteraction::~ScriptedInteraction() {
    // Only put the previous service back when we are still the current one; a test that
    // installed another service meanwhile keeps it.
    if (installed && CurrentInteraction() == this) InstallInteraction(previous);
}

void ScriptedInteraction::showNotice(const QString& title, const QString& text, NoticeKind kind,
                                     Placement where) {
    notices.append(RecordedNotice{title, text, kind});
    placements.append(where);
}

int ScriptedInteraction::askConfirm(const QString& question, Placement where) {
    questions.append(question);
    placements.append(where);
    if (answers.isEmpty()) {
        unexpectedQuestion = true;
        qWarning().noquote() << "ScriptedInteraction: unexpected question:" << question;
        return -1;
    }
    return answers.dequeue();
}

void ScriptedInteraction::queueAnswer(int answer) {
    answers.enqueue(answer);
}

bool ScriptedInteraction::verifyNoSurprises() const {
    bool ok = true;
    if (unexpectedQuestion) {
        qWarning().noquote() << "ScriptedInteraction: a question came without a queued answer;"
                             << "questions asked:" << questions;
        ok = false;
    }
    if (!answers.isEmpty()) {
        qWarning().noquote() << "ScriptedInteraction:" << answers.size()
                             << "queued answer(s) never used; questions asked:" << questions;
        ok = false;
    }
    return ok;
}

void ScriptedInteraction::clear() {
    notices.clear();
    questions.clear();
    placements.clear();
    answers.clear();
    unexpectedQuestion = false;
}

} // namespace vidoraw
