#pragma once
// The shop's own accounts (UCTY.DB): invoices and the invoicing parameters refer to an account
// by its short code UCET.
#include "framework/tfdbform.h"

namespace vidoraw {

// "Pokladňa", "Bankový účet", "Nefinančné operácie" for P, B, N; "" otherwise.
QString AccountTypeName(const QString& type);

class TfUcetd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kUcty;
    static TableSchema Schema();
    explicit TfUcetd(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    void LoadFields() override;

    QLineEdit* eNazov = nullptr;
    QLineEdit* eUcet = nullptr;
    QLineEdit* ePobocka = nullptr;
    QLineEdit* eCisucet = nullptr;
    QLineEdit* ePbn = nullptr;
    QLineEdit* eTyp = nullptr; // the type's name
    QLineEdit* eKodban = nullptr;
    QLineEdit* eBanka = nullptr; // the bank's name
    QLineEdit* eBicswift = nullptr;
    QLineEdit* eIban = nullptr;

protected:
    bool checkField(QWidget* control) override;

private:
    void showBankName();
};

} // namespace vidoraw
