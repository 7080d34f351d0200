#pragma once
// Academic titles (TITUL.DB).
#include "framework/tfdbform.h"

namespace vidoraw {

class TfTituld : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kTitul;
    static TableSchema Schema();
    explicit TfTituld(AppContext& app);

    void DefineList() override;

    QLineEdit* eNazov = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
