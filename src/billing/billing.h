#pragma once
// The monthly billing of the insurers: insurer invoices, batches, the batch export and its
// reports.
namespace vidoraw {

struct AppContext;
class Program;

// Tells the registry how to make the insurer invoices (15) and the batches (16).
void RegisterBillingModules(AppContext& app);
// Puts the insurer invoices and the export on the main menu (after the program was created).
void RegisterBillingCommands(Program& program, AppContext& app);

} // namespace vidoraw
