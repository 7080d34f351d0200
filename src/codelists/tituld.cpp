#include "codelists/tituld.h"

#include <QLineEdit>

namespace vidoraw {

TfTituld::TfTituld(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eNazov = rows().addRow(QStringLiteral("Titul :"), 10, 12);
    finishLayout();
    bind(eNazov, QStringLiteral("NAZOV"));
    checkedFields = {eNazov};
    DefineList();
}

TableSchema TfTituld::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0}, {"NAZOV", 'A', 10}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("NAZOV", {"NAZOV"})};
    return s;
}

void TfTituld::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "NAZOV"}, {"Kód", "Názov"}, QStringLiteral("Zoznam titulov"));
}

bool TfTituld::checkField(QWidget* control) {
    if (control != eNazov)
        return true;
    // A person without a title uses the empty one, so an empty name is no duplicate.
    const QString name = trimmedText(eNazov);
    if (!name.isEmpty() && isDuplicate(QStringLiteral("NAZOV"), name)) {
        complain(QStringLiteral("Duplicitný titul!"));
        return false;
    }
    return true;
}

} // namespace vidoraw
