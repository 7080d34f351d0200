#include "shop/klientd.h"

#include "core/interaction.h"
#include "core/values.h"
#include "framework/desktopfile.h"
#include "framework/tfbrowse.h"
#include "shop/clientbirthnumbers.h"
#include "shop/latestprescription.h"
#include "shop/okubpm.h"
#include "vouchers/batchvoucherlist.h"
#include "vouchers/birthnumber.h"
#include "vouchers/clientkey.h"
#include "vouchers/eyedatagrid.h"
#include "vouchers/lensnames.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vidoraw {

namespace {
QHBoxLayout* Row() {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    return row;
}
} // namespace

TfKlientd::TfKlientd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eRodcis = rows().newEdit(11, 12);
    eStatpoi = rows().newEdit(3, 4);
    eIcpoi = rows().newEdit(20, 16);
    ePohlpoi = rows().newEdit(1, 2);
    QHBoxLayout* row = Row();
    row->addWidget(eRodcis);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Cudzí poistenec:"), this));
    row->addWidget(eStatpoi);
    row->addWidget(eIcpoi);
    row->addWidget(ePohlpoi);
    row->addStretch(1);
    rows().addRow(QStringLiteral("Rodné číslo:"), row);
    eKodpoi = rows().newEdit(4, 6);
    eNazovPoi = rows().newEdit(40, 30);
    FormRows::makeDisplayOnly(eNazovPoi);
    rows().addPairRow(QStringLiteral("Poisťovňa:"), eKodpoi, QString(), eNazovPoi);
    eTitul = rows().addRow(QStringLiteral("Titul:"), 10, 12);
    eMeno = rows().addRow(QStringLiteral("Meno:"), 15);
    ePriezvisk = rows().addRow(QStringLiteral("Priezvisko:"), 20);
    eUlica = rows().newEdit(30, 24);
    eCislo = rows().newEdit(10, 8);
    rows().addPairRow(QStringLiteral("Ulica:"), eUlica, QStringLiteral("Číslo:"), eCislo);
    eObec = rows().addRow(QStringLiteral("Obec:"), 30);
    ePsc = rows().newEdit(5, 6);
    eDodposta = rows().newEdit(30, 20);
    FormRows::makeDisplayOnly(eDodposta);
    rows().addPairRow(QStringLiteral("PSČ:"), ePsc, QStringLiteral("Dodávacia pošta:"), eDodposta);
    eTel = rows().newEdit(20, 16);
    eMobil = rows().newEdit(25, 16);
    rows().addPairRow(QStringLiteral("Telefón:"), eTel, QStringLiteral("Mobil:"), eMobil);
    eMail = rows().addRow(QStringLiteral("Mail:"), 40);
    eZamestnan = rows().addRow(QStringLiteral("Zamestnanie:"), 40);
    eZamestnav = rows().addRow(QStringLiteral("Zamestnávateľ:"), 40);
    ePoznam1 = rows().addRow(QStringLiteral("Poznámky:"), 60, 50);
    ePoznam2 = rows().addRow(QString(), 60, 50);
    ePoznam3 = rows().addRow(QString(), 60, 50);

    // The latest prescription, from the vouchers and glasses records: never edited here.
    auto* block = new QGroupBox(QStringLiteral(" Posledný predpis "), this);
    auto* blockRows = new QVBoxLayout(block);
    eyes = new EyeDataGrid(block);
    eyes->makeDisplayOnly();
    blockRows->addWidget(eyes);
    auto blockEdit = [block](int chars) {
        auto* e = new QLineEdit(block);
        e->setFixedWidth(e->fontMetrics().averageCharWidth() * (chars + 1) + 14);
        FormRows::makeDisplayOnly(e);
        return e;
    };
    auto blockRow = [&](const QString& label, const QList<QLineEdit*>& edits) {
        QHBoxLayout* r = Row();
        auto* l = new QLabel(label, block);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("Kontaktné šošovky:")));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        r->addWidget(l);
        for (QLineEdit* e : edits)
            r->addWidget(e);
        r->addStretch(1);
        blockRows->addLayout(r);
    };
    eKods = blockEdit(8);
    eNazovS = blockEdit(40);
    blockRow(QStringLiteral("Šošovky:"), {eKods, eNazovS});
    eKodr = blockEdit(8);
    eNazovR = blockEdit(40);
    blockRow(QStringLiteral("Rám:"), {eKodr, eNazovR});
    eNazr = blockEdit(50);
    blockRow(QStringLiteral("Názov rámu:"), {eNazr});
    eKodks = blockEdit(8);
    eNazovKs = blockEdit(40);
    blockRow(QStringLiteral("Kontaktné šošovky:"), {eKodks, eNazovKs});
    rows().addWide(block);
    finishLayout();

    eObecKey_ = new QLineEdit(this);
    eObecKey_->setVisible(false);
    eObecKey_->setFocusPolicy(Qt::NoFocus);

    bind(eRodcis, QStringLiteral("RODCIS"));
    bind(eStatpoi, QStringLiteral("STATPOI"));
    bind(eIcpoi, QStringLiteral("ICPOI"));
    bind(ePohlpoi, QStringLiteral("POHLPOI"));
    bind(eKodpoi, QStringLiteral("KODPOI"));
    bind(eTitul, QStringLiteral("TITUL"));
    bind(eMeno, QStringLiteral("MENO"));
    bind(ePriezvisk, QStringLiteral("PRIEZVISK"));
    bind(eObec, QStringLiteral("OBEC"));
    bind(eUlica, QStringLiteral("ULICA"));
    bind(eCislo, QStringLiteral("CISLO"));
    bind(eDodposta, QStringLiteral("DODPOSTA"));
    bind(ePsc, QStringLiteral("PSC"));
    bind(eTel, QStringLiteral("TEL"));
    bind(eMobil, QStringLiteral("MOBIL"));
    bind(eMail, QStringLiteral("MAIL"));
    bind(eZamestnan, QStringLiteral("ZAMESTNAN"));
    bind(eZamestnav, QStringLiteral("ZAMESTNAV"));
    bind(ePoznam1, QStringLiteral("POZNAM1"));
    bind(ePoznam2, QStringLiteral("POZNAM2"));
    bind(ePoznam3, QStringLiteral("POZNAM3"));
    checkedFields = {eRodcis, eKodpoi, eTitul, eMeno, ePriezvisk, eObec, ePsc};

    onPickKeys(eKodpoi, [this] {
        LookupOrPick(this->app(), module::kPoist, "CPOI", "NAZOV", PickMode::Pick, eNazovPoi, eKodpoi);
    });
    onPickKeys(eTitul, [this] {
        LookupOrPick(this->app(), module::kTitul, "NAZOV", "NAZOV", PickMode::Pick, eTitul, eTitul);
    });
    onPickKeys(eObec, [this] { PickMunicipality(this->app(), address()); });
    onPickKeys(ePsc, [this] { PickPostalCode(this->app(), address()); });
    DefineList();
}

