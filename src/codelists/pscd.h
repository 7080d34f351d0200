#pragma once
// Delivering post offices by postal code (PSC.DB).
#include "codelists/codelistform.h"

namespace vidoraw {

class TfPscd : public TfCodeListForm {
    Q_OBJECT
public:
    explicit TfPscd(AppContext& app);

    FieldDefs tableFields() const override;
    IndexDefs tableIndexes() const override;
    void DefineList() override;

    QLineEdit* ePsc = nullptr;
    QLineEdit* ePosta = nullptr;

protected:
    bool checkField(QWidget* control) override;
    void focusFirstField() override;
};

} // namespace vidoraw
