#pragma once
// Diagnoses (DG.DB): a code of up to four characters in capitals and its name.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfDgd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kDg;
    static TableSchema Schema();
    explicit TfDgd(AppContext& app);

    void DefineList() override;
    void StoreFields() override;

    QLineEdit* eKodd = nullptr;
    QLineEdit* eNazov = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
