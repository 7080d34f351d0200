#pragma once
// "Položka pre tvorbu filtra" (module 48): one field offered for the filters of a list.
#include "framework/filterd.h"

namespace vidoraw {

class TfFilter1d : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kFilter1;
    static TableSchema Schema() { return FilterFieldsSchema(); }
    explicit TfFilter1d(AppContext& app);

    void DefineList() override;

    QLineEdit* eTabulka = nullptr;
    QLineEdit* ePopis = nullptr;
    QLineEdit* ePole = nullptr;
};

} // namespace vidoraw
