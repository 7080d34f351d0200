#include "invoicing/osobafd.h"

#include "core/values.h"
#include "framework/dependentrows.h"
#include "framework/tfbrowse.h"
#include "invoicing/komentod.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vidoraw {

QString PersonNameLine(const QString& surname, const QString& firstName, const QString& title) {
    return JoinName(surname, firstName, title);
}

QString PersonAddressLine(const QString& street, const QString& municipality,
                          const QString& postalCode, const QString& postOffice,
                          const QString& district) {
    return JoinName(JoinName(street, municipality, postalCode), postOffice, district);
}

TfOsobafd::TfOsobafd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eKodf = rows().addRow(QStringLiteral("Kód firmy:"), 10, 8);
    auto shown = [this](const QString& label, int chars) {
        QLineEdit* e = rows().addRow(label, 0, chars);
        FormRows::makeDisplayOnly(e);
        return e;
    };
    eIco = shown(QStringLiteral("IČO:"), 12);
    eFirma = shown(QStringLiteral("Názov"), 40);
    eMajitel = shown(QStringLiteral("Majiteľ:"), 40);
    eDicon = shown(QStringLiteral("DIČ (nové):"), 15);
    eIcdph = shown(QStringLiteral("IČ DPH:"), 15);
    eAdresa = shown(QStringLiteral("Adresa:"), 40);
    ePohl = rows().addRow(QStringLiteral("Pohl.:"), 1, 2);
    eTitul = rows().addRow(QStringLiteral("Titul:"), 10, 12);
    eMeno = rows().addRow(QStringLiteral("Meno:"), 15);
    ePriezvisk = rows().addRow(QStringLiteral("Priezvisko:"), 20);
    eRodena = rows().addRow(QStringLiteral("Rodená:"), 20);
    eFunkcia = rows().addRow(QStringLiteral("Funkcia:"), 40);
    bKomentar = new QPushButton(QStringLiteral("Komentár"), this);
    bKomentar->setAutoDefault(false);
    bKomentar->setEnabled(false);
    bKomentar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    rows().addRow(QString(), bKomentar);
    for (int place = 0; place < 2; ++place) {
        rows().newColumn();
        auto* heading = new QLabel(
            place == 0 ? QStringLiteral("<b>Doma</b>") : QStringLiteral("<b>Práca</b>"), this);
        rows().addWide(heading);
        eUlica[place] = rows().addRow(QStringLiteral("Ulica:"), 30, 24);
        eObec[place] = rows().addRow(QStringLiteral("Obec:"), 35, 24);
        ePsc[place] = rows().newEdit(5, 6);
        eDodposta[place] = rows().newEdit(30, 16);
        FormRows::makeDisplayOnly(eDodposta[place]);
        rows().addPairRow(QStringLiteral("PSČ:"), ePsc[place], QStringLiteral("Dodávacia pošta:"),
                          eDodposta[place]);
        eOkres[place] = rows().addRow(QStringLiteral("Okres:"), 30, 24);
        eTelefon[place] = rows().addRow(QStringLiteral("Telefón:"), 25);
        eMobil[place] = rows().addRow(QStringLiteral("Mobil:"), 25);
        eFax[place] = rows().addRow(QStringLiteral("Fax:"), 25);
        eEmail[place] = rows().addRow(QStringLiteral("e-Mail:"), 25);
        eWww[place] = rows().addRow(QStringLiteral("WWW:"), 25);
    }
    finishLayout();

    bind(eKodf, QStringLiteral("KODF"));
    bind(ePohl, QStringLiteral("POHL"));
    bind(eTitul, QStringLiteral("TITUL"));
    bind(eMeno, QStringLiteral("MENO"));
    bind(ePriezvisk, QStringLiteral("PRIEZVISK"));
    bind(eRodena, QStringLiteral("RODENA"));
    bind(eFunkcia, QStringLiteral("FUNKCIA"));
    for (int place = 0; place < 2; ++place) {
        const QString work = place == 0 ? QString() : QStringLiteral("F");
        bind(eUlica[place], "ULICA" + work);
        bind(eObec[place], "OBEC" + work);
        bind(ePsc[place], "PSC" + work);
        bind(eDodposta[place], "DODPOSTA" + work);
        bind(eOkres[place], "OKRES" + work);
        bind(eTelefon[place], "TELEFON" + work);
        bind(eMobil[place], "MOBIL" + work);
        bind(eFax[place], "FAX" + work);
        bind(eEmail[place], "EMAIL" + work);
        bind(eWww[place], "WWW" + work);
    }
    checkedFields = {eKodf, eTitul, ePohl, ePsc[0], ePsc[1]};

    onPickKeys(eKodf, [this] {
        if (eKodf->isReadOnly()) return;
        if (LookupOrPick(this->app(), module::kFirma, "KOD", "NAZOV", PickMode::Pick, eFirma,
                         eKodf))
            showCompany(eKodf->text().trimmed());
    });
    onPickKeys(eTitul, [this] {
        LookupOrPick(this->app(), module::kTitul, "NAZOV", "NAZOV", PickMode::Pick, eTitul, eTitul);
    });
    for (int place = 0; place < 2; ++place)
        onPickKeys(ePsc[place], [this, place] {
            LookupOrPick(this->app(), module::kPsc, "PSC", "POSTA", PickMode::Pick,
                         eDodposta[place], ePsc[place]);
        });
    connect(bKomentar, &QPushButton::clicked, this,
            [this] { EditPersonComment(this->app(), eKod->text().toLongLong(), this); });
    DefineList();
}

