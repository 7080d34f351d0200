#include "codelists/statd.h"

#include <QLineEdit>

namespace vidoraw {

TfStatd::TfStatd(AppContext& app) : TfCodeListForm(app, 12) {
    addCodeRow(QStringLiteral("Kód :"));
    eSkratka = addRow(QStringLiteral("Skratka :"), 3, 5);
    eNazov = addRow(QStringLiteral("Názov :"), 30);
    finishLayout();
    bind(eSkratka, QStringLiteral("SKRATKA"));
    bind(eNazov, QStringLiteral("NAZOV"));
    checkedFields = {eSkratka, eNazov};
    DefineList();
}

FieldDefs TfStatd::tableFields() const {
    return {{"KOD", 'I', 0}, {"SKRATKA", 'A', 3}, {"NAZOV", 'A', 30}};
}

IndexDefs TfStatd::tableIndexes() const {
    return {IndexDef::Primary({"KOD"}), IndexDef::Secondary("SKRATKA", {"SKRATKA"}),
            IndexDef::Secondary("NAZOV", {"NAZOV"})};
}

QStringList TfStatd::initialRows() const { return {QStringLiteral("1|SK|Slovenská republika")}; }

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