TableSchema TfKlientd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},         {"RODCIS", 'A', 11},    {"STATPOI", 'A', 3},
                {"ICPOI", 'A', 20},      {"POHLPOI", 'A', 1},    {"KODPOI", 'A', 4},
                {"TITUL", 'A', 10},      {"MENO", 'A', 15},      {"PRIEZVISK", 'A', 20},
                {"OBEC", 'A', 30},       {"ULICA", 'A', 30},     {"CISLO", 'A', 10},
                {"DODPOSTA", 'A', 30},   {"PSC", 'A', 5},        {"TEL", 'A', 20},
                {"MOBIL", 'A', 25},      {"MAIL", 'A', 40},      {"ZAMESTNAN", 'A', 40},
                {"ZAMESTNAV", 'A', 40},  {"POZNAM1", 'A', 60},   {"POZNAM2", 'A', 60},
                {"POZNAM3", 'A', 60},    {"DATUM", 'D', 0},      {"DIALKY", 'I', 0},
                {"BLIZKO", 'I', 0}};
    for (const QString& eye : EyeFieldNames())
        s.fields << FieldDef{eye, 'A', 6};
    IndexDef key = IndexDef::Secondary("RodcisStatIcPohl", {"RODCIS", "STATPOI", "ICPOI", "POHLPOI"},
                                       true);
    key.unique = true;
    s.indexes = {IndexDef::Primary({"KOD"}),
                 IndexDef::Secondary("Dodposta", {"DODPOSTA"}, true),
                 IndexDef::Secondary("Psc", {"PSC"}, true),
                 IndexDef::Secondary("Priezvisk", {"PRIEZVISK"}, true),
                 IndexDef::Secondary("StatIcPohl", {"STATPOI", "ICPOI", "POHLPOI"}, true),
                 IndexDef::Secondary("Rodcis", {"RODCIS"}, true),
                 key};
    return s;
}

