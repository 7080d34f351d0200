#pragma once
// Delivering post offices by postal code (PSC.DB).
#include "framework/tfdbform.h"

namespace vidoraw {

class TfPscd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kPsc;
    static TableSchema Schema();
    explicit TfPscd(AppContext& app);

    void DefineList() override;

    QLineEdit* ePsc = nullptr;
    QLineEdit* ePosta = nullptr;

protected:
    bool checkField(QWidget* control) override;
    void focusFirstField() override;
};

} // namespace vidoraw
