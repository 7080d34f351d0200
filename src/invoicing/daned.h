#pragma once
// Tax levels (DANE.DB): from which month on three VAT rates apply.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfDaned : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kDane;
    static TableSchema Schema();
    explicit TfDaned(AppContext& app);

    void DefineList() override;

    QLineEdit* eMesiac = nullptr;
    QLineEdit* eRok = nullptr;
    QLineEdit* eSadzba1 = nullptr;
    QLineEdit* eSadzba2 = nullptr;
    QLineEdit* eSadzba3 = nullptr;

protected:
    bool checkField(QWidget* control) override;
    bool CheckFields() override;
};

} // namespace vidoraw