void TfKlientd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "RODCIS", "STATPOI;ICPOI;POHLPOI", "PRIEZVISK", "PSC", "DODPOSTA"};
    list.orderTitles = {"Kód", "Rodné číslo", "Štát, IČ a pohlavie poistenca", "Priezvisko", "PSČ",
                        "Dodávacia pošta"};
    list.searchLabels = {"Kód:", "Rodné číslo:", "Štát:;IČ:;Pohlavie:", "Priezvisko:", "PSČ:",
                         "Dodávacia pošta:"};
    list.printFields = {"KOD", "TITUL", "MENO", "PRIEZVISK", "ULICA", "CISLO", "PSC", "DODPOSTA"};
    list.printTitles = {"Kód", "Titul", "Meno", "Priezvisko", "Ulica", "Číslo", "PSČ", "Dod. pošta"};
    list.listTitle = QStringLiteral("Zoznam klientov");
    list.printHeading = {list.listTitle};
    list.finish();
}

std::optional<Prescription> TfKlientd::latestPrescription(qint64 clientCode) {
    return LatestPrescription(app(), clientCode);
}

AddressEdits TfKlientd::address() const { return {eObec, ePsc, eDodposta, eObecKey_}; }

// ---- Record operations ----

int TfKlientd::AddRecord() {
    eNazovPoi->clear();
    clearPrescription();
    eObecKey_->clear();
    return TfDbForm::AddRecord();
}

void TfKlientd::proposeNewValues() {
    // Added from the voucher form's client list: the birth number typed there.
    if (!app().registry.isRegistered(module::kPoukazv))
        return;
    auto* voucher = dynamic_cast<TfDbForm*>(app().registry.module(module::kPoukazv));
    if (voucher && voucher->isVisible())
        if (auto* e = qobject_cast<QLineEdit*>(voucher->controlOf(QStringLiteral("RODCIS"))))
            eRodcis->setText(e->text().trimmed());
}

int TfKlientd::EditRecord() {
    clearPrescription();
    return TfDbForm::EditRecord();
}

int TfKlientd::ShowRecord() {
    clearPrescription();
    return TfDbForm::ShowRecord();
}

int TfKlientd::CopyRecord() {
    clearPrescription();
    return TfDbForm::CopyRecord();
}

void TfKlientd::focusFirstField() { focusField(eRodcis); }

void TfKlientd::showEvent(QShowEvent* event) {
    emptyNameAccepted_ = false;
    TfDbForm::showEvent(event);
}

void TfKlientd::LoadFields() {
    TfDbForm::LoadFields();
    QString name;
    LookupField(app(), module::kPoist, QStringLiteral("CPOI"), {eKodpoi->text()},
                QStringLiteral("NAZOV"), name);
    eNazovPoi->setText(name);
    showPrescription();
    FormMunicipalityKey(address());
}

