#include "shop/sortimd.h"

#include "framework/tfbrowse.h"
#include "vouchers/aidcode.h"

#include <QLineEdit>

namespace vidoraw {

TfSortimd::TfSortimd(AppContext& app) : NamedListForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eKodp = rows().newEdit(5, 7);
    eNazovPom = rows().newEdit(50, 30);
    FormRows::makeDisplayOnly(eNazovPom);
    rows().addPairRow(QStringLiteral("Optická pomôcka:"), eKodp, QString(), eNazovPom);
    eDoplnok = rows().addRow(QString(), 80, 40);
    FormRows::makeDisplayOnly(eDoplnok);
    eNazov = rows().addRow(QStringLiteral("Názov:"), 50);
    finishLayout();
    bind(eKodp, QStringLiteral("KODP"));
    bind(eNazov, QStringLiteral("NAZOV"));
    nameRules.duplicate = QStringLiteral("Duplicitný názov šošovky!");
    checkedFields = {eKodp, eNazov};
    onPickKeys(eKodp, [this] {
        if (LookupOrPick(this->app(), module::kOptpom, "KODPOM", "NAZOV", PickMode::Pick, eNazovPom,
                         eKodp))
            showAidSupplement();
    });
    DefineList();
}

TableSchema TfSortimd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"KODP", 'A', 5}, {"NAZOV", 'A', 50}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}, true),
                 IndexDef::Secondary("Kodp", {"KODP"}, true)};
    return s;
}

void TfSortimd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "NAZOV", "KODP"};
    list.orderTitles = {"Kód", "Názov", "Kód pomôcky"};
    list.printFields = {"KOD", "NAZOV", "KODP"};
    list.printTitles = {"Kód", "Názov", "Kód opt. pomôcky"};
    list.listTitle = QStringLiteral("Zoznam šošoviek - sortiment");
    list.printHeading = {list.listTitle};
    list.finish();
}

int TfSortimd::AddRecord() {
    eNazovPom->clear();
    eDoplnok->clear();
    return NamedListForm::AddRecord();
}

void TfSortimd::LoadFields() {
    NamedListForm::LoadFields();
    QStringList values;
    const QString code = eKodp->text().trimmed();
    if (!code.isEmpty())
        LookupFields(app(), module::kOptpom, QStringLiteral("KODPOM"), {code},
                     {QStringLiteral("NAZOV"), QStringLiteral("DOPLNOK")}, values);
    eNazovPom->setText(values.value(0));
    eDoplnok->setText(values.value(1));
}

void TfSortimd::showAidSupplement() {
    QString supplement;
    LookupField(app(), module::kOptpom, QStringLiteral("KODPOM"), {eKodp->text()},
                QStringLiteral("DOPLNOK"), supplement);
    eDoplnok->setText(supplement);
}

bool TfSortimd::checkField(QWidget* control) {
    if (control != eKodp)
        return NamedListForm::checkField(control);
    const QString code = PadAidCode(eKodp->text());
    if (code != eKodp->text())
        eKodp->setText(code);
    if (!LookupOrPick(app(), module::kOptpom, "KODPOM", "NAZOV", PickMode::LookUp, eNazovPom, eKodp)) {
        eNazovPom->clear();
        eDoplnok->clear();
        return false;
    }
    showAidSupplement();
    return true;
}

} // namespace vidoraw
