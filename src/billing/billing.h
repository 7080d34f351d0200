#pragma once
// The monthly billing of the insurers: insurer invoices, batches, the batch export and its
// reports.
#include "invoicing/insurertransfer.h"

namespace vidoraw {

struct AppContext;
class Program;

// Tells the registry how to make the insurer invoices (15) and the batches (16).
void RegisterBillingModules(AppContext& app);
// The sums of an insurer invoice's vouchers that "Z poisťovne" of the invoice form takes over,
// split by the rates given; each aid at none of them is told to the user.
InsurerInvoiceTotals InsurerInvoiceTotalsOf(AppContext& app, qint64 invoiceCode,
                                            const VatRates& rates);
// Puts the insurer invoices and the export on the main menu (after the program was created).
void RegisterBillingCommands(Program& program, AppContext& app);

} // namespace vidoraw