TableSchema TfOsobafd::Schema() {
    TableSchema s;
    s.fields = {
        {"KOD", 'F', 0},     {"KODF", 'F', 0},       {"POHL", 'A', 1},    {"TITUL", 'A', 10},
        {"MENO", 'A', 15},   {"PRIEZVISK", 'A', 20}, {"RODENA", 'A', 20}, {"FUNKCIA", 'A', 40},
        {"ULICA", 'A', 30},  {"OBEC", 'A', 35},      {"PSC", 'A', 5},     {"DODPOSTA", 'A', 30},
        {"OKRES", 'A', 30},  {"TELEFON", 'A', 25},   {"MOBIL", 'A', 25},  {"FAX", 'A', 25},
        {"EMAIL", 'A', 25},  {"WWW", 'A', 25},       {"ULICAF", 'A', 30}, {"OBECF", 'A', 35},
        {"PSCF", 'A', 5},    {"DODPOSTAF", 'A', 30}, {"OKRESF", 'A', 30}, {"TELEFONF", 'A', 25},
        {"MOBILF", 'A', 25}, {"FAXF", 'A', 25},      {"EMAILF", 'A', 25}, {"WWWF", 'A', 25}};
    s.indexes = {IndexDef::Primary({"KOD"}),
                 IndexDef::Secondary("Rodena", {"RODENA"}, true),
                 IndexDef::Secondary("Pscf", {"PSCF"}, true),
                 IndexDef::Secondary("Psc", {"PSC"}, true),
                 IndexDef::Secondary("PriezMenoTit", {"PRIEZVISK", "MENO", "TITUL"}, true),
                 IndexDef::Secondary("Pohl", {"POHL"}, true),
                 IndexDef::Secondary("Kodf", {"KODF"}, true)};
    return s;
}

void TfOsobafd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "KODF", "POHL", "RODENA", "PRIEZVISK;MENO;TITUL", "PSC", "PSCF"};
    list.orderTitles = {"Kód",      "Kód firmy", "Pohlavie", "Rodená", "Priezvisko, meno a titul",
                        "PSČ doma", "PSČ práca"};
    list.searchLabels = {
        "Kód:",      "Kód firmy:", "Pohlavie:", "Rodená:", "Priezvisko:;Meno:;Titul:",
        "PSČ doma:", "PSČ práca:"};
    list.printFields = {"KOD", "KODF", "PRIEZVISK", "MENO", "TITUL", "ULICA", "PSC", "DODPOSTA"};
    list.printTitles = {"Kód",   "Kód firmy", "Priezvisko", "Meno",
                        "Titul", "Ulica",     "PSČ",        "Dod. pošta"};
    list.listTitle = QStringLiteral("Zoznam osôb");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfOsobafd::showCompany(const QString& companyCode) {
    QStringList f;
    if (companyCode.trimmed().isEmpty() ||
        !LookupFields(app(), module::kFirma, QStringLiteral("KOD"), {companyCode.trimmed()},
                      {"ICO", "NAZOV", "PRIEZVISK", "MENO", "TITUL", "DICON", "ICDPH", "ULICA",
                       "OBEC", "PSC", "DODPOSTA"},
                      f))
        f.clear();
    while (f.size() < 11)
        f << QString();
    eIco->setText(f[0]);
    eFirma->setText(f[1]);
    eMajitel->setText(JoinName(f[2], f[3], f[4]));
    eDicon->setText(f[5]);
    eIcdph->setText(f[6]);
    eAdresa->setText(JoinName(JoinName(f[7], f[8], f[9]), f[10], QString()));
    for (QLineEdit* e : {eIco, eFirma, eMajitel, eDicon, eIcdph, eAdresa})
        e->setCursorPosition(0);
}

