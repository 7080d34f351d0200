#include "shop/shop.h"

#include "framework/registermodule.h"
#include "shop/diopd.h"
#include "shop/firmaod.h"
#include "shop/priemerd.h"
#include "shop/sortimd.h"
#include "shop/typksd.h"
#include "shop/typramd.h"
#include "shop/typskld.h"
#include "shop/upravad.h"

namespace vidoraw {

void RegisterShopModules(AppContext& app) {
    RegisterModule<TfUpravad>(app);
    RegisterModule<TfPriemerd>(app);
    RegisterModule<TfDiopd>(app);
    RegisterModule<TfSortimd>(app);
    RegisterModule<TfFirmaod>(app);
    RegisterModule<TfTypskld>(app);
    RegisterModule<TfTypramd>(app);
    RegisterModule<TfTypksd>(app);
}

} // namespace vidoraw
