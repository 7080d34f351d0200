#include "codelists/codelists.h"

#include "codelists/heslod.h"
#include "codelists/obecd.h"
#include "codelists/okresd.h"
#include "codelists/osobad.h"
#include "codelists/prihesfd.h"
#include "codelists/pscd.h"
#include "codelists/statd.h"
#include "codelists/tituld.h"
#include "framework/registermodule.h"

namespace vidoraw {

void RegisterCodeListModules(AppContext& app) {
    RegisterModule<TfPscd>(app);
    RegisterModule<TfObecd>(app);
    RegisterModule<TfOkresd>(app);
    RegisterModule<TfTituld>(app);
    RegisterModule<TfStatd>(app);
    RegisterModule<TfOsobad>(app);
    RegisterModule<TfHeslod>(app);
    RegisterModule<TfPrihesfd>(app);
}

} // namespace vidoraw
