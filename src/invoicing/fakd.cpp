#include "invoicing/fakd.h"

#include "core/base/numbertext.h"
#include "core/interaction.h"
#include "core/values.h"
#include "framework/casintem.h"
#include "framework/coderange.h"
#include "framework/kal32.h"
#include "framework/menuletters.h"
#include "framework/tfbrowse.h"
#include "invoicing/companynames.h"
#include "invoicing/envelopes.h"
#include "invoicing/komentfd.h"
#include "invoicing/invoiceprint.h"
#include "invoicing/invoicetemplate.h"
#include "invoicing/sumarm.h"
#include "invoicing/numberseries.h"
#include "invoicing/pold.h"
#include "invoicing/receiptcommands.h"
#include "invoicing/rounding.h"
#include "shell/vlastnikd.h"

#include <QAction>
#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace vidoraw {

namespace {

// From this day the tax numbers of both parties are written the new way.
const QDate kVatNumbersFrom(2004, 5, 1);

QLabel* Heading(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QString Joined(const QStringList& parts) {
    QStringList kept;
    for (const QString& p : parts)
        if (!p.trimmed().isEmpty())
            kept << p.trimmed();
    return kept.join(u' ');
}

QDate DateOfText(const QString& text) {
    double days = 0;
    return ParseDate(NormalizeDateSeparators(text), days) ? DateFromDays(days) : QDate();
}

} // namespace

TfFakd::TfFakd(AppContext& app) : TfDbForm(app, kNumber) {
    vatPayer_ = OwnerField(app, QStringLiteral("PLATCADAN")) != QLatin1String("N");
    double code = 0;
    roundingCode_ = DecimalFromText(OwnerField(app, QStringLiteral("KODZAOK")), code) && code != 0
                        ? code
                        : 6;
    setWindowTitle(QStringLiteral("Faktúra"));
    filtersAllowed = true;
    addCodeRow(QStringLiteral("Kód:"));

    rows().addWide(Heading(QStringLiteral("2. Faktúra"), this));
    eCisfaktu = rows().addRow(QStringLiteral("Číslo:"), 10, 12);
    eKonsts = addCode(QStringLiteral("Konštantný symbol:"), 4, eKsNazov);
    eCisObjed = rows().addRow(QStringLiteral("Číslo objednávky:"), 10, 12);
    eCisDodl = rows().addRow(QStringLiteral("Dodací list:"), 10, 12);

    rows().addWide(Heading(QStringLiteral("1. Dodávateľ"), this));
    eIcoDod = rows().addRow(QStringLiteral("IČO :"), 10, 12);
    eNazovDod = rows().addRow(QString(), 40, 34);
    eOsobaDod = rows().addRow(QString(), 0, 34);
    ePscDod = rows().newEdit(5, 6);
    ePostaDod = rows().newEdit(35, 26);
    rows().addPairRow(QString(), ePscDod, QString(), ePostaDod);
    eUcetDod = addCode(QStringLiteral("Peň. ústav :"), 4, eUcetNazov);
    eUcetCislo = rows().addRow(QString(), 0, 34);
    eDicDod = rows().newEdit(20, 22);
    lDicDod = new QLabel(QStringLiteral("(DIČ)"), this);
    rows().form->addRow(lDicDod, eDicDod);
    eIcdphDod = rows().newEdit(15, 22);
    lIcdphDod = new QLabel(QStringLiteral("(IČDPH)"), this);
    rows().form->addRow(lIcdphDod, eIcdphDod);

    rows().newColumn();
    rows().addWide(Heading(QStringLiteral("4. Odberateľ    (IČO)"), this));
    eIcoOdb = rows().addRow(QStringLiteral("IČO :"), 10, 12);
    eNazovOdb = rows().addRow(QString(), 0, 34);
    eOsobaOdb = rows().addRow(QString(), 0, 34);
    eUlicaOdb = rows().addRow(QString(), 0, 34);
    ePscOdb = rows().newEdit(5, 6);
    ePostaOdb = rows().newEdit(35, 26);
    rows().addPairRow(QString(), ePscOdb, QString(), ePostaOdb);
    eDicOdb = rows().newEdit(0, 26);
    lDicOdb = new QLabel(QStringLiteral("(IČDPH/DIČ)"), this);
    rows().form->addRow(lDicOdb, eDicOdb);
    rows().addWide(Heading(QStringLiteral("3. Príjemca"), this));
    ePrijNazov = rows().addRow(QString(), 0, 34);
    ePrijPsc = rows().newEdit(5, 6);
    ePrijPosta = rows().newEdit(35, 26);
    rows().addPairRow(QString(), ePrijPsc, QString(), ePrijPosta);
    rows().addWide(Heading(QStringLiteral("7. Spôsob dopravy"), this));
    eSpDopr = addCode(QStringLiteral("Doprava :"), 2, eDopravaNazov);
    eMiestoUrc = rows().addRow(QStringLiteral("Miesto určenia :"), 0, 26);
    eMiestoPod = rows().addRow(QStringLiteral("Miesto podniku :"), 0, 26);

    rows().newColumn();
    auto dateRow = [&](const QString& label) {
        QLineEdit* e = rows().newEdit(10, 11);
        auto* row = new QHBoxLayout;
        row->addWidget(e);
        auto* b = new QPushButton(QStringLiteral("..."), this);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
        connect(b, &QPushButton::clicked, this, [this, e] { PickDateInto(this->app(), e); });
        row->addWidget(b);
        row->addStretch(1);
        rows().addRow(label, row);
        return e;
    };
    eDatSpl = dateRow(QStringLiteral("6. Deň splatnosti     :"));
    eDatVys = dateRow(QStringLiteral("Deň vystavenia :"));
    eDatPln = dateRow(QStringLiteral("Deň dodania :"));
    eFormaUhr = addCode(QStringLiteral("Forma úhrady :"), 2, eUhradaNazov);
    eMena = addCode(QStringLiteral("Mena :"), 3, eMenaNazov);
    eDmena = addCode(QStringLiteral("D.mena :"), 3, eDmenaNazov);
    eKurz = rows().addRow(QStringLiteral("Kurz:"), 12, 12);
    eBezDph = rows().newEdit(0, 14);
    lBezDph = new QLabel(QStringLiteral("Bez DPH :"), this);
    rows().form->addRow(lBezDph, eBezDph);
    eSuma = rows().newEdit(0, 14);
    lSuma = new QLabel(vatPayer_ ? QStringLiteral("S DPH :") : QStringLiteral("Čiastka :"), this);
    rows().form->addRow(lSuma, eSuma);
    for (QLineEdit* e : {eBezDph, eSuma, eKurz})
        e->setAlignment(Qt::AlignRight);
    auto* buttons = new QHBoxLayout;
    // Alt+P reaches the lines from the keyboard.
    bPolozky = new QPushButton(QStringLiteral("&Položky"), this);
    bZPoistovne = new QPushButton(QStringLiteral("Z poisťovne"), this);
    for (QPushButton* b : {bPolozky, bZPoistovne}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    // Taking over an insurer invoice needs the insurer billing (setInsurerTotals).
    bZPoistovne->setEnabled(false);
    buttons->addStretch(1);
    rows().addRow(QString(), buttons);
    finishLayout();

    for (QLineEdit* e : {eIcoDod, eNazovDod, eOsobaDod, ePscDod, ePostaDod, eUcetCislo, eDicDod,
                         eIcdphDod, eNazovOdb, eOsobaOdb, eUlicaOdb, ePscOdb, ePostaOdb, eDicOdb,
                         ePrijNazov, ePrijPsc, ePrijPosta, eMiestoUrc, eMiestoPod, eKurz,
                         eBezDph, eSuma})
        FormRows::makeDisplayOnly(e);
    lBezDph->setVisible(vatPayer_);
    eBezDph->setVisible(vatPayer_);

    const std::pair<QLineEdit*, const char*> bound[] = {
        {eCisfaktu, "CISFAKTU"}, {eKonsts, "KONSTS"},     {eCisObjed, "CIS_OBJED"},
        {eCisDodl, "CIS_DODL"},  {eUcetDod, "UCET_DOD"},  {eIcoOdb, "ICO_ODBA"},
        {eSpDopr, "SP_DOPR"},    {eFormaUhr, "FORMA_UHR"}, {eDatSpl, "DAT_SPL"},
        {eDatVys, "DAT_VYS"},    {eDatPln, "DAT_PLN"},    {eMena, "MENA"},
        {eDmena, "DMENA"},       {eKurz, "KURZ"}};
    for (const auto& [edit, field] : bound)
        bind(edit, QString::fromLatin1(field));
    checkedFields = {eCisfaktu, eKonsts, eIcoOdb, eUcetDod, eSpDopr,
                     eMena,     eDatSpl, eFormaUhr, eDatVys, eDatPln};

    onPickKeys(eKonsts, [this] {
        lookUpCode(eKonsts, eKsNazov, module::kKs, "KODKS", "NAZOV", true);
    });
    onPickKeys(eUcetDod, [this] {
        if (lookUpCode(eUcetDod, eUcetNazov, module::kUcty, "UCET", "NAZOV", true))
            showAccount();
    });
    onPickKeys(eSpDopr, [this] {
        lookUpCode(eSpDopr, eDopravaNazov, module::kDoprava, "KOD", "NAZOV", true);
    });
    onPickKeys(eFormaUhr, [this] {
        lookUpCode(eFormaUhr, eUhradaNazov, module::kUhrada, "KOD", "NAZOV", true);
    });
    onPickKeys(eMena, [this] {
        lookUpCode(eMena, eMenaNazov, module::kMena, "KODMENY", "MENA", true);
    });
    onPickKeys(eDmena, [this] {
        lookUpCode(eDmena, eDmenaNazov, module::kMena, "KODMENY", "MENA", true);
    });
    onPickKeys(eIcoOdb, [this] {
        if (source_ != QLatin1String("0")) {
            PickInsurerCustomer();
            return;
        }
        if (LookupOrPick(this->app(), module::kFirma, QStringLiteral("ICO"),
                         QStringLiteral("NAZOV"), PickMode::Pick, eNazovOdb, eIcoOdb))
            FillCustomerBlock();
    });
    connect(bPolozky, &QPushButton::clicked, this, [this] { editItems(); });
    connect(bZPoistovne, &QPushButton::clicked, this, [this] { TransferInsurerInvoice(); });
    // The total to pay rounded by the module's code, for the list's views.
    table_.addCalcField({QStringLiteral("Zaokr"), 'A', 13});
    table_.setCalcHandler([this](Table& t) {
        (void)t.field(QStringLiteral("Zaokr"))
            .setAsString(FormatFixed(
                double(RoundByCode(t.field(QStringLiteral("SUMA")).asFloat(), roundingCode_)), 2));
    });
    DefineList();
}

TableSchema TfFakd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},       {"CISFAKTU", 'A', 10},  {"ICO_DOD", 'F', 0},
                {"UCET_DOD", 'A', 4},  {"KONSTS", 'A', 4},     {"CIS_OBJED", 'A', 10},
                {"CIS_DODL", 'A', 10}, {"ICO_ODB", 'F', 0},    {"NAZOV_ODB", 'A', 30},
                {"SP_DOPR", 'I', 0},   {"FORMA_UHR", 'I', 0},  {"DAT_SPL", 'D', 0},
                {"DAT_VYS", 'D', 0},   {"DAT_PLN", 'D', 0},    {"BEZDPH1", 'F', 0},
                {"BEZDPH2", 'F', 0},   {"BEZDPH3", 'F', 0},    {"SUMA", 'F', 0},
                {"MENA", 'A', 3},      {"TYP", 'A', 1},        {"KLUC", 'F', 0},
                {"ICO_ODBA", 'A', 10}, {"KDEODB", 'A', 1},     {"DOPLNOK", 'A', 10},
                {"INDIK", 'A', 1},     {"DMENA", 'A', 3},      {"KURZ", 'F', 0},
                {"ZOBRAZDM", 'A', 3}};
    s.indexes = {IndexDef::Primary({"KOD"}),
                 IndexDef::Secondary("CISFAKTU", {"CISFAKTU"}),
                 IndexDef::Secondary("DAT_VYS", {"DAT_VYS"}),
                 IndexDef::Secondary("NAZOV_ODB", {"NAZOV_ODB"}),
                 IndexDef::Secondary("ICO_ODB", {"ICO_ODB"}),
                 IndexDef::Secondary("ICO_ODBA", {"ICO_ODBA"}),
                 IndexDef::Secondary("KLUC", {"KLUC"})};
    return s;
}

