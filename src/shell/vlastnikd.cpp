#include "shell/vlastnikd.h"

#include "core/interaction.h"
#include "framework/tfbrowse.h"
#include "shell/systemd.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vidoraw {

namespace {

bool OnlyChars(const QString& text, const QString& allowed) {
    for (QChar c : text)
        if (!c.isDigit() && !allowed.contains(c))
            return false;
    return true;
}

TfVlastnikd* OwnerModule(AppContext& app) {
    auto* m = dynamic_cast<TfVlastnikd*>(app.registry.module(module::kVlastn));
    return m && m->OpenTable() ? m : nullptr;
}

qint64 OwnerNumber(AppContext& app) {
    const qint64 n = SystemField(app, QStringLiteral("UZIVATEL")).toLongLong();
    return n > 0 ? n : 1;
}

} // namespace

TfVlastnikd::TfVlastnikd(AppContext& app, QWidget* parent) : TfDbForm(app, kNumber, parent) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int row = 0, column = 0;
    auto add = [&](const QString& label, QLineEdit*& edit, const char* field, int width) {
        edit = new QLineEdit(this);
        edit->setMaxLength(width);
        auto* l = new QLabel(label, this);
        l->setBuddy(edit);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(l, row, column);
        grid->addWidget(edit, row, column + 1);
        bind(edit, QString::fromLatin1(field));
        if (++row == 11) {
            row = 0;
            column += 2;
        }
    };
    add(QStringLiteral("Kód:"), eKod, "KOD", 6);
    add(QStringLiteral("Názov:"), eNazov, "NAZOV", 40);
    add(QStringLiteral("Titul:"), eTitul, "TITUL", 10);
    add(QStringLiteral("Meno:"), eMeno, "MENO", 12);
    add(QStringLiteral("Priezvisko:"), ePriezvisk, "PRIEZVISK", 18);
    add(QStringLiteral("Ulica:"), eUlica, "ULICA", 30);
    add(QStringLiteral("Číslo:"), eCislo, "CISLO", 10);
    add(QStringLiteral("Obec:"), eObec, "OBEC", 30);
    add(QStringLiteral("PSČ:"), ePsc, "PSC", 5);
    add(QStringLiteral("Dodávacia pošta:"), eDodPosta, "DODPOSTA", 35);
    add(QStringLiteral("Štát:"), eStat, "STAT", 30);
    add(QStringLiteral("IČO:"), eIco, "ICO", 10);
    add(QStringLiteral("DIČO:"), eDico, "DICO", 20);
    add(QStringLiteral("DIČO(Nové):"), eDicon, "DICON", 15);
    add(QStringLiteral("IČ DPH:"), eIcdph, "ICDPH", 15);
    add(QStringLiteral("Platca DPH:"), ePlatcaDan, "PLATCADAN", 1);
    add(QStringLiteral("Telefón:"), eTelefon, "TELEFON", 30);
    add(QStringLiteral("Fax:"), eFax, "FAX", 30);
    add(QStringLiteral("Mobil:"), eMobil, "MOBIL", 30);
    add(QStringLiteral("E-mail:"), eMail, "MAIL", 30);
    add(QStringLiteral("Registrácia firmy:"), eRegCislo, "REGCISLO", 100);
    eKod->setReadOnly(true);
    eDodPosta->setReadOnly(true);
    ePlatcaDan->setMaximumWidth(40);
    layout->addLayout(grid);
    layout->addWidget(makeButtonStrip());
    for (QLineEdit* e : {ePsc, eStat})
        e->installEventFilter(this);
    DefineList();
}

