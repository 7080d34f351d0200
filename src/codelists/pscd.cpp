#include "codelists/pscd.h"

#include <QLineEdit>

namespace vidoraw {

TfPscd::TfPscd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód"));
    ePsc = rows().addRow(QStringLiteral("PSČ"), 5, 6);
    ePosta = rows().addRow(QStringLiteral("Pošta"), 35);
    finishLayout();
    bind(ePsc, QStringLiteral("PSC"));
    bind(ePosta, QStringLiteral("POSTA"));
    checkedFields = {ePsc, ePosta};
    DefineList();
}

TableSchema TfPscd::Schema() {
    TableSchema s;
    // The table has always been created with these spellings of its field names.
    s.fields = {{"Psc", 'A', 5}, {"Posta", 'A', 35}, {"Kod", 'F', 0}};
    s.indexes = {IndexDef::Primary({"Psc"}), IndexDef::Secondary("Kod", {"Kod"}),
            IndexDef::Secondary("Posta", {"Posta"})};
    return s;
}

void TfPscd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"PSC", "POSTA", "KOD"};
    list.orderTitles = {"PSČ", "Pošta", "Kód"};
    list.printFields = {"KOD", "PSC", "POSTA"};
    list.printTitles = {"Kód", "PSČ", "Pošta"};
    list.listTitle = QStringLiteral("Zoznam dodávacích pôšt");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfPscd::focusFirstField() { focusField(recordMode == ModeAdd ? ePsc : ePosta); }

bool TfPscd::checkField(QWidget* control) {
    if (control == ePsc) {
        const QString psc = trimmedText(ePsc);
        if (psc.size() != 5) {
            complain(QStringLiteral("Poštové smerovacie číslo musí mať 5 číslic!"));
            return false;
        }
        for (QChar c : psc) {
            if (c < u'0' || c > u'9') {
                complain(QStringLiteral(
                    "Poštové smerovacie číslo musí byť tvorené číslicami, t.j. znakmi 0-9 !"));
                return false;
            }
        }
        if (isDuplicate(QStringLiteral("PSC"), psc)) {
            complain(QStringLiteral("Duplicitné poštové smerovacie číslo!"));
            return false;
        }
    } else if (control == ePosta) {
        if (trimmedText(ePosta).isEmpty()) {
            complain(QStringLiteral("Pošta nesmie byť prázdna!"));
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