void TfFakd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "CISFAKTU", "DAT_VYS", "NAZOV_ODB", "ICO_ODB", "ICO_ODBA"};
    list.orderTitles = {"Kód",
                        "Číslo faktúry",
                        "Dátum vystavenia",
                        "Názov odberateľa",
                        "IČO odberateľa číselne",
                        "IČO odberateľa písmenovo"};
    list.printFields = {"CISFAKTU", "ICO_ODB", "NAZOV_ODB", "DAT_VYS", "SUMA"};
    list.printTitles = {"Čís. fakt.", "IČO odb.", "Odberateľ", "Vystavená", "Suma"};
    list.listTitle = QStringLiteral("Zoznam faktúr");
    list.printHeading = {list.listTitle};
    list.finish();
    explicitListKey = QStringLiteral("FAK");
}

TfPold& TfFakd::items() {
    auto* m = dynamic_cast<TfPold*>(app().registry.module(module::kPol));
    Q_ASSERT(m);
    return *m;
}

QLineEdit* TfFakd::addCode(const QString& label, int maxLength, QLineEdit*& name) {
    QLineEdit* code = rows().newEdit(maxLength, 5);
    name = rows().newEdit(0, 26);
    FormRows::makeDisplayOnly(name);
    rows().addPairRow(label, code, QString(), name);
    return code;
}

