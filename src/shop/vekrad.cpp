#include "shop/vekrad.h"

#include "core/interaction.h"
#include "core/values.h"
#include "framework/tfbrowse.h"
#include "shop/cardtotals.h"
#include "framework/notes.h"
#include "vouchers/eyedatagrid.h"
#include "vouchers/prescription.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>

namespace vidoraw {

namespace {

QString Today() { return FormatDate(DaysFromDate(QDate::currentDate())); }

QString Shown(double value) { return FloatAsText(value); }

} // namespace

TfVekrad::TfVekrad(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Poradie:"));
    eDatum = rows().addRow(QStringLiteral("Dátum zaradenia:"), 10, 11);
    FormRows::makeDisplayOnly(eDatum);
    ePriezvisk = rows().addRow(QStringLiteral("Priezvisko:"), 25);
    eMeno = rows().addRow(QStringLiteral("Meno:"), 15);
    eTelefon = rows().addRow(QStringLiteral("Telefón:"), 60, 40);
    eUlica = rows().newEdit(35, 24);
    eCislo = rows().newEdit(10, 8);
    rows().addPairRow(QStringLiteral("Ulica:"), eUlica, QStringLiteral("Číslo:"), eCislo);
    eObec = rows().addRow(QStringLiteral("Obec:"), 35);
    ePsc = rows().newEdit(5, 6);
    eDodposta = rows().newEdit(35, 20);
    FormRows::makeDisplayOnly(eDodposta);
    rows().addPairRow(QStringLiteral("PSČ:"), ePsc, QStringLiteral("Dodávacia pošta:"), eDodposta);
    eyes = new EyeDataGrid(this);
    rows().addWide(eyes);
    eRam = rows().addRow(QStringLiteral("Rám:"), 50, 40);

    auto price = [this](QLineEdit* display = nullptr) {
        QLineEdit* e = display ? display : rows().newEdit(20, 10);
        e->setAlignment(Qt::AlignRight);
        return e;
    };
    eCenar = price();
    eZlavarperc = price();
    eZlavarsuma = price(rows().newEdit(20, 10));
    ePoZlave = price(rows().newEdit(20, 10));
    for (QLineEdit* e : {eZlavarsuma, ePoZlave})
        FormRows::makeDisplayOnly(e);
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(eCenar);
    row->addWidget(new QLabel(QStringLiteral("Zľava (%):"), this));
    row->addWidget(eZlavarperc);
    row->addWidget(new QLabel(QStringLiteral("Zľava (suma):"), this));
    row->addWidget(eZlavarsuma);
    row->addWidget(new QLabel(QStringLiteral("Cena po zľave:"), this));
    row->addWidget(ePoZlave);
    row->addStretch(1);
    rows().addRow(QStringLiteral("Cena rámu:"), row);
    eSkla = rows().newEdit(50, 30);
    eCenas = price();
    rows().addPairRow(QStringLiteral("Sklá:"), eSkla, QStringLiteral("Cena skiel:"), eCenas);
    eCenarecept = price();
    rows().addRow(QStringLiteral("Recept:"), eCenarecept);
    eIne = rows().newEdit(50, 30);
    eCenai = price();
    rows().addPairRow(QStringLiteral("Iné:"), eIne, QStringLiteral("Cena:"), eCenai);
    eCelkom = price(rows().newEdit(20, 10));
    FormRows::makeDisplayOnly(eCelkom);
    rows().addRow(QStringLiteral("Celkom:"), eCelkom);
    eNotes = new QPlainTextEdit(this);
    eNotes->setTabChangesFocus(true);
    eNotes->setFixedHeight(eNotes->fontMetrics().lineSpacing() * 5 + 12);
    eNotes->setMinimumWidth(eNotes->fontMetrics().averageCharWidth() * 60);
    rows().addRow(QStringLiteral("Poznámky:"), eNotes);
    finishLayout();
    bbOk->setText(QStringLiteral("&Uložiť"));
    bTlac = new QPushButton(QStringLiteral("&Tlač"), bbOk->parentWidget());
    bTlac->setAutoDefault(false);
    bTlac->setMinimumWidth(90);
    if (auto* strip = qobject_cast<QHBoxLayout*>(bbOk->parentWidget()->layout()))
        strip->insertWidget(0, bTlac);
    connect(bTlac, &QPushButton::clicked, this, &TfVekrad::PrintCard);

    eObecKey_ = new QLineEdit(this);
    eObecKey_->setVisible(false);
    eObecKey_->setFocusPolicy(Qt::NoFocus);

    bind(eDatum, QStringLiteral("DATUM"));
    bind(eMeno, QStringLiteral("MENO"));
    bind(ePriezvisk, QStringLiteral("PRIEZVISK"));
    bind(eTelefon, QStringLiteral("TELEFON"));
    bind(eUlica, QStringLiteral("ULICA"));
    bind(eCislo, QStringLiteral("CISLO"));
    bind(eObec, QStringLiteral("OBEC"));
    bind(ePsc, QStringLiteral("PSC"));
    bind(eDodposta, QStringLiteral("DODPOSTA"));
    eyes->bindTo(*this);
    bind(eRam, QStringLiteral("RAM"));
    bind(eCenar, QStringLiteral("CENAR"));
    bind(eZlavarperc, QStringLiteral("ZLAVARPERC"));
    bind(eZlavarsuma, QStringLiteral("ZLAVARSUMA"));
    bind(eSkla, QStringLiteral("SKLA"));
    bind(eCenas, QStringLiteral("CENAS"));
    bind(eCenarecept, QStringLiteral("CENARECEPT"));
    bind(eIne, QStringLiteral("INE"));
    bind(eCenai, QStringLiteral("CENAI"));
    bind(eCelkom, QStringLiteral("CELKOM"));
    checkedFields = {ePriezvisk, eMeno,       eObec,       ePsc,        eyes->eDialky,
                     eyes->eBlizko, eCenar,   eZlavarperc, eZlavarsuma, eCenas,
                     eCenarecept,   eCenai};

    onPickKeys(eObec, [this] { PickMunicipality(this->app(), address()); });
    onPickKeys(ePsc, [this] { PickPostalCode(this->app(), address()); });
    DefineList();
}

TableSchema TfVekrad::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},       {"DATUM", 'D', 0},     {"MENO", 'A', 15},
                {"PRIEZVISK", 'A', 25}, {"TELEFON", 'A', 60}, {"ULICA", 'A', 35},
                {"CISLO", 'A', 10},     {"OBEC", 'A', 35},    {"PSC", 'A', 5},
                {"DODPOSTA", 'A', 35},  {"DIALKY", 'I', 0},   {"BLIZKO", 'I', 0}};
    for (const QString& eye : EyeFieldNames())
        s.fields << FieldDef{eye, 'A', 6};
    s.fields << FieldDef{"RAM", 'A', 50} << FieldDef{"CENAR", 'F', 0}
             << FieldDef{"ZLAVARPERC", 'F', 0} << FieldDef{"ZLAVARSUMA", 'F', 0}
             << FieldDef{"SKLA", 'A', 50} << FieldDef{"CENAS", 'F', 0}
             << FieldDef{"CENARECEPT", 'F', 0} << FieldDef{"INE", 'A', 50}
             << FieldDef{"CENAI", 'F', 0} << FieldDef{"CELKOM", 'F', 0};
    s.indexes = {IndexDef::Primary({"KOD"}),
                 IndexDef::Secondary("Datum", {"DATUM"}, true),
                 IndexDef::Secondary("Priezvisk", {"PRIEZVISK"}, true),
                 IndexDef::Secondary("Meno", {"MENO"}, true),
                 IndexDef::Secondary("Psc", {"PSC"}, true),
                 IndexDef::Secondary("Ulica", {"ULICA"}, true),
                 IndexDef::Secondary("Obec", {"OBEC"}, true),
                 IndexDef::Secondary("Dodposta", {"DODPOSTA"}, true)};
    return s;
}

