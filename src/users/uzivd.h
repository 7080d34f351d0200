#pragma once
// Module 19: the user list (uziv.db). User 1 is the working user of every workstation; its
// name is printed as the issuer of invoices.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfUzivd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kUziv;
    static TableSchema Schema();
    explicit TfUzivd(AppContext& app);

    void DefineList() override;
    // The password is kept exactly as typed, blanks included.
    void StoreFields() override;

    QLineEdit* eTitul = nullptr;
    QLineEdit* eMeno = nullptr;
    QLineEdit* ePriezvisk = nullptr;
    QLineEdit* eUzivatel = nullptr;
    QLineEdit* eHeslo = nullptr;

protected:
    bool checkField(QWidget* control) override;
    // Only the title is checked when it is left; the login name waits for OK.
    bool checkOnLeave(QWidget* control) override;
};

} // namespace vidoraw
