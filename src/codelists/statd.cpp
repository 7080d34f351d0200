#include "codelists/statd.h"

#include <QLineEdit>

namespace vidoraw {

TfStatd::TfStatd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eSkratka = rows().addRow(QStringLiteral("Skratka :"), 3, 5);
    eNazov = rows().addRow(QStringLiteral("Názov :"), 30);
    finishLayout();
    bind(eSkratka, QStringLiteral("SKRATKA"));
    bind(eNazov, QStringLiteral("NAZOV"));
    checkedFields = {eSkratka, eNazov};
    DefineList();
}

TableSchema TfStatd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0}, {"SKRATKA", 'A', 3}, {"NAZOV", 'A', 30}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("SKRATKA", {"SKRATKA"}),
            IndexDef::Secondary("NAZOV", {"NAZOV"})};
    s.initialRows = {QStringLiteral("1|SK|Slovenská republika")};
    return s;
}

void TfStatd::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "SKRATKA", "NAZOV"}, {"Kód", "Skratka", "Názov"}, QStringLiteral("Zoznam štátov"));
}

void TfStatd::focusFirstField() { focusField(recordMode == ModeAdd ? eSkratka : eNazov); }

bool TfStatd::checkField(QWidget* control) {
    if (control == eSkratka) {
        const QString abbreviation = eSkratka->text().trimmed().toUpper();
        if (abbreviation != eSkratka->text())
            eSkratka->setText(abbreviation);
        if (abbreviation.isEmpty()) {
            complain(QStringLiteral("Skratka štátu nesmie byť prázdna!"));
            return false;
        }
        if (isDuplicate(QStringLiteral("SKRATKA"), abbreviation)) {
            complain(QStringLiteral("Duplicitná skratka štátu!"));
            return false;
        }
    } else if (control == eNazov) {
        if (trimmedText(eNazov).isEmpty()) {
            complain(QStringLiteral("Názov štátu nesmie byť prázdny!"));
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
