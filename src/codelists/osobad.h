#pragma once
// A free list of persons (OSOBA.DB) with title, address and notes.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfOsobad : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kOsoba;
    static TableSchema Schema();
    explicit TfOsobad(AppContext& app);

    void DefineList() override;

    QLineEdit* eTitul = nullptr;
    QLineEdit* eMeno = nullptr;
    QLineEdit* ePriezvisk = nullptr;
    QLineEdit* eFirma = nullptr;
    QLineEdit* eUlica = nullptr;
    QLineEdit* eCislo = nullptr;
    QLineEdit* ePsc = nullptr;
    QLineEdit* eDodposta = nullptr;
    QLineEdit* eTelefon = nullptr;
    QLineEdit* ePoznam1 = nullptr;
    QLineEdit* ePoznam2 = nullptr;
    QLineEdit* ePoznam3 = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
