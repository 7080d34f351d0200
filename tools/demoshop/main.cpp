// demoshop [--seed N] [--aids N] [--doctors N] [--clients N] [--vouchers N] DIRECTORY
// Makes a demo shop in a new data directory (never in one that already holds data).
#include "demoshop.h"

#include "codelists/codelists.h"
#include "core/interaction.h"
#include "framework/appcontext.h"
#include "invoicing/invoicing.h"
#include "invoicing/invoicingstart.h"
#include "shell/program.h"
#include "shop/shop.h"
#include "ui/scriptedinteraction.h"
#include "users/users.h"
#include "vouchers/vouchers.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

using namespace vidoraw;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    DemoOptions options;
    QString dir;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        auto number = [&](int& out) {
            bool ok = false;
            out = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
            return ok && out >= 0;
        };
        bool ok = true;
        int seed = 0;
        if (args[i] == "--seed")
            ok = number(seed), options.seed = quint32(seed);
        else if (args[i] == "--aids")
            ok = number(options.aids);
        else if (args[i] == "--doctors")
            ok = number(options.doctors);
        else if (args[i] == "--clients")
            ok = number(options.clients);
        else if (args[i] == "--vouchers")
            ok = number(options.vouchers);
        else if (!args[i].startsWith("--") && dir.isEmpty())
            dir = args[i];
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "demoshop: bad argument %s\n", qPrintable(args[i]));
            return 2;
        }
    }
    if (dir.isEmpty()) {
        std::fprintf(stderr, "usage: demoshop [--seed N] [--aids N] [--doctors N] [--clients N] "
                             "[--vouchers N] DIRECTORY\n");
        return 2;
    }
    if (QFileInfo::exists(QDir(dir).filePath(QStringLiteral("vidoraw.sqlite")))) {
        std::fprintf(stderr, "demoshop: %s already holds data\n", qPrintable(dir));
        return 1;
    }
    // No windows: any question would be a fault of the generator.
    ScriptedInteraction quiet;
    AppContext app;
    RegisterShellModules(app);
    RegisterCodeListModules(app);
    RegisterUserModules(app);
    RegisterInvoicingModules(app);
    RegisterVoucherModules(app);
    RegisterShopModules(app);
    Program program(app);
    RegisterInvoicingStart(program, app);
    QString error;
    if (!program.create(dir, &error) || !MakeDemoShop(app, options, &error)) {
        std::fprintf(stderr, "demoshop: %s\n", qPrintable(error));
        return 1;
    }
    for (const QString& n : quiet.takeNoticeTexts())
        std::fprintf(stderr, "demoshop: %s\n", qPrintable(n));
    return 0;
}
