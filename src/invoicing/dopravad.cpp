#include "invoicing/dopravad.h"

#include <QLineEdit>

namespace vidoraw {

TfDopravad::TfDopravad(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eNazov = rows().addRow(QStringLiteral("Názov :"), 30);
    finishLayout();
    bind(eNazov, QStringLiteral("NAZOV"));
    checkedFields = {eNazov};
    DefineList();
}

TableSchema TfDopravad::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0}, {"NAZOV", 'A', 30}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("NAZOV", {"NAZOV"})};
    s.initialRows = {QStringLiteral("1|Poštou"), QStringLiteral("2|Spešninou"),
                     QStringLiteral("3|Vlastné náklady"), QStringLiteral("4|"),
                     QStringLiteral("5|Dobierkou")};
    return s;
}

void TfDopravad::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "NAZOV"}, {"Kód", "Názov"}, QStringLiteral("Spôsoby dopravy"));
}

bool TfDopravad::checkField(QWidget* control) {
    if (control == eNazov && isDuplicate(QStringLiteral("NAZOV"), trimmedText(eNazov))) {
        complain(QStringLiteral("Duplicitný názov spôsobu dopravy!"));
        return false;
    }
    return true;
}

} // namespace vidoraw
