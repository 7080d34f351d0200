#pragma once
// Every module of the program registered, as vidoraw's main() does it.
#include "billing/billing.h"
#include "codelists/codelists.h"
#include "invoicing/invoicing.h"
#include "shell/program.h"
#include "shop/shop.h"
#include "users/users.h"
#include "vouchers/vouchers.h"

namespace vidoraw::test {

inline void RegisterAllModules(AppContext& app) {
    RegisterShellModules(app);
    RegisterCodeListModules(app);
    RegisterUserModules(app);
    RegisterInvoicingModules(app);
    RegisterVoucherModules(app);
    RegisterShopModules(app);
    RegisterBillingModules(app);
}

} // namespace vidoraw::test
