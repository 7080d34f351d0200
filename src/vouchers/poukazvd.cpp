#include "vouchers/poukazvd.h"

#include "core/interaction.h"
#include "core/values.h"
#include "framework/systemrecord.h"
#include "framework/tfbrowse.h"
#include "vouchers/aidcode.h"
#include "vouchers/birthnumber.h"
#include "vouchers/clientkey.h"
#include "vouchers/cudzipoistenecf.h"
#include "vouchers/eyedatagrid.h"
#include "vouchers/lensnames.h"
#include "vouchers/prescription.h"

#include <QAction>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace vidoraw {

namespace {

QString DateText(const QDate& date) {
    return date.isValid() ? FormatDate(DaysFromDate(date)) : QString();
}

QHBoxLayout* Row() {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    return row;
}

const QString kFrequentMissing = QStringLiteral("Zoznam častých poukazov nie je k dispozícii.");

} // namespace

TfPoukazvd::TfPoukazvd(AppContext& app, int number) : TfDbForm(app, number) {
    buildLayout();

    bind(eRodcis, QStringLiteral("RODCIS"));
    bind(eStatpoi, QStringLiteral("STATPOI"));
    bind(eIcpoi, QStringLiteral("ICPOI"));
    bind(ePohlpoi, QStringLiteral("POHLPOI"));
    bind(eKodklient, QStringLiteral("KODKLIENT"));
    bind(eMeno, QStringLiteral("MENO"));
    bind(ePriezvisk, QStringLiteral("PRIEZVISK"));
    bind(eUlica, QStringLiteral("ULICA"));
    bind(eCislo, QStringLiteral("CISLO"));
    bind(eObec, QStringLiteral("OBEC"));
    bind(ePsc, QStringLiteral("PSC"));
    bind(eDodposta, QStringLiteral("DODPOSTA"));
    bind(eKodpoikl, QStringLiteral("KODPOIKL"));
    eyes->bindTo(*this);
    bind(eKods, QStringLiteral("KODS"));
    bind(eKodr, QStringLiteral("KODR"));
    bind(eNazr, QStringLiteral("NAZR"));
    bind(eKodks, QStringLiteral("KODKS"));
    bind(eKodlek, QStringLiteral("KODLEK"));
    bind(eKodpoilek, QStringLiteral("KODPOILEK"));
    bind(eKodpec, QStringLiteral("KODPEC"));
    bind(eKoddiag, QStringLiteral("KODDIAG"));
    for (int i = 0; i < 4; ++i) {
        bind(lines[i].code, AidLineField("KODOP", i));
        bind(lines[i].count, AidLineField("POCET", i));
        bind(lines[i].insurer, AidLineField("SUMAPOI", i));
        bind(lines[i].patient, AidLineField("SUMAPAC", i));
    }
    bind(eDatum, QStringLiteral("DATUM"));
    bind(eDatumvyd, QStringLiteral("DATUMVYD"));

    checkedFields = {eRodcis, eKodpoikl, eyes->eDialky, eyes->eBlizko, eKods, eKodr, eKodks,
                     eKodlek, eKoddiag};
    for (const AidLine& l : lines)
        checkedFields << l.code << l.count << l.insurer << l.patient;
    checkedFields << eDatum << eDatumvyd;

    // The prescription grid needs Up and Down for its columns.
    eyes->moveWithinColumns(this);

    auto pick = [this](QLineEdit* code, std::function<void()> run) {
        onPickKeys(code, [this, run] {
            if (recordMode != ModeView)
                run();
        });
    };
    pick(eRodcis, [this] { pickClient(); });
    pick(eKodpoikl, [this] {
        LookupOrPick(this->app(), module::kPoist, "CPOI", "NAZOV", PickMode::Pick, eNazovPoikl,
                     eKodpoikl);
    });
    pick(eKodlek, [this] {
        if (LookupOrPick(this->app(), module::kLekar, "KOD", "PRIEZVISK", PickMode::Pick, nullptr,
                         eKodlek))
            showDoctor(true);
    });
    pick(eKoddiag, [this] {
        LookupOrPick(this->app(), module::kDg, "KODD", "NAZOV", PickMode::Pick, eNazovDiag,
                     eKoddiag);
    });
    pick(eKods, [this] {
        LookupOrPick(this->app(), module::kTypskl, "KOD", "NAZOV", PickMode::Pick, eNazovS, eKods);
    });
    pick(eKodr, [this] {
        LookupOrPick(this->app(), module::kTypram, "KOD", "NAZOV", PickMode::Pick, eNazovR, eKodr);
    });
    pick(eKodks, [this] {
        if (LookupOrPick(this->app(), module::kTypks, "KOD", "NAZOV", PickMode::Pick, nullptr,
                         eKodks))
            eNazovKs->setText(ContactLensTypeName(this->app(), eKodks->text()));
    });
    for (int i = 0; i < 4; ++i) {
        pick(lines[i].code, [this, i] {
            if (LookupOrPick(this->app(), module::kOptpom, "KODPOM", "NAZOV", PickMode::Pick,
                             lines[i].name, lines[i].code))
                aids->checkCode(i);
        });
        for (QLineEdit* e : {lines[i].code, lines[i].count, lines[i].insurer, lines[i].patient})
            e->installEventFilter(this); // F5
    }
    DefineList();
}

