#include "invoicing/companynames.h"

#include "core/values.h"
#include "framework/tfdbform.h"

namespace vidoraw {

namespace {

// The named fields of the company with this IČO; empty texts when there is none.
QStringList CompanyFields(AppContext& app, const QString& ico, const QStringList& fields) {
    QStringList values;
    if (!LookupFields(app, module::kFirma, QStringLiteral("ICO"), {ico}, fields, values))
        values.clear();
    while (values.size() < fields.size())
        values << QString();
    return values;
}

} // namespace

QString CompanyDisplayName(AppContext& app, const QString& ico) {
    const QStringList f = CompanyFields(app, ico, {"NAZOV", "PRIEZVISK", "MENO", "TITUL"});
    if (!TrimSpaces(f[0]).isEmpty()) return f[0];
    return JoinName(f[1], f[2], f[3]);
}

QString CompanyFormalName(AppContext& app, const QString& ico) {
    const QStringList f = CompanyFields(app, ico, {"NAZOV", "TITUL", "MENO", "PRIEZVISK"});
    if (!TrimSpaces(f[0]).isEmpty()) return f[0];
    return JoinName(f[1], f[2], f[3]);
}

QString CompanyOwnerName(AppContext& app, const QString& ico) {
    const QStringList f = CompanyFields(app, ico, {"TITUL", "MENO", "PRIEZVISK"});
    return JoinName(f[0], f[1], f[2]);
}

QString CompanyAddressLine(AppContext& app, const QString& ico) {
    const QStringList f =
        CompanyFields(app, ico, {"ULICA", "CISLO", "OBEC", "PSC", "DODPOSTA", "STAT"});
    return TrimSpaces(JoinName(f[0], f[1], f[2]) + u' ' + JoinName(f[3], f[4], f[5]));
}

} // namespace vidoraw
