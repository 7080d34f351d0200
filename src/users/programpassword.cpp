#include "users/programpassword.h"

#include "core/base/codepage.h"
#include "core/interaction.h"
#include "shell/systemd.h"
#include "users/tfheslo.h"

#include <QApplication>

namespace vidoraw {

namespace {
const QString kPasswordField = QStringLiteral("HESLOP");

// How many characters the stored password can hold; a longer one would be cut on writing
// and could never be typed again.
int StoredPasswordLength(AppContext& app) {
    RecordModule* system = app.registry.EnsureModule(module::kSystem);
    if (!system || !system->OpenTable() || !system->table().hasField(kPasswordField))
        return 0;
    return system->table().field(kPasswordField).size();
}
} // namespace

QString ProgramPassword(AppContext& app) {
    return UnscramblePassword(SystemField(app, kPasswordField));
}

bool CheckProgramPassword(AppContext& app, QWidget* owner) {
    if (!app.registry.EnsureModule(module::kSystem))
        return false;
    if (ProgramPassword(app).isEmpty())
        return true;
    TfHeslo window(app, owner);
    window.setMode(TfHeslo::Mode::Login);
    window.centreOver(owner);
    return window.showModal() == QDialog::Accepted && window.matches();
}

bool ChangeProgramPassword(AppContext& app, QWidget* owner) {
    const auto notChanged = [owner] {
        ShowNotice(QStringLiteral("Oznam"), QStringLiteral(" Heslo nebolo zmenené."),
                   NoticeKind::Error, owner);
        return false;
    };
    TfHeslo old(app, owner);
    old.setMode(TfHeslo::Mode::OldPassword);
    old.centreOver(owner);
    if (old.showModal() != QDialog::Accepted || old.typed() != ProgramPassword(app))
        return notChanged();

    TfZmenaheslo change(app, owner);
    change.centreOver(owner);
    if (change.showModal() != QDialog::Accepted || change.newPassword() != change.repeated())
        return notChanged();
    const QString password = change.newPassword();
    const int room = StoredPasswordLength(app);
    if (password.size() > room) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Heslo môže mať najviac %1 písmen.").arg(room),
                   NoticeKind::Error, owner);
        return notChanged();
    }
    if (!WriteSystemFields(app, {{kPasswordField, ScramblePassword(password)}}, owner))
        return notChanged();
    QApplication::beep();
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral(" Heslo bolo zmenené. Dobre si ho zapamätajte alebo zapíšte."),
               NoticeKind::Information, owner);
    return true;
}

} // namespace vidoraw
