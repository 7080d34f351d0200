#pragma once
// The modules of prescription vouchers and the code lists they rest on.
namespace vidoraw {

struct AppContext;
class Program;

// Tells the registry how to make this subsystem's modules (9, 10, 11, 13, 14, 39, and the vouchers 47 and 17).
void RegisterVoucherModules(AppContext& app);
// Puts the subsystem's dialogs on the main menu (after the program was created): the shop's
// provider identification.
void RegisterVoucherCommands(Program& program, AppContext& app);

} // namespace vidoraw
