#pragma once
// Districts (OKRES.DB), filled with the Slovak districts when the table is created.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfOkresd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kOkres;
    static TableSchema Schema();
    explicit TfOkresd(AppContext& app);

    void DefineList() override;

    QLineEdit* eOkres = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
