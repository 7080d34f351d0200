#pragma once
// The window of the data version upgrade: the version being reached, the protocol of every
// step, and at the end the protocol saved to a file or printed.
#include "framework/appcontext.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace vidoraw {

class TfNovaVerzia : public QDialog {
    Q_OBJECT
public:
    TfNovaVerzia(AppContext& app, QWidget* owner);

    // Shown while the steps run, its buttons off.
    void start();
    void showVersion(const QString& version);
    // A protocol line, the last one always visible; replaceLast overwrites the previous line.
    void addLine(const QString& line, bool replaceLast = false);
    QStringList protocol() const;
    // The buttons on; shown modally until OK.
    void finish();

    // "Odlož protokol": Protokol.TXT in the data directory.
    void saveProtocol();
    // "Tlač protokol": the protocol as a report.
    void printProtocol();

    QLabel* lVerzia = nullptr;
    QListWidget* lbProtokol = nullptr;
    QPushButton* bOdloz = nullptr;
    QPushButton* bTlac = nullptr;
    QPushButton* bbOk = nullptr;

private:
    AppContext& app_;
};

} // namespace vidoraw
