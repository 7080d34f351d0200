#pragma once
// Providers of health care (pzs.db): a reference list with their old and new codes.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfPzsd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kPzs;
    static TableSchema Schema();
    explicit TfPzsd(AppContext& app);

    void DefineList() override;

    QLineEdit* eIco = nullptr;
    QLineEdit* eNazov = nullptr;
    QLineEdit* ePsc = nullptr;
    QLineEdit* eMesto = nullptr;
    QLineEdit* eNovy = nullptr;
    QLineEdit* eStary = nullptr;
    QLineEdit* ePozn1 = nullptr;
    QLineEdit* ePozn2 = nullptr;
};

} // namespace vidoraw
