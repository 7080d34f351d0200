#include "shop/priemerd.h"

namespace vidoraw {

TfPriemerd::TfPriemerd(AppContext& app) : NamedListForm(app, kNumber) {
    addNameRows(QStringLiteral("Kód :"), QStringLiteral("Názov :"), 30, 30);
    finishLayout();
    nameRules.duplicate = QStringLiteral("Duplicitný názov priemeru šošovky!");
    checkedFields = {eNazov};
    DefineList();
}

TableSchema TfPriemerd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"NAZOV", 'A', 30}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}, true)};
    return s;
}

void TfPriemerd::DefineList() { defineNameList(QStringLiteral("Zoznam priemerov")); }

} // namespace vidoraw