void TfPoukazvd::buildLayout() {
    addCodeRow(QStringLiteral("Kód:"));
    ePoradie = rows().newEdit(0, 6);
    FormRows::makeDisplayOnly(ePoradie);
    rows().addRow(QStringLiteral("Poradové číslo:"), ePoradie);
    rows().form->setRowVisible(ePoradie, false);

    eRodcis = rows().newEdit(11, 12);
    eStatpoi = rows().newEdit(3, 4);
    eIcpoi = rows().newEdit(20, 16);
    ePohlpoi = rows().newEdit(1, 2);
    for (QLineEdit* e : {eStatpoi, eIcpoi, ePohlpoi})
        FormRows::makeDisplayOnly(e);
    QHBoxLayout* row = Row();
    row->addWidget(eRodcis);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Cudzí poistenec (F8):"), this));
    row->addWidget(eStatpoi);
    row->addWidget(eIcpoi);
    row->addWidget(ePohlpoi);
    row->addStretch(1);
    rows().addRow(QStringLiteral("Rodné číslo:"), row);

    eKodklient = rows().newEdit(0, 6);
    eTitul = rows().newEdit(10, 6);
    eMeno = rows().newEdit(20, 12);
    ePriezvisk = rows().newEdit(30, 18);
    eUlica = rows().newEdit(30, 18);
    eCislo = rows().newEdit(10, 6);
    ePsc = rows().newEdit(5, 6);
    eObec = rows().newEdit(30, 16);
    eDodposta = rows().newEdit(30, 16);
    eMail = rows().newEdit(40, 20);
    eTel = rows().newEdit(20, 12);
    eMobil = rows().newEdit(25, 12);
    for (QLineEdit* e : {eKodklient, eTitul, eMeno, ePriezvisk, eUlica, eCislo, ePsc, eObec,
                         eDodposta, eMail, eTel, eMobil})
        FormRows::makeDisplayOnly(e);
    row = Row();
    for (QLineEdit* e : {eKodklient, eTitul, eMeno, ePriezvisk})
        row->addWidget(e);
    row->addStretch(1);
    rows().addRow(QStringLiteral("Klient:"), row);
    row = Row();
    for (QLineEdit* e : {eUlica, eCislo, ePsc, eObec, eDodposta})
        row->addWidget(e);
    row->addStretch(1);
    rows().addRow(QStringLiteral("Adresa:"), row);
    row = Row();
    row->addWidget(new QLabel(QStringLiteral("Mail:"), this));
    row->addWidget(eMail);
    row->addWidget(new QLabel(QStringLiteral("Telefón:"), this));
    row->addWidget(eTel);
    row->addWidget(new QLabel(QStringLiteral("Mobil:"), this));
    row->addWidget(eMobil);
    row->addStretch(1);
    rows().addRow(QString(), row);

    eKodpoikl = rows().newEdit(4, 6);
    eNazovPoikl = rows().newEdit(40, 30);
    FormRows::makeDisplayOnly(eNazovPoikl);
    rows().addPairRow(QStringLiteral("Poisťovňa:"), eKodpoikl, QString(), eNazovPoikl);

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

    eKodlek = rows().newEdit(0, 8);
    eMenoLek = rows().newEdit(0, 30);
    FormRows::makeDisplayOnly(eMenoLek);
    rows().addPairRow(QStringLiteral("Lekár:"), eKodlek, QString(), eMenoLek);
    eKodnewLek = rows().newEdit(9, 10);
    eKodpzsLek = rows().newEdit(12, 13);
    eKodpoilek = rows().newEdit(4, 5);
    eKodpec = rows().newEdit(11, 12);
    for (QLineEdit* e : {eKodnewLek, eKodpzsLek, eKodpoilek, eKodpec})
        FormRows::makeDisplayOnly(e);
    row = Row();
    row->addWidget(new QLabel(QStringLiteral("Nový kód:"), this));
    row->addWidget(eKodnewLek);
    row->addWidget(new QLabel(QStringLiteral("Kód PZS:"), this));
    row->addWidget(eKodpzsLek);
    row->addWidget(new QLabel(QStringLiteral("Poisťovňa:"), this));
    row->addWidget(eKodpoilek);
    row->addWidget(new QLabel(QStringLiteral("Starý kód:"), this));
    row->addWidget(eKodpec);
    row->addStretch(1);
    rows().addRow(QString(), row);

    eKoddiag = rows().newEdit(6, 8);
    eNazovDiag = rows().newEdit(0, 40);
    FormRows::makeDisplayOnly(eNazovDiag);
    rows().addPairRow(QStringLiteral("Diagnóza:"), eKoddiag, QString(), eNazovDiag);

    aids = new AidLinesBox(app(), true, this);
    lines = aids->lines;
    eSpoluPoi = aids->insurerSum;
    eSpoluPac = aids->patientSum;
    rows().addWide(aids);

    eDatum = rows().newEdit(10, 11);
    eDatumvyd = rows().newEdit(10, 11);
    row = Row();
    row->addWidget(eDatum);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Výdaj:"), this));
    row->addWidget(eDatumvyd);
    row->addStretch(1);
    rows().addRow(QStringLiteral("Predpis:"), row);
    finishLayout();
}

