#include "vouchers/dgd.h"

#include <QLineEdit>

namespace vidoraw {

TfDgd::TfDgd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eKodd = rows().addRow(QStringLiteral("Kód diagnózy:"), 4, 6);
    eNazov = rows().addRow(QStringLiteral("Názov:"), 70, 50);
    finishLayout();
    bind(eKodd, QStringLiteral("KODD"));
    bind(eNazov, QStringLiteral("NAZOV"));
    checkedFields = {eKodd};
    refocusOnFailedLeave = true;
    DefineList();
}

TableSchema TfDgd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"KODD", 'A', 4}, {"NAZOV", 'A', 70}, {"DLZKA", 'N', 0}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}, true),
                 IndexDef::Secondary("Kodd", {"KODD"}, true)};
    return s;
}

void TfDgd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "KODD", "NAZOV"};
    list.orderTitles = {"Kód", "Kód diagnózy", "Názov"};
    list.printFields = {"KOD", "KODD", "NAZOV"};
    list.printTitles = {"Kód", "Diag.", "Názov"};
    list.listTitle = QStringLiteral("Zoznam diagnóz");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfDgd::StoreFields() {
    TfDbForm::StoreFields();
    table_.field(QStringLiteral("DLZKA")).setValue(eKodd->text().trimmed().size());
}

bool TfDgd::checkField(QWidget* control) {
    if (control != eKodd)
        return true;
    const QString code = eKodd->text().trimmed().toUpper();
    if (code != eKodd->text())
        eKodd->setText(code);
    if (code.isEmpty()) {
        complain(QStringLiteral("Kód diagnózy nesmie byť prázdny!"));
        return false;
    }
    if (isDuplicate(QStringLiteral("KODD"), code)) {
        complain(QStringLiteral("Duplicitný kód diagnózy!"));
        return false;
    }
    return true;
}

} // namespace vidoraw
