#pragma once
// Health insurers (POIST.DB): the insurer code every voucher and contract names, address and
// identification numbers.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfPoistovd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kPoist;
    static TableSchema Schema();
    explicit TfPoistovd(AppContext& app);

    void DefineList() override;

    QLineEdit* eCpoi = nullptr;
    QLineEdit* eNazov = nullptr;
    QLineEdit* eIco = nullptr;
    QLineEdit* eDic = nullptr;
    QLineEdit* eIcdph = nullptr;
    QLineEdit* eUlica = nullptr;
    QLineEdit* eCislo = nullptr;
    QLineEdit* eObec = nullptr;
    QLineEdit* ePsc = nullptr;
    QLineEdit* eDodposta = nullptr;
    QLineEdit* eStat = nullptr;
    QLineEdit* eTelefon = nullptr;
    QLineEdit* eFax = nullptr;
    QLineEdit* eMobil = nullptr;
    QLineEdit* eMail = nullptr;
    QLineEdit* eOdpopoi = nullptr;

protected:
    bool checkField(QWidget* control) override;
    void showEvent(QShowEvent* event) override;

private:
    // The user already agreed to an empty IČO in this showing: leaving the field and OK
    // do not ask twice.
    bool emptyIcoAccepted_ = false;
};

} // namespace vidoraw