TableSchema TfPoukazvd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},        {"KODFA", 'F', 0},     {"KODDAV", 'F', 0},
                {"KODLEK", 'F', 0},     {"KODKLIENT", 'F', 0}, {"KODDIAG", 'A', 6},
                {"KODPEC", 'A', 11},    {"KODPOILEK", 'A', 4}, {"RODCIS", 'A', 11},
                {"KODPOIKL", 'A', 4},   {"TITUL", 'A', 10},    {"MENO", 'A', 20},
                {"PRIEZVISK", 'A', 30}, {"OBEC", 'A', 30},     {"ULICA", 'A', 30},
                {"CISLO", 'A', 10},     {"DODPOSTA", 'A', 30}, {"PSC", 'A', 5},
                {"DIALKY", 'I', 0},     {"BLIZKO", 'I', 0}};
    for (const QString& eye : EyeFieldNames())
        s.fields << FieldDef{eye, 'A', 6};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{AidLineField("KODOP", i), 'A', 5};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{AidLineField("SUMAPOI", i), 'F', 0};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{AidLineField("SUMAPAC", i), 'F', 0};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{AidLineField("POCET", i), 'I', 0};
    s.fields << FieldDef{"DATUM", 'D', 0} << FieldDef{"DATUMVYD", 'D', 0}
             << FieldDef{"KODODLEK", 'A', 13} << FieldDef{"STATPOI", 'A', 3}
             << FieldDef{"ICPOI", 'A', 20} << FieldDef{"POHLPOI", 'A', 1} << FieldDef{"KODR", 'F', 0}
             << FieldDef{"KODS", 'F', 0} << FieldDef{"NAZR", 'A', 60} << FieldDef{"KODKS", 'F', 0};
    s.indexes = {IndexDef::Primary({"KOD"}),
                 IndexDef::Secondary("Priezvisk", {"PRIEZVISK"}, true),
                 IndexDef::Secondary("Rodcis", {"RODCIS"}, true),
                 IndexDef::Secondary("KodfaKoddavKod", {"KODFA", "KODDAV", "KOD"}, true),
                 IndexDef::Secondary("KodfaKoddavRodcis", {"KODFA", "KODDAV", "RODCIS"}, true),
                 IndexDef::Secondary("KodfaKoddavPriezvisk", {"KODFA", "KODDAV", "PRIEZVISK"}, true),
                 IndexDef::Secondary("KodklientDatum", {"KODKLIENT", "DATUM"}, true)};
    return s;
}

