#include "invoicing/menad.h"

#include <QLineEdit>

namespace vidoraw {

TfMenad::TfMenad(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eKodmeny = rows().addRow(QStringLiteral("Kód meny :"), 3, 5);
    eMena = rows().addRow(QStringLiteral("Názov :"), 30);
    finishLayout();
    bind(eKodmeny, QStringLiteral("KODMENY"));
    bind(eMena, QStringLiteral("MENA"));
    checkedFields = {eKodmeny, eMena};
    DefineList();
}

TableSchema TfMenad::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0}, {"KODMENY", 'A', 3}, {"MENA", 'A', 30}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("MENA", {"MENA"}),
                 IndexDef::Secondary("KODMENY", {"KODMENY"})};
    s.initialRows = {QStringLiteral("1|Sk|Slovenská koruna"), QStringLiteral("2|Čk|Česká koruna"),
                     QStringLiteral("3|USD|Americký dolár")};
    return s;
}

void TfMenad::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "KODMENY", "MENA"};
    list.orderTitles = {"Kód", "Kód meny", "Názov meny"};
    list.printFields = {"KOD", "KODMENY", "MENA"};
    list.printTitles = {"Kód", "Kód meny", "Mena"};
    list.listTitle = QStringLiteral("Zoznam peňažných mien");
    list.printHeading = {list.listTitle};
    list.finish();
}

bool TfMenad::checkField(QWidget* control) {
    if (control == eKodmeny) {
        const QString abbreviation = trimmedText(eKodmeny);
        if (abbreviation.isEmpty()) {
            complain(QStringLiteral("Skratka meny nesmie byť prázdna!"));
            return false;
        }
        if (isDuplicate(QStringLiteral("KODMENY"), abbreviation)) {
            complain(QStringLiteral("Duplicitná skratka meny!"));
            return false;
        }
    } else if (control == eMena) {
        if (isDuplicate(QStringLiteral("MENA"), trimmedText(eMena))) {
            complain(QStringLiteral("Duplicitný názov peňažnej meny!"));
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
