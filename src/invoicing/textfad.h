#pragma once
// Prepared invoice items (TEXTFA.DB) that the invoice items editor copies into a row.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfTextfad : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kTextfa;
    static TableSchema Schema();
    explicit TfTextfad(AppContext& app);

    void DefineList() override;
    // The VAT column belongs to the list only while the owner is a VAT payer.
    void prepareList() override { DefineList(); }

    QLineEdit* eText = nullptr;
    QLineEdit* eMj = nullptr;
    QLineEdit* eCena = nullptr;
    QLineEdit* eMnozstvo = nullptr;
    QLineEdit* eDph = nullptr;

protected:
    void proposeNewValues() override;
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
