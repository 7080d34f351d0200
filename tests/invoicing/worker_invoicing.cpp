// A second workstation for the number series tests.
//   save DIR N   saves N invoices as the invoice form does: the number proposed when the form
//                opens, the number issued inside the save's write lock
#include "core/engine/tableops.h"
#include "framework/registermodule.h"
#include "invoicing/invoicing.h"
#include "invoicing/numberseries.h"

#include "workermain.h"
#include <cstdio>

using namespace vidoraw;

int main(int argc, char** argv) {
    return test::RunWorker(
        argc, argv, "save", 4, [](AppContext& app) { RegisterInvoicingModules(app); },
        [](AppContext& app, const QStringList& args) {
            RecordModule* invoices = app.registry.module(module::kFak);
            if (!invoices || !invoices->OpenTable()) return 4;
            Table& t = invoices->table();
            const int n = args[3].toInt();
            int result = 0;
            for (int i = 0; i < n && result == 0; ++i) {
                const QString proposed = NextInvoiceNumber(app);
                WriteLock lock(*app.db);
                QString number;
                if (!lock.ok()) {
                    std::fprintf(stderr, "lock: %s\n", qPrintable(lock.error()));
                    result = 5;
                } else if (!IssueInvoiceNumber(app, proposed, proposed, number)) {
                    result = 6;
                } else if (!t.append() ||
                           !t.field("KOD").setValue(LastValue(t, "KOD", "KOD") + 1) ||
                           !t.field("CISFAKTU").setAsString(number) || !t.post() ||
                           !lock.commit()) {
                    std::fprintf(stderr, "post: %s\n", qPrintable(t.lastError()));
                    result = 7;
                }
            }
            return result;
        });
}
