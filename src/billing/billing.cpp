#include "billing/billing.h"

#include "billing/batches.h"
#include "billing/batchexport.h"
#include "billing/davkad.h"
#include "billing/fakturad.h"
#include "codelists/codelistimport.h"
#include "framework/registermodule.h"
#include "framework/tfbrowse.h"
#include "invoicing/fakd.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "vouchers/vouchertotals.h"

namespace vidoraw {

void RegisterBillingModules(AppContext& app) {
    RegisterModule<TfFakturad>(app);
    RegisterModule<TfDavkad>(app);
    // "Z poisťovne" of the invoice form sums an insurer invoice's vouchers here.
    app.registry.setAfterCreate(module::kFak, [](RecordModule& m) {
        if (auto* form = dynamic_cast<TfFakd*>(&m))
            form->setInsurerTotals(InsurerInvoiceTotalsOf);
    });
}

InsurerInvoiceTotals InsurerInvoiceTotalsOf(AppContext& app, qint64 invoiceCode,
                                            const VatRates& rates) {
    const BatchTotals t = TotalsOfInvoice(app, invoiceCode, true, &rates);
    VatSplit split;
    split.unmatchedAids = t.unmatchedAids;
    ShowVatMismatches(split, app.mainWindow);
    InsurerInvoiceTotals out;
    out.vouchers = t.vouchers;
    out.insurer = t.insurer;
    for (size_t k = 0; k < 3; ++k)
        out.vat[k] = t.vat[k];
    return out;
}

namespace {

void OpenInsurerInvoices(AppContext& app, QWidget* owner) {
    RecordModule* m = app.registry.module(module::kFaktura);
    if (!m || !m->OpenTable())
        return;
    // Ordered by code, on the latest invoice.
    if (m->table().setOrder(QStringLiteral("KOD")))
        m->table().last();
    TfBrowse browser(app, owner);
    browser.Browse(module::kFaktura, TfBrowse::DefaultButtons(), false);
}

} // namespace

void RegisterBillingCommands(Program& program, AppContext& app) {
    TfHlavny* main = program.mainWindow();
    main->wire(QStringLiteral("Faktúry/&Faktúry poisťovne"), [&app, main] { OpenInsurerInvoices(app, main); });
    main->wire(QStringLiteral("Faktúry/Export/Mechanika &A"),
               [&app, main] { ExportBatches(app, ExportTarget::DriveA, main); });
    main->wire(QStringLiteral("Faktúry/Export/Mechanika &B"),
               [&app, main] { ExportBatches(app, ExportTarget::DriveB, main); });
    main->wire(QStringLiteral("Faktúry/Export/&Pevný disk"),
               [&app, main] { ExportBatches(app, ExportTarget::Directory, main); });
    main->wire(QStringLiteral("Import/Import &optických pomôcok (dávky 268, 335)"),
               [&app, main] { RunOpticalAidImport(app, main); });
    main->wire(QStringLiteral("Import/Import optických &pomôcok zo súboru CSV"),
               [&app, main] { RunOpticalAidCsvImport(app, main); });
    main->wire(QStringLiteral("Import/Import &diagnóz"), [&app, main] { RunDiagnosisImport(app, main); });
    main->wire(QStringLiteral("Import/Import diag&nóz zo súboru CSV"),
               [&app, main] { RunDiagnosisCsvImport(app, main); });
}

} // namespace vidoraw
