#pragma once
// The interaction service: every notice and question of the system goes through it.
// The program installs the window implementation (src/ui); tests install a scripted one.
#include <QString>

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
};

// Installs the service used by ShowNotice/AskConfirm; the caller keeps ownership.
// Returns the previously installed one.
Interaction* InstallInteraction(Interaction* service);
Interaction* CurrentInteraction();

void ShowNotice(const QString& title, const QString& text, NoticeKind kind = NoticeKind::Error,
                QWidget* owner = nullptr, bool below = false);
int AskConfirm(const QString& question, QWidget* owner = nullptr, bool below = false);

} // namespace vidoraw