void TfOsobafd::LoadFields() {
    TfDbForm::LoadFields();
    showCompany(eKodf->text());
}

void TfOsobafd::proposeNewValues() {
    if (fixedCompany_ == 0) {
        showCompany(QString());
        return;
    }
    eKodf->setText(QString::number(fixedCompany_));
    eKodf->setReadOnly(true);
    showCompany(eKodf->text());
}

void TfOsobafd::focusFirstField() {
    focusField(fixedCompany_ ? eTitul : eKodf);
}

int TfOsobafd::AddRecord() {
    eKodf->setReadOnly(false);
    return TfDbForm::AddRecord();
}

bool TfOsobafd::AddCompanyPerson(qint64 companyCode) {
    fixedCompany_ = companyCode;
    const int r = TfDbForm::AddRecord();
    fixedCompany_ = 0;
    eKodf->setReadOnly(false);
    return r == 1;
}

int TfOsobafd::EditRecord() {
    // The comments belong to a saved person: only while one is edited.
    bKomentar->setEnabled(true);
    const int r = TfDbForm::EditRecord();
    bKomentar->setEnabled(false);
    return r;
}

int TfOsobafd::CopyRecord() {
    eKodf->setReadOnly(false);
    return TfDbForm::CopyRecord();
}

bool TfOsobafd::checkField(QWidget* control) {
    if (control == eKodf) {
        if (trimmedText(eKodf).isEmpty() || eKodf->isReadOnly()) {
            showCompany(eKodf->text());
            return true;
        }
        if (LookupOrPick(app(), module::kFirma, "KOD", "NAZOV", PickMode::LookUp, eFirma, eKodf)) {
            showCompany(eKodf->text());
            return true;
        }
        showCompany(QString());
        return false;
    }
    if (control == eTitul)
        return trimmedText(eTitul).isEmpty() ||
               LookupOrPick(app(), module::kTitul, "NAZOV", "NAZOV", PickMode::LookUp, eTitul,
                            eTitul);
    if (control == ePohl) {
        QString sex = trimmedText(ePohl);
        if (sex == QLatin1String("m"))
            sex = QStringLiteral("M");
        else if (sex == QStringLiteral("ž") || sex == QLatin1String("Z") ||
                 sex == QLatin1String("z"))
            sex = QStringLiteral("Ž");
        ePohl->setText(sex);
        if (sex != QLatin1String("M") && sex != QStringLiteral("Ž")) {
            complain(QStringLiteral("Prípustné hodnoty : M-muž Ž-žena!"));
            return false;
        }
        return true;
    }
    for (int place = 0; place < 2; ++place) {
        if (control != ePsc[place]) continue;
        if (trimmedText(ePsc[place]).isEmpty()) return true;
        if (LookupOrPick(app(), module::kPsc, "PSC", "POSTA", PickMode::LookUp, eDodposta[place],
                         ePsc[place]))
            return true;
        eDodposta[place]->clear();
        return false;
    }
    return true;
}

bool TfOsobafd::removeCurrentRecord() {
    removeError_.clear();
    // A person who gets this code later must start without this one's comment.
    const QVariant code = table_.field(QStringLiteral("KOD")).value();
    if (!DeleteRowsWhere(app(), module::kKomento, QStringLiteral("KODH"), code, &removeError_))
        return false;
    return table_.remove();
}

QString TfOsobafd::removeErrorText() const {
    return removeError_.isEmpty() ? TfDbForm::removeErrorText() : removeError_;
}

QList<QAction*> TfOsobafd::otherCommands(TfBrowse* browser, QObject* parent) {
    QList<QAction*> out = TfDbForm::otherCommands(browser, parent);
    auto* separator = new QAction(parent);
    separator->setSeparator(true);
    auto* comment = new QAction(QStringLiteral("Komentár"), parent);
    connect(comment, &QAction::triggered, this, [this, browser] {
        if (!IsTableEmpty(table_))
            EditPersonComment(app(), table_.field(QStringLiteral("KOD")).asInteger(), browser);
    });
    out << separator << comment;
    return out;
}

} // namespace vidoraw
