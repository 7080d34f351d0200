#include "shop/typramd.h"

namespace vidoraw {

TfTypramd::TfTypramd(AppContext& app) : NamedListForm(app, kNumber) {
    addNameRows(QStringLiteral("Kód:"), QStringLiteral("Názov:"), 60, 40);
    finishLayout();
    nameRules.empty = QStringLiteral("Názov typu rámu nesmie byť prázdny!");
    nameRules.duplicate = QStringLiteral("Duplicitný názov typu rámu!");
    checkedFields = {eNazov};
    DefineList();
}

TableSchema TfTypramd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"NAZOV", 'A', 60}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}, true)};
    return s;
}

void TfTypramd::DefineList() { defineNameList(QStringLiteral("Zoznam typov rámov")); }

} // namespace vidoraw
