#include "shop/obpd.h"

#include "core/values.h"
#include "framework/tfbrowse.h"
#include "vouchers/eyedatagrid.h"
#include "vouchers/lensnames.h"
#include "vouchers/prescription.h"

#include <QLineEdit>

namespace vidoraw {

TfObpd::TfObpd(AppContext& app) : TfDbForm(app, kNumber) {
    setWindowTitle(QStringLiteral("Okuliare bez poukazu"));
    addCodeRow(QStringLiteral("Kód:"));
    eKodklient = rows().newEdit(0, 8);
    eKlient = rows().newEdit(0, 50);
    FormRows::makeDisplayOnly(eKlient);
    rows().addPairRow(QStringLiteral("Klient:"), eKodklient, QString(), eKlient);
    eDatum = rows().addRow(QStringLiteral("Dátum:"), 10, 11);
    eyes = new EyeDataGrid(this);
    rows().addWide(eyes);
    auto codeAndName = [&](const QString& label, QLineEdit*& code, QLineEdit*& name) {
        code = rows().newEdit(0, 8);
        name = rows().newEdit(0, 30);
        FormRows::makeDisplayOnly(name);
        rows().addPairRow(label, code, QString(), name);
    };
    codeAndName(QStringLiteral("Šošovky:"), eKods, eNazovS);
    codeAndName(QStringLiteral("Rám:"), eKodr, eNazovR);
    eNazr = rows().addRow(QStringLiteral("Názov rámu:"), 60, 40);
    codeAndName(QStringLiteral("Kontaktné šošovky:"), eKodks, eNazovKs);
    finishLayout();

    bind(eKodklient, QStringLiteral("KODKLIENT"));
    bind(eDatum, QStringLiteral("DATUM"));
    eyes->bindTo(*this);
    bind(eKods, QStringLiteral("KODS"));
    bind(eKodr, QStringLiteral("KODR"));
    bind(eNazr, QStringLiteral("NAZR"));
    bind(eKodks, QStringLiteral("KODKS"));
    checkedFields = {eKodklient, eDatum, eyes->eDialky, eyes->eBlizko, eKods, eKodr, eKodks};
    eyes->moveWithinColumns(this);

    auto pick = [this](QLineEdit* code, std::function<void()> run) {
        onPickKeys(code, [this, code, run] {
            if (recordMode != ModeView && !code->isReadOnly())
                run();
        });
    };
    pick(eKodklient, [this] {
        if (LookupOrPick(this->app(), module::kKlient, "KOD", "KOD", PickMode::Pick, nullptr,
                         eKodklient)) {
            eKlient->setText(ClientText(this->app(), eKodklient->text()));
            takeOverDistances();
        }
    });
    pick(eKods, [this] {
        LookupOrPick(this->app(), module::kTypskl, "KOD", "NAZOV", PickMode::Pick, eNazovS, eKods);
    });
    pick(eKodr, [this] {
        LookupOrPick(this->app(), module::kTypram, "KOD", "NAZOV", PickMode::Pick, eNazovR, eKodr);
    });
    pick(eKodks, [this] {
        if (LookupOrPick(this->app(), module::kTypks, "KOD", "KOD", PickMode::Pick, nullptr,
                         eKodks))
            eNazovKs->setText(ContactLensTypeName(this->app(), eKodks->text()));
    });
    DefineList();
}

TableSchema TfObpd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},    {"KODKLIENT", 'F', 0}, {"DATUM", 'D', 0},
                {"DIALKY", 'I', 0}, {"BLIZKO", 'I', 0}};
    for (const QString& eye : EyeFieldNames())
        s.fields << FieldDef{eye, 'A', 6};
    s.fields << FieldDef{"KODR", 'F', 0} << FieldDef{"KODS", 'F', 0} << FieldDef{"NAZR", 'A', 60}
             << FieldDef{"KODKS", 'F', 0};
    s.indexes = {IndexDef::Primary({"KOD"}),
                 IndexDef::Secondary("KodkDatum", {"KODKLIENT", "DATUM"}, true)};
    return s;
}

void TfObpd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "KODKLIENT;DATUM"};
    list.orderTitles = {"Kód", "Kód klienta a dátum"};
    list.searchLabels = {"Kód:", "Kód klienta:;Dátum:"};
    list.printFields = {"KOD", "KODKLIENT"};
    list.printTitles = {"Kód", "Kód klienta"};
    list.listTitle = QStringLiteral("Zoznam okuliarov bez poukazu");
    list.printHeading = {list.listTitle};
    list.finish();
}

