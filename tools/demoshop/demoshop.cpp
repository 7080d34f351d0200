#include "demoshop.h"

#include "core/base/codepage.h"
#include "core/engine/database.h"
#include "core/engine/tableops.h"
#include "core/modulenumbers.h"
#include "core/values.h"
#include "framework/appcontext.h"
#include "framework/notes.h"
#include "framework/systemrecord.h"
#include "billing/billing.h"
#include "framework/tfdbform.h"
#include "invoicing/insurertransfer.h"
#include "invoicing/vatrecap.h"
#include "shell/vlastnikd.h"
#include "shop/cardtotals.h"
#include "vouchers/prescription.h"

#include <QDate>
#include <QDir>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <functional>
#include <tuple>

namespace vidoraw {

namespace {

using Row = QList<std::pair<const char*, QVariant>>;

// Writes rows into module n's table in one transaction; codes follow the last one there.
class TableFiller {
public:
    TableFiller(AppContext& app, int module, QString* error) : app_(app), error_(error) {
        RecordModule* m = app.registry.module(module);
        if (!m || !m->OpenTable()) {
            fail(QStringLiteral("Modul %1 sa nedá otvoriť.").arg(module));
            return;
        }
        table_ = &m->table();
        next_ = LastValue(*table_, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
    }
    bool ok() const { return table_ && failed_.isEmpty(); }
    // The code given to the last row added (rows that name their KOD do not count).
    qint64 lastCode() const { return next_ - 1; }

    // Appends one row; KOD is given the next code unless the row names it.
    bool add(const Row& row) {
        if (!ok())
            return false;
        if (!table_->append())
            return fail(table_->lastError());
        bool hasCode = false;
        for (const auto& [field, value] : row) {
            hasCode = hasCode || qstrcmp(field, "KOD") == 0;
            if (!table_->field(QString::fromLatin1(field)).setValue(value))
                return fail(QStringLiteral("%1.%2: %3")
                                .arg(table_->tableName(), QString::fromLatin1(field),
                                     table_->lastError()));
        }
        if (!hasCode && table_->hasField(QStringLiteral("KOD")))
            (void)table_->field(QStringLiteral("KOD")).setValue(next_++);
        if (!table_->post())
            return fail(table_->tableName() + QStringLiteral(": ") + table_->lastError());
        return true;
    }
    // Runs fill inside one write transaction of the database.
    static bool InOneWrite(AppContext& app, QString* error, const std::function<bool()>& fill) {
        WriteLock lock(*app.db);
        if (!lock.ok()) {
            if (error)
                *error = lock.error();
            return false;
        }
        if (!fill())
            return false;
        if (!lock.commit()) {
            if (error)
                *error = lock.error();
            return false;
        }
        return true;
    }

private:
    bool fail(const QString& why) {
        failed_ = why;
        if (error_ && error_->isEmpty())
            *error_ = why;
        return false;
    }
    AppContext& app_;
    QString* error_;
    Table* table_ = nullptr;
    qint64 next_ = 1;
    QString failed_;
};

const QStringList kFirstNamesM = {"Peter", "Ján", "Jozef", "Michal", "Martin", "Tomáš", "Juraj",
                                  "Marek", "Ľubomír", "Štefan", "Dušan", "Ondrej", "Igor", "Pavol"};
const QStringList kFirstNamesF = {"Mária", "Anna", "Zuzana", "Katarína", "Eva", "Jana", "Lucia",
                                  "Ľudmila", "Alžbeta", "Veronika", "Dagmar", "Silvia", "Oľga"};
const QStringList kSurnamesM = {"Novák", "Kováč", "Horváth", "Varga", "Tóth", "Nagy", "Baláž",
                                "Szabó", "Molnár", "Lukáč", "Šimko", "Čierny", "Ďurica", "Žiak",
                                "Chovanec", "Hudec", "Kučera", "Polák", "Gregor", "Krajčí"};
const QStringList kSurnamesF = {"Nováková", "Kováčová", "Horváthová", "Vargová", "Tóthová",
                                "Nagyová", "Balážová", "Szabóová", "Molnárová", "Lukáčová",
                                "Šimková", "Čierna", "Ďuricová", "Žiaková", "Chovancová",
                                "Hudecová", "Kučerová", "Poláková", "Gregorová", "Krajčíová"};
struct Town {
    const char* name;
    const char* psc;
    const char* post;
};
const Town kTowns[] = {{"Bratislava", "81101", "Bratislava 1"}, {"Košice", "04001", "Košice 1"},
                       {"Žilina", "01001", "Žilina 1"},         {"Nitra", "94901", "Nitra 1"},
                       {"Prešov", "08001", "Prešov 1"},         {"Trnava", "91701", "Trnava 1"},
                       {"Martin", "03601", "Martin 1"},         {"Poprad", "05801", "Poprad 1"},
                       {"Zvolen", "96001", "Zvolen 1"},         {"Trenčín", "91101", "Trenčín 1"}};
const QStringList kStreets = {"Hlavná", "Štúrova", "Mierová", "Nám. SNP", "Jesenského",
                              "Hviezdoslavova", "Kollárova", "Záhradnícka", "Poľná", "Lipová"};

bool WriteTowns(AppContext& app, QString* error) {
    TableFiller posts(app, module::kPsc, error);
    TableFiller towns(app, module::kObce, error);
    for (const Town& t : kTowns) {
        if (!posts.add({{"PSC", t.psc}, {"POSTA", QString::fromUtf8(t.post)}}))
            return false;
        const QString name = QString::fromUtf8(t.name);
        if (!towns.add({{"NAZOV", name}, {"PSC", t.psc},
                        {"NAZOVPSC", name.leftJustified(35, u' ') + QString::fromLatin1(t.psc)}}))
            return false;
    }
    return true;
}

bool WriteTaxLevels(AppContext& app, QString* error) {
    TableFiller dane(app, module::kDane, error);
    struct Level {
        int year, month, r1, r2, r3;
    };
    for (const Level& l : {Level{2004, 1, 0, 19, 19}, Level{2007, 1, 0, 10, 19},
                           Level{2011, 1, 0, 10, 20}, Level{2025, 1, 5, 19, 23}})
        if (!dane.add({{"ROK", l.year}, {"MESIAC", l.month}, {"SADZBA1", l.r1},
                       {"SADZBA2", l.r2}, {"SADZBA3", l.r3}}))
            return false;
    return true;
}

struct Insurer {
    const char* code;
    const char* ico;
    const char* name;
    const char* town;
    const char* street;
    const char* mail; // where the batch files go
};
const Insurer kInsurers[] = {
    {"24", "35942436", "Dôvera zdravotná poisťovňa, a. s.", "Bratislava", "Einsteinova",
     "davky@dovera.example"},
    {"25", "35937874", "Všeobecná zdravotná poisťovňa, a. s.", "Bratislava", "Panónska cesta",
     "davky@vszp.example"},
    {"27", "36284831", "Union zdravotná poisťovňa, a. s.", "Bratislava", "Karadžičova",
     "davky@union.example"}};

bool WriteInsurers(AppContext& app, QString* error) {
    TableFiller insurers(app, module::kPoist, error);
    TableFiller contracts(app, module::kZmluva, error);
    for (const Insurer& i : kInsurers) {
        if (!insurers.add({{"CPOI", i.code}, {"ICO", i.ico}, {"NAZOV", QString::fromUtf8(i.name)},
                           {"ULICA", QString::fromUtf8(i.street)}, {"CISLO", "1"},
                           {"OBEC", QString::fromUtf8(i.town)}, {"PSC", "81101"},
                           {"DODPOSTA", QStringLiteral("Bratislava 1")},
                           {"STAT", QStringLiteral("Slovenská republika")},
                           {"MAIL", QString::fromLatin1(i.mail)}}))
            return false;
        if (!contracts.add({{"KODPOI", i.code}, {"PLATNOST", QDate(2030, 12, 31)},
                            {"ICOPOI", i.ico},
                            {"CISZML", QStringLiteral("%1/OPT/2024").arg(QString::fromLatin1(i.code))}}))
            return false;
    }
    return true;
}

struct Diagnosis {
    const char* code;
    const char* name;
};
const Diagnosis kDiagnoses[] = {
    {"H520", "Hypermetropia"}, {"H521", "Myopia"}, {"H522", "Astigmatizmus"},
    {"H523", "Anizometropia a anizeikonia"}, {"H524", "Presbyopia"},
    {"H525", "Poruchy akomodácie"}, {"H526", "Iné refrakčné chyby"},
    {"H527", "Refrakčná chyba, bližšie neurčená"}, {"H250", "Začínajúca senilná katarakta"},
    {"H251", "Senilná jadrová katarakta"}, {"H269", "Katarakta, bližšie neurčená"},
    {"H401", "Primárny glaukóm s otvoreným uhlom"}, {"H500", "Konvergentný strabizmus"},
    {"H501", "Divergentný strabizmus"}, {"H530", "Amblyopia ex anopsia"},
    {"H540", "Slepota oboch očí"}, {"H547", "Bližšie neurčená strata zraku"},
    {"H181", "Bulózna keratopatia"}, {"H186", "Keratokonus"}, {"Z961", "Prítomnosť vnútroočnej šošovky"}};

bool WriteDiagnoses(AppContext& app, QString* error) {
    TableFiller dg(app, module::kDg, error);
    for (const Diagnosis& d : kDiagnoses)
        if (!dg.add({{"KODD", d.code}, {"NAZOV", QString::fromUtf8(d.name)}}))
            return false;
    return true;
}

bool WriteDoctors(AppContext& app, DemoRandom& rnd, int count, QString* error) {
    TableFiller doctors(app, module::kLekar, error);
    for (int n = 0; n < count; ++n) {
        const bool woman = rnd.below(2) == 0;
        const Town& t = rnd.pick(kTowns);
        const QString surname = woman ? rnd.pick(kSurnamesF) : rnd.pick(kSurnamesM);
        const QString first = woman ? rnd.pick(kFirstNamesF) : rnd.pick(kFirstNamesM);
        const QString code = QStringLiteral("A%1").arg(12345000 + n * 37, 8, 10, QChar(u'0'));
        const QString pzs = QStringLiteral("P%1").arg(2000000 + n * 113, 11, 10, QChar(u'0'));
        if (!doctors.add({{"MENO", first}, {"PRIEZVISK", surname},
                          {"KODP", QStringLiteral("%1-%2-%3")
                                       .arg(1000 + n, 4, 10, QChar(u'0'))
                                       .arg(20 + n % 70)
                                       .arg(100 + n, 3, 10, QChar(u'0'))},
                          {"KODPOI", rnd.pick(kInsurers).code},
                          {"NAZOV", QStringLiteral("Očná ambulancia %1").arg(QString::fromUtf8(t.name))},
                          {"OBEC", QString::fromUtf8(t.name)}, {"ULICA", rnd.pick(kStreets)},
                          {"CISLO", QString::number(rnd.between(1, 120))}, {"PSC", t.psc},
                          {"DODPOSTA", QString::fromUtf8(t.post)},
                          {"STAT", QStringLiteral("Slovenská republika")}, {"KODNEW", code},
                          {"KODPZSNEW", pzs}}))
            return false;
    }
    return true;
}

bool WriteAids(AppContext& app, DemoRandom& rnd, int count, QString* error) {
    TableFiller aids(app, module::kOptpom, error);
    const QStringList kinds = {"Okuliarová šošovka jednoohnisková", "Okuliarová šošovka bifokálna",
                               "Okuliarová šošovka progresívna", "Kontaktná šošovka mäkká",
                               "Kontaktná šošovka tvrdá", "Okuliarový rám", "Lupa",
                               "Okuliare na blízko"};
    const QStringList ranges = {"do ±4 D", "±4,25 až ±6 D", "±6,25 až ±10 D", "nad ±10 D",
                                "cylinder do 2 D", "cylinder nad 2 D", "tónovaná", "s antireflexom"};
    for (int n = 0; n < count; ++n) {
        const QString kind = kinds[n % kinds.size()];
        const double price = 5.0 + rnd.below(30000) / 100.0;
        const double insurer = std::min(price, 3.0 + rnd.below(8000) / 100.0);
        if (!aids.add({{"KODPOM", QStringLiteral("%1").arg(10001 + n * 7, 5, 10, QChar(u'0'))},
                       {"NAZOV", kind}, {"DOPLNOK", ranges[(n / kinds.size()) % ranges.size()]},
                       {"MJ", "ks"}, {"KATEG", "A"}, {"CENAMF", price}, {"CENAPOI", insurer},
                       {"CENA", insurer}, {"DPH", n % 5 == 0 ? 5 : 19}}))
            return false;
    }
    return true;
}

struct Company {
    const char* ico;
    const char* name;
    const char* street;
    int town;
};
const Company kCompanies[] = {{"31345678", "Zrak, s.r.o.", "Štúrova", 0},
                              {"35712345", "Optik Servis a.s.", "Mierová", 1},
                              {"00412345", "Mesto Žilina", "Nám. SNP", 2},
                              {"44123456", "Šošovky Nitra s.r.o.", "Poľná", 3},
                              {"36987654", "Kancelária Prešov, v.o.s.", "Hlavná", 4}};

// The customers of the demo invoices, with the shop's account, constant symbol and currency.
bool WriteInvoiceCustomers(AppContext& app, QString* error) {
    TableFiller companies(app, module::kFirma, error);
    for (const Company& c : kCompanies) {
        const Town& t = kTowns[c.town];
        const QString ico = QString::fromLatin1(c.ico);
        if (!companies.add({{"NAZOV", QString::fromUtf8(c.name)}, {"ULICA", QString::fromUtf8(c.street)},
                            {"CISLO", "7"}, {"OBEC", QString::fromUtf8(t.name)}, {"PSC", t.psc},
                            {"DODPOSTA", QString::fromUtf8(t.post)},
                            {"STAT", QStringLiteral("Slovenská republika")}, {"ICO", ico},
                            {"ICOI", ico.toDouble()}, {"DICON", "20" + ico},
                            {"ICDPH", "SK20" + ico}, {"PLATCADAN", "A"}, {"JEODB", "A"},
                            {"JEDOD", "N"}, {"FOSOBA", "N"}}))
            return false;
    }
    TableFiller accounts(app, module::kUcty, error);
    TableFiller symbols(app, module::kKs, error);
    TableFiller currencies(app, module::kMena, error);
    return currencies.add({{"KODMENY", "EUR"}, {"MENA", QStringLiteral("Euro")}}) &&
           accounts.add({{"UCET", "VUB1"}, {"NAZOV", QStringLiteral("Všeobecná úverová banka")},
                         {"POBOCKA", QStringLiteral("Košice")}, {"CISUCET", "1234567890"},
                         {"KODBAN", "0200"}, {"PBN", "B"}}) &&
           symbols.add({{"KODKS", "0308"}, {"NAZOV", QStringLiteral("Platby za tovar")}});
}

// Invoices and credit notes of the last months, with lines at the rates of their day.
bool WriteInvoices(AppContext& app, DemoRandom& rnd, QString* error) {
    TableFiller invoices(app, module::kFak, error);
    TableFiller lines(app, module::kPol, error);
    const ItemFormat format{2, 2, true};
    const QStringList texts = {"Okuliarový rám", "Okuliarová šošovka", "Kontaktné šošovky",
                               "Roztok na kontaktné šošovky", "Oprava okuliarov", "Puzdro",
                               "Meranie zraku"};
    const QStringList units = {"ks", "ks", "bal", "ks", "ks", "ks", "h"};
    const QDate last(2025, 6, 30);
    const int count = 12;
    for (int n = 0; n < count; ++n) {
        const QDate issued = last.addDays(-(count - n) * 11);
        const bool credit = n % 5 == 4;
        const Company& c = kCompanies[rnd.below(int(std::size(kCompanies)))];
        const VatRates rates = VatRatesAt(app, issued);
        QList<InvoiceItem> items;
        const int k = rnd.between(1, 5);
        for (int i = 0; i < k; ++i) {
            const int which = rnd.below(int(texts.size()));
            InvoiceItem item;
            item.text = texts[which];
            item.unit = units[which];
            item.quantity = format.show(credit ? -rnd.between(1, 2) : rnd.between(1, 4));
            item.price = format.show(rnd.between(300, 25000) / 100.0L);
            item.rate = QString::number(rates[which == 6 ? 0 : which == 2 ? 1 : 2]);
            ComputeLineAmount(item, format);
            items << item;
        }
        const VatRecap recap = RecapitulateVat(items, rates, 2, 1);
        const qint64 code = n + 1;
        const QString ico = QString::fromLatin1(c.ico);
        if (!invoices.add({{"KOD", double(code)},
                           {"CISFAKTU", QStringLiteral("2025/%1").arg(n + 1, 3, 10, QChar(u'0'))},
                           {"ICO_DOD", 36581234.0}, {"UCET_DOD", "VUB1"}, {"KONSTS", "0308"},
                           {"CIS_DODL", QStringLiteral("2025/%1").arg(n + 1, 3, 10, QChar(u'0'))},
                           {"ICO_ODB", ico.toDouble()}, {"ICO_ODBA", ico},
                           {"NAZOV_ODB", QString::fromUtf8(c.name)}, {"SP_DOPR", 1},
                           {"FORMA_UHR", 1 + rnd.below(2)}, {"DAT_VYS", issued},
                           {"DAT_PLN", issued}, {"DAT_SPL", issued.addDays(14)},
                           {"BEZDPH1", double(RoundDecimals(recap.base[0], 2))},
                           {"BEZDPH2", double(RoundDecimals(recap.base[1], 2))},
                           {"BEZDPH3", double(RoundDecimals(recap.base[2], 2))},
                           {"SUMA", double(recap.totalToPay)}, {"MENA", "EUR"},
                           {"TYP", credit ? "D" : "F"}, {"KDEODB", "0"}}))
            return false;
        for (const InvoiceItem& item : items)
            if (!lines.add({{"KODH", double(code)}, {"TEXT", item.text},
                            {"MNOZSTVO", double(CellNumber(item.quantity))}, {"MJ", item.unit},
                            {"CENA", double(CellNumber(item.price))}, {"DPH", item.rate.toInt()},
                            {"SPOLU", double(CellNumber(item.amount))}}))
                return false;
    }
    return true;
}

// The February invoice of the first insurer taken over into a general invoice ("Z poisťovne"),
// as the invoice form does it.
bool WriteInvoiceFromInsurer(AppContext& app, QString* error) {
    TableFiller invoices(app, module::kFak, error);
    TableFiller lines(app, module::kPol, error);
    const qint64 insurerInvoice = qint64(std::size(kInsurers)) + 1;
    const QDate issued(2025, 3, 5);
    const VatRates rates = VatRatesAt(app, issued);
    const ItemFormat format{2, 2, true};
    InsurerInvoiceSource source = ReadInsurerInvoice(app, insurerInvoice);
    source.totals = InsurerInvoiceTotalsOf(app, insurerInvoice, rates);
    QList<InvoiceItem> items = InsurerInvoiceItems(source, rates, format);
    TrimTrailingEmptyItems(items, format);
    const VatRecap recap = RecapitulateVat(items, rates, 2, 1);
    QString name;
    LookupField(app, module::kPoist, QStringLiteral("CPOI"), {source.insurerCode},
                QStringLiteral("NAZOV"), name);
    const qint64 code = LastValue(app.registry.module(module::kFak)->table(), QStringLiteral("KOD"),
                                  QStringLiteral("KOD")) + 1;
    if (!invoices.add({{"KOD", double(code)}, {"CISFAKTU", QStringLiteral("2025/P01")},
                       {"ICO_DOD", 36581234.0}, {"UCET_DOD", "VUB1"}, {"KONSTS", "0308"},
                       {"CIS_DODL", QStringLiteral("2025/P01")},
                       {"ICO_ODB", source.insurerIco.toDouble()}, {"ICO_ODBA", source.insurerIco},
                       {"NAZOV_ODB", name}, {"SP_DOPR", 1}, {"FORMA_UHR", 1},
                       {"DAT_VYS", issued}, {"DAT_PLN", issued}, {"DAT_SPL", issued.addDays(14)},
                       {"BEZDPH1", double(RoundDecimals(recap.base[0], 2))},
                       {"BEZDPH2", double(RoundDecimals(recap.base[1], 2))},
                       {"BEZDPH3", double(RoundDecimals(recap.base[2], 2))},
                       {"SUMA", double(recap.totalToPay)}, {"MENA", "EUR"}, {"TYP", "F"},
                       {"KDEODB", "1"}, {"DOPLNOK", source.insurerCode}}))
        return false;
    for (const InvoiceItem& item : items)
        if (!lines.add({{"KODH", double(code)}, {"TEXT", item.text},
                        {"MNOZSTVO", double(CellNumber(item.quantity))}, {"MJ", item.unit},
                        {"CENA", double(CellNumber(item.price))}, {"DPH", item.rate.toInt()},
                        {"SPOLU", double(CellNumber(item.amount))}}))
            return false;
    return true;
}

bool WriteOwner(AppContext& app) {
    return WriteOwnerFields(app, {{"NAZOV", QStringLiteral("Optika Vidora s.r.o.")},
                                  {"MENO", QStringLiteral("Jana")},
                                  {"PRIEZVISK", QStringLiteral("Horváthová")},
                                  {"ULICA", QStringLiteral("Hlavná")},
                                  {"CISLO", QStringLiteral("12")},
                                  {"OBEC", QStringLiteral("Košice")},
                                  {"PSC", QStringLiteral("04001")},
                                  {"DODPOSTA", QStringLiteral("Košice 1")},
                                  {"STAT", QStringLiteral("Slovenská republika")},
                                  {"ICO", QStringLiteral("36581234")},
                                  {"DICO", QStringLiteral("2021234567")},
                                  {"ICDPH", QStringLiteral("SK2021234567")},
                                  {"PLATCADAN", QStringLiteral("A")},
                                  {"TELEFON", QStringLiteral("055 622 11 22")},
                                  {"MAIL", QStringLiteral("optika@vidora.sk")},
                                  {"DICON", QStringLiteral("2021234567")},
                                  {"KS", QStringLiteral("0308")},
                                  {"UCET", QStringLiteral("VUB1")},
                                  {"KODD", QStringLiteral("1")},
                                  {"KODU", QStringLiteral("1")},
                                  {"MENA", QStringLiteral("EUR")},
                                  {"SPLAT", 14},
                                  {"PDM", 2},
                                  {"PDMZ", 2},
                                  {"KODZAOK", 1},
                                  {"DOLNYOKRAJ", 20}});
}


// --- Address book: titles, companies with their persons, comments and keywords, bulk mail,
// envelope printer offsets; customer cards with their notes.

const QStringList kTitles = {"Bc.",   "Mgr.",  "Ing.",  "Ing. arch.", "MUDr.", "MVDr.", "PharmDr.",
                             "PhDr.", "RNDr.", "JUDr.", "PaedDr.",    "doc.",  "prof."};

bool WriteTitles(AppContext& app, QString* error) {
    TableFiller titles(app, module::kTitul, error);
    for (const QString& t : kTitles)
        if (!titles.add({{"NAZOV", t}}))
            return false;
    return true;
}

// The text as notes rows of the owner, in the order they are read back.
bool AddNotes(TableFiller& chunks, qint64 owner, const QString& text) {
    for (const QString& chunk : NotesChunks(text))
        if (!chunks.add({{"KODH", owner}, {"TEXT", chunk}}))
            return false;
    return true;
}

// A mail address part: no diacritics, no blanks, small letters.
QString MailPart(const QString& text) {
    QString out;
    for (QChar c : StripDiacritics(text).toLower())
        if (c.isLetterOrNumber())
            out += c;
    return out;
}

const QStringList kKeywords = {"Obrúčky",          "Okuliarové šošovky", "Kontaktné šošovky",
                               "Roztoky a kvapky", "Slnečné okuliare",   "Púzdra a doplnky",
                               "Servis a opravy",  "Veľkoobchod",        "Stály odberateľ",
                               "Mailová akcia"};
const QStringList kCompanyFirst = {"Optik",   "Vizus",  "Lumen",   "Oko",     "Clara",
                                   "Spektra", "Iris",   "Dioptra", "Zrak",    "Horizont",
                                   "Sklárne", "Tatran", "Danubia", "Polaris", "Kryštál"};
const QStringList kCompanyKind = {"Centrum", "Trade", "Servis", "Plus", "Optika", "Partner"};
const QStringList kCompanyForm = {"s.r.o.", "a.s.", "spol. s r.o.", "k.s."};
const QStringList kPositions = {"konateľ", "obchodný zástupca", "účtovníčka", "vedúci predajne",
                                "skladník", "optometristka"};
const QStringList kCompanyNotes = {
    "Dodáva do týždňa od objednávky, pri objednávke nad 500 eur doprava zdarma.",
    "Platba vždy prevodom do 14 dní. Pri reklamácii volať priamo obchodného zástupcu, nie "
    "ústredňu.\nFaktúry posielať aj mailom.",
    "Stály odberateľ od roku 2015. Zľava 5 % na všetky obrúčky, 3 % na šošovky; zľavy sa "
    "nesčítavajú.\nKontrola zmluvy vždy v januári.\nKuriér chodí v utorok a vo štvrtok "
    "dopoludnia.",
    "Pozor: zmena sídla od marca, nová adresa je už v karte.",
};
const QStringList kPersonNotes = {
    "Volať dopoludnia, poobede je na predajni.",
    "Preferuje komunikáciu mailom. Objednávky potvrdzuje do druhého dňa, pri urgencii "
    "zavolať na mobil.",
};

// Real companies (customers and suppliers) with persons, comments and keywords, then private
// customers kept in the same list under a small IČO.
bool WriteCompanies(AppContext& app, DemoRandom& rnd, QString* error) {
    TableFiller companies(app, module::kFirma, error);
    TableFiller persons(app, module::kOsobaf, error);
    TableFiller companyNotes(app, module::kKomentf, error);
    TableFiller personNotes(app, module::kKomento, error);
    TableFiller keywords(app, module::kHesla, error);
    TableFiller assigned(app, module::kPrihesf, error);
    QList<qint64> keywordCodes;
    for (const QString& k : kKeywords) {
        if (!keywords.add({{"NAZOV", k}}))
            return false;
        keywordCodes << keywords.lastCode();
    }
    const int realCompanies = 24;
    for (int n = 0; n < realCompanies; ++n) {
        const QString name = kCompanyFirst[n % kCompanyFirst.size()] + u' ' +
                             kCompanyKind[(n / kCompanyFirst.size() + n) % kCompanyKind.size()] +
                             u' ' + rnd.pick(kCompanyForm);
        const bool woman = rnd.below(2) == 0;
        const QString first = woman ? rnd.pick(kFirstNamesF) : rnd.pick(kFirstNamesM);
        const QString surname = woman ? rnd.pick(kSurnamesF) : rnd.pick(kSurnamesM);
        const Town& t = rnd.pick(kTowns);
        // The first IČO starts with 0: it must stay text, or the leading zero is lost.
        const QString ico = QStringLiteral("%1").arg(n == 0 ? 1234567 : 31000000 + n * 271837 % 9000000,
                                                     8, 10, QChar(u'0'));
        const QString dic = QStringLiteral("20%1").arg(20000000 + n * 3917, 8, 10, QChar(u'0'));
        const bool payer = n % 5 != 4;
        const bool supplier = n % 3 != 1;
        const bool customer = !supplier || n % 4 == 0; // a few are both
        const QString mail = n % 2 == 0 ? QStringLiteral("info@%1.sk").arg(MailPart(name.section(u' ', 0, 1)))
                                        : QString();
        if (!companies.add({{"NAZOV", name},
                            {"TITUL", n % 7 == 0 ? QStringLiteral("Ing.") : QString()},
                            {"MENO", first},
                            {"PRIEZVISK", surname},
                            {"PRIEZMENO", surname + u' ' + first},
                            {"ULICA", rnd.pick(kStreets)},
                            {"CISLO", QString::number(rnd.between(1, 80))},
                            {"OBEC", QString::fromUtf8(t.name)},
                            {"PSC", t.psc},
                            {"DODPOSTA", QString::fromUtf8(t.post)},
                            {"STAT", QStringLiteral("Slovenská republika")},
                            {"ICO", ico},
                            {"ICOI", ico.toDouble()},
                            {"DICO", dic},
                            {"ICDPH", payer ? QStringLiteral("SK") + dic : QString()},
                            {"TELEFON", QStringLiteral("0%1 %2 %3")
                                            .arg(rnd.between(2, 58))
                                            .arg(rnd.between(100, 999))
                                            .arg(rnd.between(1000, 9999))},
                            {"MAIL", mail},
                            {"PLATCADAN", payer ? "A" : "N"},
                            {"JEODB", customer ? "A" : "N"},
                            {"JEDOD", supplier ? "A" : "N"},
                            {"FOSOBA", "N"},
                            {"CISUCET", QStringLiteral("SK%1 0200 0000 00%2")
                                            .arg(10 + n)
                                            .arg(1234567890 + n * 7919)}}))
            return false;
        const qint64 company = companies.lastCode();
        for (int p = 0, count = n % 4; p < count; ++p) {
            const bool pw = rnd.below(2) == 0;
            const QString pSurname = pw ? rnd.pick(kSurnamesF) : rnd.pick(kSurnamesM);
            if (!persons.add({{"KODF", company},
                              {"POHL", pw ? QStringLiteral("Ž") : QStringLiteral("M")},
                              {"TITUL", p == 0 && n % 3 == 0 ? rnd.pick(kTitles) : QString()},
                              {"MENO", pw ? rnd.pick(kFirstNamesF) : rnd.pick(kFirstNamesM)},
                              {"PRIEZVISK", pSurname},
                              {"FUNKCIA", kPositions[(n + p) % kPositions.size()]},
                              {"ULICAF", rnd.pick(kStreets)},
                              {"OBECF", QString::fromUtf8(t.name)},
                              {"PSCF", t.psc},
                              {"DODPOSTAF", QString::fromUtf8(t.post)},
                              {"TELEFONF", QStringLiteral("09%1 %2 %3")
                                               .arg(rnd.between(0, 49), 2, 10, QChar(u'0'))
                                               .arg(rnd.between(100, 999))
                                               .arg(rnd.between(100, 999))},
                              {"EMAILF", QStringLiteral("%1@%2.sk")
                                             .arg(MailPart(pSurname).left(10),
                                                  MailPart(name.section(u' ', 0, 0)))}}))
                return false;
            if ((n + p) % 3 == 0 &&
                !AddNotes(personNotes, persons.lastCode(), kPersonNotes[(n + p) % kPersonNotes.size()]))
                return false;
        }
        if (n % 3 == 0 && !AddNotes(companyNotes, company, kCompanyNotes[n / 3 % kCompanyNotes.size()]))
            return false;
        // Each keyword at most once per company, as the assignment window keeps them.
        QList<qint64> mine;
        for (int k = 0, count = 1 + n % 3; k < count; ++k) {
            const qint64 code = keywordCodes[(n * 3 + k * 4) % keywordCodes.size()];
            if (mine.contains(code))
                continue;
            mine << code;
            if (!assigned.add({{"KODF", company}, {"KODH", code}}))
                return false;
        }
    }
    // Private customers: IČO 1, 2, ... as the form's next client IČO gives them.
    for (int n = 0; n < 12; ++n) {
        const bool woman = n % 2 == 0;
        const QString first = woman ? rnd.pick(kFirstNamesF) : rnd.pick(kFirstNamesM);
        const QString surname = woman ? rnd.pick(kSurnamesF) : rnd.pick(kSurnamesM);
        const Town& t = rnd.pick(kTowns);
        const QString ico = QString::number(n + 1);
        if (!companies.add({{"NAZOV", surname + u' ' + first},
                            {"MENO", first},
                            {"PRIEZVISK", surname},
                            {"PRIEZMENO", surname + u' ' + first},
                            {"ULICA", rnd.pick(kStreets)},
                            {"CISLO", QString::number(rnd.between(1, 120))},
                            {"OBEC", QString::fromUtf8(t.name)},
                            {"PSC", t.psc},
                            {"DODPOSTA", QString::fromUtf8(t.post)},
                            {"STAT", QStringLiteral("Slovenská republika")},
                            {"ICO", ico},
                            {"ICOI", double(n + 1)},
                            {"MAIL", n % 3 == 0 ? QStringLiteral("%1.%2@mail.sk")
                                                      .arg(MailPart(first), MailPart(surname))
                                                : QString()},
                            {"PLATCADAN", "N"},
                            {"JEODB", "A"},
                            {"JEDOD", "N"},
                            {"FOSOBA", "A"},
                            {"CLENCIS", QString::number(n + 1)}}))
            return false;
    }
    return true;
}

struct Client {
    qint64 code;
    QString rodcis, meno, priezvisk, obec, ulica, cislo, psc, posta, insurer;
};

// A birth number of the 1950s to 2000s that passes modulo 11; women's months are raised by 50.
QString BirthNumber(DemoRandom& rnd, bool woman) {
    const int year = rnd.between(50, 99);
    const int month = rnd.between(1, 12) + (woman ? 50 : 0);
    const int day = rnd.between(1, 28);
    const qint64 head = qint64(year) * 10000 + month * 100 + day;
    qint64 tail = rnd.between(0, 9990);
    while ((head * 10000 + tail) % 11 != 0)
        ++tail;
    return QStringLiteral("%1/%2").arg(head, 6, 10, QChar(u'0')).arg(tail, 4, 10, QChar(u'0'));
}

bool WriteClients(AppContext& app, DemoRandom& rnd, int count, QList<Client>& clients,
                  QString* error) {
    TableFiller table(app, module::kKlient, error);
    QSet<QString> used;
    for (int n = 0; n < count; ++n) {
        const bool woman = rnd.below(2) == 0;
        Client c;
        c.code = n + 1;
        do
            c.rodcis = BirthNumber(rnd, woman);
        while (used.contains(c.rodcis));
        used.insert(c.rodcis);
        c.meno = woman ? rnd.pick(kFirstNamesF) : rnd.pick(kFirstNamesM);
        c.priezvisk = woman ? rnd.pick(kSurnamesF) : rnd.pick(kSurnamesM);
        const Town& t = rnd.pick(kTowns);
        c.obec = QString::fromUtf8(t.name);
        c.ulica = rnd.pick(kStreets);
        c.cislo = QString::number(rnd.between(1, 150));
        c.psc = QString::fromLatin1(t.psc);
        c.posta = QString::fromUtf8(t.post);
        c.insurer = QString::fromLatin1(rnd.pick(kInsurers).code);
        if (!table.add({{"KOD", c.code}, {"RODCIS", c.rodcis}, {"KODPOI", c.insurer},
                        {"MENO", c.meno}, {"PRIEZVISK", c.priezvisk}, {"OBEC", c.obec},
                        {"ULICA", c.ulica}, {"CISLO", c.cislo}, {"PSC", c.psc},
                        {"DODPOSTA", c.posta}, {"DIALKY", rnd.between(58, 70)},
                        {"BLIZKO", rnd.between(55, 67)}}))
            return false;
        clients << c;
    }
    return true;
}

struct MailDefinition {
    const char* description;
    const char* file;
    const char* subject;
    const char* text;
};
const MailDefinition kMailDefinitions[] = {
    {"Jarná akcia na slnečné okuliare", "akcia.txt", "Jarná akcia – slnečné okuliare s dioptriami",
     "Vážená pani, vážený pán XXX_PRIEZVISK,\n\n"
     "pre firmu XXX_NAZOV sme pripravili jarnú akciu: slnečné okuliare s dioptriami so zľavou "
     "20 %.\nAkcia platí do konca mája.\n\nS pozdravom\nOptika Vidora s.r.o."},
    {"Nový cenník pre odberateľov", "cennik.txt", "Nový cenník od 1. januára",
     "Dobrý deň,\n\nv prílohe posielame nový cenník pre XXX_NAZOV (IČO XXX_ICO).\n"
     "Ceny platia od 1. januára.\n\nOptika Vidora s.r.o."},
    {"Pozvánka na meranie zraku", "pozvanka.txt", "Pozvánka na bezplatné meranie zraku",
     "Dobrý deň XXX_MENO XXX_PRIEZVISK,\n\nradi vás privítame na bezplatnom meraní zraku "
     "v našej predajni v Košiciach, Hlavná 12.\n\nOptika Vidora s.r.o."},
};

// The definitions with their template files in the data directory, where bulk mail looks.
bool WriteBulkMail(AppContext& app, QString* error) {
    TableFiller definitions(app, module::kHm, error);
    for (const MailDefinition& d : kMailDefinitions) {
        if (!definitions.add({{"POPIS", QString::fromUtf8(d.description)},
                              {"MENOSUB", QString::fromUtf8(d.file)},
                              {"SUBJECT", QString::fromUtf8(d.subject)}}))
            return false;
        QString text = QString::fromUtf8(d.text);
        text.replace(u'\n', QStringLiteral("\r\n"));
        QString lost;
        const QByteArray bytes = ToCp1250(text, &lost);
        QSaveFile f(QDir(app.db->directory()).filePath(QString::fromUtf8(d.file)));
        if (!lost.isEmpty() || !f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() ||
            !f.commit()) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(f.fileName(), lost.isEmpty() ? f.errorString() : lost);
            return false;
        }
    }
    return true;
}

// The envelope printer the settings name by default, with no shift of its own.
bool WritePrinterOffsets(AppContext& app, QString* error) {
    TableFiller offsets(app, module::kPosuny, error);
    Row row = {{"KOD", 1}, {"NAZOVTLAC", QStringLiteral("Predvolená tlačiareň")}};
    for (const char* f : {"POSUNXO0", "POSUNYO0", "POSUNXO1", "POSUNYO1", "POSUNXO2", "POSUNYO2",
                          "POSUNXO3", "POSUNYO3"})
        row.append({f, 0.0});
    return offsets.add(row);
}

const QStringList kFrames = {"Silhouette titan", "Ray-Ban RB5154", "Kovový rám zlatý",
                             "Plastový rám čierny", "Detský rám modrý", "Polorám strieborný"};
const QStringList kLenses = {"Zeiss 1,5 AR", "Hoya 1,6 AR", "Essilor progresívne",
                             "Fotochromatické 1,5", "Bifokálne 1,5", "Tenšie 1,67 AR"};
const QStringList kCardNotes = {
    "Chce tenšie sklá, rám vyberala dlho.",
    "Kontrola zraku o rok. Pri ďalšej návšteve ponúknuť slnečné okuliare s dioptriami.",
    "Zákazník sa sťažoval na odlesky pri šoférovaní v noci, odporučený antireflex.\n"
    "Doplatok za tenšie sklá zaplatený v hotovosti. Okuliare vyzdvihne manželka.",
    "Reklamácia: uvoľnená skrutka na stopke, opravené na počkanie.\nNabudúce skontrolovať "
    "aj nosníky.\nTelefonovať až po 16. hodine, cez deň je v práci a mobil nedvíha.",
};

// Dioptres in quarters as the card shows them: "+1,25", "-0,50", "0".
QString DioptreText(int quarters) {
    if (quarters == 0)
        return QStringLiteral("0");
    const QString text = QString::number(quarters / 4.0, 'f', 2).replace(u'.', u',');
    return quarters > 0 ? u'+' + text : text;
}

bool WriteCustomerCards(AppContext& app, DemoRandom& rnd, QString* error) {
    TableFiller cards(app, module::kVekra, error);
    TableFiller notes(app, module::kKoment, error);
    const QDate first(2023, 1, 9);
    QList<QByteArray> eyes; // the rows name their fields by pointer
    for (const QString& name : EyeFieldNames())
        eyes << name.toLatin1();
    for (int n = 0; n < 60; ++n) {
        const bool woman = rnd.below(2) == 0;
        const Town& t = rnd.pick(kTowns);
        CardPrices prices;
        prices.frame = rnd.between(20, 250);
        prices.discountPercent = rnd.pick(std::array{0, 0, 5, 10, 15});
        prices.lenses = rnd.between(30, 400);
        prices.prescription = rnd.pick(std::array{0, 0, 10, 20});
        prices.other = rnd.below(3) == 0 ? rnd.between(5, 25) : 0;
        const CardAmounts amounts = CardTotals(prices);
        const int farDistance = rnd.between(58, 70);
        Row row = {{"DATUM", first.addDays(n * 17 + rnd.below(10))},
                   {"MENO", woman ? rnd.pick(kFirstNamesF) : rnd.pick(kFirstNamesM)},
                   {"PRIEZVISK", woman ? rnd.pick(kSurnamesF) : rnd.pick(kSurnamesM)},
                   {"TELEFON", QStringLiteral("09%1 %2 %3")
                                   .arg(rnd.between(0, 49), 2, 10, QChar(u'0'))
                                   .arg(rnd.between(100, 999))
                                   .arg(rnd.between(100, 999))},
                   {"ULICA", rnd.pick(kStreets)},
                   {"CISLO", QString::number(rnd.between(1, 120))},
                   {"OBEC", QString::fromUtf8(t.name)},
                   {"PSC", t.psc},
                   {"DODPOSTA", QString::fromUtf8(t.post)},
                   {"DIALKY", farDistance},
                   {"BLIZKO", farDistance - rnd.between(2, 4)},
                   {"RAM", rnd.pick(kFrames)},
                   {"CENAR", prices.frame},
                   {"ZLAVARPERC", prices.discountPercent},
                   {"ZLAVARSUMA", amounts.discount},
                   {"SKLA", rnd.pick(kLenses)},
                   {"CENAS", prices.lenses},
                   {"CENARECEPT", prices.prescription},
                   {"INE", prices.other > 0 ? QStringLiteral("Puzdro") : QStringLiteral("0")},
                   {"CENAI", prices.other},
                   {"CELKOM", amounts.total}};
        // Sphere, cylinder and axis of each eye; near vision adds the reading addition.
        const int addition = rnd.between(4, 10);
        for (int eye = 0; eye < 2; ++eye) {
            const int sphere = rnd.between(-24, 12);
            const int cylinder = rnd.below(2) ? rnd.between(-8, -1) : 0;
            const QString axis = cylinder ? QString::number(rnd.between(0, 18) * 10) : QString();
            for (int near = 0; near < 2; ++near) {
                const int at = (near * 2 + eye) * 5;
                row.append({eyes[at].constData(), DioptreText(sphere + near * addition)});
                row.append({eyes[at + 1].constData(), cylinder ? DioptreText(cylinder) : QString()});
                row.append({eyes[at + 2].constData(), axis});
            }
        }
        if (!cards.add(row))
            return false;
        if (n % 3 == 0 && !AddNotes(notes, cards.lastCode(), kCardNotes[n / 3 % kCardNotes.size()]))
            return false;
    }
    return true;
}
// Glasses without voucher for every seventh client, after the vouchers of the billing months,
// so that they are those clients' latest prescription.
bool WriteGlasses(AppContext& app, DemoRandom& rnd, const QList<Client>& clients,
                  QString* error) {
    TableFiller glasses(app, module::kObp, error);
    QList<QByteArray> eyes;
    for (const QString& name : EyeFieldNames())
        eyes << name.toLatin1();
    const QDate first(2025, 3, 3);
    for (int n = 0; n < clients.size(); n += 7) {
        const int far = rnd.between(58, 70);
        Row row = {{"KOD", qint64(n / 7 + 1)},
                   {"KODKLIENT", clients[n].code},
                   {"DATUM", first.addDays(n / 7 * 3 % 300)},
                   {"DIALKY", far},
                   {"BLIZKO", far - rnd.between(2, 4)},
                   {"NAZR", rnd.pick(kFrames)}};
        for (int eye = 0; eye < 2; ++eye) {
            const int sphere = rnd.between(-16, 12);
            row.append({eyes[eye * 5].constData(), DioptreText(sphere)});
            row.append({eyes[(2 + eye) * 5].constData(), DioptreText(sphere + 8)});
        }
        if (!glasses.add(row))
            return false;
    }
    return true;
}

// Two months of billing: an invoice per insurer and month, each with up to ten batches, the
// vouchers shared out evenly among the invoices.
bool WriteBilling(AppContext& app, DemoRandom& rnd, const DemoOptions& o,
                  const QList<Client>& clients, QString* error) {
    TableFiller invoices(app, module::kFaktura, error);
    TableFiller batches(app, module::kDavka, error);
    TableFiller vouchers(app, module::kPoukaz, error);
    const int months[] = {1, 2};
    const int year = 2025;
    const int invoiceCount = int(std::size(months) * std::size(kInsurers));
    const int perInvoice = o.vouchers / invoiceCount;
    int extra = o.vouchers % invoiceCount;
    qint64 invoiceCode = 0, batchCode = 0, voucherCode = 0;
    for (int month : months) {
        int contract = 0;
        for (const Insurer& ins : kInsurers) {
            ++contract;
            ++invoiceCode;
            const int share = perInvoice + (extra-- > 0 ? 1 : 0);
            if (!invoices.add({{"KOD", invoiceCode},
                               {"CISFAK", QStringLiteral("%1%2%3").arg(year).arg(month, 2, 10, QChar(u'0')).arg(QString::fromLatin1(ins.code))},
                               {"OBDMM", QString::number(month)}, {"OBDRR", QString::number(year)},
                               {"KODZML", contract}}))
                return false;
            const int batchCount = std::clamp(share / 20, 1, 10);
            const QDate first(year, month, 1);
            for (int b = 0; b < batchCount; ++b) {
                ++batchCode;
                if (!batches.add({{"KOD", batchCode}, {"KODFA", invoiceCode}, {"CISDAV", b + 1}}))
                    return false;
                const int inBatch = share / batchCount + (b < share % batchCount ? 1 : 0);
                for (int v = 0; v < inBatch; ++v) {
                    const Client& c = clients.isEmpty() ? Client{} : clients[rnd.below(int(clients.size()))];
                    const int doctor = rnd.below(std::max(1, o.doctors));
                    const int aid = rnd.below(std::max(1, o.aids));
                    const int aid2 = rnd.below(std::max(1, o.aids));
                    const double price = 3.0 + (aid * 7919 % 8000) / 100.0;
                    const QDate prescribed = first.addDays(rnd.below(20));
                    Row row = {{"KOD", ++voucherCode}, {"KODFA", invoiceCode}, {"KODDAV", batchCode},
                               {"KODKLIENT", c.code}, {"RODCIS", c.rodcis},
                               {"KODPOIKL", QString::fromLatin1(ins.code)}, {"MENO", c.meno},
                               {"PRIEZVISK", c.priezvisk}, {"OBEC", c.obec}, {"ULICA", c.ulica},
                               {"CISLO", c.cislo}, {"PSC", c.psc}, {"DODPOSTA", c.posta},
                               {"KODLEK", doctor + 1},
                               {"KODPEC", QStringLiteral("%1-%2-%3").arg(1000 + doctor, 4, 10, QChar(u'0')).arg(20 + doctor % 70).arg(100 + doctor, 3, 10, QChar(u'0'))},
                               {"KODPOILEK", QString::fromLatin1(ins.code)},
                               {"KODDIAG", QString::fromUtf8(rnd.pick(kDiagnoses).code)},
                               {"DIALKY", rnd.between(58, 70)}, {"BLIZKO", rnd.between(55, 67)},
                               {"KODOP1", QStringLiteral("%1").arg(10001 + aid * 7, 5, 10, QChar(u'0'))},
                               {"POCET1", 2}, {"SUMAPOI1", price * 2}, {"SUMAPAC1", double(rnd.below(2000)) / 100.0},
                               {"DATUM", prescribed}, {"DATUMVYD", prescribed.addDays(rnd.between(1, 8))}};
                    if (rnd.below(3) == 0)
                        row << std::pair<const char*, QVariant>{"KODOP2", QStringLiteral("%1").arg(10001 + aid2 * 7, 5, 10, QChar(u'0'))}
                            << std::pair<const char*, QVariant>{"POCET2", 1}
                            << std::pair<const char*, QVariant>{"SUMAPOI2", 3.0 + (aid2 * 7919 % 8000) / 100.0};
                    if (!vouchers.add(row))
                        return false;
                }
            }
        }
    }
    return true;
}

// The fields offered for filtering the vouchers, the clients and the invoices, and a few
// saved filters (one asks for the municipality when it is used).
bool WriteFilters(AppContext& app, QString* error) {
    TableFiller fields(app, module::kFilter1, error);
    const std::pair<const char*, const char*> vouchers[] = {
        {"Priezvisko", "PRIEZVISK"}, {"Obec", "OBEC"},          {"Dátum", "DATUM"},
        {"Dátum vydania", "DATUMVYD"}, {"Poisťovňa klienta", "KODPOIKL"},
        {"Diagnóza", "KODDIAG"},     {"Kód faktúry", "KODFA"}};
    const std::pair<const char*, const char*> clients[] = {
        {"Priezvisko", "PRIEZVISK"}, {"Meno", "MENO"}, {"Obec", "OBEC"},
        {"PSČ", "PSC"},              {"Poisťovňa", "KODPOI"}, {"Dátum", "DATUM"}};
    const std::pair<const char*, const char*> invoices[] = {
        {"Číslo faktúry", "CISFAKTU"}, {"Odberateľ", "NAZOV_ODB"},
        {"Dátum vystavenia", "DAT_VYS"}, {"Dátum splatnosti", "DAT_SPL"},
        {"Suma", "SUMA"},             {"Typ", "TYP"}};
    auto add = [&](const char* list, const auto& rows) {
        for (const auto& [description, field] : rows)
            if (!fields.add({{"TABULKA", list}, {"POPIS", QString::fromUtf8(description)},
                             {"POLE", field}}))
                return false;
        return true;
    };
    if (!add("POUKAZ", vouchers) || !add("KLIENT", clients) || !add("FAK", invoices))
        return false;
    TableFiller saved(app, module::kNastav, error);
    const std::tuple<const char*, const char*, const char*> filters[] = {
        {"POUKAZ", "Poukazy z obce", "(OBEC = $OBEC)"},
        {"POUKAZ", "Poukazy vydané vo februári 2025",
         "((DATUMVYD >= '1.2.2025') and (DATUMVYD <= '28.2.2025'))"},
        {"KLIENT", "Klienti z Nitry", "((OBEC = 'Nitra'))"},
        {"FAK", "Faktúry nad 100", "((SUMA > 100))"}};
    for (const auto& [list, description, expression] : filters)
        if (!saved.add({{"TABULKA", list}, {"POPIS", QString::fromUtf8(description)},
                        {"FILTER", expression}}))
            return false;
    return true;
}

} // namespace

bool MakeDemoShop(AppContext& app, const DemoOptions& options, QString* error) {
    DemoRandom rnd(options.seed);
    QList<Client> clients;
    const std::function<bool()> steps[] = {
        [&] { return WriteTowns(app, error); },
        [&] { return WriteTaxLevels(app, error); },
        [&] { return WriteInsurers(app, error); },
        [&] { return WriteDiagnoses(app, error); },
        [&] { return WriteDoctors(app, rnd, options.doctors, error); },
        [&] { return WriteAids(app, rnd, options.aids, error); },
        [&] { return WriteClients(app, rnd, options.clients, clients, error); },
        [&] { return WriteBilling(app, rnd, options, clients, error); },
        [&] { return WriteInvoiceCustomers(app, error); },
        [&] { return WriteInvoices(app, rnd, error); },
        [&] { return WriteInvoiceFromInsurer(app, error); },
    };
    for (const auto& step : steps)
        if (!TableFiller::InOneWrite(app, error, step))
            return false;
    // The address book and the cards draw from their own sequence, so the rest of the shop
    // stays the same whatever they hold.
    DemoRandom book(options.seed ^ 0x5A17u);
    const std::function<bool()> bookSteps[] = {
        [&] { return WriteTitles(app, error); },
        [&] { return WriteCompanies(app, book, error); },
        [&] { return WriteBulkMail(app, error); },
        [&] { return WritePrinterOffsets(app, error); },
        [&] { return WriteCustomerCards(app, book, error); },
        [&] { return WriteFilters(app, error); },
    };
    for (const auto& step : bookSteps)
        if (!TableFiller::InOneWrite(app, error, step))
            return false;
    DemoRandom glassesRandom(options.seed ^ 0x0B1Du);
    if (!TableFiller::InOneWrite(app, error,
                                 [&] { return WriteGlasses(app, glassesRandom, clients, error); }))
        return false;
    if (!WriteSystemFields(app, {{QStringLiteral("KODPZS"), QStringLiteral("P12345678901")},
                                 {QStringLiteral("IDENTPZS"), QStringLiteral("P12345")}}))
        return false;
    return WriteOwner(app);
}

} // namespace vidoraw
