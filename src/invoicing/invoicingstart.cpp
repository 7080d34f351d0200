#include "invoicing/invoicingstart.h"

#include "framework/tfbrowse.h"

#include "invoicing/vatrates.h"
#include "invoicing/vlastnostm.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/vlastnikd.h"

namespace vidoraw {

void RegisterInvoicingStart(Program& program, AppContext& app) {
    program.loadVatRates = [&app] { app.vatRates = VatRatesOfTheRun(app); };
}

void RegisterInvoicingCommands(Program& program, AppContext& app) {
    program.mainWindow()->wire(QStringLiteral("Faktúry/Číselníky/P&arametre"), [&app] {
        EditInvoicingParameters(app, app.mainWindow);
        const QString flag = OwnerField(app, QStringLiteral("AJSDPH"));
        app.ajsdph = flag.isEmpty() ? QStringLiteral("N") : flag;
    });
    // The invoices open on the newest one.
    program.mainWindow()->wire(QStringLiteral("Faktúry/Faktúry &všetky"), [&app] {
        RecordModule* invoices = app.registry.module(module::kFak);
        if (!invoices || !invoices->OpenTable())
            return;
        if (invoices->table().setOrder(QStringLiteral("KOD")))
            invoices->table().last();
        TfBrowse browser(app, app.mainWindow);
        browser.Browse(module::kFak, TfBrowse::DefaultButtons(), false);
    });
}

} // namespace vidoraw
