#include "ui/scriptedinteraction.h"

#include <QCoreApplication>
#include <QDialog>

#include <QtDebug>
#include <utility>

namespace vidoraw {

ScriptedInteraction::ScriptedInteraction(bool install) : installed(install) {
    if (installed) previous = InstallInteraction(this);
}

ScriptedInteraction::~ScriptedInteraction() {
    // Only put the previous service back when we are still the current one; a test that
    // installed another service meanwhile keeps it.
    if (installed && CurrentInteraction() == this) InstallInteraction(previous);
    const QStringList left = leftovers();
    if (!left.isEmpty())
        qWarning().noquote() << "ScriptedInteraction: left unchecked by the test:"
                             << left.join(QStringLiteral("; "));
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

int ScriptedInteraction::chooseOutputDevice(QWidget*) {
    dialogs.append(QStringLiteral("Voľba zariadenia"));
    if (devices.isEmpty()) {
        unexpectedDialog = true;
        qWarning().noquote() << "ScriptedInteraction: unexpected output device choice";
        return -1;
    }
    return devices.dequeue();
}

bool ScriptedInteraction::printDialog(QPrinter& printer, QWidget*) {
    dialogs.append(QStringLiteral("Tlač"));
    if (printAnswers.isEmpty()) {
        unexpectedDialog = true;
        qWarning().noquote() << "ScriptedInteraction: unexpected print dialog";
        return false;
    }
    const PrintAnswer a = printAnswers.dequeue();
    if (a.setup)
        a.setup(printer);
    return a.confirm;
}

void ScriptedInteraction::queueAnswer(int answer) {
    answers.enqueue(answer);
}

void ScriptedInteraction::queueOutputDevice(int device) {
    devices.enqueue(device);
}

void ScriptedInteraction::queuePrintDialog(bool confirm, std::function<void(QPrinter&)> setup) {
    printAnswers.enqueue(PrintAnswer{confirm, std::move(setup)});
}

QStringList ScriptedInteraction::surprises() const {
    QStringList out;
    const QString none = QStringLiteral("(none)");
    if (unexpectedQuestion)
        out << QStringLiteral("a question came without a queued answer; questions asked: %1")
                   .arg(questions.isEmpty() ? none : questions.join(QStringLiteral(" | ")));
    if (unexpectedDialog)
        out << QStringLiteral("a dialog came without a queued answer; dialogs shown: %1")
                   .arg(dialogs.isEmpty() ? none : dialogs.join(QStringLiteral(" | ")));
    const qsizetype unusedDialogs = devices.size() + printAnswers.size() + dialogScripts.size();
    if (unusedDialogs > 0)
        out << QStringLiteral("%1 queued dialog answer(s) never used; dialogs shown: %2")
                   .arg(unusedDialogs)
                   .arg(dialogs.isEmpty() ? none : dialogs.join(QStringLiteral(" | ")));
    if (!answers.isEmpty())
        out << QStringLiteral("%1 queued answer(s) never used; questions asked: %2")
                   .arg(answers.size())
                   .arg(questions.isEmpty() ? none : questions.join(QStringLiteral(" | ")));
    return out;
}

bool ScriptedInteraction::verifyNoSurprises() const {
    const QStringList found = surprises();
    for (const QString& s : found)
        qWarning().noquote() << "ScriptedInteraction:" << s;
    return found.isEmpty();
}

QStringList ScriptedInteraction::leftovers() const {
    QStringList out;
    for (const RecordedNotice& n : notices)
        out << QStringLiteral("notice not taken: %1 / %2").arg(n.title, n.text);
    return out + surprises();
}

QList<RecordedNotice> ScriptedInteraction::takeNotices() { return std::exchange(notices, {}); }

QStringList ScriptedInteraction::takeNoticeTexts() { return TextsOf(takeNotices()); }

QStringList TextsOf(const QList<RecordedNotice>& notices) {
    QStringList out;
    for (const RecordedNotice& n : notices)
        out << n.text;
    return out;
}

void ScriptedInteraction::clear() {
    notices.clear();
    questions.clear();
    placements.clear();
    answers.clear();
    unexpectedQuestion = false;
    dialogs.clear();
    devices.clear();
    printAnswers.clear();
    dialogScripts.clear();
    unexpectedDialog = false;
}

void ScriptedInteraction::queueDialog(std::function<void(QDialog&)> script) {
    dialogScripts.enqueue(std::move(script));
}

int ScriptedInteraction::runDialog(QDialog& dialog) {
    dialogs << dialog.windowTitle();
    if (dialogScripts.isEmpty()) {
        unexpectedDialog = true;
        dialog.setResult(QDialog::Rejected);
        return -1;
    }
    const std::function<void(QDialog&)> script = dialogScripts.dequeue();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QCoreApplication::processEvents();
    script(dialog);
    if (dialog.isVisible()) {
        dialog.hide();
        dialog.setResult(QDialog::Rejected);
    }
    return dialog.result();
}

} // namespace vidoraw
