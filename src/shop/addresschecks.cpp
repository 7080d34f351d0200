#include "shop/addresschecks.h"

#include "codelists/obecd.h"
#include "framework/tfbrowse.h"
#include "framework/tfdbform.h"

#include <QLineEdit>

namespace vidoraw {

namespace {

// Postal code and post office of the municipality the key names.
void FillFromKey(AppContext& app, const AddressEdits& a) {
    QString psc;
    LookupField(app, module::kObce, QStringLiteral("NAZOVPSC"), {a.key->text()},
                QStringLiteral("PSC"), psc);
    a.postalCode->setText(psc);
    QString posta;
    if (!psc.isEmpty())
        LookupField(app, module::kPsc, QStringLiteral("PSC"), {psc}, QStringLiteral("POSTA"), posta);
    a.postOffice->setText(posta);
}

} // namespace

void FormMunicipalityKey(const AddressEdits& a) {
    a.key->setText(MunicipalityKey(a.municipality->text().trimmed(), a.postalCode->text().trimmed()));
}

bool CheckMunicipality(AppContext& app, const AddressEdits& a) {
    const QString name = a.municipality->text().trimmed();
    if (name != a.municipality->text())
        a.municipality->setText(name);
    RecordModule* municipalities = app.registry.module(module::kObce);
    if (municipalities && municipalities->OpenTable() &&
        CountEqual(municipalities->table(), QStringLiteral("NAZOV"), name) == 1) {
        QString psc;
        if (LookupField(app, module::kObce, QStringLiteral("NAZOV"), {name}, QStringLiteral("PSC"),
                        psc))
            a.postalCode->setText(psc);
    }
    FormMunicipalityKey(a);
    if (!LookupOrPick(app, module::kObce, "NAZOVPSC", "NAZOV", PickMode::LookUp, a.municipality,
                      a.key))
        return false;
    FillFromKey(app, a);
    return true;
}

bool CheckPostalCode(AppContext& app, const AddressEdits& a) {
    const QString psc = a.postalCode->text().trimmed();
    if (psc != a.postalCode->text())
        a.postalCode->setText(psc);
    return LookupOrPick(app, module::kPsc, "PSC", "POSTA", PickMode::LookUp, a.postOffice,
                        a.postalCode);
}

void PickMunicipality(AppContext& app, const AddressEdits& a) {
    if (!LookupOrPick(app, module::kObce, "NAZOV", "PSC", PickMode::Pick, a.postalCode,
                      a.municipality))
        return;
    FormMunicipalityKey(a);
    FillFromKey(app, a);
}

void PickPostalCode(AppContext& app, const AddressEdits& a) {
    LookupOrPick(app, module::kPsc, "PSC", "POSTA", PickMode::Pick, a.postOffice, a.postalCode);
}

} // namespace vidoraw
