#include "invoicing/invoicing.h"

#include "framework/registermodule.h"

namespace vidoraw {

void RegisterInvoicingModules(AppContext& app) { (void)app; }

} // namespace vidoraw
