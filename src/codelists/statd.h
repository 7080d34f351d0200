#pragma once
// States (STAT.DB): abbreviation and name.
#include "codelists/codelistform.h"

namespace vidoraw {

class TfStatd : public TfCodeListForm {
    Q_OBJECT
public:
    explicit TfStatd(AppContext& app);

    FieldDefs tableFields() const override;
    IndexDefs tableIndexes() const override;
    QStringList initialRows() const override;
    void DefineList() override;

    QLineEdit* eSkratka = nullptr;
    QLineEdit* eNazov = nullptr;

protected:
    bool checkField(QWidget* control) override;
    void focusFirstField() override;
};

} // namespace vidoraw
