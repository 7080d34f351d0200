#pragma once
// Lens adjustments (UPRAVA.DB) of the price lists.
#include "shop/namedlistform.h"

namespace vidoraw {

class TfUpravad : public NamedListForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kUprava;
    static TableSchema Schema();
    explicit TfUpravad(AppContext& app);

    void DefineList() override;
};

} // namespace vidoraw
