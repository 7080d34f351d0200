#include "codelists/osobad.h"

#include "framework/tfbrowse.h"

#include <QLineEdit>

namespace vidoraw {

TfOsobad::TfOsobad(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eTitul = rows().addRow(QStringLiteral("Titul:"), 10, 12);
    eMeno = rows().addRow(QStringLiteral("Meno:"), 12, 16);
    ePriezvisk = rows().addRow(QStringLiteral("Priezvisko:"), 16, 20);
    eFirma = rows().addRow(QStringLiteral("Firma:"), 40);
    eUlica = rows().newEdit(20);
    eCislo = rows().newEdit(10, 8);
    rows().addPairRow(QStringLiteral("Ulica:"), eUlica, QStringLiteral("Číslo:"), eCislo);
    ePsc = rows().addRow(QStringLiteral("PSČ:"), 5, 6);
    eDodposta = rows().addRow(QStringLiteral("Dodávacia pošta:"), 20);
    FormRows::makeDisplayOnly(eDodposta);
    eTelefon = rows().addRow(QStringLiteral("Telefón:"), 40);
    ePoznam1 = rows().addRow(QStringLiteral("Poznámky:"), 40);
    ePoznam2 = rows().addRow(QString(), 40);
    ePoznam3 = rows().addRow(QString(), 40);
    finishLayout();

    bind(eTitul, QStringLiteral("TITUL"));
    bind(eMeno, QStringLiteral("MENO"));
    bind(ePriezvisk, QStringLiteral("PRIEZVISK"));
    bind(eFirma, QStringLiteral("FIRMA"));
    bind(eUlica, QStringLiteral("ULICA"));
    bind(eCislo, QStringLiteral("CISLO"));
    bind(ePsc, QStringLiteral("PSC"));
    bind(eDodposta, QStringLiteral("DODPOSTA"));
    bind(eTelefon, QStringLiteral("TELEFON"));
    bind(ePoznam1, QStringLiteral("POZNAM1"));
    bind(ePoznam2, QStringLiteral("POZNAM2"));
    bind(ePoznam3, QStringLiteral("POZNAM3"));
    checkedFields = {eTitul, ePriezvisk, ePsc};
    onPickKeys(eTitul, [this] { LookupOrPick(this->app(), module::kTitul, "NAZOV", "NAZOV", PickMode::Pick, eTitul, eTitul); });
    onPickKeys(ePsc, [this] {
        LookupOrPick(this->app(), module::kPsc, "PSC", "POSTA", PickMode::Pick, eDodposta, ePsc);
    });
    DefineList();
}

TableSchema TfOsobad::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},        {"TITUL", 'A', 10},    {"MENO", 'A', 12},
            {"PRIEZVISK", 'A', 16}, {"FIRMA", 'A', 40},    {"ULICA", 'A', 20},
            {"DODPOSTA", 'A', 20},  {"PSC", 'A', 5},       {"TELEFON", 'A', 40},
            {"POZNAM1", 'A', 40},   {"POZNAM2", 'A', 40},  {"POZNAM3", 'A', 40},
            {"CISLO", 'A', 10}};
    // Case-insensitive, and a reindex keeps it so: orders never change under the user.
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Dodposta", {"DODPOSTA"}, true),
            IndexDef::Secondary("Firma", {"FIRMA"}, true),
            IndexDef::Secondary("Meno", {"MENO"}, true),
            IndexDef::Secondary("Priezvisk", {"PRIEZVISK"}, true)};
    return s;
}

void TfOsobad::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "MENO", "PRIEZVISK", "FIRMA", "DODPOSTA"};
    list.orderTitles = {"Kód", "Meno", "Priezvisko", "Firma", "Dodávacia pošta"};
    list.printFields = {"KOD", "MENO", "PRIEZVISK", "FIRMA"};
    list.printTitles = {"Kód", "Meno", "Priezvisko", "Firma"};
    list.listTitle = QStringLiteral("Zoznam osôb");
    list.printHeading = {list.listTitle};
    list.finish();
}

bool TfOsobad::checkField(QWidget* control) {
    if (control == eTitul) {
        // Most persons have no title; an empty one needs no look-up.
        if (trimmedText(eTitul).isEmpty())
            return true;
        return LookupOrPick(app(), module::kTitul, "NAZOV", "NAZOV", PickMode::LookUp, eTitul, eTitul);
    }
    if (control == ePriezvisk) {
        if (trimmedText(ePriezvisk).isEmpty()) {
            complain(QStringLiteral("Priezvisko nesmie byť prázdne!"));
            return false;
        }
        return true;
    }
    if (control == ePsc) {
        trimmedText(ePsc);
        if (!LookupOrPick(app(), module::kPsc, "PSC", "POSTA", PickMode::LookUp, eDodposta, ePsc)) {
            eDodposta->clear();
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
