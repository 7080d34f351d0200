#pragma once
// Districts (OKRES.DB), filled with the Slovak districts when the table is created.
#include "codelists/codelistform.h"

namespace vidoraw {

class TfOkresd : public TfCodeListForm {
    Q_OBJECT
public:
    explicit TfOkresd(AppContext& app);

    FieldDefs tableFields() const override;
    IndexDefs tableIndexes() const override;
    QStringList initialRows() const override;
    void DefineList() override;

    QLineEdit* eOkres = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
