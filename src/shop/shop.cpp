#include "shop/shop.h"

#include "framework/registermodule.h"
#include "shop/diopd.h"
#include "shop/firmaod.h"
#include "shop/klientd.h"
#include "shop/komentd.h"
#include "shop/obpd.h"
#include "shop/priemerd.h"
#include "shop/sortimd.h"
#include "shop/typksd.h"
#include "shop/typramd.h"
#include "shop/typskld.h"
#include "shop/upravad.h"
#include "shop/vekrad.h"

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
    RegisterModule<TfKlientd>(app);
    RegisterModule<TfObpd>(app);
    RegisterModule<TfVekrad>(app);
    RegisterModule<TfKomentd>(app);
}

} // namespace vidoraw
