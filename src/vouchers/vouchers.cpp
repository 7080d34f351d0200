#include "vouchers/vouchers.h"

#include "framework/registermodule.h"

namespace vidoraw {

void RegisterVoucherModules(AppContext& app) { (void)app; }

} // namespace vidoraw
