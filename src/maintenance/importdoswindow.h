#pragma once
// The window that takes over the data of the earlier DOS program: the folder of its tables,
// one button per table and one for all of them, the progress of the running import.
#include "framework/appcontext.h"
#include "maintenance/importdos.h"

#include <QDialog>
#include <QMap>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace vidoraw {

class TfImportDos : public QDialog {
    Q_OBJECT
public:
    // Starts with the folder remembered in the settings; remembers it again when destroyed.
    explicit TfImportDos(AppContext& app, QWidget* parent = nullptr);
    ~TfImportDos() override;

    // One import after its question; false when it was not done (answered no, or it failed).
    bool importOne(DosImport import);
    // "Importuj všetky údaje": the imports of the list one after another, each after its own
    // question; a no skips that one, a failure stops the rest.
    void importAll();
    // "...": a table of the wanted folder chosen in a file dialog; its folder becomes the path.
    void browse();
    // The folder the tables are read from, as the path field gives it.
    QString sourceDirectory() const;

    QPushButton* button(DosImport import) const { return buttons_.value(import); }

    QLineEdit* eCesta = nullptr;
    QPushButton* bVyber = nullptr;
    QPushButton* bVsetky = nullptr;
    QPushButton* bZatvor = nullptr;
    QProgressBar* pbPriebeh = nullptr;
    QLabel* lStav = nullptr;

private:
    void showProgress(int done, int count);
    void setBusy(bool busy);

    AppContext& app_;
    QMap<DosImport, QPushButton*> buttons_;
    qint64 lastPaint_ = 0;
};

// The main menu's command: the warning question, then the window, shown modally.
void ShowDosImport(AppContext& app, QWidget* owner);

} // namespace vidoraw
