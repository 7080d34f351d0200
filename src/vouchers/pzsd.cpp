#include "vouchers/pzsd.h"

#include <QLineEdit>

namespace vidoraw {

TfPzsd::TfPzsd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eIco = rows().addRow(QStringLiteral("IČO:"), 15, 16);
    eNazov = rows().addRow(QStringLiteral("Názov:"), 80, 50);
    ePsc = rows().addRow(QStringLiteral("PSČ:"), 8, 9);
    eMesto = rows().addRow(QStringLiteral("Mesto:"), 40);
    eNovy = rows().addRow(QStringLiteral("Nový kód:"), 15, 16);
    eStary = rows().addRow(QStringLiteral("Starý kód:"), 16, 17);
    ePozn1 = rows().addRow(QStringLiteral("Poznámka 1:"), 14, 15);
    ePozn2 = rows().addRow(QStringLiteral("Poznámka 2:"), 2, 4);
    finishLayout();
    bind(eIco, QStringLiteral("ICO"));
    bind(eNazov, QStringLiteral("NAZOV"));
    bind(ePsc, QStringLiteral("PSC"));
    bind(eMesto, QStringLiteral("MESTO"));
    bind(eNovy, QStringLiteral("NOVY"));
    bind(eStary, QStringLiteral("STARY"));
    bind(ePozn1, QStringLiteral("POZN1"));
    bind(ePozn2, QStringLiteral("POZN2"));
    filtersAllowed = true;
    DefineList();
}

TableSchema TfPzsd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},    {"ICO", 'A', 15},   {"NAZOV", 'A', 80},
                {"PSC", 'A', 8},    {"MESTO", 'A', 40}, {"NOVY", 'A', 15},
                {"STARY", 'A', 16}, {"POZN1", 'A', 14}, {"POZN2", 'A', 2}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Ico", {"ICO"}, true),
                 IndexDef::Secondary("Stary", {"STARY"}, true),
                 IndexDef::Secondary("Novy", {"NOVY"}, true),
                 IndexDef::Secondary("Nazov", {"NAZOV"}, true)};
    return s;
}

void TfPzsd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "ICO", "STARY", "NOVY", "NAZOV"};
    list.orderTitles = {"Kód", "IČO", "Starý kód", "Nový kód", "Názov"};
    list.printFields = {"KOD", "ICO", "NAZOV", "STARY", "NOVY"};
    list.printTitles = {"Kód", "IČO", "Názov", "Starý kód", "Nová kód"};
    list.listTitle = QStringLiteral("Zoznam poskytovateľov");
    list.printHeading = {list.listTitle};
    list.finish();
}

} // namespace vidoraw
