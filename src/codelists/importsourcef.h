#pragma once
// "Import súboru": where a code-list import reads from, a diskette drive (the folders of the
// settings standing for A: and B:) or a directory. Kind 1 is the diagnoses, kind 2 the optical
// aids; each kind remembers its own choice and path (IMPORT / COk, CESTAk).
#include "framework/sourcechoice.h"

namespace vidoraw {

class TfImportf : public TfSourceChoice {
    Q_OBJECT
public:
    explicit TfImportf(AppContext& app, QWidget* parent = nullptr);

    // Starts with the choice and path stored for kind.
    void prepare(int kind);
    // Stores the choice and path of the kind (done whenever the dialog closes).
    void remember() const;
    // The folder the files are read from.
    QString sourceDirectory() const;
    void browse() override;

private:
    int kind_ = 1;
};

// Shows the source dialog for kind; true with the folder chosen, false when cancelled.
bool ChooseImportSource(AppContext& app, int kind, QWidget* owner, QString& directory);

} // namespace vidoraw
