#include "shop/shop.h"

#include "framework/registermodule.h"

namespace vidoraw {

void RegisterShopModules(AppContext& app) { (void)app; }

} // namespace vidoraw
