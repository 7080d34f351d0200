#pragma once
// Transport modes (DOPRAVA.DB): invoices and the invoicing parameters refer to one by its code.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfDopravad : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kDoprava;
    static TableSchema Schema();
    explicit TfDopravad(AppContext& app);

    void DefineList() override;

    QLineEdit* eNazov = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