void TfPoukazvd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "RODCIS", "PRIEZVISK"};
    list.orderTitles = {"Kód", "Rodné číslo", "Priezvisko"};
    list.printFields = list.orderFields;
    list.printTitles = list.orderTitles;
    list.listTitle = QStringLiteral("Zoznam poukazov");
    list.printHeading = {list.listTitle};
    // Birth numbers that fail modulo 11 stand out while the system record asks for it.
    list.markField = QStringLiteral("RODCIS");
    list.markCell = [this](const QString& number) {
        return !markBirthNumbers_ || BirthNumberValid(number);
    };
    list.finish();
}

void TfPoukazvd::prepareList() { markBirthNumbers_ = SystemFlag(app(), QStringLiteral("RCMOD11")); }

// ---- Batch context and permissions ----

void TfPoukazvd::setBatchContext(const VoucherBatchContext& context) {
    if (context.invoiceCode != context_.invoiceCode || context.batchCode != context_.batchCode)
        seriesDates_.reset();
    context_ = context;
    ePoradie->setText(context_.sequenceNumber > 0 ? QString::number(context_.sequenceNumber)
                                                  : QString());
    rows().form->setRowVisible(ePoradie, context_.sequenceNumber > 0);
}

void TfPoukazvd::leaveBatch() {
    context_.mayChange = false;
    context_.sequenceNumber = 0;
    ePoradie->clear();
    rows().form->setRowVisible(ePoradie, false);
}

void TfPoukazvd::beginAddingSeries() { seriesDates_.reset(); }

bool TfPoukazvd::permitted(const QString& refusal) {
    if (context_.mayChange)
        return true;
    QWidget* owner = ownerBrowser ? ownerBrowser.data() : app().mainWindow;
    ShowNotice(QStringLiteral("Oznam"), refusal, NoticeKind::Information, owner);
    return false;
}

void TfPoukazvd::prepareShowing() {
    clearShownOnly();
    // "A": the patient's payment is not read into vouchers; the amounts stay as loaded.
    const bool patientAmounts = !SystemFlag(app(), QStringLiteral("PACNIE"));
    for (const AidLine& l : lines)
        l.patient->setEnabled(patientAmounts);
}

void TfPoukazvd::clearShownOnly() {
    for (QLineEdit* e : {eTitul, eMail, eTel, eMobil, eNazovPoikl, eNazovS, eNazovR, eNazovKs,
                         eMenoLek, eKodnewLek, eKodpzsLek, eNazovDiag, eSpoluPoi, eSpoluPac})
        e->clear();
    for (const AidLine& l : lines)
        l.name->clear();
}

int TfPoukazvd::AddRecord() {
    if (!permitted(QStringLiteral("Pridávanie poukazov je možné cez voľbu Faktúry | Faktúry "
                                  "poisťovne!")))
        return 0;
    prepareShowing();
    return TfDbForm::AddRecord();
}

int TfPoukazvd::CopyRecord() {
    if (!permitted(QStringLiteral("Pridávanie poukazov je možné cez voľbu Faktúry | Faktúry "
                                  "poisťovne!")))
        return 0;
    prepareShowing();
    return TfDbForm::CopyRecord();
}

int TfPoukazvd::EditRecord() {
    if (!permitted(QStringLiteral("Oprava poukazov je možné cez voľbu Faktúry | Faktúry "
                                  "poisťovne!")))
        return 0;
    prepareShowing();
    return TfDbForm::EditRecord();
}

int TfPoukazvd::DeleteRecord() {
    if (!permitted(QStringLiteral("Vymazávanie poukazov je možné cez voľbu Faktúry | Faktúry "
                                  "poisťovne!")))
        return 0;
    prepareShowing();
    return TfDbForm::DeleteRecord();
}

int TfPoukazvd::ShowRecord() {
    prepareShowing();
    return TfDbForm::ShowRecord();
}

