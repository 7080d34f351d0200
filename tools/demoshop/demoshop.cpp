#include "demoshop.h"

#include "core/engine/tableops.h"
#include "core/modulenumbers.h"
#include "framework/appcontext.h"
#include "framework/systemrecord.h"
#include "shell/vlastnikd.h"

#include <QDate>
#include <functional>

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
};
const Insurer kInsurers[] = {
    {"24", "35942436", "Dôvera zdravotná poisťovňa, a. s.", "Bratislava", "Einsteinova"},
    {"25", "35937874", "Všeobecná zdravotná poisťovňa, a. s.", "Bratislava", "Panónska cesta"},
    {"27", "36284831", "Union zdravotná poisťovňa, a. s.", "Bratislava", "Karadžičova"}};

bool WriteInsurers(AppContext& app, QString* error) {
    TableFiller insurers(app, module::kPoist, error);
    TableFiller contracts(app, module::kZmluva, error);
    for (const Insurer& i : kInsurers) {
        if (!insurers.add({{"CPOI", i.code}, {"ICO", i.ico}, {"NAZOV", QString::fromUtf8(i.name)},
                           {"ULICA", QString::fromUtf8(i.street)}, {"CISLO", "1"},
                           {"OBEC", QString::fromUtf8(i.town)}, {"PSC", "81101"},
                           {"DODPOSTA", QStringLiteral("Bratislava 1")},
                           {"STAT", QStringLiteral("Slovenská republika")}}))
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
                                  {"MAIL", QStringLiteral("optika@vidora.sk")}});
}

} // namespace

bool MakeDemoShop(AppContext& app, const DemoOptions& options, QString* error) {
    DemoRandom rnd(options.seed);
    const std::function<bool()> steps[] = {
        [&] { return WriteTowns(app, error); },
        [&] { return WriteTaxLevels(app, error); },
        [&] { return WriteInsurers(app, error); },
        [&] { return WriteDiagnoses(app, error); },
        [&] { return WriteDoctors(app, rnd, options.doctors, error); },
        [&] { return WriteAids(app, rnd, options.aids, error); },
    };
    for (const auto& step : steps)
        if (!TableFiller::InOneWrite(app, error, step))
            return false;
    if (!WriteSystemFields(app, {{QStringLiteral("KODPZS"), QStringLiteral("P12345678901")},
                                 {QStringLiteral("IDENTPZS"), QStringLiteral("P12345")}}))
        return false;
    return WriteOwner(app);
}

} // namespace vidoraw