void TfVekrad::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "DATUM", "PRIEZVISK", "MENO", "PSC", "ULICA", "OBEC", "DODPOSTA"};
    list.orderTitles = {"Kód", "Dátum", "Priezvisko", "Meno", "PSČ", "Ulica", "Obec",
                        "Dodávacia pošta"};
    list.printFields = {"KOD", "DATUM", "PRIEZVISK", "MENO"};
    list.printTitles = {"Kód", "Dátum", "Priezvisko", "Meno"};
    list.listTitle = QStringLiteral("Zoznam kariet");
    list.printHeading = {list.listTitle};
    list.finish();
}

AddressEdits TfVekrad::address() const { return {eObec, ePsc, eDodposta, eObecKey_}; }

Table* TfVekrad::notesTable() {
    RecordModule* notes = app().registry.module(module::kKoment);
    return notes && notes->OpenTable() ? &notes->table() : nullptr;
}

// ---- Record operations ----

int TfVekrad::AddRecord() {
    eNotes->clear();
    ePoZlave->clear();
    eObecKey_->clear();
    return TfDbForm::AddRecord();
}

void TfVekrad::proposeNewValues() {
    eDatum->setText(Today());
    for (QLineEdit* e : {eyes->eDialky, eyes->eBlizko, eCenar, eZlavarperc, eZlavarsuma, ePoZlave,
                         eSkla, eCenas, eCenarecept, eIne, eCenai, eCelkom})
        e->setText(QStringLiteral("0"));
}