void TfPoukazvd::proposeNewValues() {
    if (seriesDates_) {
        eDatum->setText(seriesDates_->first);
        eDatumvyd->setText(seriesDates_->second);
    } else {
        eDatum->setText(DateText(context_.prescriptionDate));
        eDatumvyd->setText(DateText(context_.dispensingDate));
    }
    aids->rememberTexts();
    aids->updateTotals();
}

void TfPoukazvd::focusFirstField() { focusField(eRodcis); }

void TfPoukazvd::LoadFields() {
    TfDbForm::LoadFields();
    showClientOrKeepNames();
    QString name;
    if (!eKodpoikl->text().trimmed().isEmpty())
        LookupField(app(), module::kPoist, QStringLiteral("CPOI"), {eKodpoikl->text().trimmed()},
                    QStringLiteral("NAZOV"), name);
    eNazovPoikl->setText(name);
    eNazovS->setText(LensTypeName(app(), eKods->text()));
    eNazovR->setText(FrameTypeName(app(), eKodr->text()));
    eNazovKs->setText(ContactLensTypeName(app(), eKodks->text()));
    showDoctor(false);
    name.clear();
    if (!eKoddiag->text().trimmed().isEmpty())
        LookupField(app(), module::kDg, QStringLiteral("KODD"), {eKoddiag->text().trimmed()},
                    QStringLiteral("NAZOV"), name);
    eNazovDiag->setText(name);
    for (int i = 0; i < 4; ++i)
        aids->showName(i);
    aids->rememberTexts();
    aids->updateTotals();
}

void TfPoukazvd::StoreFields() {
    TfDbForm::StoreFields();
    if (recordMode == ModeAdd) {
        table_.field(QStringLiteral("KODFA")).setValue(context_.invoiceCode);
        table_.field(QStringLiteral("KODDAV")).setValue(context_.batchCode);
    }
}

bool TfPoukazvd::closeWithOk() {
    const bool adding = recordMode == ModeAdd;
    if (!TfDbForm::closeWithOk())
        return false;
    if (adding) {
        seriesDates_ = std::make_pair(eDatum->text(), eDatumvyd->text());
        lastRodcis_ = eRodcis->text();
        lastKodlek_ = eKodlek->text();
    }
    return true;
}

// ---- Keys ----

bool TfPoukazvd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && recordMode != ModeView) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->modifiers() == Qt::NoModifier) {
            if (watched == eRodcis && k->key() == Qt::Key_F8) {
                foreignInsured();
                return true;
            }
            if (watched == eRodcis && k->key() == Qt::Key_F9) {
                recallLast();
                return true;
            }
            if (k->key() == Qt::Key_F5 && aids->lineOf(watched) >= 0 &&
                watched != lines[aids->lineOf(watched)].name) {
                fillFromFrequent();
                return true;
            }
        }
    }
    return TfDbForm::eventFilter(watched, event);
}

void TfPoukazvd::foreignInsured() {
    TfCudziPoistenecf dialog(app(), this);
    dialog.eStat->setText(eStatpoi->text());
    dialog.eIc->setText(eIcpoi->text());
    dialog.ePohlavie->setText(ePohlpoi->text());
    dialog.centreOver(this);
    if (dialog.showModal() != QDialog::Accepted)
        return;
    eStatpoi->setText(dialog.eStat->text().trimmed());
    eIcpoi->setText(dialog.eIc->text().trimmed());
    ePohlpoi->setText(dialog.ePohlavie->text().trimmed());
    // The key changed: the client is the one of the new key, or none.
    lookUpClient(recordMode == ModeAdd);
}

void TfPoukazvd::recallLast() {
    if (lastRodcis_.isEmpty() && lastKodlek_.isEmpty())
        return;
    eRodcis->setText(lastRodcis_);
    eKodlek->setText(lastKodlek_);
    lookUpClient(recordMode == ModeAdd);
    showDoctor(true);
}

void TfPoukazvd::pickClient() {
    if (pickClientFromList())
        paintField(eRodcis, Colour::Normal);
}