void TfKlientd::clearPrescription() {
    eyes->clear();
    for (QLineEdit* e : {eKods, eNazovS, eKodr, eNazovR, eNazr, eKodks, eNazovKs})
        e->clear();
}

void TfKlientd::showPrescription() {
    clearPrescription();
    double code = 0;
    if (!DecimalFromText(eKod->text(), code))
        return;
    const std::optional<Prescription> p = LatestPrescription(app(), qint64(code));
    if (!p)
        return;
    eyes->fill(*p);
    eKods->setText(p->kods);
    eNazovS->setText(LensTypeName(app(), p->kods));
    eKodr->setText(p->kodr);
    eNazovR->setText(FrameTypeName(app(), p->kodr));
    eNazr->setText(p->nazr);
    eKodks->setText(p->kodks);
    eNazovKs->setText(ContactLensTypeName(app(), p->kodks));
}

// ---- Checks ----

bool TfKlientd::checkOnLeave(QWidget* control) {
    if (control == ePsc && recordMode != ModeView)
        FormMunicipalityKey(address());
    return TfDbForm::checkOnLeave(control);
}

bool TfKlientd::checkField(QWidget* control) {
    if (control == eRodcis)
        return checkBirthNumber();
    if (control == eKodpoi) {
        trimmedText(eKodpoi);
        if (!LookupOrPick(app(), module::kPoist, "CPOI", "NAZOV", PickMode::LookUp, eNazovPoi,
                          eKodpoi)) {
            eNazovPoi->clear();
            return false;
        }
        return true;
    }
    if (control == eTitul) {
        // Most clients have no title; an empty one needs no look-up.
        if (trimmedText(eTitul).isEmpty())
            return true;
        return LookupOrPick(app(), module::kTitul, "NAZOV", "NAZOV", PickMode::LookUp, eTitul,
                            eTitul);
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
    if (control == ePriezvisk) {
        if (trimmedText(ePriezvisk).isEmpty()) {
            complain(QStringLiteral("Priezvisko nesmie byť prázdne!"));
            return false;
        }
        return true;
    }
    if (control == eObec)
        return CheckMunicipality(app(), address());
    if (control == ePsc)
        return CheckPostalCode(app(), address());
    return true;
}

bool TfKlientd::checkBirthNumber() {
    // A foreign insured person's birth number is not tested; the four-field key still must be
    // unique, and saying so here beats the table's refusal on saving.
    const bool foreign = !eIcpoi->text().trimmed().isEmpty();
    if (!foreign && !CheckBirthNumberEdit(eRodcis, this))
        return false;
    const ClientKey key{eRodcis->text().trimmed(), eStatpoi->text().trimmed(),
                        eIcpoi->text().trimmed(), ePohlpoi->text().trimmed()};
    QStringList found;
    if (!FindClient(app(), key, {QStringLiteral("KOD")}, found))
        return true;
    if (recordMode == ModeAdd || found.value(0) != eKod->text().trimmed()) {
        complain(QStringLiteral("Duplictná štvorica Rodné číslo, Štát, IČ a pohlavie poistenca, "
                                "pokračovanie nie je možné!"));
        return false;
    }
    return true;
}

// ---- List commands ----

QList<QAction*> TfKlientd::otherCommands(TfBrowse* browser, QObject* parent) {
    QList<QAction*> out = TfDbForm::otherCommands(browser, parent);
    auto* separator = new QAction(parent);
    separator->setSeparator(true);
    out << separator;
    // The client's glasses come with the list that shows them.
    auto* vouchers = new QAction(QStringLiteral("Zozna&m poukazov"), parent);
    vouchers->setStatusTip(QStringLiteral("Zobrazí zoznam poukazov"));
    connect(vouchers, &QAction::triggered, this, [this, browser] {
        if (IsTableEmpty(table_))
            return;
        TfKlientPoukazy list(app(), table_.field(codeField).asInteger(), browser);
        list.showModal();
    });
    auto* glasses = new QAction(QStringLiteral("O&kuliare bez poukazu"), parent);
    glasses->setStatusTip(QStringLiteral("Zoznam okuliarov bez poukazu"));
    connect(glasses, &QAction::triggered, this, [this, browser] {
        if (IsTableEmpty(table_))
            return;
        TfOkubpm list(app(), table_.field(codeField).asInteger(), browser);
        if (browser)
            list.move(browser->geometry().center() - list.rect().center());
        list.showModal();
    });
    auto* duplicates = new QAction(QStringLiteral("D&uplicity"), parent);
    connect(duplicates, &QAction::triggered, this, [this, browser] { ShowDuplicates(browser); });
    auto* slashes = new QAction(QStringLiteral("Doplň lomítko do rodného čísla"), parent);
    slashes->setStatusTip(QStringLiteral("Doplní lomítko do rodného čísla tam, kde chýba"));
    connect(slashes, &QAction::triggered, this, [this, browser] { InsertMissingSlashes(browser); });
    out << vouchers << glasses << duplicates << slashes;
    return out;
}

void TfKlientd::ShowDuplicates(TfBrowse* browser) {
    QWidget* owner = browser ? static_cast<QWidget*>(browser) : this;
    if (!OpenTable())
        return;
    const QString path = DuplicatesFilePath();
    if (!WriteDuplicatesFile(path, DuplicateBirthNumbers(table_))) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Súbor %1 sa nedá zapísať.").arg(QDir::toNativeSeparators(path)),
                   NoticeKind::Error, owner);
        return;
    }
    if (!ShowOnDesktop(app(), path))
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Súbor %1 sa nedá zobraziť.").arg(QDir::toNativeSeparators(path)),
                   NoticeKind::Error, owner);
}

