#include "invoicing/kodbd.h"

#include "framework/radiogroup.h"
#include "framework/tfbrowse.h"

#include <QLineEdit>

namespace vidoraw {

TfKodbd::TfKodbd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eKodb = rows().addRow(QStringLiteral("Kód banky :"), 4, 5);
    eNazov = rows().addRow(QStringLiteral("Názov :"), 30);
    eSkratkas = rows().newEdit(3, 4);
    eStat = rows().newEdit(0, 24);
    FormRows::makeDisplayOnly(eStat);
    rows().addPairRow(QStringLiteral("Štát :"), eSkratkas, QString(), eStat);
    eSwift = rows().addRow(QStringLiteral("SWIFT :"), 10, 12);
    eFormat = rows().addRow(QStringLiteral("Formát čísla účtu :"), 30);
    rgKontrola = new RadioGroup(QStringLiteral(" Kontrola "),
                                {QStringLiteral("Modulo 11"), QStringLiteral("Modulo 8"),
                                 QStringLiteral("Bez kontroly")},
                                {}, this);
    // Stored as the item's index; anything else shows as the first item.
    rgKontrola->fallbackIndex = 0;
    rows().addWide(rgKontrola);
    finishLayout();

    bind(eKodb, QStringLiteral("KODB"));
    bind(eNazov, QStringLiteral("NAZOV"));
    bind(eSkratkas, QStringLiteral("SKRATKAS"));
    bind(eSwift, QStringLiteral("SWIFT"));
    bind(eFormat, QStringLiteral("FORMAT"));
    bind(rgKontrola, QStringLiteral("KONTROLA"));
    checkedFields = {eKodb, eNazov};
    onPickKeys(eSkratkas, [this] {
        LookupOrPick(this->app(), module::kStat, "SKRATKA", "NAZOV", PickMode::Pick, eStat,
                     eSkratkas);
    });
    DefineList();
}

TableSchema TfKodbd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},      {"KODB", 'A', 4},    {"NAZOV", 'A', 30},
                {"SKRATKAS", 'A', 3}, {"SWIFT", 'A', 10},  {"FORMAT", 'A', 30},
                {"KONTROLA", 'A', 1}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}, true),
                 IndexDef::Secondary("Kodb", {"KODB"}, true)};
    s.initialRows = {QStringLiteral("1|4900|ISTROBANKA"),   QStringLiteral("2|0200|VÚB"),
                     QStringLiteral("3|6500|Poštová banka"), QStringLiteral("4|0900|Slovenská Sporiteľňa"),
                     QStringLiteral("5|5200|OTP"),          QStringLiteral("6|1200|Unibanka"),
                     QStringLiteral("7|5600|PKB"),          QStringLiteral("8|0000|Neznáma banka"),
                     QStringLiteral("9|7500|ČSOB"),         QStringLiteral("10|1100|Tatrabanka"),
                     QStringLiteral("11|8120|Banka Slovakia")};
    return s;
}

void TfKodbd::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "KODB", "NAZOV"}, {"Kód", "Kód banky", "Názov banky"},
                      QStringLiteral("Zoznam kódov bánk"));
}

int TfKodbd::AddRecord() {
    eStat->clear();
    return TfDbForm::AddRecord();
}

void TfKodbd::LoadFields() {
    TfDbForm::LoadFields();
    showStateName();
}

void TfKodbd::showStateName() {
    QString name;
    const QString abbreviation = eSkratkas->text().trimmed();
    if (!abbreviation.isEmpty())
        LookupField(app(), module::kStat, QStringLiteral("SKRATKA"), {abbreviation},
                    QStringLiteral("NAZOV"), name);
    eStat->setText(name);
}

bool TfKodbd::checkField(QWidget* control) {
    if (control == eKodb) {
        const QString code = eKodb->text().trimmed().toUpper();
        if (code != eKodb->text())
            eKodb->setText(code);
        if (code.isEmpty()) {
            complain(QStringLiteral("Kód banky nesmie byť prázdny!"));
            return false;
        }
        if (isDuplicate(QStringLiteral("KODB"), code)) {
            complain(QStringLiteral("Duplicitný kód banky!"));
            return false;
        }
    } else if (control == eNazov) {
        if (trimmedText(eNazov).isEmpty()) {
            complain(QStringLiteral("Názov banky nesmie byť prázdny!"));
            return false;
        }
    }
    return true;
}

bool TfKodbd::checkOnLeave(QWidget* control) {
    // The state is looked up when left, never checked on OK; an empty one needs no look-up.
    if (control == eSkratkas && recordMode != ModeView) {
        if (trimmedText(eSkratkas).isEmpty()) {
            eStat->clear();
            return true;
        }
        return LookupOrPick(app(), module::kStat, "SKRATKA", "NAZOV", PickMode::LookUp, eStat,
                            eSkratkas);
    }
    return TfDbForm::checkOnLeave(control);
}

} // namespace vidoraw