bool TfPoukazvd::pickClientFromList() {
    if (!LookupOrPick(app(), module::kKlient, "RODCIS", "RODCIS", PickMode::Pick, nullptr, eRodcis))
        return false;
    // The pick list leaves the client's table on the picked client.
    RecordModule* clients = app().registry.module(module::kKlient);
    if (!clients)
        return false;
    Table& t = clients->table();
    eRodcis->setText(t.field(QStringLiteral("RODCIS")).asString());
    eStatpoi->setText(t.field(QStringLiteral("STATPOI")).asString());
    eIcpoi->setText(t.field(QStringLiteral("ICPOI")).asString());
    ePohlpoi->setText(t.field(QStringLiteral("POHLPOI")).asString());
    lookUpClient(recordMode == ModeAdd);
    return true;
}

void TfPoukazvd::fillFromFrequent() {
    if (!app().registry.hasFactory(module::kCispou)) {
        ShowNotice(QStringLiteral("Oznam"), kFrequentMissing, NoticeKind::Information, this);
        return;
    }
    RecordModule* frequent = app().registry.module(module::kCispou);
    if (!frequent || !frequent->OpenTable())
        return;
    TfBrowse picker(app(), this);
    const QString order = frequent->table().order();
    const bool picked = picker.Browse(module::kCispou, TfBrowse::DefaultButtons(), true);
    Table& t = frequent->table();
    if (picked) {
        const bool patientAmounts = lines[0].patient->isEnabled();
        auto value = [&](const char* name, int line) {
            const QString v = t.field(AidLineField(name, line)).asString();
            return v == QLatin1String("0") ? QString() : v;
        };
        for (int i = 0; i < 4; ++i) {
            lines[i].code->setText(value("KODOP", i));
            lines[i].count->setText(value("POCET", i));
            lines[i].insurer->setText(value("SUMAPOI", i));
            if (patientAmounts)
                lines[i].patient->setText(value("SUMAPAC", i));
            aids->showName(i);
        }
        aids->rememberTexts();
        for (QLineEdit* e : {lines[0].code, lines[0].count, lines[0].insurer, lines[0].patient})
            paintField(e, checkField(e) ? Colour::Normal : Colour::Incorrect);
        focusField(eDatum);
    }
    (void)t.setOrder(order);
}

// ---- Checks ----

bool TfPoukazvd::CheckFields() {
    for (QWidget* c : checkedFields) {
        if (c == eDatum && std::all_of(lines.begin(), lines.end(), [](const AidLine& l) {
                return l.code->text().trimmed().isEmpty();
            })) {
            ShowNotice(QStringLiteral("Cbyba"),
                       QStringLiteral("Poukaz neobsahuje ani jednu optickú pomôcku!"),
                       NoticeKind::Error, this);
            failField(lines[3].code);
            return false;
        }
        if (!checkField(c)) {
            failField(c);
            return false;
        }
    }
    return true;
}

bool TfPoukazvd::checkField(QWidget* control) {
    if (control == eRodcis)
        return checkBirthNumber() || pickClientFromList();
    if (control == eKodpoikl)
        return checkInsurer();
    if (control == eyes->eDialky || control == eyes->eBlizko)
        return checkDistance(static_cast<QLineEdit*>(control));
    if (control == eKods)
        return checkListCode(eKods, eNazovS, module::kTypskl);
    if (control == eKodr)
        return checkListCode(eKodr, eNazovR, module::kTypram);
    if (control == eKodks)
        return checkContactLensType();
    if (control == eKodlek)
        return checkDoctor();
    if (control == eKoddiag)
        return checkDiagnosis();
    if (control == eDatum || control == eDatumvyd)
        return checkDate(static_cast<QLineEdit*>(control));
    return aids->checkField(control, [this](const QString& text) { complain(text); });
}

bool TfPoukazvd::checkBirthNumber() {
    // A foreign insured person is identified by the number the insurer abroad gave.
    if (!eIcpoi->text().trimmed().isEmpty())
        return true;
    if (!CheckBirthNumberEdit(eRodcis, this))
        return false;
    return lookUpClient(recordMode == ModeAdd);
}

