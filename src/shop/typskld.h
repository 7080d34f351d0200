#pragma once
// Lens types (typskl.db), named by vouchers, glasses and prescriptions.
#include "shop/namedlistform.h"

namespace vidoraw {

class TfTypskld : public NamedListForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kTypskl;
    static TableSchema Schema();
    explicit TfTypskld(AppContext& app);

    void DefineList() override;
};

} // namespace vidoraw
