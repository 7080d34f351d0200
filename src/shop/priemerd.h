#pragma once
// Lens diameters (PRIEMER.DB) of the price lists.
#include "shop/namedlistform.h"

namespace vidoraw {

class TfPriemerd : public NamedListForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kPriemer;
    static TableSchema Schema();
    explicit TfPriemerd(AppContext& app);

    void DefineList() override;
};

} // namespace vidoraw
