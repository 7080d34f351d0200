#include "vouchers/lensnames.h"

#include "framework/tfdbform.h"

namespace vidoraw {

namespace {
QString NameOf(AppContext& app, int module, const QString& code) {
    QString name;
    if (!code.trimmed().isEmpty())
        LookupField(app, module, QStringLiteral("KOD"), {code.trimmed()}, QStringLiteral("NAZOV"),
                    name);
    return name;
}
} // namespace

QString LensTypeName(AppContext& app, const QString& code) {
    return NameOf(app, module::kTypskl, code);
}

QString FrameTypeName(AppContext& app, const QString& code) {
    return NameOf(app, module::kTypram, code);
}

QString ContactLensTypeName(AppContext& app, const QString& code) {
    QStringList values;
    if (code.trimmed().isEmpty() ||
        !LookupFields(app, module::kTypks, QStringLiteral("KOD"), {code.trimmed()},
                      {QStringLiteral("NAZOV"), QStringLiteral("KODF")}, values))
        return QString();
    return values[0] + u' ' + NameOf(app, module::kFirmao, values[1]);
}

} // namespace vidoraw
