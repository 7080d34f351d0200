#include "shop/typksd.h"

#include "framework/tfbrowse.h"

#include <QLineEdit>

namespace vidoraw {

namespace {
QString SupplierName(AppContext& app, const QString& code) {
    QString name;
    if (!code.isEmpty())
        LookupField(app, module::kFirmao, QStringLiteral("KOD"), {code}, QStringLiteral("NAZOV"), name);
    return name;
}
} // namespace

TfTypksd::TfTypksd(AppContext& app) : NamedListForm(app, kNumber) {
    addNameRows(QStringLiteral("Kód:"), QStringLiteral("Názov:"), 60, 40);
    eKodf = rows().newEdit(0, 8);
    eNazovf = rows().newEdit(30, 24);
    FormRows::makeDisplayOnly(eNazovf);
    rows().addPairRow(QStringLiteral("Firma:"), eKodf, QString(), eNazovf);
    finishLayout();
    bind(eKodf, QStringLiteral("KODF"));
    nameRules.empty = QStringLiteral("Názov typu kontaktných šošoviek nesmie byť prázdny!");
    checkedFields = {eNazov, eKodf};
    onPickKeys(eKodf, [this] {
        LookupOrPick(this->app(), module::kFirmao, "KOD", "NAZOV", PickMode::Pick, eNazovf, eKodf);
    });
    // The list shows the supplier's name beside its code.
    table_.addCalcField({QStringLiteral("NAZOVF"), 'A', 30});
    table_.setCalcHandler([this](Table& t) {
        t.field(QStringLiteral("NAZOVF"))
            .setValue(SupplierName(this->app(), t.field(QStringLiteral("KODF")).asString()));
    });
    DefineList();
}

TableSchema TfTypksd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"NAZOV", 'A', 60}, {"KODF", 'F', 0}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Kodf", {"KODF"}, true),
                 IndexDef::Secondary("Nazov", {"NAZOV"}, true)};
    return s;
}

void TfTypksd::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "NAZOV", "KODF"}, {"Kód", "Názov", "Kód firmy"},
                      QStringLiteral("Zoznam typov kontaktných šošoviek"));
}

int TfTypksd::AddRecord() {
    eNazovf->clear();
    return NamedListForm::AddRecord();
}

void TfTypksd::LoadFields() {
    NamedListForm::LoadFields();
    eNazovf->setText(SupplierName(app(), eKodf->text().trimmed()));
}

bool TfTypksd::checkField(QWidget* control) {
    if (control != eKodf)
        return NamedListForm::checkField(control);
    trimmedText(eKodf);
    if (!LookupOrPick(app(), module::kFirmao, "KOD", "NAZOV", PickMode::LookUp, eNazovf, eKodf)) {
        eNazovf->clear();
        return false;
    }
    return true;
}

} // namespace vidoraw
