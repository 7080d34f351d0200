#include "vouchers/zmluvad.h"

#include "core/values.h"
#include "framework/tfbrowse.h"

#include <QLineEdit>

namespace vidoraw {

TfZmluvad::TfZmluvad(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eKodpoi = rows().newEdit(4, 6);
    eNazovPoi = rows().newEdit(40, 24);
    FormRows::makeDisplayOnly(eNazovPoi);
    rows().addPairRow(QStringLiteral("Kód poisťovne:"), eKodpoi, QStringLiteral("Názov"), eNazovPoi);
    ePlatnost = rows().addRow(QStringLiteral("Platnosť od:"), 10, 12);
    eIcopoi = rows().addRow(QStringLiteral("IČO poisťovne:"), 10, 12);
    FormRows::makeDisplayOnly(eIcopoi);
    eCiszml = rows().addRow(QStringLiteral("Číslo zmluvy:"), 25);
    finishLayout();

    bind(eKodpoi, QStringLiteral("KODPOI"));
    bind(ePlatnost, QStringLiteral("PLATNOST"));
    bind(eIcopoi, QStringLiteral("ICOPOI"));
    bind(eCiszml, QStringLiteral("CISZML"));
    checkedFields = {eKodpoi, ePlatnost, eCiszml};
    onPickKeys(eKodpoi, [this] {
        if (LookupOrPick(this->app(), module::kPoist, "CPOI", "NAZOV", PickMode::Pick, eNazovPoi,
                         eKodpoi))
            copyInsurerIco();
    });
    DefineList();
}

TableSchema TfZmluvad::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},
                {"KODPOI", 'A', 4},
                {"PLATNOST", 'D', 0},
                {"ICOPOI", 'A', 10},
                {"CISZML", 'A', 25}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Kodpoi", {"KODPOI"}, true),
                 IndexDef::Secondary("Platnost", {"PLATNOST"}, true),
                 IndexDef::Secondary("Icopoi", {"ICOPOI"}, true),
                 IndexDef::Secondary("Ciszml", {"CISZML"}, true)};
    return s;
}

void TfZmluvad::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "KODPOI", "PLATNOST", "ICOPOI", "CISZML"};
    list.orderTitles = {"Kód", "Kód poisťovne", "Platnosť", "IČO poisťovne", "Číslo zmluvy"};
    list.printFields = {"KOD", "KODPOI", "PLATNOST", "ICOPOI", "CISZML"};
    list.printTitles = {"Kód", "Kód poi.", "Platnosť", "IČO poi.", "Číslo zmluvy"};
    list.listTitle = QStringLiteral("Zoznam zmlúv");
    list.printHeading = {list.listTitle};
    list.finish();
}

int TfZmluvad::AddRecord() {
    eNazovPoi->clear();
    return TfDbForm::AddRecord();
}

void TfZmluvad::LoadFields() {
    TfDbForm::LoadFields();
    QString name;
    const QString code = eKodpoi->text().trimmed();
    if (!code.isEmpty())
        LookupField(app(), module::kPoist, QStringLiteral("CPOI"), {code}, QStringLiteral("NAZOV"), name);
    eNazovPoi->setText(name);
}

void TfZmluvad::copyInsurerIco() {
    QString ico;
    LookupField(app(), module::kPoist, QStringLiteral("CPOI"), {eKodpoi->text().trimmed()},
                QStringLiteral("ICO"), ico);
    eIcopoi->setText(ico);
}

bool TfZmluvad::checkField(QWidget* control) {
    if (control == eKodpoi) {
        trimmedText(eKodpoi);
        if (!LookupOrPick(app(), module::kPoist, "CPOI", "NAZOV", PickMode::LookUp, eNazovPoi, eKodpoi)) {
            eNazovPoi->clear();
            return false;
        }
        copyInsurerIco();
    } else if (control == ePlatnost) {
        const QString text = TrimSpaces(NormalizeDateSeparators(ePlatnost->text()));
        if (text != ePlatnost->text())
            ePlatnost->setText(text);
        double days = 0;
        if (!ParseDate(text, days)) {
            complain(QStringLiteral("Nesprávny dátum !"));
            return false;
        }
    } else if (control == eCiszml) {
        if (trimmedText(eCiszml).isEmpty()) {
            complain(QStringLiteral("Čislo zmluvy nesmie byť prázdne!"));
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
