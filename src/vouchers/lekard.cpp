#include "vouchers/lekard.h"

#include "framework/tfbrowse.h"

#include <QLineEdit>

namespace vidoraw {

TfLekard::TfLekard(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eMeno = rows().addRow(QStringLiteral("Meno:"), 20);
    ePriezvisk = rows().addRow(QStringLiteral("Priezvisko:"), 30);
    eNazov = rows().addRow(QStringLiteral("Názov ambulancie:"), 30);
    eKodpoi = rows().newEdit(4, 6);
    eNazovPoi = rows().newEdit(40, 24);
    FormRows::makeDisplayOnly(eNazovPoi);
    rows().addPairRow(QStringLiteral("Kód poisťovne:"), eKodpoi, QStringLiteral("Názov"), eNazovPoi);
    eKodp = rows().newEdit(0, 13);
    // Unfilled positions read back as nothing, so the digits tell how much was typed.
    eKodp->setInputMask(QStringLiteral("0000-00-000;_"));
    rows().addRow(QStringLiteral("Starý kód lekára:"), eKodp);
    eKodnew = rows().addRow(QStringLiteral("Nový kód lekára:"), 9, 11);
    eKodpzsnew = rows().addRow(QStringLiteral("Kód PZS lekára:"), 12, 14);
    eUlica = rows().newEdit(30, 24);
    eCislo = rows().newEdit(10, 8);
    rows().addPairRow(QStringLiteral("Ulica:"), eUlica, QStringLiteral("Číslo:"), eCislo);
    eObec = rows().addRow(QStringLiteral("Obec:"), 30);
    ePsc = rows().newEdit(5, 6);
    eDodposta = rows().newEdit(30, 20);
    FormRows::makeDisplayOnly(eDodposta);
    rows().addPairRow(QStringLiteral("PSČ:"), ePsc, QStringLiteral("Pošta"), eDodposta);
    eStat = rows().addRow(QStringLiteral("Štát:"), 30);
    finishLayout();

    bind(eMeno, QStringLiteral("MENO"));
    bind(ePriezvisk, QStringLiteral("PRIEZVISK"));
    bind(eNazov, QStringLiteral("NAZOV"));
    bind(eKodpoi, QStringLiteral("KODPOI"));
    bind(eKodp, QStringLiteral("KODP"));
    bind(eKodnew, QStringLiteral("KODNEW"));
    bind(eKodpzsnew, QStringLiteral("KODPZSNEW"));
    bind(eUlica, QStringLiteral("ULICA"));
    bind(eCislo, QStringLiteral("CISLO"));
    bind(eObec, QStringLiteral("OBEC"));
    bind(ePsc, QStringLiteral("PSC"));
    bind(eDodposta, QStringLiteral("DODPOSTA"));
    bind(eStat, QStringLiteral("STAT"));
    checkedFields = {eKodpoi, eKodp, eKodnew, eKodpzsnew, ePsc, eStat};
    onPickKeys(eKodpoi, [this] {
        LookupOrPick(this->app(), module::kPoist, "CPOI", "NAZOV", PickMode::Pick, eNazovPoi, eKodpoi);
    });
    onPickKeys(ePsc, [this] {
        LookupOrPick(this->app(), module::kPsc, "PSC", "POSTA", PickMode::Pick, eDodposta, ePsc);
    });
    onPickKeys(eStat, [this] {
        LookupOrPick(this->app(), module::kStat, "NAZOV", "NAZOV", PickMode::Pick, eStat, eStat);
    });
    DefineList();
}

TableSchema TfLekard::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},        {"MENO", 'A', 20},      {"PRIEZVISK", 'A', 30},
                {"KODP", 'A', 11},      {"KODPOI", 'A', 4},     {"NAZOV", 'A', 30},
                {"OBEC", 'A', 30},      {"ULICA", 'A', 30},     {"CISLO", 'A', 10},
                {"PSC", 'A', 5},        {"DODPOSTA", 'A', 30},  {"STAT", 'A', 30},
                {"KODNEW", 'A', 9},     {"KODPZSNEW", 'A', 12}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Priezvisk", {"PRIEZVISK"}, true),
                 IndexDef::Secondary("Kodp", {"KODP"}, true),
                 IndexDef::Secondary("Kodnew", {"KODNEW"}, true),
                 IndexDef::Secondary("Kodpzsnew", {"KODPZSNEW"}, true)};
    return s;
}

