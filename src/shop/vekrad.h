#pragma once
// Customer cards (vekra.DB): retail customers with their address, measured eyes, the frame and
// lenses sold with a small price calculation, and notes of any length (kept by module 55).
// Cards are not linked to clients.
#include "framework/tfdbform.h"
#include "shop/addresschecks.h"

class QPlainTextEdit;
class QPushButton;

namespace vidoraw {

class EyeDataGrid;

class TfVekrad : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kVekra;
    static TableSchema Schema();
    explicit TfVekrad(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    int CopyRecord() override;
    void LoadFields() override;
    void StoreFields() override;
    // The card goes with its notes, in one transaction.
    bool removeCurrentRecord() override;

    // The price calculation from the price fields into the discount, the price after it and
    // the total.
    void UpdateTotals();
    // "Tlač": an image of the card as it is shown, after the question.
    void PrintCard();

    QLineEdit* eDatum = nullptr;
    QLineEdit* ePriezvisk = nullptr;
    QLineEdit* eMeno = nullptr;
    QLineEdit* eTelefon = nullptr;
    QLineEdit* eUlica = nullptr;
    QLineEdit* eCislo = nullptr;
    QLineEdit* eObec = nullptr;
    QLineEdit* ePsc = nullptr;
    QLineEdit* eDodposta = nullptr;
    EyeDataGrid* eyes = nullptr;
    QLineEdit* eRam = nullptr;
    QLineEdit* eCenar = nullptr;
    QLineEdit* eZlavarperc = nullptr;
    QLineEdit* eZlavarsuma = nullptr;
    QLineEdit* ePoZlave = nullptr;
    QLineEdit* eSkla = nullptr;
    QLineEdit* eCenas = nullptr;
    QLineEdit* eCenarecept = nullptr;
    QLineEdit* eIne = nullptr;
    QLineEdit* eCenai = nullptr;
    QLineEdit* eCelkom = nullptr;
    QPlainTextEdit* eNotes = nullptr;
    QPushButton* bTlac = nullptr;

protected:
    bool checkField(QWidget* control) override;
    bool checkOnLeave(QWidget* control) override;
    void proposeNewValues() override;
    void focusFirstField() override;
    void showEvent(QShowEvent* event) override;

private:
    AddressEdits address() const;
    Table* notesTable();
    bool checkPrice(QLineEdit* edit);

    QLineEdit* eObecKey_ = nullptr; // the municipality key, never shown
    bool emptyNameAccepted_ = false;
    bool copying_ = false;
};

} // namespace vidoraw
