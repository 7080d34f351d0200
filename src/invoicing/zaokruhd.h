#pragma once
// Rounding modes of invoice totals (ZAOKRUH.DB). What codes 1 to 6 do is fixed in RoundByCode;
// the descriptions only name it.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfZaokruhd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kZaokruh;
    static TableSchema Schema();
    explicit TfZaokruhd(AppContext& app);

    void DefineList() override;

    QLineEdit* ePopis = nullptr;
};

} // namespace vidoraw