bool TfPoukazvd::lookUpClient(bool takeDistances) {
    const ClientKey key{eRodcis->text().trimmed(), eStatpoi->text().trimmed(),
                        eIcpoi->text().trimmed(), ePohlpoi->text().trimmed()};
    static const QStringList fields = {"KOD",   "TITUL", "MENO", "PRIEZVISK", "ULICA", "CISLO",
                                       "OBEC",  "PSC",   "DODPOSTA", "MAIL", "TEL",   "MOBIL"};
    QStringList v;
    const QList<QLineEdit*> shown{eKodklient, eTitul, eMeno, ePriezvisk, eUlica, eCislo,
                                  eObec,      ePsc,   eDodposta, eMail, eTel,  eMobil};
    if (!FindClient(app(), key, fields, v)) {
        for (QLineEdit* e : shown)
            e->clear();
        return false;
    }
    for (int i = 0; i < shown.size(); ++i)
        shown[i]->setText(v[i]);
    const auto zero = [](QLineEdit* e) {
        const QString t = e->text().trimmed();
        return t.isEmpty() || t == QLatin1String("0");
    };
    if (takeDistances && zero(eyes->eDialky) && zero(eyes->eBlizko)) {
        double code = 0;
        if (DecimalFromText(v[0], code)) {
            if (const std::optional<Prescription> p = LatestPrescriptionOf(app(), qint64(code))) {
                for (const auto& [from, to] : {std::pair{p->dialky, eyes->eDialky},
                                               std::pair{p->blizko, eyes->eBlizko}})
                    if (!from.trimmed().isEmpty() && from.trimmed() != QLatin1String("0"))
                        to->setText(from.trimmed());
            }
        }
    }
    return true;
}

void TfPoukazvd::showClientOrKeepNames() {
    // A voucher keeps the names it was saved with when its client is gone (or was never kept,
    // as for some foreign insured persons): they are the voucher's own data.
    const QStringList kept{eMeno->text(),     ePriezvisk->text(), eUlica->text(), eCislo->text(),
                           eObec->text(),     ePsc->text(),       eDodposta->text()};
    if (lookUpClient(false))
        return;
    const QList<QLineEdit*> names{eMeno, ePriezvisk, eUlica, eCislo, eObec, ePsc, eDodposta};
    for (int i = 0; i < names.size(); ++i)
        names[i]->setText(kept[i]);
}

bool TfPoukazvd::checkInsurer() {
    trimmedText(eKodpoikl);
    if (!LookupOrPick(app(), module::kPoist, "CPOI", "NAZOV", PickMode::LookUp, eNazovPoikl,
                      eKodpoikl)) {
        eNazovPoikl->clear();
        return false;
    }
    return true;
}

bool TfPoukazvd::checkDistance(QLineEdit* edit) {
    // The box holds four characters: whatever passes fits the table's field.
    return CheckInteger(trimmedText(edit), this);
}

bool TfPoukazvd::checkListCode(QLineEdit* code, QLineEdit* name, int module) {
    if (trimmedText(code).isEmpty()) {
        name->clear();
        return true;
    }
    if (!LookupOrPick(app(), module, "KOD", "NAZOV", PickMode::LookUp, name, code)) {
        name->clear();
        return false;
    }
    return true;
}

bool TfPoukazvd::checkContactLensType() {
    const bool ok = checkListCode(eKodks, eNazovKs, module::kTypks);
    if (ok)
        eNazovKs->setText(ContactLensTypeName(app(), eKodks->text()));
    return ok;
}

bool TfPoukazvd::checkDoctor() {
    trimmedText(eKodlek);
    if (!LookupOrPick(app(), module::kLekar, "KOD", "PRIEZVISK", PickMode::LookUp, nullptr,
                      eKodlek)) {
        for (QLineEdit* e : {eMenoLek, eKodpoilek, eKodpec, eKodnewLek, eKodpzsLek})
            e->clear();
        return false;
    }
    showDoctor(true);
    return true;
}

void TfPoukazvd::showDoctor(bool copyCodes) {
    QStringList v;
    const QString code = eKodlek->text().trimmed();
    const bool found = !code.isEmpty() &&
                       LookupFields(app(), module::kLekar, QStringLiteral("KOD"), {code},
                                    {"MENO", "PRIEZVISK", "KODNEW", "KODPZSNEW", "KODPOI", "KODP"},
                                    v);
    if (!found)
        v = QStringList(6, QString());
    eMenoLek->setText(JoinName(QString(), v[0], v[1]));
    eKodnewLek->setText(v[2]);
    eKodpzsLek->setText(v[3]);
    // The voucher keeps the doctor's codes of the day the doctor was chosen.
    if (copyCodes) {
        eKodpoilek->setText(v[4]);
        eKodpec->setText(v[5]);
    }
}

