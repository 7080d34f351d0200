#pragma once
// The contents of a diskette folder or a directory: name, size, date and time of every entry
// matching a pattern; show a file, delete every file.
#include "framework/appcontext.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace vidoraw {

class TfAdres : public QDialog {
    Q_OBJECT
public:
    TfAdres(AppContext& app, const QString& pattern, const QString& directory,
            QWidget* parent = nullptr);

    // Reads the folder again into the grid.
    void reload();
    // "Zobraz": the current row's file in the desktop's viewer.
    void showCurrent();
    // "Zmaž súbory": every listed file (not folders), after asking.
    void deleteFiles();

    QTableWidget* sgSubory = nullptr;
    QPushButton* bZobraz = nullptr;
    QPushButton* bZmaz = nullptr;
    QPushButton* bbOk = nullptr;

private:
    AppContext& app_;
    QString pattern_;
    QString directory_;
};

// Shows the window modally for pattern ("*.*": every entry) in directory.
void ShowDirectory(AppContext& app, const QString& pattern, const QString& directory,
                   QWidget* owner = nullptr);

} // namespace vidoraw
