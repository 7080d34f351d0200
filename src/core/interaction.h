#pragma once
// The interaction service: every notice and question of the system goes through it.
// The program installs the window implementation (src/ui); tests install a scripted one.
#include <QString>

class QDialog;
class QPrinter;
class QWidget;

namespace vidoraw {

// Icon of a notice (0 error, 1 warning, 2 question, 3 information).
enum class NoticeKind { Error = 0, Warning = 1, Question = 2, Information = 3 };

// Where a notice or question window stands relative to its owner.
struct Placement {
    QWidget* owner = nullptr; // none: centred on the screen
    bool below = false;       // with an owner: below it (true) or centred over its window (false)
};

class Interaction {
public:
    virtual ~Interaction() = default;
    virtual void showNotice(const QString& title, const QString& text, NoticeKind kind,
                            Placement where) = 0;
    // 1 yes, 0 no, -1 cancelled
    virtual int askConfirm(const QString& question, Placement where) = 0;
    // The output device of a report: 0 screen, 1 printer, -1 cancelled. A service that
    // cannot ask answers "cancelled".
    virtual int chooseOutputDevice(QWidget* owner);
    // The system print dialog on the printer: true when the user confirmed it.
    virtual bool printDialog(QPrinter& printer, QWidget* owner);
    // Shows a dialog modally and answers its result code. The program runs its event loop;
    // tests run a script on the dialog instead. A service that cannot show answers -1.
    virtual int runDialog(QDialog& dialog);
};

// Installs the service used by ShowNotice/AskConfirm; the caller keeps ownership.
// Returns the previously installed one.
Interaction* InstallInteraction(Interaction* service);
Interaction* CurrentInteraction();

void ShowNotice(const QString& title, const QString& text, NoticeKind kind = NoticeKind::Error,
                QWidget* owner = nullptr, bool below = false);
int AskConfirm(const QString& question, QWidget* owner = nullptr, bool below = false);
// 0 screen, 1 printer, -1 cancelled (also when no service can ask).
int ChooseOutputDevice(QWidget* owner = nullptr);
// True when the print dialog was confirmed (false when no service can ask).
bool PrintDialog(QPrinter& printer, QWidget* owner = nullptr);
// Every modal showing of the program's own dialogs goes through here.
int RunDialog(QDialog& dialog);

} // namespace vidoraw
