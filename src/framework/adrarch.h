#pragma once
// The directory for archiving, restoring or exporting batches; the last one is remembered
// in the settings (CESTY / ADRARCH), shared by all purposes.
#include "framework/tfmojform.h"

class QLabel;
class QLineEdit;

namespace vidoraw {

// Purposes of the directory choice.
enum DirectoryPurpose { kDirArchive = 0, kDirRestore = 1, kDirBatchExport = 4, kDirMailDrafts = 5 };

class TfAdrarch : public TfMojForm {
    Q_OBJECT
public:
    explicit TfAdrarch(AppContext& app, QWidget* parent = nullptr);

    // Caption and label of the purpose; the field gets the remembered directory.
    void prepare(int purpose);
    // "...": a directory dialog starting at the field's directory.
    void browse();
    // A directory one can change into.
    static bool IsUsableDirectory(const QString& path);

    QLabel* lAdresar = nullptr;
    QLineEdit* eAdresar = nullptr;
    QPushButton* bbVyber = nullptr;

protected:
    bool closeWithOk() override;
    bool closeWithBack() override;
    bool checkOnLeave(QWidget* control) override;

private:
    bool checkDirectory();
    bool checkWhenLeft_ = false;
};

// The directory dialog of the program (made on first use, kept for the run).
TfAdrarch& DirectoryDialog(AppContext& app);
// True with the directory chosen (the text of the field, also remembered); false when the
// user gave up.
bool ChooseDirectory(AppContext& app, int purpose, QString& directory);

} // namespace vidoraw
