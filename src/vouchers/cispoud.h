#pragma once
// Frequent vouchers (CISPOU.DB): named sets of up to four aid lines that the voucher form
// copies with F5.
#include "framework/tfdbform.h"
#include "vouchers/aidlines.h"

#include <array>

namespace vidoraw {

class TfCispoud : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kCispou;
    static TableSchema Schema();
    explicit TfCispoud(AppContext& app);

    void DefineList() override;
    void LoadFields() override;

    QLineEdit* ePopis = nullptr;
    AidLinesBox* aids = nullptr;
    std::array<AidLine, 4> lines{}; // the lines of aids
    QLineEdit* eSpoluPoi = nullptr;
    QLineEdit* eSpoluPac = nullptr;

protected:
    // The checks run when a field is left; OK saves what is shown.
    bool CheckFields() override { return true; }
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
