#include "shop/diopd.h"

#include <QLineEdit>

namespace vidoraw {

TfDiopd::TfDiopd(AppContext& app) : NamedListForm(app, kNumber) {
    addNameRows(QStringLiteral("Kód :"), QStringLiteral("Názov :"), 30);
    eDiopod1 = rows().newEdit(6, 8);
    eDiopdo1 = rows().newEdit(6, 8);
    rows().addPairRow(QStringLiteral("Od:"), eDiopod1, QStringLiteral("Do:"), eDiopdo1);
    eDiopod2 = rows().newEdit(6, 8);
    eDiopdo2 = rows().newEdit(6, 8);
    rows().addPairRow(QStringLiteral("Od:"), eDiopod2, QStringLiteral("Do:"), eDiopdo2);
    eCylin = rows().addRow(QStringLiteral("Cylinder:"), 6, 8);
    finishLayout();
    bind(eDiopod1, QStringLiteral("DIOPOD1"));
    bind(eDiopdo1, QStringLiteral("DIOPDO1"));
    bind(eDiopod2, QStringLiteral("DIOPOD2"));
    bind(eDiopdo2, QStringLiteral("DIOPDO2"));
    bind(eCylin, QStringLiteral("CYLIN"));
    nameRules.duplicate = QStringLiteral("Duplicitný názov dioptrie šošovky!");
    nameRules.duplicateWhenEditing = QStringLiteral("Duplicitný dioptrie šošovky!");
    nameRules.checkedOnLeave = false;
    checkedFields = {eNazov};
    DefineList();
}

TableSchema TfDiopd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},     {"NAZOV", 'A', 30},  {"DIOPOD1", 'A', 6}, {"DIOPDO1", 'A', 6},
                {"DIOPOD2", 'A', 6}, {"DIOPDO2", 'A', 6}, {"CYLIN", 'A', 6}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}, true)};
    return s;
}

void TfDiopd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "NAZOV"};
    list.orderTitles = {"Kód", "Názov"};
    list.printFields = {"KOD", "NAZOV", "DIOPOD1", "DIOPDO1", "DIOPOD2", "DIOPDO2", "CYLIN"};
    list.printTitles = {"Kód", "Názov", "Od", "Do", "Od", "Do", "Cylinder"};
    list.listTitle = QStringLiteral("Zoznam dioptrií");
    list.printHeading = {list.listTitle};
    list.finish();
}

} // namespace vidoraw
