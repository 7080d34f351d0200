#include "shop/firmaod.h"

#include "framework/tfbrowse.h"

#include <QLineEdit>

namespace vidoraw {

TfFirmaod::TfFirmaod(AppContext& app) : NamedListForm(app, kNumber) {
    addNameRows(QStringLiteral("Kód:"), QStringLiteral("Názov:"), 30);
    eUlica = rows().addRow(QStringLiteral("Ulica:"), 30);
    ePsc = rows().newEdit(5, 6);
    eDodposta = rows().newEdit(30, 20);
    FormRows::makeDisplayOnly(eDodposta);
    rows().addPairRow(QStringLiteral("PSČ:"), ePsc, QStringLiteral("Pošta"), eDodposta);
    eIco = rows().addRow(QStringLiteral("IČO:"), 10, 12);
    eDico = rows().addRow(QStringLiteral("DIČ:"), 20, 16);
    eTelefon = rows().addRow(QStringLiteral("Telefón:"), 30);
    eFax = rows().addRow(QStringLiteral("Fax:"), 20);
    finishLayout();
    bind(eUlica, QStringLiteral("ULICA"));
    bind(ePsc, QStringLiteral("PSC"));
    bind(eDodposta, QStringLiteral("DODPOSTA"));
    bind(eIco, QStringLiteral("ICO"));
    bind(eDico, QStringLiteral("DICO"));
    bind(eTelefon, QStringLiteral("TELEFON"));
    bind(eFax, QStringLiteral("FAX"));
    nameRules.duplicate = QStringLiteral("Duplicitný názov dodávateľskej firmy!");
    checkedFields = {eNazov, ePsc};
    onPickKeys(ePsc, [this] {
        LookupOrPick(this->app(), module::kPsc, "PSC", "POSTA", PickMode::Pick, eDodposta, ePsc);
    });
    DefineList();
}

TableSchema TfFirmaod::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},      {"NAZOV", 'A', 30}, {"ULICA", 'A', 30},
                {"DODPOSTA", 'A', 30}, {"PSC", 'A', 5},    {"ICO", 'A', 10},
                {"DICO", 'A', 20},     {"TELEFON", 'A', 30}, {"FAX", 'A', 20}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Dodposta", {"DODPOSTA"}, true),
                 IndexDef::Secondary("Ico", {"ICO"}, true),
                 IndexDef::Secondary("Nazov", {"NAZOV"}, true)};
    return s;
}

void TfFirmaod::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "NAZOV", "DODPOSTA", "ICO"};
    list.orderTitles = {"Kód", "Názov", "Dodávacia pošta", "IČO"};
    list.printFields = {"KOD", "NAZOV", "ULICA", "PSC", "DODPOSTA"};
    list.printTitles = {"Kód", "Názov", "Ulica", "PSČ", "Dodávacia pošta"};
    list.listTitle = QStringLiteral("Zoznam - dodávateľov šošoviek");
    list.printHeading = {QStringLiteral("Zoznam firiem - dodávateľov šošoviek")};
    list.finish();
}

bool TfFirmaod::checkField(QWidget* control) {
    if (control != ePsc)
        return NamedListForm::checkField(control);
    trimmedText(ePsc);
    if (!LookupOrPick(app(), module::kPsc, "PSC", "POSTA", PickMode::LookUp, eDodposta, ePsc)) {
        eDodposta->clear();
        return false;
    }
    return true;
}

} // namespace vidoraw
