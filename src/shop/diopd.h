#pragma once
// Dioptre ranges (DIOP.DB) of the price lists: two ranges and a cylinder, all free text.
#include "shop/namedlistform.h"

namespace vidoraw {

class TfDiopd : public NamedListForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kDiop;
    static TableSchema Schema();
    explicit TfDiopd(AppContext& app);

    void DefineList() override;

    QLineEdit* eDiopod1 = nullptr;
    QLineEdit* eDiopdo1 = nullptr;
    QLineEdit* eDiopod2 = nullptr;
    QLineEdit* eDiopdo2 = nullptr;
    QLineEdit* eCylin = nullptr;
};

} // namespace vidoraw
