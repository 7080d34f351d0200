#pragma once
// The modules of invoicing: invoices, their code lists and parameters, companies.
namespace vidoraw {

struct AppContext;

// Tells the registry how to make this subsystem's modules.
void RegisterInvoicingModules(AppContext& app);

} // namespace vidoraw
