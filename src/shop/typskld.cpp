#include "shop/typskld.h"

namespace vidoraw {

TfTypskld::TfTypskld(AppContext& app) : NamedListForm(app, kNumber) {
    addNameRows(QStringLiteral("Kód:"), QStringLiteral("Názov:"), 60, 40);
    finishLayout();
    nameRules.empty = QStringLiteral("Názov typu skiel nesmie byť prázdny!");
    nameRules.duplicate = QStringLiteral("Duplicitný názov typu skiel!");
    checkedFields = {eNazov};
    DefineList();
}

TableSchema TfTypskld::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"NAZOV", 'A', 60}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}, true)};
    return s;
}

void TfTypskld::DefineList() { defineNameList(QStringLiteral("Zoznam typov skiel")); }

} // namespace vidoraw
