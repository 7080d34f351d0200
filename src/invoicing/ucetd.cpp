#include "invoicing/ucetd.h"

#include "framework/tfbrowse.h"

#include <QLineEdit>

namespace vidoraw {

QString AccountTypeName(const QString& type) {
    if (type == QLatin1String("P"))
        return QStringLiteral("Pokladňa");
    if (type == QLatin1String("B"))
        return QStringLiteral("Bankový účet");
    if (type == QLatin1String("N"))
        return QStringLiteral("Nefinančné operácie");
    return QString();
}

TfUcetd::TfUcetd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eNazov = rows().addRow(QStringLiteral("Názov:"), 30);
    eUcet = rows().addRow(QStringLiteral("Účet:"), 4, 5);
    ePobocka = rows().addRow(QStringLiteral("Pobočka:"), 20);
    eCisucet = rows().addRow(QStringLiteral("Číslo účtu:"), 25);
    ePbn = rows().newEdit(1, 2);
    eTyp = rows().newEdit(0, 20);
    FormRows::makeDisplayOnly(eTyp);
    rows().addPairRow(QStringLiteral("Typ:"), ePbn, QString(), eTyp);
    eKodban = rows().newEdit(4, 5);
    eBanka = rows().newEdit(0, 30);
    FormRows::makeDisplayOnly(eBanka);
    rows().addPairRow(QStringLiteral("Kód banky:"), eKodban, QString(), eBanka);
    eBicswift = rows().addRow(QStringLiteral("Bic/Swift:"), 20);
    eIban = rows().addRow(QStringLiteral("IBAN:"), 30);
    finishLayout();

    bind(eNazov, QStringLiteral("NAZOV"));
    bind(eUcet, QStringLiteral("UCET"));
    bind(ePobocka, QStringLiteral("POBOCKA"));
    bind(eCisucet, QStringLiteral("CISUCET"));
    bind(ePbn, QStringLiteral("PBN"));
    bind(eKodban, QStringLiteral("KODBAN"));
    bind(eBicswift, QStringLiteral("BICSWIFT"));
    bind(eIban, QStringLiteral("IBAN"));
    checkedFields = {eUcet, eKodban, ePbn};
    connect(ePbn, &QLineEdit::textChanged, this,
            [this](const QString& text) { eTyp->setText(AccountTypeName(text.trimmed())); });
    onPickKeys(eKodban, [this] {
        LookupOrPick(this->app(), module::kKodb, "KODB", "NAZOV", PickMode::Pick, eBanka, eKodban);
    });
    DefineList();
}

TableSchema TfUcetd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0},       {"NAZOV", 'A', 30},    {"POBOCKA", 'A', 20},
                {"CISUCET", 'A', 25},  {"KODBAN", 'A', 4},    {"BICSWIFT", 'A', 20},
                {"IBAN", 'A', 30},     {"UCET", 'A', 4},      {"PBN", 'A', 1}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("UCET", {"UCET"}),
                 IndexDef::Secondary("NAZOV", {"NAZOV"}),
                 IndexDef::Secondary("CISUCET", {"CISUCET"})};
    return s;
}

void TfUcetd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "UCET", "NAZOV", "CISUCET"};
    list.orderTitles = {"Kód", "Účet", "Názov účtu", "Číslo účtu"};
    list.printFields = {"KOD", "NAZOV", "UCET", "POBOCKA", "CISUCET", "PBN"};
    list.printTitles = {"Kód", "Názov", "Účet", "Pobočka", "Číslo účtu", "Typ"};
    list.listTitle = QStringLiteral("Zoznam účtov firmy");
    list.printHeading = {list.listTitle};
    list.finish();
}

int TfUcetd::AddRecord() {
    eBanka->clear();
    return TfDbForm::AddRecord();
}

void TfUcetd::LoadFields() {
    TfDbForm::LoadFields();
    showBankName();
}

void TfUcetd::showBankName() {
    QString name;
    const QString code = eKodban->text().trimmed();
    if (!code.isEmpty())
        LookupField(app(), module::kKodb, QStringLiteral("KODB"), {code}, QStringLiteral("NAZOV"),
                    name);
    eBanka->setText(name);
}

bool TfUcetd::checkField(QWidget* control) {
    if (control == eUcet) {
        const QString account = trimmedText(eUcet);
        if (account.isEmpty()) {
            complain(QStringLiteral("Účet nesmie byť prázdny."));
            return false;
        }
        for (QChar c : account) {
            const bool allowed = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                                 (c >= u'0' && c <= u'9');
            if (!allowed) {
                complain(QStringLiteral("Neprípustný znak v účte! Použite písmaná a číslice."));
                return false;
            }
        }
        if (isDuplicate(QStringLiteral("UCET"), account)) {
            complain(QStringLiteral("Duplicita účtu."));
            return false;
        }
    } else if (control == eKodban) {
        trimmedText(eKodban);
        if (!LookupOrPick(app(), module::kKodb, "KODB", "NAZOV", PickMode::LookUp, eBanka,
                          eKodban)) {
            eBanka->clear();
            return false;
        }
    } else if (control == ePbn) {
        QString type = trimmedText(ePbn);
        if (type == QLatin1String("p") || type == QLatin1String("b") || type == QLatin1String("n"))
            ePbn->setText(type = type.toUpper());
        if (AccountTypeName(type).isEmpty()) {
            complain(QStringLiteral("Prípustné hodnoty : P-pokladňa B-Banka N-Nefinančné !"));
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
