#include "codelists/prihesfd.h"

#include "codelists/keywords.h"
#include "core/interaction.h"
#include "core/values.h"

#include <QLineEdit>

namespace vidoraw {

TfPrihesfd::TfPrihesfd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eKodf = rows().addRow(QStringLiteral("Kód firmy:"), 10);
    eKodh = rows().addRow(QStringLiteral("Kód hesla:"), 10);
    finishLayout();
    bind(eKodf, QStringLiteral("KODF"));
    bind(eKodh, QStringLiteral("KODH"));

    table_.addCalcField({QStringLiteral("FIRMA"), 'A', 60});
    table_.addCalcField({QStringLiteral("HESLO"), 'A', 40});
    DefineList();
}

void TfPrihesfd::showNames(bool on) {
    // A new handler also drops the rows read so far, so no names outlive the list.
    if (on)
        table_.setCalcHandler([this](Table& t) { fillNames(t); });
    else
        table_.setCalcHandler({});
}

void TfPrihesfd::fillNames(Table& t) {
    const QString company = t.field(QStringLiteral("KODF")).asString();
    const QString keyword = t.field(QStringLiteral("KODH")).asString();
    QStringList f;
    LookupFields(app(), module::kFirma, QStringLiteral("KOD"), {company},
                 {"NAZOV", "ICO", "TITUL", "MENO", "PRIEZVISK"}, f);
    while (f.size() < 5)
        f << QString();
    QString name;
    LookupField(app(), module::kHesla, QStringLiteral("KOD"), {keyword}, QStringLiteral("NAZOV"),
                name);
    t.field(QStringLiteral("FIRMA"))
        .setAsString(company + u'-' + f[0] + u'-' + f[1] + u' ' + JoinName(f[2], f[3], f[4]));
    t.field(QStringLiteral("HESLO")).setAsString(keyword + u'-' + name);
}

TableSchema TfPrihesfd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"KODF", 'F', 0}, {"KODH", 'F', 0}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("KODH", {"KODH"}),
                 IndexDef::Secondary("KODF", {"KODF"}),
                 IndexDef::Secondary("KODFKODH", {"KODF", "KODH"})};
    return s;
}

void TfPrihesfd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "KODF", "KODH"};
    list.orderTitles = {"Kód", "Kód firmy", "Kód hesla"};
    list.printFields = {"KOD", "FIRMA", "HESLO"};
    list.printTitles = {"Kód", "Firma", "Heslo"};
    list.listTitle = QStringLiteral("Zoznam priradených hesiel");
    list.printHeading = {list.listTitle};
    list.finish();
}

int TfPrihesfd::refuse(const QString& text) {
    ShowNotice(QStringLiteral("Oznam!"), text, NoticeKind::Error, ownerBrowser);
    return 0;
}

int TfPrihesfd::AddRecord() {
    return refuse(QStringLiteral("Pridávanie záznamov nie je dovolené!"));
}

int TfPrihesfd::CopyRecord() {
    return refuse(QStringLiteral("Pridávanie záznamov nie je dovolené!"));
}

int TfPrihesfd::EditRecord() {
    return refuse(QStringLiteral("Oprava záznamov nie je dovolená!"));
}

int TfPrihesfd::DeleteRecord() {
    return refuse(QStringLiteral("Vymazávanie záznamov nie je dovolené!"));
}

bool CompanyHasKeyword(AppContext& app, qint64 companyCode, const QString& keywordCode) {
    double keyword = 0;
    if (!DecimalFromText(NormalizeDecimal(keywordCode), keyword)) return false;
    QString found;
    return LookupField(app, module::kPrihesf, QStringLiteral("KODF;KODH"),
                       {double(companyCode), keyword}, QStringLiteral("KOD"), found);
}

} // namespace vidoraw