bool TfFakd::lookUpCode(QLineEdit* code, QLineEdit* name, int module, const char* keyField,
                        const char* nameField, bool mayPick) {
    trimmedText(code);
    if (LookupOrPick(app(), module, QString::fromLatin1(keyField), QString::fromLatin1(nameField),
                     mayPick ? PickMode::Pick : PickMode::LookUp, name, code))
        return true;
    name->clear();
    return false;
}

QDate TfFakd::issueDate() const { return DateOfText(eDatVys->text()); }

VatRates TfFakd::ratesOfTheInvoice() const {
    const QDate supply = DateOfText(eDatPln->text());
    return supply.isValid() ? VatRatesAt(app(), supply) : VatRates(app().vatRates);
}

void TfFakd::showAccount() {
    QStringList v;
    if (LookupFields(app(), module::kUcty, QStringLiteral("UCET"), {eUcetDod->text().trimmed()},
                     {QStringLiteral("NAZOV"), QStringLiteral("CISUCET"), QStringLiteral("KODBAN")},
                     v)) {
        eUcetNazov->setText(v[0]);
        eUcetCislo->setText(v[1] + u'/' + v[2]);
    } else {
        eUcetCislo->clear();
    }
}

void TfFakd::showAdditionalCurrency() {
    const bool shown = showDm_ == QLatin1String("A");
    // The rows of the additional currency and the rate, labels included.
    QFormLayout* form = rows().form;
    for (int r = 0; r < form->rowCount(); ++r) {
        QLayoutItem* field = form->itemAt(r, QFormLayout::FieldRole);
        if (!field)
            continue;
        const bool holds = field->widget() == eKurz ||
                           (field->layout() && field->layout()->indexOf(eDmena) >= 0);
        if (holds)
            form->setRowVisible(r, shown);
    }
}

void TfFakd::showTotals() {
    eSuma->setText(items().totalText());
    eBezDph->setText(items().netText());
}

void TfFakd::FillSupplierBlock() {
    auto owner = [&](const char* f) { return OwnerField(app(), QString::fromLatin1(f)); };
    eIcoDod->setText(owner("ICO"));
    eNazovDod->setText(owner("NAZOV"));
    eOsobaDod->setText(JoinName(owner("TITUL"), owner("MENO"), owner("PRIEZVISK")));
    ePscDod->setText(owner("PSC"));
    ePostaDod->setText(owner("DODPOSTA"));
    const QDate issued = issueDate();
    const bool oldNumbers = (issued.isValid() && issued < kVatNumbersFrom) || !vatPayer_;
    eDicDod->setText(oldNumbers ? owner("DICO") : owner("DICON"));
    eIcdphDod->setText(oldNumbers ? QString() : owner("ICDPH"));
    lIcdphDod->setVisible(!oldNumbers);
    eIcdphDod->setVisible(!oldNumbers);
}

void TfFakd::clearCustomer() {
    for (QLineEdit* e : {eNazovOdb, eOsobaOdb, eUlicaOdb, ePscOdb, ePostaOdb, eDicOdb, ePrijNazov,
                         ePrijPsc, ePrijPosta, eMiestoUrc, eMiestoPod})
        e->clear();
}

void TfFakd::FillCustomerBlock() {
    QStringList v;
    if (!LookupFields(app(), module::kFirma, QStringLiteral("ICO"), {eIcoOdb->text().trimmed()},
                      {"NAZOV", "TITUL", "MENO", "PRIEZVISK", "ULICA", "CISLO", "OBEC", "PSC",
                       "DODPOSTA", "DICO", "DICON", "ICDPH"},
                      v)) {
        clearCustomer();
        return;
    }
    eNazovOdb->setText(v[0]);
    eOsobaOdb->setText(Joined({v[1], v[2], v[3]}));
    eUlicaOdb->setText(Joined({v[4], v[5], v[6]}));
    ePscOdb->setText(v[7]);
    ePostaOdb->setText(v[8]);
    const QDate issued = issueDate();
    const bool oldNumbers = issued.isValid() ? issued < kVatNumbersFrom : !vatPayer_;
    lDicOdb->setText(oldNumbers ? QStringLiteral("(DIČ)") : QStringLiteral("(IČDPH/DIČ)"));
    eDicOdb->setText(oldNumbers ? v[9] : v[11] + u'/' + v[10]);
    ePrijNazov->setText(v[0]);
    ePrijPsc->setText(v[7]);
    ePrijPosta->setText(v[8]);
    eMiestoUrc->setText(v[8]);
    eMiestoPod->setText(v[8]);
}