QString TfObpd::ClientText(AppContext& app, const QString& clientCode) {
    QStringList v;
    if (clientCode.trimmed().isEmpty() ||
        !LookupFields(app, module::kKlient, QStringLiteral("KOD"), {clientCode.trimmed()},
                      {QStringLiteral("PRIEZVISK"), QStringLiteral("MENO"), QStringLiteral("TITUL"),
                       QStringLiteral("RODCIS"), QStringLiteral("STATPOI"), QStringLiteral("ICPOI"),
                       QStringLiteral("POHLPOI")},
                      v))
        return QString();
    return JoinName(JoinName(v[0], v[1], v[2]), v[3], JoinName(v[4], v[5], v[6]));
}

void TfObpd::showNames() {
    eKlient->setText(ClientText(app(), eKodklient->text()));
    eNazovS->setText(LensTypeName(app(), eKods->text()));
    eNazovR->setText(FrameTypeName(app(), eKodr->text()));
    eNazovKs->setText(ContactLensTypeName(app(), eKodks->text()));
}

void TfObpd::LoadFields() {
    TfDbForm::LoadFields();
    showNames();
}

int TfObpd::AddRecord() {
    clientFixed_ = false;
    return TfDbForm::AddRecord();
}

int TfObpd::CopyRecord() {
    clientFixed_ = false;
    return TfDbForm::CopyRecord();
}

bool TfObpd::AddGlassesForClient(qint64 clientCode) {
    clientFixed_ = true;
    fixedClient_ = clientCode;
    const bool ok = TfDbForm::AddRecord() == 1;
    clientFixed_ = false;
    eKodklient->setReadOnly(false);
    return ok;
}

void TfObpd::proposeNewValues() {
    for (QLineEdit* e : {eKlient, eNazovS, eNazovR, eNazovKs})
        e->clear();
    if (!clientFixed_)
        return;
    recordMode = ModeAdd;
    eKodklient->setText(QString::number(fixedClient_));
    eKodklient->setReadOnly(true);
    eKlient->setText(ClientText(app(), eKodklient->text()));
    takeOverDistances();
}

void TfObpd::focusFirstField() {
    focusField(clientFixed_ ? eDatum : eKodklient);
}

void TfObpd::takeOverDistances() {
    if (recordMode != ModeAdd)
        return;
    const auto zero = [](QLineEdit* e) {
        const QString t = e->text().trimmed();
        return t.isEmpty() || t == QLatin1String("0");
    };
    if (!zero(eyes->eDialky) || !zero(eyes->eBlizko))
        return;
    double code = 0;
    if (!DecimalFromText(eKodklient->text().trimmed(), code))
        return;
    const std::optional<Prescription> p = LatestPrescriptionOf(app(), qint64(code));
    if (!p)
        return;
    for (const auto& [from, to] :
         {std::pair{p->dialky, eyes->eDialky}, std::pair{p->blizko, eyes->eBlizko}})
        if (!from.trimmed().isEmpty() && from.trimmed() != QLatin1String("0"))
            to->setText(from.trimmed());
}

bool TfObpd::checkClient() {
    trimmedText(eKodklient);
    if (!LookupOrPick(app(), module::kKlient, "KOD", "KOD", PickMode::LookUp, nullptr,
                      eKodklient)) {
        eKlient->clear();
        return false;
    }
    eKlient->setText(ClientText(app(), eKodklient->text()));
    takeOverDistances();
    return true;
}

bool TfObpd::checkTypeCode(QLineEdit* code, QLineEdit* name, int module) {
    if (trimmedText(code).isEmpty()) {
        name->clear();
        return true;
    }
    const bool contactLens = module == module::kTypks;
    if (!LookupOrPick(app(), module, "KOD", contactLens ? "KOD" : "NAZOV", PickMode::LookUp,
                      contactLens ? nullptr : name, code)) {
        name->clear();
        return false;
    }
    if (contactLens)
        name->setText(ContactLensTypeName(app(), code->text()));
    return true;
}

bool TfObpd::checkField(QWidget* control) {
    if (control == eKodklient)
        return clientFixed_ || checkClient();
    if (control == eDatum) {
        const QString date = NormalizeDateSeparators(eDatum->text()).trimmed();
        eDatum->setText(date);
        if (!IsDateText(date, false)) {
            complain(QStringLiteral("Nesprávny dátum !"));
            return false;
        }
        return true;
    }
    if (control == eyes->eDialky || control == eyes->eBlizko)
        return CheckInteger(trimmedText(static_cast<QLineEdit*>(control)), this);
    if (control == eKods)
        return checkTypeCode(eKods, eNazovS, module::kTypskl);
    if (control == eKodr)
        return checkTypeCode(eKodr, eNazovR, module::kTypram);
    if (control == eKodks)
        return checkTypeCode(eKodks, eNazovKs, module::kTypks);
    return true;
}

} // namespace vidoraw
