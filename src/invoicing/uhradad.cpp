#include "invoicing/uhradad.h"

#include <QLineEdit>

namespace vidoraw {

TfUhradad::TfUhradad(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eNazov = rows().addRow(QStringLiteral("Názov :"), 30);
    finishLayout();
    bind(eNazov, QStringLiteral("NAZOV"));
    checkedFields = {eNazov};
    DefineList();
}

TableSchema TfUhradad::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0}, {"NAZOV", 'A', 30}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("NAZOV", {"NAZOV"})};
    s.initialRows = {QStringLiteral("1|Prevodný príkaz"), QStringLiteral("2|Hotovosť"),
                     QStringLiteral("3|Poštovou poukážkou"), QStringLiteral("4|Dobierkou")};
    return s;
}

void TfUhradad::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "NAZOV"}, {"Kód", "Názov"}, QStringLiteral("Formy úhrady"));
}

bool TfUhradad::checkField(QWidget* control) {
    if (control == eNazov && isDuplicate(QStringLiteral("NAZOV"), trimmedText(eNazov))) {
        complain(QStringLiteral("Duplicitný názov formy úhrady!"));
        return false;
    }
    return true;
}

} // namespace vidoraw
