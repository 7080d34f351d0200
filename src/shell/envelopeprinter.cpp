#include "shell/envelopeprinter.h"

#include "core/interaction.h"
#include "core/settings.h"
#include "framework/tfdbform.h"

namespace vidoraw {

QString EnvelopePrinterCode(AppContext& app) {
    const QString code =
        IniFile(QStringLiteral("VIDORAW.INI")).readString(QStringLiteral("CESTY"), QStringLiteral("TLACIAREN"));
    QString found;
    if (!LookupField(app, 25, QStringLiteral("KOD"), {code}, QStringLiteral("KOD"), found))
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Posuny zostáv pre tlaciareň s kódom :") + code +
                       QStringLiteral(" nie sú definované!"),
                   NoticeKind::Information);
    return code;
}

} // namespace vidoraw