TableSchema TfVlastnikd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0},         {"NAZOV", 'A', 40},     {"TITUL", 'A', 10},
                {"MENO", 'A', 12},       {"PRIEZVISK", 'A', 18}, {"ULICA", 'A', 30},
                {"OBEC", 'A', 30},       {"DODPOSTA", 'A', 35},  {"PSC", 'A', 5},
                {"ICO", 'A', 10},        {"DICO", 'A', 20},      {"TELEFON", 'A', 30},
                {"FAX", 'A', 30},        {"MOBIL", 'A', 30},     {"MAIL", 'A', 30},
                {"PLATCADAN", 'A', 1},   {"AJ_STRED", 'A', 1},   {"KRATKYD", 'A', 1},
                {"ICOI", 'F', 0},        {"KLUCIK", 'F', 0},     {"DICON", 'A', 15},
                {"ICDPH", 'A', 15},      {"KS", 'A', 4},         {"REGCISLO", 'A', 100},
                {"CISLO", 'A', 10},      {"STAT", 'A', 30},      {"POSUNXF", 'F', 0},
                {"POSUNYF", 'F', 0},     {"AJSDPH", 'A', 1},     {"KODZAOK", 'F', 0},
                {"MENA", 'A', 3},        {"DMENA", 'A', 3},      {"KURZ", 'F', 0},
                {"ZOBRAZDM", 'A', 1},    {"PDM", 'F', 0},        {"PDMZ", 'F', 0},
                {"SPLAT", 'F', 0},       {"UCET", 'A', 4},       {"KODD", 'A', 4},
                {"KODU", 'A', 4},        {"DOLNYOKRAJ", 'F', 0}, {"NAZOVPO", 'A', 40},
                {"TITULPO", 'A', 10},    {"MENOPO", 'A', 12},    {"PRIEZVISKPO", 'A', 18},
                {"ULICAPO", 'A', 30},    {"CISLOPO", 'A', 10},   {"OBECPO", 'A', 30},
                {"PSCPO", 'A', 5},       {"DODPOSTAPO", 'A', 35}, {"STATPO", 'A', 30},
                {"PO", 'A', 1},          {"PREFIX", 'A', 10},    {"PRIDAJPLAT", 'A', 1}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}),
                   IndexDef::Secondary("Priezvisk", {"PRIEZVISK"}), IndexDef::Secondary("Ico", {"ICO"}),
                   IndexDef::Secondary("Icoi", {"ICOI"}), IndexDef::Secondary("Psc", {"PSC"})};
    return s;
}

void TfVlastnikd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "NAZOV", "PRIEZVISK", "ICO"};
    list.orderTitles = {"Kód", "Názov", "Priezvisko", "IČO"};
    list.printFields = {"KOD", "NAZOV", "PRIEZVISK"};
    list.printTitles = {"Kód", "Názov firmy", "Priezvisko majiteľa"};
    list.printHeading = {" Zoznam vlastníkov firiem "};
    list.listTitle = QStringLiteral("Zoznam vlastníkov firiem");
    list.finish();
}

void TfVlastnikd::StoreFields() {
    TfDbForm::StoreFields();
    // A company identification number also kept as a number (its secondary index).
    bool ok = false;
    const double icoi = eIco->text().trimmed().toDouble(&ok);
    if (ok)
        table().field(QStringLiteral("ICOI")).setValue(icoi);
}

bool TfVlastnikd::CheckFields() {
    auto fail = [&](QLineEdit* e, const QString& text) {
        ShowNotice(QStringLiteral("Chyba"), text, NoticeKind::Error, this);
        failField(e);
        return false;
    };
    const QString ico = eIco->text().trimmed();
    if (ico.isEmpty())
        return fail(eIco, QStringLiteral("IČO nemôže byť prázdne!"));
    if (!OnlyChars(ico, QString()))
        return fail(eIco, QStringLiteral("IČO môže obsahovať iba znaky 0-9!"));
    const qint64 self = recordMode == ModeAdd ? -1 : table().field(QStringLiteral("KOD")).asInteger();
    bool duplicate = false;
    table().scanOrder(QStringLiteral("ICO"), {ico}, false, [&](qint64, const QVector<QVariant>& r) {
        if (ValueAsString(table().fieldDefs()[table().fieldIndex("ICO")], r[table().fieldIndex("ICO")]) != ico)
            return false;
        if (ValueAsInteger(r[table().fieldIndex("KOD")]) != self)
            duplicate = true;
        return !duplicate;
    });
    if (duplicate)
        return fail(eIco, QStringLiteral("Duplicitná hodnota IČO je neprípustná!"));
    if (!OnlyChars(eDico->text().trimmed(), QStringLiteral("/")))
        return fail(eDico, QStringLiteral("DIČO môže obsahovať iba znaky 0-9 a znak / !"));
    QString payer = ePlatcaDan->text().trimmed();
    if (payer == QLatin1String("a") || payer == QLatin1String("n"))
        ePlatcaDan->setText(payer = payer.toUpper());
    if (payer != QLatin1String("A") && payer != QLatin1String("N"))
        return fail(ePlatcaDan, QStringLiteral("Prípustné hodnoty : A alebo N !"));
    if (!LookupOrPick(app(), module::kPsc, QStringLiteral("PSC"), QStringLiteral("POSTA"), PickMode::LookUp, eDodPosta, ePsc)) {
        failField(ePsc);
        return false;
    }
    if (!eStat->text().trimmed().isEmpty() &&
        !LookupOrPick(app(), module::kStat, QStringLiteral("NAZOV"), QStringLiteral("NAZOV"), PickMode::LookUp, eStat, eStat)) {
        failField(eStat);
        return false;
    }
    return true;
}

