#include "invoicing/invoicing.h"

#include "framework/registermodule.h"
#include "invoicing/cisradd.h"
#include "invoicing/daned.h"
#include "invoicing/dopravad.h"
#include "invoicing/firmad.h"
#include "invoicing/hmd.h"
#include "invoicing/kodbd.h"
#include "invoicing/komentfd.h"
#include "invoicing/komentod.h"
#include "invoicing/ksd.h"
#include "invoicing/menad.h"
#include "invoicing/osobafd.h"
#include "invoicing/textfad.h"
#include "invoicing/ucetd.h"
#include "invoicing/uhradad.h"
#include "invoicing/zaokruhd.h"

namespace vidoraw {

void RegisterInvoicingModules(AppContext& app) {
    RegisterModule<TfKodbd>(app);
    RegisterModule<TfUcetd>(app);
    RegisterModule<TfDaned>(app);
    RegisterModule<TfTextfad>(app);
    RegisterModule<TfDopravad>(app);
    RegisterModule<TfUhradad>(app);
    RegisterModule<TfMenad>(app);
    RegisterModule<TfCisradd>(app);
    RegisterModule<TfKsd>(app);
    RegisterModule<TfZaokruhd>(app);
    RegisterModule<TfFirmad>(app);
    RegisterModule<TfOsobafd>(app);
    RegisterModule<TfKomentod>(app);
    RegisterModule<TfKomentfd>(app);
    RegisterModule<TfHmd>(app);
}

} // namespace vidoraw
