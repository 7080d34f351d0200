#pragma once
// Payment forms (UHRADA.DB): invoices and the invoicing parameters refer to one by its code;
// form 2 is cash.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfUhradad : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kUhrada;
    static TableSchema Schema();
    explicit TfUhradad(AppContext& app);

    void DefineList() override;

    QLineEdit* eNazov = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
