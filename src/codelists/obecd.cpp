#include "codelists/obecd.h"

#include "core/interaction.h"
#include "core/values.h"
#include "framework/tfbrowse.h"

#include <QLineEdit>

namespace vidoraw {

QString MunicipalityKey(const QString& name, const QString& postalCode) {
    return PadRight(name, 35) + postalCode;
}

TfObecd::TfObecd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eNazov = rows().addRow(QStringLiteral("Názov :"), 35);
    ePsc = rows().newEdit(5, 6);
    ePosta = rows().newEdit(35, 18);
    FormRows::makeDisplayOnly(ePosta);
    rows().addPairRow(QStringLiteral("PSČ :"), ePsc, QStringLiteral("Pošta"), ePosta);
    eOkres = rows().addRow(QStringLiteral("Okres :"), 30);
    finishLayout();

    bind(eNazov, QStringLiteral("NAZOV"));
    bind(ePsc, QStringLiteral("PSC"));
    bind(eOkres, QStringLiteral("OKRES"));
    checkedFields = {eNazov, ePsc, eOkres};
    refocusOnFailedLeave = true;
    onPickKeys(ePsc, [this] {
        LookupOrPick(this->app(), module::kPsc, "PSC", "POSTA", PickMode::Pick, ePosta, ePsc);
    });
    onPickKeys(eOkres, [this] {
        LookupOrPick(this->app(), module::kOkres, "OKRES", "OKRES", PickMode::Pick, eOkres, eOkres);
    });

    table_.addCalcField({QStringLiteral("Posta"), 'A', 35});
    table_.setCalcHandler([this](Table& t) {
        QString posta;
        const QString psc = t.field(QStringLiteral("PSC")).asString();
        if (!psc.isEmpty())
            LookupField(this->app(), module::kPsc, QStringLiteral("PSC"), {psc},
                        QStringLiteral("POSTA"), posta);
        t.field(QStringLiteral("Posta")).setValue(posta);
    });
    DefineList();
}

TableSchema TfObecd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},
            {"NAZOV", 'A', 35},
            {"PSC", 'A', 5},
            {"OKRES", 'A', 30},
            {"NAZOVPSC", 'A', 40}};
    s.indexes = {IndexDef::Primary({"KOD"}),
            IndexDef::Secondary("NAZOV", {"NAZOV"}),
            IndexDef::Secondary("PSC", {"PSC"}),
            IndexDef::Secondary("Okres", {"OKRES"}),
            IndexDef::Secondary("NAZOVPSC", {"NAZOVPSC"}),
            IndexDef::Secondary("NAZOVAPSC", {"NAZOV", "PSC"})};
    return s;
}

void TfObecd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"NAZOV", "PSC", "KOD", "NAZOV;PSC", "OKRES"};
    list.orderTitles = {"Obec", "PSČ", "Kód", "Názov obce a PSČ", "Okres"};
    list.searchLabels = {"Obec:", "PSČ:", "Kód:", "Názov obce:;PSČ:", "Okres:"};
    list.printFields = {"KOD", "NAZOV", "PSC", "POSTA", "OKRES"};
    list.printTitles = {"Kód", "Názov", "PSČ", "Pošta", "Okres"};
    list.listTitle = QStringLiteral("Zoznam obcí");
    list.printHeading = {list.listTitle};
    list.finish();
}

int TfObecd::AddRecord() {
    ePosta->clear();
    return TfDbForm::AddRecord();
}

void TfObecd::LoadFields() {
    TfDbForm::LoadFields();
    QString posta;
    const QString psc = ePsc->text().trimmed();
    if (!psc.isEmpty())
        LookupField(app(), module::kPsc, QStringLiteral("PSC"), {psc}, QStringLiteral("POSTA"), posta);
    ePosta->setText(posta);
}

void TfObecd::StoreFields() {
    TfDbForm::StoreFields();
    table_.field(QStringLiteral("NAZOVPSC"))
        .setAsString(MunicipalityKey(eNazov->text().trimmed(), ePsc->text().trimmed()));
}

bool TfObecd::checkField(QWidget* control) {
    if (control == eNazov) {
        if (trimmedText(eNazov).isEmpty()) {
            complain(QStringLiteral("Názov obce nesmie byť prázdny."));
            return false;
        }
    } else if (control == ePsc) {
        trimmedText(ePsc);
        if (!LookupOrPick(app(), module::kPsc, "PSC", "POSTA", PickMode::LookUp, ePosta, ePsc)) {
            ePosta->clear();
            return false;
        }
    } else if (control == eOkres) {
        trimmedText(eOkres);
        if (!LookupOrPick(app(), module::kOkres, "OKRES", "OKRES", PickMode::LookUp, eOkres, eOkres))
            return false;
    }
    return true;
}

bool TfObecd::CheckFields() {
    if (!TfDbForm::CheckFields())
        return false;
    if (isDuplicate(QStringLiteral("NAZOVPSC"),
                    MunicipalityKey(eNazov->text().trimmed(), ePsc->text().trimmed()))) {
        complain(QStringLiteral("Duplicitná dvojica Obec a PSČ!"));
        failField(eNazov);
        return false;
    }
    return true;
}

} // namespace vidoraw