void TfKlientd::InsertMissingSlashes(TfBrowse* browser) {
    QWidget* owner = browser ? static_cast<QWidget*>(browser) : this;
    if (AskConfirm(QStringLiteral("Mám doplniť lomítko do rodného čísla, kde chýba?"), owner) != 1)
        return;
    if (!OpenTable())
        return;
    Database* db = table_.database();
    // A cursor of its own keeps the list's order and current record.
    Table clients(db, table_.tableName());
    QList<qint64> rows;
    if (clients.open() && clients.setOrder(QStringLiteral("KOD")))
        for (clients.first(); !clients.eof(); clients.next())
            rows << clients.bookmark();
    const int size = clients.isOpen() ? clients.field(QStringLiteral("RODCIS")).size() : 0;
    int changed = 0;
    QStringList refused;
    for (qint64 row : rows) {
        if (!clients.gotoBookmark(row))
            continue;
        const QString number = clients.field(QStringLiteral("RODCIS")).asString();
        const QString slashed = WithSlash(number);
        if (slashed == number.trimmed())
            continue;
        // A number that would no longer fit the field is left whole rather than cut.
        bool ok = slashed.size() <= size;
        if (ok) {
            WriteLock lock(*db);
            ok = lock.ok() && clients.edit() &&
                 clients.field(QStringLiteral("RODCIS")).setAsString(slashed) && clients.post() &&
                 lock.commit();
            if (!ok)
                clients.cancel();
        }
        if (ok)
            ++changed;
        else
            refused << number.trimmed();
    }
    const qint64 at = table_.bookmark();
    table_.refresh();
    (void)table_.gotoBookmark(at);
    if (browser)
        browser->RefreshStep();
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Počet upravených rodných čísel je: %1").arg(changed),
               NoticeKind::Information, owner);
    // A client whose number with the slash another client already has, for one.
    if (!refused.isEmpty())
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Rodné čísla, ktoré sa nedali upraviť: %1").arg(refused.join(", ")),
                   NoticeKind::Error, owner);
}

} // namespace vidoraw
