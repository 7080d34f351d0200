#pragma once
// Constant symbols (Ks.db), the payment codes printed on invoices. The two flags INDIK and
// INDIK1 are kept but not shown: a new record leaves them empty, editing keeps them.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfKsd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kKs;
    static TableSchema Schema();
    explicit TfKsd(AppContext& app);

    void DefineList() override;

    QLineEdit* eKodks = nullptr;
    QLineEdit* eNazov = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
