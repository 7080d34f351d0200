#pragma once
// Frame types (typram.db), named by vouchers, glasses and prescriptions.
#include "shop/namedlistform.h"

namespace vidoraw {

class TfTypramd : public NamedListForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kTypram;
    static TableSchema Schema();
    explicit TfTypramd(AppContext& app);

    void DefineList() override;
};

} // namespace vidoraw
