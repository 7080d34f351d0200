#include "users/uzivd.h"

#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "framework/tfbrowse.h"

#include <QLineEdit>

namespace vidoraw {

TfUzivd::TfUzivd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eTitul = rows().addRow(QStringLiteral("Titul:"), 10, 12);
    eMeno = rows().addRow(QStringLiteral("Meno:"), 15, 16);
    ePriezvisk = rows().addRow(QStringLiteral("Priezvisko:"), 20);
    eUzivatel = rows().addRow(QStringLiteral("Prihlasovacie meno (LOGIN):"), 20);
    eHeslo = rows().addRow(QStringLiteral("Heslo:"), 20);
    finishLayout();

    bind(eTitul, QStringLiteral("TITUL"));
    bind(eMeno, QStringLiteral("MENO"));
    bind(ePriezvisk, QStringLiteral("PRIEZVISK"));
    bind(eUzivatel, QStringLiteral("UZIVATEL"));
    bind(eHeslo, QStringLiteral("HESLO"));
    checkedFields = {eTitul, eUzivatel};
    onPickKeys(eTitul, [this] {
        LookupOrPick(this->app(), module::kTitul, QStringLiteral("NAZOV"), QStringLiteral("NAZOV"), PickMode::Pick,
                     eTitul, eTitul);
    });
    DefineList();
}

TableSchema TfUzivd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},   {"UZIVATEL", 'A', 20}, {"HESLO", 'A', 20},
                {"TITUL", 'A', 10}, {"MENO", 'A', 15},     {"PRIEZVISK", 'A', 20}};
    // The reindex rebuilds the same case-insensitive index, so "admin" stays a duplicate of
    // "Admin" after it as before.
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Uzivatel", {"UZIVATEL"}, true)};
    s.initialRows = {QStringLiteral("1|Admin|||Správca|Administrátor")};
    return s;
}

void TfUzivd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "UZIVATEL"};
    list.orderTitles = {"Kód", "Užívateľ"};
    list.printFields = {"KOD", "UZIVATEL", "HESLO"};
    list.printTitles = {"Kód", "Užívateľ", "Heslo"};
    list.listTitle = QStringLiteral("Zoznam užívateľov");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfUzivd::StoreFields() {
    TfDbForm::StoreFields();
    // A password is kept as typed: its spaces count.
    table_.field(QStringLiteral("HESLO")).setAsString(eHeslo->text());
}

bool TfUzivd::checkOnLeave(QWidget* control) {
    if (control == eUzivatel)
        return true;
    return TfDbForm::checkOnLeave(control);
}

bool TfUzivd::checkField(QWidget* control) {
    if (control == eTitul) {
        // The first user has no title, and a fresh title list is empty: no title is fine.
        if (trimmedText(eTitul).isEmpty())
            return true;
        return LookupOrPick(app(), module::kTitul, QStringLiteral("NAZOV"), QStringLiteral("NAZOV"), PickMode::LookUp,
                            eTitul, eTitul);
    }
    if (control == eUzivatel) {
        const QString login = trimmedText(eUzivatel);
        if (login.size() < 3) {
            complain(QStringLiteral("Meno užívateľa musí mať aspoň 3 znaky!"));
            return false;
        }
        QString code;
        if (LookupFieldIn(table_, QStringLiteral("UZIVATEL"), {login}, QStringLiteral("KOD"),
                          code) &&
            (recordMode == ModeAdd || code != eKod->text().trimmed())) {
            complain(QStringLiteral("Duplicita mena užívateľa!"));
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