bool TfVlastnikd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Insert || key == Qt::Key_F7) {
            if (watched == eStat)
                LookupOrPick(app(), module::kStat, QStringLiteral("NAZOV"), QStringLiteral("NAZOV"), PickMode::Pick, eStat, eStat);
            else if (watched == ePsc)
                LookupOrPick(app(), module::kPsc, QStringLiteral("PSC"), QStringLiteral("POSTA"), PickMode::Pick, eDodPosta, ePsc);
            return true;
        }
    }
    return TfDbForm::eventFilter(watched, event);
}

bool EnsureOwnerRecord(AppContext& app) {
    TfVlastnikd* m = OwnerModule(app);
    if (!m)
        return false;
    Table& t = m->table();
    const qint64 owner = OwnerNumber(app);
    if (t.locate(QStringLiteral("KOD"), {owner}, false))
        return true;
    WriteLock lock(*t.database());
    if (!lock.ok())
        return false;
    if (t.locate(QStringLiteral("KOD"), {owner}, false))
        return true;
    if (!t.append()) {
        ShowNotice(QStringLiteral("Chyba"), t.lastError());
        return false;
    }
    t.field("KOD").setValue(owner);
    t.field("PLATCADAN").setAsString(QStringLiteral("N"));
    t.field("POSUNXF").setValue(5.0);
    t.field("POSUNYF").setValue(5.0);
    t.field("AJSDPH").setAsString(QStringLiteral("N"));
    t.field("KODZAOK").setValue(2.0);
    t.field("MENA").setAsString(QStringLiteral("Sk"));
    t.field("DMENA").setAsString(QStringLiteral("EUR"));
    t.field("KURZ").setValue(30.1234);
    t.field("ZOBRAZDM").setAsString(QStringLiteral("N"));
    t.field("PO").setAsString(QStringLiteral("N"));
    if (!t.post() || !lock.commit()) {
        ShowNotice(QStringLiteral("Chyba"), t.lastError());
        return false;
    }
    return true;
}

QString OwnerField(AppContext& app, const QString& field) {
    TfVlastnikd* m = OwnerModule(app);
    QString value;
    if (m) // not found reads as empty, as every look-up does
        (void)LookupFieldIn(m->table(), QStringLiteral("KOD"), {OwnerNumber(app)}, field, value);
    return value;
}

bool WriteOwnerFields(AppContext& app, const QList<std::pair<QString, QVariant>>& values,
                      QWidget* owner) {
    TfVlastnikd* m = OwnerModule(app);
    if (!m)
        return false;
    Table& t = m->table();
    WriteLock lock(*t.database());
    bool ok = lock.ok() && FindByKey(t, QStringLiteral("KOD"), OwnerNumber(app)) && t.edit();
    for (const auto& [field, value] : values)
        ok = ok && t.field(field).setValue(value);
    ok = ok && t.post() && lock.commit();
    if (!ok) {
        t.cancel();
        ShowNotice(QStringLiteral("Chyba!"), TfDbForm::saveErrorText(), NoticeKind::Error, owner);
    }
    return ok;
}

int EditOwnerRecord(AppContext& app) {
    TfVlastnikd* m = OwnerModule(app);
    if (!m || !FindByKey(m->table(), QStringLiteral("KOD"), OwnerNumber(app)))
        return 0;
    return m->EditRecord();
}

} // namespace vidoraw