void TfFakd::prepareItems(qint64 invoiceCode, bool editable) {
    TfPold& pol = items();
    pol.setRoundingCode(roundingCode_);
    pol.totalsChanged = [this] { showTotals(); };
    pol.setRates(ratesOfTheInvoice());
    pol.LoadItems(invoiceCode);
    pol.setEditable(editable);
    pol.setCreditNote(type_ == QLatin1String("D"));
    bZPoistovne->setEnabled(editable && insurerTotals_);
}

void TfFakd::setInsurerTotals(InsurerTotalsSource source) {
    insurerTotals_ = std::move(source);
    bZPoistovne->setEnabled(bool(insurerTotals_));
}

bool TfFakd::TransferInsurerInvoice() {
    if (!insurerTotals_)
        return false;
    auto* invoices = dynamic_cast<TfDbForm*>(app().registry.module(module::kFaktura));
    if (!invoices || !invoices->OpenTable())
        return false;
    Table& t = invoices->table();
    // The list opens on the latest invoice by code and comes back to where it was.
    const QString order = t.order();
    const qint64 here = t.bookmark();
    qint64 picked = -1;
    if (t.setOrder(QStringLiteral("KOD"))) {
        t.last();
        TfBrowse picker(app(), this);
        if (picker.Browse(module::kFaktura, TfBrowse::DefaultButtons(), true))
            picked = t.field(QStringLiteral("KOD")).asInteger();
    }
    (void)t.setOrder(order);
    (void)t.gotoBookmark(here);
    if (picked < 0)
        return false;
    fillFromInsurerInvoice(picked);
    return true;
}

// A new invoice is issued and supplied today and due after the owner's days (7 without them).
void TfFakd::proposeDatesAndSupplier() {
    const QDate today = QDate::currentDate();
    double splat = 0;
    const QString due = OwnerField(app(), QStringLiteral("SPLAT"));
    const int days = DecimalFromText(due, splat) ? int(splat) : 7;
    eDatVys->setText(FormatDate(DaysFromDate(today)));
    eDatPln->setText(eDatVys->text());
    eDatSpl->setText(FormatDate(DaysFromDate(today.addDays(days))));
    FillSupplierBlock();
}

void TfFakd::fillFromInsurerInvoice(qint64 insurerInvoiceCode) {
    InsurerInvoiceSource source = ReadInsurerInvoice(app(), insurerInvoiceCode);
    source_ = QStringLiteral("1");
    QString mode;
    if (LookupField(app(), module::kCisrad, QStringLiteral("KOD"), {kInvoiceSeries},
                    QStringLiteral("POUZI"), mode) &&
        mode.trimmed() == QLatin1String("A"))
        eCisfaktu->setText(source.number);
    insurer_ = source.insurerCode;
    eIcoOdb->setText(source.insurerIco);
    proposeDatesAndSupplier();
    // The lines are summed with the rates the invoice is checked with: those of its supply day.
    TfPold& pol = items();
    const VatRates rates = ratesOfTheInvoice();
    source.totals = insurerTotals_(app(), insurerInvoiceCode, rates);
    pol.setRoundingCode(roundingCode_);
    pol.setRates(rates);
    pol.setItems(InsurerInvoiceItems(source, rates, pol.format()));
    showTotals();
    LookupInsurerCustomer();
}

bool TfFakd::LookupInsurerCustomer() {
    QLineEdit code;
    code.setText(insurer_);
    QLineEdit name;
    if (LookupOrPick(app(), module::kPoist, QStringLiteral("CPOI"), QStringLiteral("NAZOV"),
                     PickMode::LookUp, &name, &code)) {
        insurer_ = code.text().trimmed();
        FillInsurerCustomerBlock();
        return true;
    }
    clearCustomer();
    return false;
}

void TfFakd::PickInsurerCustomer() {
    QLineEdit code;
    code.setText(insurer_);
    QLineEdit name;
    if (LookupOrPick(app(), module::kPoist, QStringLiteral("CPOI"), QStringLiteral("NAZOV"),
                     PickMode::Pick, &name, &code))
        insurer_ = code.text().trimmed();
}

void TfFakd::FillInsurerCustomerBlock() {
    InsurerCustomer c;
    if (!ReadInsurerCustomer(app(), insurer_, issueDate(), vatPayer_, c)) {
        clearCustomer();
        return;
    }
    eNazovOdb->setText(c.name);
    eOsobaOdb->clear();
    eUlicaOdb->setText(c.street);
    ePscOdb->setText(c.postCode);
    ePostaOdb->setText(c.postOffice);
    lDicOdb->setText(c.taxLabel);
    eDicOdb->setText(c.taxNumber);
    ePrijNazov->setText(c.name);
    ePrijPsc->setText(c.postCode);
    ePrijPosta->setText(c.postOffice);
    eMiestoUrc->setText(c.postOffice);
    eMiestoPod->setText(c.postOffice);
}