bool TfPoukazvd::checkDiagnosis() {
    // Diagnosis codes are kept in capitals.
    const QString code = eKoddiag->text().trimmed().toUpper();
    if (code != eKoddiag->text())
        eKoddiag->setText(code);
    if (!LookupOrPick(app(), module::kDg, "KODD", "NAZOV", PickMode::LookUp, eNazovDiag,
                      eKoddiag)) {
        eNazovDiag->clear();
        return false;
    }
    return true;
}

bool TfPoukazvd::checkDate(QLineEdit* edit) {
    const QString text = TrimSpaces(NormalizeDateSeparators(edit->text()));
    if (text != edit->text())
        edit->setText(text);
    double days = 0;
    if (!ParseDate(text, days)) {
        complain(QStringLiteral("Nesprávny dátum !"));
        return false;
    }
    return true;
}

// ---- List commands ----

QList<QAction*> TfPoukazvd::otherCommands(TfBrowse* browser, QObject* parent) {
    QList<QAction*> out = TfDbForm::otherCommands(browser, parent);
    auto* separator = new QAction(parent);
    separator->setSeparator(true);
    auto* codes = new QAction(QStringLiteral("Nastavenie &kódov klientov"), parent);
    codes->setStatusTip(QStringLiteral("Nastaví kódy klientom do poukazov"));
    connect(codes, &QAction::triggered, this, [this, browser] { SetClientCodes(browser); });
    out << separator << codes;
    return out;
}

void TfPoukazvd::SetClientCodes(TfBrowse* browser) {
    QWidget* owner = browser ? static_cast<QWidget*>(browser) : this;
    if (AskConfirm(QStringLiteral("Mám naozaj nastaviť kódy klientov?"), owner) != 1)
        return;
    if (!OpenTable())
        return;
    Database* db = table_.database();
    // A cursor of its own: the list keeps its order and current record. One transaction: a
    // failure half way links nothing.
    WriteLock lock(*db);
    Table vouchers(db, table_.tableName());
    bool ok = lock.ok() && vouchers.open() && vouchers.setOrder(QStringLiteral("RODCIS"));
    QList<qint64> rows;
    if (ok)
        for (vouchers.first(); !vouchers.eof(); vouchers.next())
            rows << vouchers.bookmark();
    int linked = 0;
    for (qint64 row : rows) {
        if (!ok)
            break;
        ok = vouchers.gotoBookmark(row);
        if (!ok || vouchers.field(QStringLiteral("KODKLIENT")).asFloat() != 0)
            continue;
        const ClientKey key{vouchers.field(QStringLiteral("RODCIS")).asString().trimmed(),
                            vouchers.field(QStringLiteral("STATPOI")).asString().trimmed(),
                            vouchers.field(QStringLiteral("ICPOI")).asString().trimmed(),
                            vouchers.field(QStringLiteral("POHLPOI")).asString().trimmed()};
        // An empty birth number names nobody.
        QStringList client;
        if (key.rodcis.isEmpty() || !FindClient(app(), key, {QStringLiteral("KOD")}, client))
            continue;
        ok = vouchers.edit() &&
             vouchers.field(QStringLiteral("KODKLIENT")).setAsString(client.value(0)) &&
             vouchers.post();
        if (ok)
            ++linked;
    }
    ok = ok && lock.commit();
    if (!ok) {
        vouchers.cancel();
        lock.rollback();
        ShowNotice(QStringLiteral("Chyba!"), saveErrorText(), NoticeKind::Error, owner);
    }
    const qint64 at = table_.bookmark();
    table_.refresh();
    (void)table_.gotoBookmark(at);
    if (browser)
        browser->RefreshStep();
    if (ok)
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Nstavenie kódov klientov ukončené. Nastavili sme: %1 kódov.")
                       .arg(linked),
                   NoticeKind::Information, owner);
}

} // namespace vidoraw
