#pragma once
// Academic titles (TITUL.DB).
#include "codelists/codelistform.h"

namespace vidoraw {

class TfTituld : public TfCodeListForm {
    Q_OBJECT
public:
    explicit TfTituld(AppContext& app);

    FieldDefs tableFields() const override;
    IndexDefs tableIndexes() const override;
    void DefineList() override;

    QLineEdit* eNazov = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