void TfLekard::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "KODNEW", "KODPZSNEW", "KODP", "PRIEZVISK"};
    list.orderTitles = {"Kód", "Nový kód lekára", "Kód PZS lekára", "Starý kód lekára",
                        "Priezvisko lekára"};
    list.printFields = {"KOD", "MENO", "PRIEZVISK", "NAZOV", "KODNEW", "KODPZSNEW", "KODP"};
    list.printTitles = {"Kód", "Meno", "Priezvisk", "Názov ambulancie", "Nový kód", "Kód PZS",
                        "Starý kód"};
    list.listTitle = QStringLiteral("Zoznam lekárov");
    list.printHeading = {list.listTitle};
    list.finish();
}

int TfLekard::AddRecord() {
    eNazovPoi->clear();
    return TfDbForm::AddRecord();
}

void TfLekard::LoadFields() {
    TfDbForm::LoadFields();
    QString name;
    const QString code = eKodpoi->text().trimmed();
    if (!code.isEmpty())
        LookupField(app(), module::kPoist, QStringLiteral("CPOI"), {code}, QStringLiteral("NAZOV"), name);
    eNazovPoi->setText(name);
}

void TfLekard::StoreFields() {
    TfDbForm::StoreFields();
    // An old code nobody typed stays empty, not a lone pair of dashes.
    table_.field(QStringLiteral("KODP"))
        .setAsString(oldCodeDigits().isEmpty() ? QString() : eKodp->displayText());
}

QString TfLekard::oldCodeDigits() const {
    QString digits;
    for (QChar c : eKodp->text())
        if (c >= u'0' && c <= u'9')
            digits += c;
    return digits;
}

bool TfLekard::checkField(QWidget* control) {
    if (control == eKodpoi) {
        trimmedText(eKodpoi);
        if (!LookupOrPick(app(), module::kPoist, "CPOI", "NAZOV", PickMode::LookUp, eNazovPoi, eKodpoi)) {
            eNazovPoi->clear();
            return false;
        }
    } else if (control == eKodp) {
        // Later batch files do not use the old code: it may stay empty, but what was typed
        // must be whole.
        const int typed = int(oldCodeDigits().size());
        if (typed != 0 && typed != 9) {
            complain(QStringLiteral("Starý kód lekára musí byť vyplnený úplne!"));
            return false;
        }
    } else if (control == eKodnew) {
        if (trimmedText(eKodnew).size() != 9) {
            complain(QStringLiteral("Nový kód lekára musí byť vyplnený úplne!"));
            return false;
        }
    } else if (control == eKodpzsnew) {
        if (trimmedText(eKodpzsnew).size() != 12) {
            complain(QStringLiteral("Kód PZS lekára musí byť vyplnený úplne!"));
            return false;
        }
    } else if (control == ePsc) {
        // An empty postal code leaves the post office as it was.
        if (trimmedText(ePsc).isEmpty())
            return true;
        if (!LookupOrPick(app(), module::kPsc, "PSC", "POSTA", PickMode::LookUp, eDodposta, ePsc)) {
            eDodposta->clear();
            return false;
        }
    } else if (control == eStat) {
        trimmedText(eStat);
        return LookupOrPick(app(), module::kStat, "NAZOV", "NAZOV", PickMode::LookUp, eStat, eStat);
    }
    return true;
}

} // namespace vidoraw
