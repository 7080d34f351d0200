#include "invoicing/hmd.h"

#include <QLineEdit>

namespace vidoraw {

TfHmd::TfHmd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    ePopis = rows().addRow(QStringLiteral("Popis:"), 80, 50);
    eMenosub = rows().addRow(QStringLiteral("Meno súboru:"), 40);
    eSubject = rows().addRow(QStringLiteral("Subject mailu:"), 60, 50);
    finishLayout();
    bind(ePopis, QStringLiteral("POPIS"));
    bind(eMenosub, QStringLiteral("MENOSUB"));
    bind(eSubject, QStringLiteral("SUBJECT"));
    checkedFields = {ePopis, eMenosub, eSubject};
    DefineList();
}

TableSchema TfHmd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"POPIS", 'A', 80}, {"MENOSUB", 'A', 40}, {"SUBJECT", 'A', 60}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Popis", {"POPIS"}, true),
                 IndexDef::Secondary("Menosub", {"MENOSUB"}, true),
                 IndexDef::Secondary("Subject", {"SUBJECT"}, true)};
    return s;
}

void TfHmd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = list.printFields = {"KOD", "POPIS", "MENOSUB", "SUBJECT"};
    list.orderTitles = {"Kód", "Popis", "Meno súboru", "Subject mailu"};
    list.printTitles = {"Kód", "Popis", "Meno súboru", "Subject"};
    list.listTitle = QStringLiteral("Zoznam hromadných mailov");
    list.printHeading = {list.listTitle};
    list.finish();
}

bool TfHmd::checkField(QWidget* control) {
    const std::pair<QLineEdit*, const char*> required[] = {
        {ePopis, "Pole Popis nesmie byť prázdne!"},
        {eMenosub, "Pole Menosub nesmie byť prázdne!"},
        {eSubject, "Pole Subject nesmie byť prázdne!"}};
    for (const auto& [edit, message] : required) {
        if (control == edit && trimmedText(edit).isEmpty()) {
            complain(QString::fromUtf8(message));
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
