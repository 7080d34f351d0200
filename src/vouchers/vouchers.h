#pragma once
// The modules of prescription vouchers and the code lists they rest on.
namespace vidoraw {

struct AppContext;

// Tells the registry how to make this subsystem's modules.
void RegisterVoucherModules(AppContext& app);

} // namespace vidoraw
