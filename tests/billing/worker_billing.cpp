// A second workstation for the batch tests.
//   add DIR INVOICE N   adds N batches to the invoice, as the batch list's "Pridaj" does
#include "billing/batches.h"
#include "billing/billing.h"
#include "framework/appcontext.h"
#include "vouchers/vouchers.h"

#include <QApplication>
#include <cstdio>

using namespace vidoraw;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QStringList args = qapp.arguments();
    if (args.size() < 5 || args[1] != QLatin1String("add"))
        return 2;
    QString error;
    std::unique_ptr<Database> db = Database::open(args[2], &error);
    if (!db) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 3;
    }
    db->setLockTimeout(60000);
    AppContext app;
    app.db = db.get();
    app.registry.setDatabase(db.get());
    RegisterVoucherModules(app);
    RegisterBillingModules(app);
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
    app.registry.ReleaseAll();
    return result;
}