int TfVekrad::CopyRecord() {
    copying_ = true;
    const int r = TfDbForm::CopyRecord();
    copying_ = false;
    return r;
}

void TfVekrad::focusFirstField() { focusField(ePriezvisk); }

void TfVekrad::showEvent(QShowEvent* event) {
    emptyNameAccepted_ = false;
    TfDbForm::showEvent(event);
}

void TfVekrad::LoadFields() {
    TfDbForm::LoadFields();
    UpdateTotals();
    FormMunicipalityKey(address());
    Table* notes = notesTable();
    eNotes->setPlainText(notes ? LoadNotes(*notes, table_.field(codeField).asInteger()) : QString());
    if (copying_)
        eDatum->setText(Today()); // a copy is a card opened today
}

void TfVekrad::StoreFields() {
    TfDbForm::StoreFields();
    Table* notes = notesTable();
    double code = 0;
    // Inside the card's write lock: a failure here takes the card's save back with it.
    if (!notes || !DecimalFromText(eKod->text(), code) ||
        !SaveNotes(*notes, qint64(code), eNotes->toPlainText(), nullptr))
        table_.field(codeField).clear();
}

bool TfVekrad::removeCurrentRecord() {
    Table* notes = notesTable();
    const qint64 code = table_.field(codeField).asInteger();
    return notes && RemoveNotes(*notes, code) && table_.remove();
}

// ---- Prices ----

void TfVekrad::UpdateTotals() {
    CardPrices p;
    const std::pair<QLineEdit*, double*> prices[] = {{eCenar, &p.frame},
                                                     {eZlavarperc, &p.discountPercent},
                                                     {eCenas, &p.lenses},
                                                     {eCenarecept, &p.prescription},
                                                     {eCenai, &p.other}};
    for (const auto& [edit, value] : prices) {
        const QString text = NormalizeDecimal(edit->text().trimmed());
        if (text != edit->text())
            edit->setText(text);
        *value = CardPrice(text);
    }
    const CardAmounts a = CardTotals(p);
    eZlavarsuma->setText(Shown(a.discount));
    ePoZlave->setText(Shown(a.afterDiscount));
    eCelkom->setText(Shown(a.total));
}

bool TfVekrad::checkPrice(QLineEdit* edit) {
    const QString text = NormalizeDecimal(edit->text().trimmed());
    if (text != edit->text())
        edit->setText(text);
    return CheckDecimal(text, edit);
}

// ---- Checks ----

bool TfVekrad::checkOnLeave(QWidget* control) {
    if (control == ePsc && recordMode != ModeView)
        FormMunicipalityKey(address());
    const bool passed = TfDbForm::checkOnLeave(control);
    if (recordMode != ModeView &&
        (control == eCenar || control == eZlavarperc || control == eCenas ||
         control == eCenarecept || control == eCenai))
        UpdateTotals();
    return passed;
}

bool TfVekrad::checkField(QWidget* control) {
    if (control == ePriezvisk) {
        if (trimmedText(ePriezvisk).isEmpty()) {
            complain(QStringLiteral("Priezvisko nesmie byť prázdne!"));
            return false;
        }
        return true;
    }
    if (control == eMeno) {
        if (!trimmedText(eMeno).isEmpty() || emptyNameAccepted_)
            return true;
        emptyNameAccepted_ =
            AskConfirm(QStringLiteral("Meno klienta by nemalo byť prázdne! Mám aj napriek tomu "
                                      "pokračovať?"),
                       this) == 1;
        return emptyNameAccepted_;
    }
    if (control == eObec)
        return CheckMunicipality(app(), address());
    if (control == ePsc)
        return CheckPostalCode(app(), address());
    if (control == eyes->eDialky || control == eyes->eBlizko)
        return CheckInteger(trimmedText(static_cast<QLineEdit*>(control)), this);
    if (auto* e = qobject_cast<QLineEdit*>(control))
        return checkPrice(e);
    return true;
}

// ---- Printing ----

void TfVekrad::PrintCard() {
    if (AskConfirm(QStringLiteral("Mám naozaj vytlačiť formulár?"), this) != 1)
        return;
    QPrinter& printer = app().reports.printer();
    if (!PrintDialog(printer, this))
        return;
    const QPixmap image = grab();
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowNotice(QStringLiteral("Chyba"), QStringLiteral("Tlač sa nepodarila."),
                   NoticeKind::Error, this);
        return;
    }
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawPixmap(0, 0, image);
    painter.end();
}

} // namespace vidoraw
