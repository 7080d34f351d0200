#include "vouchers/vouchers.h"

#include "framework/registermodule.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "vouchers/dgd.h"
#include "vouchers/lekard.h"
#include "vouchers/optpomd.h"
#include "vouchers/poistovd.h"
#include "vouchers/poskytovatelf.h"
#include "vouchers/poukazd.h"
#include "vouchers/poukazvd.h"
#include "vouchers/pzsd.h"
#include "vouchers/zmluvad.h"

namespace vidoraw {

void RegisterVoucherModules(AppContext& app) {
    RegisterModule<TfDgd>(app);
    RegisterModule<TfZmluvad>(app);
    RegisterModule<TfPoistovd>(app);
    RegisterModule<TfOptpomd>(app);
    RegisterModule<TfLekard>(app);
    RegisterModule<TfPzsd>(app);
    RegisterModule<TfPoukazvd>(app);
    RegisterModule<TfPoukazd>(app);
}

void RegisterVoucherCommands(Program& program, AppContext& app) {
    program.mainWindow()->wire(QStringLiteral("Faktúry/&Poskytovateľ"), [&app] {
        TfPoskytovatelf dialog(app, app.mainWindow);
        dialog.centreOver(app.mainWindow);
        dialog.showModal();
    });
}

} // namespace vidoraw
