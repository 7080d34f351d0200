#pragma once
// How invoicing plugs into the running program: the VAT rates of the run, loaded at start, and
// the "Parametre" command of the main menu.
namespace vidoraw {

struct AppContext;
class Program;

// Before Program::create: the create step loads the VAT rates of the run into the context.
void RegisterInvoicingStart(Program& program, AppContext& app);
// After Program::create: wires the invoicing parameters command (afterwards the main window's
// AJSDPH flag is read again) and the list of all invoices.
void RegisterInvoicingCommands(Program& program, AppContext& app);

} // namespace vidoraw
