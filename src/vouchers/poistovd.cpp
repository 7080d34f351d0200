#include "vouchers/poistovd.h"

#include "core/interaction.h"
#include "core/values.h"
#include "framework/tfbrowse.h"

#include <QLineEdit>

namespace vidoraw {

TfPoistovd::TfPoistovd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eCpoi = rows().addRow(QStringLiteral("Číslo poisťovne:"), 4, 6);
    eNazov = rows().addRow(QStringLiteral("Názov:"), 40);
    eIco = rows().addRow(QStringLiteral("IČO:"), 8, 10);
    eDic = rows().addRow(QStringLiteral("DIČ:"), 20, 16);
    eIcdph = rows().addRow(QStringLiteral("IČ DPH:"), 20, 16);
    eUlica = rows().newEdit(25);
    eCislo = rows().newEdit(10, 8);
    rows().addPairRow(QStringLiteral("Ulica:"), eUlica, QStringLiteral("Číslo:"), eCislo);
    eObec = rows().addRow(QStringLiteral("Obec:"), 35);
    ePsc = rows().newEdit(5, 6);
    eDodposta = rows().newEdit(30, 20);
    FormRows::makeDisplayOnly(eDodposta);
    rows().addPairRow(QStringLiteral("PSČ:"), ePsc, QStringLiteral("Pošta"), eDodposta);
    eStat = rows().addRow(QStringLiteral("Štát:"), 30);
    eTelefon = rows().addRow(QStringLiteral("Telefón:"), 30);
    eFax = rows().addRow(QStringLiteral("Fax:"), 30);
    eMobil = rows().addRow(QStringLiteral("Mobil:"), 30);
    eMail = rows().addRow(QStringLiteral("E-mail:"), 30);
    eOdpopoi = rows().addRow(QStringLiteral("Odpovedajúca poisťovňa:"), 2, 4);
    finishLayout();

    bind(eCpoi, QStringLiteral("CPOI"));
    bind(eNazov, QStringLiteral("NAZOV"));
    bind(eIco, QStringLiteral("ICO"));
    bind(eDic, QStringLiteral("DIC"));
    bind(eIcdph, QStringLiteral("ICDPH"));
    bind(eUlica, QStringLiteral("ULICA"));
    bind(eCislo, QStringLiteral("CISLO"));
    bind(eObec, QStringLiteral("OBEC"));
    bind(ePsc, QStringLiteral("PSC"));
    bind(eDodposta, QStringLiteral("DODPOSTA"));
    bind(eStat, QStringLiteral("STAT"));
    bind(eTelefon, QStringLiteral("TELEFON"));
    bind(eFax, QStringLiteral("FAX"));
    bind(eMobil, QStringLiteral("MOBIL"));
    bind(eMail, QStringLiteral("MAIL"));
    bind(eOdpopoi, QStringLiteral("ODPOPOI"));
    checkedFields = {eCpoi, eIco, eDic, ePsc, eStat, eOdpopoi};
    onPickKeys(ePsc, [this] {
        LookupOrPick(this->app(), module::kPsc, "PSC", "POSTA", PickMode::Pick, eDodposta, ePsc);
    });
    onPickKeys(eStat, [this] {
        LookupOrPick(this->app(), module::kStat, "NAZOV", "NAZOV", PickMode::Pick, eStat, eStat);
    });
    connect(eIco, &QLineEdit::textChanged, this, [this] { emptyIcoAccepted_ = false; });
    DefineList();
}

TableSchema TfPoistovd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},       {"CPOI", 'A', 4},     {"ICO", 'A', 8},
                {"ULICA", 'A', 25},    {"CISLO", 'A', 10},   {"OBEC", 'A', 35},
                {"DODPOSTA", 'A', 30}, {"PSC", 'A', 5},      {"STAT", 'A', 30},
                {"TELEFON", 'A', 30},  {"FAX", 'A', 30},     {"MOBIL", 'A', 30},
                {"MAIL", 'A', 30},     {"ODPOPOI", 'A', 2},  {"NAZOV", 'A', 40},
                {"DIC", 'A', 20},      {"ICDPH", 'A', 20}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}, true),
                 IndexDef::Secondary("Ico", {"ICO"}, true),
                 IndexDef::Secondary("Cpoi", {"CPOI"}, true)};
    return s;
}

void TfPoistovd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "NAZOV", "ICO", "CPOI"};
    list.orderTitles = {"Kód", "Názov", "IČO", "Číslo poi."};
    list.printFields = {"KOD", "CPOI", "NAZOV"};
    list.printTitles = {"Kód", "Číslo poi.", "Názov"};
    list.listTitle = QStringLiteral("Zoznam poisťovní");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfPoistovd::showEvent(QShowEvent* event) {
    emptyIcoAccepted_ = false;
    TfDbForm::showEvent(event);
}

bool TfPoistovd::checkField(QWidget* control) {
    if (control == eCpoi) {
        const QString code = eCpoi->text().trimmed().toUpper();
        if (code != eCpoi->text())
            eCpoi->setText(code);
        if (code.isEmpty()) {
            complain(QStringLiteral("Kód poisťovne nesmie byť prázdny!"));
            return false;
        }
        if (!IsDigitsOnly(code)) {
            complain(QStringLiteral("Kód poisťovne môže obsahovať znaky 0-9 !"));
            return false;
        }
        if (code.size() != 2 && code.size() != 4) {
            complain(QStringLiteral("Kód poisťovne môže byť dvojmiestny alebo štvormiestny !"));
            return false;
        }
        if (isDuplicate(QStringLiteral("CPOI"), code)) {
            complain(QStringLiteral("Duplicitný kód poisťovne!"));
            return false;
        }
    } else if (control == eIco) {
        const QString ico = trimmedText(eIco);
        if (ico.isEmpty()) {
            if (!emptyIcoAccepted_)
                emptyIcoAccepted_ =
                    AskConfirm(QStringLiteral("IČO by nemalo byť prázdne, mám aj napriek tomu "
                                              "pokračovať?"),
                               this) == 1;
            return emptyIcoAccepted_;
        }
        if (!IsDigitsOnly(ico)) {
            complain(QStringLiteral("IČO môže obsahovať iba znaky 0-9!"));
            return false;
        }
    } else if (control == eDic) {
        if (!IsDigitsOnly(trimmedText(eDic))) {
            complain(QStringLiteral("DIČO môže obsahovať iba znaky 0-9!"));
            return false;
        }
    } else if (control == ePsc) {
        if (trimmedText(ePsc).isEmpty()) {
            eDodposta->clear();
            return true;
        }
        if (!LookupOrPick(app(), module::kPsc, "PSC", "POSTA", PickMode::LookUp, eDodposta, ePsc)) {
            eDodposta->clear();
            return false;
        }
    } else if (control == eStat) {
        trimmedText(eStat);
        return LookupOrPick(app(), module::kStat, "NAZOV", "NAZOV", PickMode::LookUp, eStat, eStat);
    } else if (control == eOdpopoi) {
        const QString code = eOdpopoi->text().trimmed().toUpper();
        if (code != eOdpopoi->text())
            eOdpopoi->setText(code);
        if (code.isEmpty())
            return true;
        if (!IsDigitsOnly(code)) {
            complain(QStringLiteral("Odpovedajúci kód poisťovne môže obsahovať znaky 0-9 !"));
            return false;
        }
        if (code.size() != 2) {
            complain(QStringLiteral("Odpovedajúci kód poisťovne môže byť dvojmiestny !"));
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
