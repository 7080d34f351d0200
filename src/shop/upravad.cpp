#include "shop/upravad.h"

namespace vidoraw {

TfUpravad::TfUpravad(AppContext& app) : NamedListForm(app, kNumber) {
    addNameRows(QStringLiteral("Kód :"), QStringLiteral("Názov :"), 30, 30);
    finishLayout();
    nameRules.duplicate = QStringLiteral("Duplicitný názov úpravy šošovky!");
    checkedFields = {eNazov};
    DefineList();
}

TableSchema TfUpravad::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"NAZOV", 'A', 30}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}, true)};
    return s;
}

void TfUpravad::DefineList() { defineNameList(QStringLiteral("Zoznam úprav")); }

} // namespace vidoraw
