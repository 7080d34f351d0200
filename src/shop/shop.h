#pragma once
// The modules of the shop's own records: clients, customer cards, glasses, receipts, lens lists.
namespace vidoraw {

struct AppContext;

// Tells the registry how to make this subsystem's modules.
void RegisterShopModules(AppContext& app);

} // namespace vidoraw
