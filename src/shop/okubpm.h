#pragma once
// "Okuliare bez pokuazu": the glasses records of one client, oldest first, added, edited and
// deleted through the glasses form.
#include "framework/appcontext.h"

#include <QDialog>

class QLineEdit;
class QTableWidget;

namespace vidoraw {

class TfOkubpm : public QDialog {
    Q_OBJECT
public:
    TfOkubpm(AppContext& app, qint64 clientCode, QWidget* parent = nullptr);
    int showModal();

    void commandAdd();
    void commandEdit();
    void commandDelete();
    // Reads the client's records again and selects the row of code (the last row for 0).
    void refill(qint64 code = 0);
    // KOD of the selected row; 0 for the empty row.
    qint64 currentCode() const;

    QLineEdit* eKod = nullptr;
    QLineEdit* eTitul = nullptr;
    QLineEdit* eMeno = nullptr;
    QLineEdit* ePriezvisk = nullptr;
    QLineEdit* eRodcis = nullptr;
    QTableWidget* grid = nullptr;

private:
    AppContext& app_;
    qint64 client_;
};

} // namespace vidoraw
