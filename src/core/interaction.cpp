#include "core/interaction.h"

#include <cstdio>

namespace vidoraw {

namespace {
Interaction* gService = nullptr;
}

int Interaction::chooseOutputDevice(QWidget*) { return -1; }

bool Interaction::printDialog(QPrinter&, QWidget*) { return false; }

Interaction* InstallInteraction(Interaction* service) {
    Interaction* old = gService;
    gService = service;
    return old;
}

Interaction* CurrentInteraction() { return gService; }

void ShowNotice(const QString& title, const QString& text, NoticeKind kind, QWidget* owner,
                bool below) {
    if (gService) {
        gService->showNotice(title, text, kind, Placement{owner, below});
        return;
    }
    // No service installed (a tool without windows): the notice must still reach someone.
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
}

int AskConfirm(const QString& question, QWidget* owner, bool below) {
    if (gService)
        return gService->askConfirm(question, Placement{owner, below});
    std::fprintf(stderr, "%s (no answer possible)\n", qPrintable(question));
    return -1;
}

int ChooseOutputDevice(QWidget* owner) {
    if (gService)
        return gService->chooseOutputDevice(owner);
    std::fprintf(stderr, "Voľba zariadenia (no answer possible)\n");
    return -1;
}

bool PrintDialog(QPrinter& printer, QWidget* owner) {
    if (gService)
        return gService->printDialog(printer, owner);
    std::fprintf(stderr, "Tlač (no answer possible)\n");
    return false;
}

int Interaction::runDialog(QDialog&) { return -1; }

int RunDialog(QDialog& dialog) {
    if (gService)
        return gService->runDialog(dialog);
    std::fprintf(stderr, "a dialog cannot be shown without an interaction service\n");
    return -1;
}

} // namespace vidoraw
