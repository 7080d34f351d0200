// A second workstation for the batch tests.
//   add DIR INVOICE N   adds N batches to the invoice, as the batch list's "Pridaj" does
#include "billing/batches.h"
#include "billing/billing.h"
#include "framework/appcontext.h"
#include "vouchers/vouchers.h"

#include "workermain.h"
#include <cstdio>

using namespace vidoraw;

int main(int argc, char** argv) {
    return test::RunWorker(
        argc, argv, "add", 5,
        [](AppContext& app) {
            RegisterVoucherModules(app);
            RegisterBillingModules(app);
        },
        [](AppContext& app, const QStringList& args) {
            QString error;
            const qint64 invoice = args[3].toLongLong();
            const int n = args[4].toInt();
            int result = 0;
            for (int i = 0; i < n && result == 0; ++i) {
                qint64 code = 0, number = 0;
                if (!AddBatch(app, invoice, code, number, &error)) {
                    std::fprintf(stderr, "add: %s\n", qPrintable(error));
                    result = 4;
                }
            }
            return result;
        });
}
