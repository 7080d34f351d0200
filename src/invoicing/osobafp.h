#pragma once
// The window "Osoby patriace firme": the persons of one company in a grid, added, changed and
// deleted through the person form.
#include "framework/tfmojform.h"

#include <optional>

class QTableWidget;

namespace vidoraw {

class TfOsobafd;

class TfOsobafp : public TfMojForm {
    Q_OBJECT
public:
    TfOsobafp(AppContext& app, qint64 companyCode, QWidget* parent = nullptr);

    // Reads the company's persons into the grid; the row of `select` (a person code) is chosen,
    // else the last one.
    void fill(std::optional<qint64> select = std::nullopt);
    // The commands of the buttons and keys.
    void commandAdd();
    void commandEdit();
    void commandDelete();
    // The person code of the chosen row; nullopt on the empty row.
    std::optional<qint64> currentPerson() const;

    QLineEdit* eKodf = nullptr;
    QLineEdit* eIco = nullptr;
    QLineEdit* eFirma = nullptr;
    QLineEdit* eMajitel = nullptr;
    QLineEdit* eDicon = nullptr;
    QLineEdit* eIcdph = nullptr;
    QLineEdit* eAdresa = nullptr;
    QTableWidget* sgOsoby = nullptr;
    QPushButton* bPridaj = nullptr;
    QPushButton* bOprav = nullptr;
    QPushButton* bZmaz = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool commandKey(QKeyEvent* event);
    TfOsobafd* persons() const;
    void paintRows();
    qint64 company_;
};

// Opens the persons window of the company, centred over `over`.
void ShowCompanyPersons(AppContext& app, qint64 companyCode, QWidget* over);

} // namespace vidoraw