void TfFakd::proposeNewValues() {
    auto owner = [&](const char* f) { return OwnerField(app(), QString::fromLatin1(f)); };
    type_ = addType_;
    source_ = QStringLiteral("0");
    insurer_.clear();
    showDm_ = owner("ZOBRAZDM");
    showAdditionalCurrency();
    proposedNumber_ = NextInvoiceNumber(app());
    eCisfaktu->setText(proposedNumber_);
    eUcetDod->setText(owner("UCET"));
    eKonsts->setText(owner("KS"));
    eSpDopr->setText(owner("KODD"));
    eFormaUhr->setText(owner("KODU"));
    eMena->setText(owner("MENA"));
    eDmena->setText(owner("DMENA"));
    eKurz->setText(owner("KURZ"));
    eCisObjed->clear();
    eCisDodl->setText(proposedNumber_);
    eIcoOdb->clear();
    clearCustomer();
    proposeDatesAndSupplier();
    showAccount();
    QString name;
    struct Named {
        QLineEdit* code;
        QLineEdit* name;
        int module;
        const char* key;
        const char* field;
    };
    for (const Named& n : {Named{eKonsts, eKsNazov, module::kKs, "KODKS", "NAZOV"},
                           Named{eSpDopr, eDopravaNazov, module::kDoprava, "KOD", "NAZOV"},
                           Named{eFormaUhr, eUhradaNazov, module::kUhrada, "KOD", "NAZOV"},
                           Named{eMena, eMenaNazov, module::kMena, "KODMENY", "MENA"},
                           Named{eDmena, eDmenaNazov, module::kMena, "KODMENY", "MENA"}}) {
        name.clear();
        if (!n.code->text().trimmed().isEmpty())
            LookupField(app(), n.module, QString::fromLatin1(n.key), {n.code->text().trimmed()},
                        QString::fromLatin1(n.field), name);
        n.name->setText(name);
    }
    setWindowTitle(type_ == QLatin1String("D") ? QStringLiteral("Dobropis")
                                               : QStringLiteral("Faktúra"));
    prepareItems(nextCode(), true);
}

void TfFakd::focusFirstField() { focusField(eCisfaktu); }

int TfFakd::AddCreditNote(TfBrowse* browser) {
    addType_ = QStringLiteral("D");
    int r = 0;
    if (browser)
        browser->commandAdd();
    else
        r = AddRecord();
    addType_ = QStringLiteral("F");
    return browser ? result : r;
}

int TfFakd::ShowRecord() {
    viewing_ = true;
    const int r = TfDbForm::ShowRecord();
    viewing_ = false;
    items().setEditable(true);
    return r;
}

int TfFakd::CopyRecord() {
    copying_ = true;
    const int r = TfDbForm::CopyRecord();
    copying_ = false;
    return r;
}

void TfFakd::LoadFields() {
    TfDbForm::LoadFields();
    type_ = table_.field(QStringLiteral("TYP")).asString();
    if (type_ != QLatin1String("D"))
        type_ = QStringLiteral("F");
    showDm_ = table_.field(QStringLiteral("ZOBRAZDM")).asString();
    source_ = table_.field(QStringLiteral("KDEODB")).asString();
    insurer_ = table_.field(QStringLiteral("DOPLNOK")).asString();
    showAdditionalCurrency();
    FillSupplierBlock();
    if (source_ == QLatin1String("1"))
        FillInsurerCustomerBlock();
    else
        FillCustomerBlock();
    showAccount();
    struct Named {
        QLineEdit* code;
        QLineEdit* name;
        int module;
        const char* key;
        const char* field;
    };
    for (const Named& n : {Named{eKonsts, eKsNazov, module::kKs, "KODKS", "NAZOV"},
                           Named{eSpDopr, eDopravaNazov, module::kDoprava, "KOD", "NAZOV"},
                           Named{eFormaUhr, eUhradaNazov, module::kUhrada, "KOD", "NAZOV"},
                           Named{eMena, eMenaNazov, module::kMena, "KODMENY", "MENA"},
                           Named{eDmena, eDmenaNazov, module::kMena, "KODMENY", "MENA"}}) {
        QString name;
        LookupField(app(), n.module, QString::fromLatin1(n.key), {n.code->text().trimmed()},
                    QString::fromLatin1(n.field), name);
        n.name->setText(name);
    }
    setWindowTitle(type_ == QLatin1String("D") ? QStringLiteral("Dobropis")
                                               : QStringLiteral("Faktúra"));
    if (copying_) {
        proposedNumber_ = NextInvoiceNumber(app());
        eCisfaktu->setText(proposedNumber_);
    }
    // The lines of the record (a copy takes them along) and its totals, with the rates of its
    // own supply date.
    prepareItems(qint64(table_.field(codeField).asFloat()), !viewing_);
    showTotals();
}

void TfFakd::StoreFields() {
    TfDbForm::StoreFields();
    auto set = [&](const char* f, const QVariant& v) {
        (void)table_.field(QString::fromLatin1(f)).setValue(v);
    };
    const QString ico = eIcoOdb->text().trimmed();
    set("ICO_ODB", ico.isEmpty() ? QVariant() : QVariant(ico.toDouble()));
    double ownerIco = 0;
    const QString supplier = OwnerField(app(), QStringLiteral("ICO")).trimmed();
    set("ICO_DOD", DecimalFromText(supplier, ownerIco) ? QVariant(ownerIco) : QVariant());
    QString insurerName;
    if (source_ == QLatin1String("1"))
        LookupField(app(), module::kPoist, QStringLiteral("CPOI"), {insurer_.trimmed()},
                    QStringLiteral("NAZOV"), insurerName);
    set("NAZOV_ODB", source_ == QLatin1String("1") ? insurerName : CompanyDisplayName(app(), ico));
    const RecapTexts recap = items().recapTexts();
    const char* bases[] = {"BEZDPH1", "BEZDPH2", "BEZDPH3"};
    for (int k = 0; k < 3; ++k)
        set(bases[k], vatPayer_ ? QVariant(double(CellNumber(recap.base(k)))) : QVariant(0.0));
    set("SUMA", double(CellNumber(eSuma->text())));
    set("KDEODB", source_);
    set("DOPLNOK", source_ == QLatin1String("1") ? insurer_ : QString());
    if (recordMode == ModeAdd) {
        set("TYP", type_);
        set("ZOBRAZDM", showDm_);
    }
    // A date box holds day.month.year with any of the accepted separators.
    for (QLineEdit* e : {eDatSpl, eDatVys, eDatPln}) {
        const QDate d = DateOfText(e->text());
        if (d.isValid())
            (void)table_.field(e == eDatSpl ? QStringLiteral("DAT_SPL")
                                            : e == eDatVys ? QStringLiteral("DAT_VYS")
                                                           : QStringLiteral("DAT_PLN"))
                .setAsDays(DaysFromDate(d));
    }
}

