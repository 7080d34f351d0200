#pragma once
// Currencies (MENA.DB): invoices and the invoicing parameters refer to a currency by its
// abbreviation.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfMenad : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kMena;
    static TableSchema Schema();
    explicit TfMenad(AppContext& app);

    void DefineList() override;

    QLineEdit* eKodmeny = nullptr;
    QLineEdit* eMena = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
