#include "users/users.h"

#include "core/values.h"
#include "framework/registermodule.h"
#include "framework/tfdbform.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "users/programpassword.h"
#include "users/uzivd.h"

namespace vidoraw {

void RegisterUserModules(AppContext& app) { RegisterModule<TfUzivd>(app); }

void RegisterUsers(Program& program, AppContext& app) {
    program.login = [&app] { return CheckProgramPassword(app, app.mainWindow); };
    program.loggedInUsers = [&app] {
        const QString users = LoggedInUsers(app);
        return users.isEmpty() ? QStringList() : QStringList{users};
    };
    program.mainWindow()->wire(QStringLiteral("Systém/Zmena &hesla ..."),
                               [&app] { ChangeProgramPassword(app, app.mainWindow); });
}

QString UserDisplayName(AppContext& app, const QString& userCode) {
    QString title, firstName, surname;
    const QVariantList key{userCode};
    LookupField(app, module::kUziv, QStringLiteral("KOD"), key, QStringLiteral("TITUL"), title);
    LookupField(app, module::kUziv, QStringLiteral("KOD"), key, QStringLiteral("MENO"), firstName);
    LookupField(app, module::kUziv, QStringLiteral("KOD"), key, QStringLiteral("PRIEZVISK"), surname);
    return JoinName(title, firstName, surname);
}

QString LoggedInUsers(AppContext& app) {
    RecordModule* users = app.registry.EnsureModule(module::kUziv);
    // Asked while the data is in use by others: a missing table is not made here.
    if (!users || !users->table().exists() || !users->OpenTable())
        return QString();
    Table& t = users->table();
    if (!t.setOrder(QStringLiteral("KOD")))
        return QString();
    if (!t.hasField(QStringLiteral("PRIHLASENY")))
        return QString();
    QStringList names;
    for (t.first(); !t.eof(); t.next()) {
        if (t.field("KOD").asString() == app.userCode)
            continue;
        if (t.field("PRIHLASENY").asString() == QLatin1String("A"))
            names << t.field("MENO").asString() + u' ' + t.field("PRIEZVISK").asString();
    }
    return names.join(QStringLiteral(" | "));
}

} // namespace vidoraw