bool TfFakd::prepareSave() {
    if (recordMode != ModeAdd)
        return true;
    // The number is taken under the save's lock: a proposal another workstation has used
    // since is proposed again, and the series moves on in this transaction.
    QString number;
    if (!IssueInvoiceNumber(app(), proposedNumber_, eCisfaktu->text().trimmed(), number))
        return false;
    if (number != eCisfaktu->text().trimmed()) {
        eCisfaktu->setText(number);
        if (!table_.field(QStringLiteral("CISFAKTU")).setAsString(number))
            return false;
    }
    return true;
}

bool TfFakd::saveDependents() {
    const qint64 code = qint64(table_.field(codeField).asFloat());
    return items().DeleteItems(code) && items().SaveItems(code);
}

bool TfFakd::removeCurrentRecord() {
    const qint64 code = qint64(table_.field(codeField).asFloat());
    return items().DeleteItems(code) && table_.remove();
}

bool TfFakd::checkDate(QLineEdit* edit) {
    const QString text = NormalizeDateSeparators(trimmedText(edit));
    double days = 0;
    if (!ParseDate(text, days)) {
        ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Nesprávny dátum!"),
                   NoticeKind::Information, this);
        return false;
    }
    return true;
}

bool TfFakd::checkCustomer() {
    const QString ico = trimmedText(eIcoOdb);
    if (!IsDigitsOnly(ico)) {
        complain(QStringLiteral("IČO môže obsahovať iba znaky 0-9!"));
        return false;
    }
    if (source_ != QLatin1String("0"))
        return LookupInsurerCustomer();
    if (!LookupOrPick(app(), module::kFirma, QStringLiteral("ICO"), QStringLiteral("NAZOV"),
                      PickMode::LookUp, eNazovOdb, eIcoOdb)) {
        clearCustomer();
        return false;
    }
    FillCustomerBlock();
    return true;
}

bool TfFakd::checkField(QWidget* control) {
    if (control == eCisfaktu) {
        const QString number = trimmedText(eCisfaktu);
        if (number.isEmpty()) {
            ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Číslo faktúry nesmie byť prázdne!"),
                       NoticeKind::Information, this);
            return false;
        }
        if (isDuplicate(QStringLiteral("CISFAKTU"), number)) {
            complain(QStringLiteral("Duplicitné číslo faktúry!"));
            return false;
        }
        return true;
    }
    if (control == eKonsts)
        return lookUpCode(eKonsts, eKsNazov, module::kKs, "KODKS", "NAZOV", false);
    if (control == eIcoOdb)
        return checkCustomer();
    if (control == eUcetDod) {
        const bool ok =
            lookUpCode(eUcetDod, eUcetNazov, module::kUcty, "UCET", "NAZOV", false);
        if (ok)
            showAccount();
        else
            eUcetCislo->clear();
        return ok;
    }
    if (control == eSpDopr)
        return lookUpCode(eSpDopr, eDopravaNazov, module::kDoprava, "KOD", "NAZOV",
                          false);
    if (control == eMena)
        return lookUpCode(eMena, eMenaNazov, module::kMena, "KODMENY", "MENA", false);
    if (control == eFormaUhr)
        return lookUpCode(eFormaUhr, eUhradaNazov, module::kUhrada, "KOD", "NAZOV",
                          false);
    if (control == eDatSpl)
        return checkDate(eDatSpl);
    if (control == eDatVys) {
        if (!checkDate(eDatVys))
            return false;
        // The tax numbers of both parties depend on the issue date.
        FillSupplierBlock();
        if (source_ == QLatin1String("1"))
            FillInsurerCustomerBlock();
        else
            FillCustomerBlock();
        return true;
    }
    if (control == eDatPln) {
        if (!checkDate(eDatPln))
            return false;
        items().setRates(ratesOfTheInvoice());
        return true;
    }
    return true;
}

bool TfFakd::CheckFields() {
    if (!TfDbForm::CheckFields())
        return false;
    // The lines are checked against the rates of this invoice's supply date, however the
    // invoice is confirmed.
    items().setRates(ratesOfTheInvoice());
    if (!items().CheckItems()) {
        focusField(bPolozky);
        return false;
    }
    return true;
}

void TfFakd::editItems() {
    TfPold& pol = items();
    pol.setRates(ratesOfTheInvoice());
    pol.setCreditNote(type_ == QLatin1String("D"));
    pol.setEditable(recordMode != ModeView);
    pol.editItems();
    showTotals();
}

bool TfFakd::setMark(bool marked) {
    WriteLock lock(*table_.database());
    if (!lock.ok() || !table_.edit())
        return false;
    if (!table_.field(QStringLiteral("INDIK")).setAsString(marked ? QStringLiteral("A") : QString()) ||
        !table_.post()) {
        table_.cancel();
        return false;
    }
    return lock.commit();
}

int TfFakd::changeMarks(MarkChange change) {
    if (!OpenTable())
        return 0;
    const qint64 here = table_.bookmark();
    QList<qint64> rows;
    for (table_.first(); !table_.eof(); table_.next())
        rows << table_.bookmark();
    int count = 0;
    for (qint64 row : rows) {
        if (!table_.gotoBookmark(row))
            continue;
        const bool marked = !table_.field(QStringLiteral("INDIK")).asString().isEmpty();
        const bool wanted = change == MarkChange::MarkAll     ? true
                            : change == MarkChange::UnmarkAll ? false
                                                              : !marked;
        if (wanted != marked && setMark(wanted))
            ++count;
    }
    table_.refresh();
    if (!table_.gotoBookmark(here)) {
        table_.first();
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Pravdepodobne nebolo možné nastaviť sa na pôvodný záznam, nakoľko "
                                  "už nevyhovuje výberovej podmienke."),
                   NoticeKind::Information, ownerBrowser);
    }
    return count;
}

