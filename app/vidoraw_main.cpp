#include "billing/billing.h"
#include "codelists/codelists.h"
#include "core/base/qttranslations.h"
#include "core/datadir.h"
#include "core/interaction.h"
#include "invoicing/invoicing.h"
#include "invoicing/invoicingstart.h"
#include "maintenance/maintenance.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shop/shop.h"
#include "ui/qtinteraction.h"
#include "users/users.h"
#include "vouchers/vouchers.h"

#include <QApplication>

using namespace vidoraw;

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vidoraw"));
    InstallQtTranslations(qapp);
    QtInteraction windows;
    InstallInteraction(&windows);

    bool ok = false;
    const QString dir = ChooseDataDirectory(&ok);
    if (!ok) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Adresár údajov %1 sa nedá vytvoriť.").arg(dir));
        return 1;
    }
    AppContext app;
    RegisterShellModules(app);
    RegisterCodeListModules(app);
    RegisterUserModules(app);
    RegisterInvoicingModules(app);
    RegisterVoucherModules(app);
    RegisterShopModules(app);
    RegisterBillingModules(app);
    Program program(app);
    RegisterInvoicingStart(program, app);
    QString error;
    if (!program.create(dir, &error)) {
        ShowNotice(QStringLiteral("Chyba"), error);
        return 1;
    }
    RegisterUsers(program, app);
    RegisterVoucherCommands(program, app);
    RegisterInvoicingCommands(program, app);
    RegisterBillingCommands(program, app);
    RegisterMaintenanceCommands(program, app);
    program.mainWindow()->show();
    program.start();
    return qapp.exec();
}
