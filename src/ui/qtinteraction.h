#pragma once
// The interaction service of the program: modal TfHlaska and TfPotvrd windows.
#include "core/interaction.h"

namespace vidoraw {

class QtInteraction : public Interaction {
public:
    void showNotice(const QString& title, const QString& text, NoticeKind kind,
                    Placement where) override;
    int askConfirm(const QString& question, Placement where) override;
    int chooseOutputDevice(QWidget* owner) override;
    bool printDialog(QPrinter& printer, QWidget* owner) override;
    int runDialog(QDialog& dialog) override;
};

} // namespace vidoraw