QList<QAction*> TfFakd::filterCommands(TfBrowse* browser, QObject* parent) {
    QList<QAction*> out = TfDbForm::filterCommands(browser, parent);
    auto* separator = new QAction(parent);
    separator->setSeparator(true);
    out << separator;
    auto add = [&](const QString& caption, std::function<void()> run) {
        auto* a = new QAction(caption, parent);
        connect(a, &QAction::triggered, this, [this, browser, run] {
            ownerBrowser = browser;
            run();
            if (browser)
                browser->syncGridToTable();
        });
        out << a;
    };
    add(QStringLiteral("Označ / Odznač"), [this] {
        if (OpenTable() && !IsTableEmpty(table_))
            (void)setMark(table_.field(QStringLiteral("INDIK")).asString().isEmpty());
    });
    struct Bulk {
        const char* caption;
        const char* question;
        const char* report;
        MarkChange change;
    };
    const Bulk bulk[] = {
        {"Označ všetky", "Mám naozaj označiť všetky záznamy?",
         "Označovanie záznamov ukončené. Označili ste: %1 záznamov!", MarkChange::MarkAll},
        {"Odznač všetky", "Mám naozaj odznačiť všetky záznamy?",
         "Odznačovanie záznamov ukončené. Odznačili ste: %1 záznamov!", MarkChange::UnmarkAll},
        {"Inverzia", "Mám naozaj zmeniť označenie všetkých záznamov na opačné?",
         "Inverzné označovanie záznamov ukončené. Zmenili sme označenie pre: %1 záznamov!",
         MarkChange::Invert}};
    for (const Bulk& b : bulk)
        add(QString::fromUtf8(b.caption), [this, b] {
            if (AskConfirm(QString::fromUtf8(b.question), ownerBrowser) != 1)
                return;
            const int count = changeMarks(b.change);
            ShowNotice(QStringLiteral("Oznam"), QString::fromUtf8(b.report).arg(count),
                       NoticeKind::Information, ownerBrowser);
        });
    add(QStringLiteral("Vystavené v intervale dátumov"), [this, browser] {
        QDate from(QDate::currentDate().year(), 1, 1);
        QDate to = QDate::currentDate();
        if (!AskDateRange(app(), from, to))
            return;
        const QString f = from.toString(QStringLiteral("dd.MM.yyyy"));
        const QString t = to.toString(QStringLiteral("dd.MM.yyyy"));
        if (!applyFilterText(QStringLiteral("((DAT_VYS >= '%1') and (DAT_VYS <= '%2'))").arg(f, t),
                             QString()))
            return;
        if (browser)
            browser->extraHeading =
                QStringLiteral("Faktúry vystavené v čase od: %1 do: %2").arg(f, t);
    });
    return out;
}

QList<QAction*> TfFakd::otherCommands(TfBrowse* browser, QObject* parent) {
    QList<QAction*> out = TfDbForm::otherCommands(browser, parent);
    auto* a = new QAction(QStringLiteral("Pridaj &dobropis"), parent);
    connect(a, &QAction::triggered, this, [this, browser] {
        ownerBrowser = browser;
        AddCreditNote(browser);
    });
    out << a;

    auto* statistics = new QAction(QStringLiteral("Š&tatistiky"), parent);
    auto* statisticsMenu = new QMenu(qobject_cast<QWidget*>(parent));
    statistics->setMenu(statisticsMenu);
    connect(parent, &QObject::destroyed, statisticsMenu, &QObject::deleteLater);
    for (InvoiceStatistic kind :
         {InvoiceStatistic::MonthsWithVat, InvoiceStatistic::MonthsWithoutVat,
          InvoiceStatistic::CustomersWithVat, InvoiceStatistic::CustomersWithoutVat}) {
        // A non-payer's invoices have no amounts without VAT.
        if (!vatPayer_ && (kind == InvoiceStatistic::MonthsWithoutVat ||
                           kind == InvoiceStatistic::CustomersWithoutVat))
            continue;
        QAction* s = statisticsMenu->addAction(StatisticCaption(kind, vatPayer_));
        s->setStatusTip(StatisticHint(kind, vatPayer_));
        connect(s, &QAction::triggered, this, [this, browser, kind] {
            ownerBrowser = browser;
            ShowStatistics(kind);
        });
    }
    out << statistics << ReceiptCommands(app(), table_, browser, parent);

    // The customer of the current invoice, and the customers of all listed invoices.
    auto customerIcos = [this](bool all) {
        QStringList icos;
        if (!OpenTable() || IsTableEmpty(table_))
            return icos;
        if (!all)
            return QStringList{table_.field(QStringLiteral("ICO_ODBA")).asString()};
        const qint64 here = table_.bookmark();
        for (table_.first(); !table_.eof(); table_.next())
            icos << table_.field(QStringLiteral("ICO_ODBA")).asString();
        (void)table_.gotoBookmark(here);
        return icos;
    };
    auto* comment = new QAction(QStringLiteral("&Komentár ku firme"), parent);
    connect(comment, &QAction::triggered, this, [this, browser, customerIcos] {
        ownerBrowser = browser;
        const QStringList icos = customerIcos(false);
        QString code;
        if (!icos.isEmpty() && LookupField(app(), module::kFirma, QStringLiteral("ICO"),
                                           {icos.first().trimmed()}, QStringLiteral("KOD"), code))
            EditCompanyComment(app(), code.toLongLong(), browser);
    });
    out << comment;
    auto* envelopes = new QAction(QStringLiteral("Obá&lky"), parent);
    auto* menu = new QMenu(qobject_cast<QWidget*>(parent));
    envelopes->setMenu(menu);
    connect(parent, &QObject::destroyed, menu, &QObject::deleteLater);
    const char* letters = "ABCDEFGH";
    for (int i = 0; i < 2 * kEnvelopeFormats; ++i) {
        const int format = i % kEnvelopeFormats;
        const bool all = i >= kEnvelopeFormats;
        QString caption = QStringLiteral("&%1 ").arg(QLatin1Char(letters[i])) +
                          EnvelopeFormatCaption(format);
        if (all)
            caption += QStringLiteral(" pre všetkých");
        QAction* e = menu->addAction(caption);
        connect(e, &QAction::triggered, this, [this, browser, customerIcos, format, all] {
            ownerBrowser = browser;
            const QStringList icos = customerIcos(all);
            if (!icos.isEmpty())
                PrintEnvelopesForCompanies(app(), format, icos, browser);
        });
    }
    out << envelopes;

    auto* bulk = new QAction(QStringLiteral("Hromadné &vymazanie"), parent);
    connect(bulk, &QAction::triggered, this, [this, browser] {
        ownerBrowser = browser;
        deleteRange();
        if (browser)
            browser->filterChanged();
    });
    out << bulk;
    return out;
}

