#include "invoicing/invoicing.h"

#include "framework/registermodule.h"
#include "invoicing/firmad.h"
#include "invoicing/hmd.h"
#include "invoicing/komentfd.h"
#include "invoicing/komentod.h"
#include "invoicing/osobafd.h"

namespace vidoraw {

void RegisterInvoicingModules(AppContext& app) {
    RegisterModule<TfFirmad>(app);
    RegisterModule<TfOsobafd>(app);
    RegisterModule<TfKomentod>(app);
    RegisterModule<TfKomentfd>(app);
    RegisterModule<TfHmd>(app);
}

} // namespace vidoraw
