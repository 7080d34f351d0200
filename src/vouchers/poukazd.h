#pragma once
// Module 17 works on the vouchers' table too; it is the voucher form under its own number.
#include "vouchers/poukazvd.h"

namespace vidoraw {

class TfPoukazd : public TfPoukazvd {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kPoukaz;
    explicit TfPoukazd(AppContext& app) : TfPoukazvd(app, kNumber) {}
};

} // namespace vidoraw