int TfFakd::ShowStatistics(InvoiceStatistic kind) {
    if (!OpenTable())
        return 0;
    // Every invoice the list shows; its order and record come back afterwards.
    const QString order = table_.order();
    const qint64 here = table_.bookmark();
    const InvoiceStatistics result = ComputeInvoiceStatistics(
        app(), table_, kind, vatPayer_, QDate::currentDate().year());
    (void)table_.setOrder(order);
    (void)table_.gotoBookmark(here);
    TfSumarm window(app(), ownerBrowser);
    window.setStatistics(result);
    return window.showModal();
}

int TfFakd::deleteRange() {
    qint64 from = 0, to = 0;
    if (!OpenTable() || !AskCodeRange(app(), from, to))
        return 0;
    const QString range = QStringLiteral("%1-%2").arg(from).arg(to);
    if (AskConfirm(QStringLiteral("Mám vymazať faktúry s kódom v intervale: %1?").arg(range),
                   ownerBrowser) != 1 ||
        AskConfirm(QStringLiteral("Mám naozaj vymazať faktúry s kódom v intervale: %1?").arg(range),
                   ownerBrowser) != 1)
        return 0;
    QList<qint64> rows;
    for (table_.first(); !table_.eof(); table_.next()) {
        const qint64 code = qint64(table_.field(codeField).asFloat());
        if (code >= from && code <= to)
            rows << table_.bookmark();
    }
    int count = 0;
    for (qint64 row : rows) {
        // Each invoice goes with its lines, or not at all.
        WriteLock lock(*table_.database());
        if (lock.ok() && table_.gotoBookmark(row) && removeCurrentRecord() && lock.commit())
            ++count;
    }
    table_.refresh();
    table_.first();
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Vymazávanie ukončené. Vymazali sme %1 záznamov!").arg(count),
               NoticeKind::Information, ownerBrowser);
    return count;
}

bool TfFakd::printInvoices(bool all, bool fromTemplate, QWidget* owner) {
    if (!OpenTable() || IsTableEmpty(table_))
        return false;
    // The list's invoices in list order; the list comes back to the invoice it was on.
    QList<qint64> codes;
    const qint64 here = table_.bookmark();
    if (all) {
        for (table_.first(); !table_.eof(); table_.next())
            codes << qint64(table_.field(codeField).asFloat());
        (void)table_.gotoBookmark(here);
    } else {
        codes << qint64(table_.field(codeField).asFloat());
    }
    return RunReport(
        app().reports,
        [&](ReportWriter& w, const QString& fileName) {
            if (!w.ReportBegin(fileName))
                return false;
            bool ok = true;
            for (int i = 0; i < codes.size() && ok; ++i) {
                if (i > 0)
                    w.ReportNewPage();
                ok = fromTemplate
                         ? PrintInvoiceFromTemplate(app(), codes[i], QStringLiteral("A"), fileName)
                         : PrintInvoice(app(), codes[i], QStringLiteral("A"), fileName);
            }
            return w.ReportEnd() && ok;
        },
        owner);
}

QList<QAction*> TfFakd::printCommands(TfBrowse* browser, QObject* parent) {
    const bool creditNote = OpenTable() && !IsTableEmpty(table_) &&
                            table_.field(QStringLiteral("TYP")).asString() == QLatin1String("D");
    QList<QAction*> out;
    auto add = [&](const QString& caption, const QString& hint, std::function<bool()> run) {
        auto* a = new QAction(caption, parent);
        a->setStatusTip(hint);
        connect(a, &QAction::triggered, this, [this, browser, run] {
            ownerBrowser = browser;
            run();
        });
        out << a;
    };
    add(creditNote ? QStringLiteral("&Tlač dobropisu") : QStringLiteral("&Tlač faktúry"),
        creditNote ? QStringLiteral("Vytlačí aktuálny dobropis")
                   : QStringLiteral("Vytlačí aktuálnu faktúru"),
        [this, browser] { return printInvoices(false, false, browser); });
    add(creditNote ? QStringLiteral("&Dobropis podľa predlohy")
                   : QStringLiteral("&Faktúra podľa predlohy"),
        creditNote ? QStringLiteral("Vytlačí dobropis podľa predlohy")
                   : QStringLiteral("Vytlačí faktúru podľa predlohy"),
        [this, browser] { return printInvoices(false, true, browser); });
    add(QStringLiteral("&Hromadná tlač faktúr"), QString(),
        [this, browser] { return printInvoices(true, false, browser); });
    add(QStringLiteral("H&romadná tlač podľa predlohy"), QString(),
        [this, browser] { return printInvoices(true, true, browser); });
    add(QStringLiteral("&Zoznam faktúr"), QString(), [this, browser] {
        return TfDbForm::PrintList(browser, browser ? browser->extraHeading : QString());
    });
    return out;
}

bool TfFakd::PrintList(TfBrowse* browser, const QString&) {
    ownerBrowser = browser;
    QMenu menu(browser);
    menu.addActions(printCommands(browser, &menu));
    RouteMenuLetters(&menu);
    // Enter prints the current invoice at once.
    menu.setActiveAction(menu.actions().value(0));
    menu.exec(browser ? browser->mapToGlobal(browser->rect().center()) : QCursor::pos());
    return true;
}

} // namespace vidoraw
