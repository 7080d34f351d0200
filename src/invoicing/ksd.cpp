#include "invoicing/ksd.h"

#include <QLineEdit>

namespace vidoraw {

TfKsd::TfKsd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eKodks = rows().addRow(QStringLiteral("Konštantný symbol :"), 4, 5);
    eNazov = rows().addRow(QStringLiteral("Názov :"), 40);
    finishLayout();
    bind(eKodks, QStringLiteral("KODKS"));
    bind(eNazov, QStringLiteral("NAZOV"));
    checkedFields = {eKodks};
    DefineList();
}

TableSchema TfKsd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},
                {"KODKS", 'A', 4},
                {"NAZOV", 'A', 40},
                {"INDIK", 'A', 1},
                {"INDIK1", 'A', 1}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Kodks", {"KODKS"}, true),
                 IndexDef::Secondary("Nazov", {"NAZOV"}, true)};
    return s;
}

void TfKsd::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "KODKS", "NAZOV"}, {"Kód", "Konštantný symbol", "Názov"},
                      QStringLiteral("Zoznam konštantných symbolov"));
}

bool TfKsd::checkField(QWidget* control) {
    if (control == eKodks && isDuplicate(QStringLiteral("KODKS"), trimmedText(eKodks))) {
        complain(QStringLiteral("Duplicitný konštantný symbol!"));
        return false;
    }
    return true;
}

} // namespace vidoraw
