#pragma once
// Doctors (LEKAR.DB): name, surgery, the insurer they belong to and their codes, old and new.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfLekard : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kLekar;
    static TableSchema Schema();
    explicit TfLekard(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    void LoadFields() override;
    void StoreFields() override;

    QLineEdit* eMeno = nullptr;
    QLineEdit* ePriezvisk = nullptr;
    QLineEdit* eNazov = nullptr;
    QLineEdit* eKodpoi = nullptr;
    QLineEdit* eNazovPoi = nullptr; // the insurer's name, looked up
    QLineEdit* eKodp = nullptr;     // old code, 9999-99-999
    QLineEdit* eKodnew = nullptr;
    QLineEdit* eKodpzsnew = nullptr;
    QLineEdit* eUlica = nullptr;
    QLineEdit* eCislo = nullptr;
    QLineEdit* eObec = nullptr;
    QLineEdit* ePsc = nullptr;
    QLineEdit* eDodposta = nullptr;
    QLineEdit* eStat = nullptr;

protected:
    bool checkField(QWidget* control) override;

private:
    // The digits typed into the old code (the mask's dashes and blanks left out).
    QString oldCodeDigits() const;
};

} // namespace vidoraw
