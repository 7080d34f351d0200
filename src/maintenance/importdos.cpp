#include "maintenance/importdos.h"

#include "core/base/codepage.h"
#include "core/engine/table.h"
#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "core/modulenumbers.h"
#include "core/values.h"
#include "maintenance/archivefiles.h"
#include "maintenance/dbffile.h"
#include "maintenance/exclusiveaccess.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <memory>

namespace vidoraw {

const QList<DosImportText>& DosImports() {
    static const QList<DosImportText> texts = {
        {DosImport::Poist, "Poisťovne",
         "Táto funkcia prepíše aktuálny zoznam poisťovní zoznamom poisťovní z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam poisťovní bol úspešne naimportovaný!"},
        {DosImport::Zmluva, "Zmluvy",
         "Táto funkcia prepíše aktuálny zoznam zmlúv zoznamom zmlúv z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam zmlúv bol úspešne naimportovaný!"},
        {DosImport::Optpom, "Optické pomôcky",
         "Táto funkcia prepíše aktuálny zoznam optických pomôcok zoznamom optických pomôcok z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam optických pomôcok bol úspešne naimporovaný!"},
        {DosImport::Lekari, "Lekári",
         "Táto funkcia prepíše aktuálny zoznam lekárov zoznamom lekárov z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam lekárov bol úspešne naimportovaný!"},
        {DosImport::Faktura, "Faktúry",
         "Táto funkcia prepíše aktuálny zoznam faktúr zoznamom faktúr z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam faktúr bol úspešne naimportovaný!"},
        {DosImport::Davka, "Dávky",
         "Táto funkcia prepíše aktuálny zoznam dávok zoznamom dávok z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam dávok bol úspešne naimportovaný!"},
        {DosImport::Poukaz, "Poukazy",
         "Táto funkcia prepíše aktuálny zoznam poukazov zoznamom poukazov z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam poukazov bol úspešne naimportovaný!"},
        {DosImport::Cispou, "Časté poukazy",
         "Táto funkcia prepíše aktuálny zoznam častých poukazov zoznamom častých poukazov z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam častých poukazov bol úspešne naimportovaný!"},
        {DosImport::Osoba, "Osoby",
         "Táto funkcia prepíše aktuálny zoznam osôb zoznamom osôb z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam osôb bol úspešne naimportovaný!"},
        {DosImport::Firma, "Firmy",
         "Táto funkcia prepíše aktuálny zoznam firiem zoznamom firiem z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam firiem bol úspešne naimportovaný!"},
        {DosImport::Ucty, "Účty",
         "Táto funkcia prepíše aktuálny zoznam účtov zoznamom účtov z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam účtov bol úspešne naimportovaný!"},
        {DosImport::Uprava, "Úpravy",
         "Táto funkcia prepíše aktuálny zoznam úprav šošoviek zoznamom šošoviek z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam úprav šošoviek bol úspešne naimportovaný!"},
        {DosImport::Priemer, "Priemery",
         "Táto funkcia prepíše aktuálny zoznam priemerov šošoviek zoznamom priemerov šošoviek z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam priemerov šošoviek bol úspešne naimportovaný!"},
        {DosImport::Diop, "Dioptrie",
         "Táto funkcia prepíše aktuálny zoznam dioptrií šošoviek zoznamom dioptrií šošoviek z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam dioptrií šošoviek bol úspešne naimportovaný!"},
        {DosImport::Sortim, "Sortiment",
         "Táto funkcia prepíše aktuálny šošoviek zoznamom šošoviek z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam šošoviek bol úspešne naimportovaný!"},
        {DosImport::Firmao, "Dodávatelia šošoviek",
         "Táto funkcia prepíše aktuálny zoznam firiem - dodávateľov šošoviek zoznamom firiem dodávateľov šošoviek z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam firiem - dodávateľov šošoviek bol úspešne naimportovaný!"},
        {DosImport::Klient, "Klienti",
         "Táto funkcia prepíše aktuálny zoznam klientov zoznamom klientov z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam klientov bol úspešne naimportovaný!"},
        {DosImport::Obp, "Okuliare bez poukazu",
         "Táto funkcia prepíše aktuálny zoznam okuliarov bez poukazu zoznamom okulairov bez poukazu z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam ukuliarov bez poukazu bol úspešne naimportovaný!"},
        {DosImport::Fak, "Faktúry všetky",
         "Táto funkcia prepíše aktuálny zoznam všetkých faktúr zoznamom všetkých faktúr z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam faktúr všetkých bol úspešne naimportovaný!"},
        {DosImport::Pol, "Položky - Faktúry všetky",
         "Táto funkcia prepíše aktuálny zoznam položiek faktúr z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam položiek faktúr bol úspešne naimportovaný!"},
        {DosImport::Textfa, "Položky faktúr",
         "Táto funkcia prepíše aktuálny zoznam číselníka položiek faktúr z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam číselníka položiek faktúr bol úspešne naimportovaný!"},
        {DosImport::Doprava, "Spôsob dopravy",
         "Táto funkcia prepíše aktuálny zoznam spôsobov dopravy z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam spôsobov dopravy bol úspešne naimportovaný!"},
        {DosImport::Uhrada, "Forma úhrady",
         "Táto funkcia prepíše aktuálny zoznam foriem úhrady z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam foriem úhrady bol úspešne naimportovaný!"},
        {DosImport::Mena, "Mena",
         "Táto funkcia prepíše aktuálny zoznam peňažných mien z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam peňažných mien bol úspešne naimportovaný!"},
        {DosImport::Dobropisy, "Doplnenie dobropisov",
         "Táto funkcia doplní aktuálny zoznam dobropisov do zoznamu faktúr z programu VIDORA pre DOS! Naozaj to chete urobiť?",
         "Zoznam dobropisov dol doplnený do zoznamu faktúr všetkých!"},
    };
    return texts;
}

const DosImportText& DosImportTextOf(DosImport import) {
    for (const DosImportText& t : DosImports())
        if (t.import == import)
            return t;
    return DosImports().constFirst();
}

const QList<DosImport>& DosImportsOfAll() {
    static const QList<DosImport> order = {
        DosImport::Poist, DosImport::Zmluva, DosImport::Optpom, DosImport::Lekari,
        DosImport::Faktura, DosImport::Davka, DosImport::Poukaz, DosImport::Cispou,
        DosImport::Osoba, DosImport::Firma, DosImport::Ucty};
    return order;
}

namespace {

const QString kState = QStringLiteral("Slovenská republika");

// One record of a source table, read field by field. The first problem is kept (which
// field, why) and every later read answers empty, so a mapping runs to its end and the
// caller reports that one problem. A probe has no record: it only learns which fields the
// mapping reads, to refuse a table that lacks one before anything is changed.
class SourceRow {
public:
    SourceRow(const DbfFile& dbf, const QString& file) : dbf_(dbf), file_(file) {}

    void probe() {
        probe_ = true;
        record_ = -1;
        clearProblem();
    }
    void moveTo(int record) {
        probe_ = false;
        record_ = record;
        clearProblem();
    }
    int record() const { return record_; }
    const QString& file() const { return file_; }

    QByteArray bytes(const QString& name) {
        if (!problem_.isEmpty())
            return {};
        int& index = fields_[name];
        if (index == 0)
            index = dbf_.fieldIndex(name) + 1;
        if (index == 0) {
            field_ = name;
            problem_ = QStringLiteral("tabuľka nemá toto pole");
            return {};
        }
        if (probe_)
            return {};
        QByteArray out;
        QString why;
        if (!dbf_.text(record_, index - 1, out, &why)) {
            field_ = name;
            problem_ = why;
            return {};
        }
        return out;
    }
    // K: the text converted from the Kamenický code page; S: as it stands.
    QString k(const QString& name) { return FromKamenicky(bytes(name)); }
    QString s(const QString& name) { return FromCp1250(bytes(name)); }

    bool failed() const { return !problem_.isEmpty(); }
    const QString& problemField() const { return field_; }
    const QString& problem() const { return problem_; }

    qint64 rowNumber = 0;  // of the imported records, from 1
    qint64 nextCode = 0;   // of the target
    qint64 parentCode = 0; // of the credit note an item belongs to

private:
    void clearProblem() {
        problem_.clear();
        field_.clear();
    }
    const DbfFile& dbf_;
    QString file_;
    QHash<QString, int> fields_; // index + 1; 0 not looked up yet
    bool probe_ = false;
    int record_ = -1;
    QString field_;
    QString problem_;
};

using ValueOf = std::function<QString(SourceRow&)>;

struct Assign {
    QString target;
    ValueOf value;
    bool title = false; // the value also goes into the title list
};

// Which source value goes into which target field; fields not named stay empty.
class Mapping {
public:
    Mapping& k(std::initializer_list<const char*> names) {
        for (const char* n : names)
            k(n, n);
        return *this;
    }
    Mapping& k(const char* target, const char* source) {
        const QString s = QString::fromLatin1(source);
        return put(target, [s](SourceRow& r) { return r.k(s); });
    }
    // name1 .. name5
    Mapping& lines(std::initializer_list<const char*> names) {
        for (const char* n : names)
            for (int i = 1; i <= 5; ++i) {
                const QByteArray name = QByteArray(n) + QByteArray::number(i);
                k(name.constData(), name.constData());
            }
        return *this;
    }
    // Distance and near vision and the twenty values of both eyes.
    Mapping& eyes() {
        k({"DIALKY", "BLIZKO"});
        return lines({"POD", "LOD", "POB", "LOB"});
    }
    Mapping& put(const char* target, ValueOf value, bool title = false) {
        assigns_ << Assign{QString::fromLatin1(target), std::move(value), title};
        return *this;
    }
    Mapping& title() {
        return put("TITUL", [](SourceRow& r) { return r.k(QStringLiteral("TITUL")); }, true);
    }
    Mapping& rowNumber(const char* target) {
        return put(target, [](SourceRow& r) { return QString::number(r.rowNumber); });
    }
    Mapping& nextCode(const char* target) {
        return put(target, [](SourceRow& r) { return QString::number(r.nextCode); });
    }
    Mapping& constant(const char* target, const QString& value) {
        return put(target, [value](SourceRow&) { return value; });
    }
    // ULICA and CISLO from the source's ULICA: the last run of digits as the number, or (slash)
    // the trailing digits and "/" with the street untrimmed.
    Mapping& street(bool slash = false) {
        auto split = [slash](SourceRow& r) {
            const QString street = r.k(QStringLiteral("ULICA"));
            return slash ? SplitHouseNumber(street) : SplitStreetNumber(street);
        };
        put("ULICA", [split](SourceRow& r) { return split(r).name; });
        return put("CISLO", [split](SourceRow& r) { return split(r).number; });
    }
    // Drops the assignment of a target field (the credit notes take the invoices' mapping
    // with codes of their own).
    Mapping& without(const char* target) {
        const QString t = QString::fromLatin1(target);
        assigns_.removeIf([&](const Assign& a) { return a.target == t; });
        return *this;
    }
    const QList<Assign>& assigns() const { return assigns_; }

private:
    QList<Assign> assigns_;
};

QString WithoutSpaces(QString text) { return text.remove(QLatin1Char(' ')); }

// The supplier's accounts of the DOS program: the account text of an invoice (CISLO_UCTU) to
// the code of the account (UCET), the last one of equal texts winning.
using Accounts = QHash<QByteArray, QByteArray>;

Mapping InvoiceMapping(const Accounts* accounts) {
    Mapping m;
    m.k("KOD", "CIS_FAKTU")
        .k({"CISFAKTU", "ICO_DOD", "KONSTS", "CIS_OBJED", "CIS_DODL", "ICO_ODB", "NAZOV_ODB",
            "SP_DOPR", "FORMA_UHR", "DAT_SPL", "DAT_VYS", "DAT_PLN", "BEZDPH1", "BEZDPH2",
            "BEZDPH3", "SUMA", "MENA", "TYP"})
        .k("ICO_ODBA", "ICO_ODB")
        .k("DOPLNOK", "CPOI")
        .put("KDEODB",
             [](SourceRow& r) {
                 return r.k(QStringLiteral("CPOI")).trimmed().isEmpty() ? QStringLiteral("0")
                                                                        : QStringLiteral("1");
             })
        .put("UCET_DOD", [accounts](SourceRow& r) {
            return FromCp1250(accounts->value(r.bytes(QStringLiteral("UCET_DOD"))));
        });
    return m;
}

Mapping ItemMapping() {
    Mapping m;
    m.nextCode("KOD").k({"KODH", "TEXT", "MJ", "CENA", "MNOZSTVO", "DPH", "SPOLU"});
    return m;
}

// The items of a credit note, under the code the note got.
Mapping CreditItemMapping() {
    Mapping m;
    m.nextCode("KOD")
        .put("KODH", [](SourceRow& r) { return QString::number(r.parentCode); })
        .k({"TEXT", "MJ", "CENA", "MNOZSTVO", "DPH", "SPOLU"});
    return m;
}

Mapping MappingOf(DosImport import, const Accounts* accounts) {
    Mapping m;
    switch (import) {
    case DosImport::Poist:
        m.rowNumber("KOD")
            .k({"CPOI", "ICO", "ODPOPOI", "NAZOV", "ICDPH"})
            .street()
            .k("DODPOSTA", "MESTO")
            .put("PSC", [](SourceRow& r) { return WithoutSpaces(r.s(QStringLiteral("PSC"))); })
            .k("TELEFON", "TEL1")
            .k("FAX", "TEL2")
            .k("DIC", "DICO");
        break;
    case DosImport::Zmluva:
        m.k({"KOD", "KODPOI", "PLATNOST", "ICOPOI", "CISZML"});
        break;
    case DosImport::Optpom:
        m.rowNumber("KOD")
            .k("KODPOM", "KOD")
            .put("VYROBCA",
                 [](SourceRow& r) { return WithoutSpaces(r.s(QStringLiteral("VYROBCA"))); })
            .k({"NAZOV", "DOPLNOK", "MJ", "KRAJINA", "OBMEDZ", "OBMEDZ1", "DOBA", "KATEG", "JKPOV",
                "ODBORKOD", "DATUMPZ", "MODIF", "CENAMF", "CENAPOI", "CENA", "DPH"});
        break;
    case DosImport::Lekari:
        m.k({"KOD", "MENO", "PRIEZVISK", "KODP", "KODPOI", "NAZOV", "PSC", "DODPOSTA", "KODNEW",
             "KODPZSNEW"})
            .street()
            .constant("STAT", kState);
        break;
    case DosImport::Faktura:
        m.k({"KOD", "CISFAK", "KODZML"}).k("OBDMM", "OBDOBIEMM").k("OBDRR", "OBDOBIERR");
        break;
    case DosImport::Davka:
        m.k({"KOD", "KODFA", "CISDAV"});
        break;
    case DosImport::Poukaz:
        m.rowNumber("KOD").street();
        for (const char* date : {"DATUM", "DATUMVYD"}) {
            const QString name = QString::fromLatin1(date);
            m.put(date, [name](SourceRow& r) { return NormalizeDateSeparators(r.k(name)); });
        }
        m.k({"KODFA", "KODDAV", "KODLEK", "KODKLIENT", "KODDIAG", "KODPEC", "KODPOILEK", "RODCIS",
             "KODPOIKL", "MENO", "PRIEZVISK", "OBEC", "DODPOSTA", "PSC"})
            .eyes()
            .lines({"KODOP", "SUMAPOI", "SUMAPAC", "POCET"})
            .k({"KODODLEK", "STATPOI", "ICPOI", "POHLPOI"});
        break;
    case DosImport::Cispou:
        m.k({"KOD", "POPIS"}).lines({"KODOP", "SUMAPOI", "SUMAPAC", "POCET"});
        break;
    case DosImport::Osoba:
        m.k({"KOD"})
            .title()
            .k({"MENO", "PRIEZVISK", "FIRMA", "PSC", "DODPOSTA", "TELEFON", "POZNAM1", "POZNAM2",
                "POZNAM3"})
            .street();
        break;
    case DosImport::Firma:
        m.rowNumber("KOD")
            .title()
            .k({"MENO", "PRIEZVISK", "PSC", "DODPOSTA", "ICO", "DICO", "TELEFON", "FAX", "FOSOBA",
                "NAZOV", "ICDPH"})
            .k("ICOI", "ICO")
            .k("DICON", "DICO")
            .street()
            .put("CISUCET",
                 [](SourceRow& r) {
                     const QString account = r.s(QStringLiteral("UCET")).trimmed();
                     const QString bank = r.s(QStringLiteral("NKOD")).trimmed();
                     // Without either part there is no account, not an account "/".
                     if (account.isEmpty() && bank.isEmpty())
                         return QString();
                     return account + QLatin1Char('/') + bank;
                 })
            .put("PLATCADAN",
                 [](SourceRow& r) {
                     return r.k(QStringLiteral("ICDPH")).trimmed().isEmpty() ? QStringLiteral("N")
                                                                            : QStringLiteral("A");
                 })
            .constant("JEODB", QStringLiteral("A"))
            .constant("JEDOD", QStringLiteral("N"))
            .constant("STAT", kState);
        break;
    case DosImport::Ucty: {
        auto part = [](SourceRow& r, bool bank) {
            const QString number = r.k(QStringLiteral("CISLO_UCTU")).trimmed();
            const int slash = int(number.indexOf(QLatin1Char('/')));
            if (slash < 0)
                return bank ? QString() : number;
            return (bank ? number.mid(slash + 1) : number.left(slash)).trimmed();
        };
        m.rowNumber("KOD")
            .k({"NAZOV", "UCET", "POBOCKA"})
            .k("PBN", "PB")
            .put("CISUCET", [part](SourceRow& r) { return part(r, false); })
            .put("KODBAN", [part](SourceRow& r) { return part(r, true); });
        break;
    }
    case DosImport::Uprava:
    case DosImport::Priemer:
        m.k({"KOD", "NAZOV"});
        break;
    case DosImport::Diop:
        m.k({"KOD", "NAZOV", "DIOPOD1", "DIOPDO1", "DIOPOD2", "DIOPDO2", "CYLIN"});
        break;
    case DosImport::Sortim:
        m.k({"KOD", "NAZOV", "KODP"});
        break;
    case DosImport::Firmao:
        m.k({"KOD", "NAZOV", "ULICA", "DODPOSTA", "PSC", "ICO", "DICO", "TELEFON", "FAX"});
        break;
    case DosImport::Klient:
        m.k({"KOD", "RODCIS", "STATPOI", "ICPOI", "POHLPOI", "KODPOI"})
            .title()
            .k({"MENO", "PRIEZVISK", "OBEC", "DODPOSTA", "PSC", "TEL", "ZAMESTNAN", "ZAMESTNAV",
                "POZNAM1", "POZNAM2", "POZNAM3", "DATUM"})
            .eyes()
            .street(true);
        break;
    case DosImport::Obp:
        m.k({"KOD", "KODKLIENT", "DATUM"}).eyes();
        break;
    case DosImport::Fak:
        m = InvoiceMapping(accounts);
        break;
    case DosImport::Pol:
        m = ItemMapping();
        break;
    case DosImport::Textfa:
        m.nextCode("KOD").k({"TEXT", "MJ", "CENA", "MNOZSTVO", "DPH"});
        break;
    case DosImport::Doprava:
    case DosImport::Uhrada:
        m.put("KOD", [](SourceRow& r) { return r.s(QStringLiteral("KOD")); }).k({"NAZOV"});
        break;
    case DosImport::Mena:
        m.nextCode("KOD").k({"KODMENY", "MENA"});
        break;
    case DosImport::Dobropisy:
        m = InvoiceMapping(accounts).without("KOD").without("TYP");
        m.nextCode("KOD").constant("TYP", QStringLiteral("D"));
        break;
    }
    return m;
}

struct Step {
    const char* source; // the DOS table
    int module;         // whose table it goes into
};

// The tables an import reads and writes, in the order they are filled.
QList<Step> StepsOf(DosImport import) {
    using namespace module;
    switch (import) {
    case DosImport::Poist: return {{"POIST.DBF", kPoist}};
    case DosImport::Zmluva: return {{"ZMLUVA.DBF", kZmluva}};
    case DosImport::Optpom: return {{"OPTPOM.DBF", kOptpom}};
    case DosImport::Lekari: return {{"LEKARI.DBF", kLekar}};
    case DosImport::Faktura: return {{"FAKTURA.DBF", kFaktura}};
    case DosImport::Davka: return {{"DAVKA.DBF", kDavka}};
    case DosImport::Poukaz: return {{"POUKAZ.DBF", kPoukaz}};
    case DosImport::Cispou: return {{"CISPOU.DBF", kCispou}};
    case DosImport::Osoba: return {{"OSOBA.DBF", kOsoba}};
    case DosImport::Firma: return {{"FIRMA.DBF", kFirma}};
    case DosImport::Ucty: return {{"UCTY.DBF", kUcty}};
    case DosImport::Uprava: return {{"UPRAVA.DBF", kUprava}};
    case DosImport::Priemer: return {{"PRIEMER.DBF", kPriemer}};
    case DosImport::Diop: return {{"DIOP.DBF", kDiop}};
    case DosImport::Sortim: return {{"SORTIM.DBF", kSortim}};
    case DosImport::Firmao: return {{"FIRMA1.DBF", kFirmao}};
    case DosImport::Klient: return {{"KLIENT.DBF", kKlient}};
    case DosImport::Obp: return {{"OBP.DBF", kObp}};
    case DosImport::Fak:
    case DosImport::Pol: return {{"FAK.DBF", kFak}, {"POL.DBF", kPol}};
    case DosImport::Textfa: return {{"TEXTFA.DBF", kTextfa}};
    case DosImport::Doprava: return {{"DOPRAVA.DBF", kDoprava}};
    case DosImport::Uhrada: return {{"UHRADA.DBF", kUhrada}};
    case DosImport::Mena: return {{"MENA.DBF", kMena}};
    case DosImport::Dobropisy: return {{"DOB.DBF", kFak}, {"POLDOB.DBF", kPol}};
    }
    return {};
}

QString TableFileOf(int number) {
    const ModuleInfo* info = ModuleInfoFor(number);
    return info ? QString::fromLatin1(info->tableFile) : QString();
}

// Creates a module's table from its layout when the data do not have it yet.
bool EnsureModuleTable(AppContext& app, int number, QString* error) {
    const QString file = TableFileOf(number);
    if (app.db->tableExists(file))
        return true;
    const std::optional<TableSchema> schema = app.registry.schema(number);
    if (!schema) {
        *error = QStringLiteral("Tabuľka %1 nie je známa.").arg(file);
        return false;
    }
    return CreateTableWithRows(*app.db, file, schema->fields, schema->indexes, schema->initialRows,
                               error);
}

// The title list, filled as persons, companies and clients come in.
class Titles {
public:
    explicit Titles(AppContext& app) : app_(app) {}

    bool add(const QString& title, QString* error) {
        if (title.trimmed().isEmpty())
            return true; // no title: nothing to list (an empty title would be a row of its own)
        if (!loaded_ && !load(error))
            return false;
        const QString name = size_ > 0 ? title.left(size_) : title;
        if (names_.contains(name))
            return true;
        if (!table_->append() || !table_->field(QStringLiteral("KOD")).setValue(next_) ||
            !table_->field(QStringLiteral("NAZOV")).setAsString(name) || !table_->post()) {
            *error = table_->lastError();
            table_->cancel();
            return false;
        }
        ++next_;
        names_.insert(name);
        return true;
    }

private:
    bool load(QString* error) {
        const QString file = TableFileOf(module::kTitul);
        if (!EnsureModuleTable(app_, module::kTitul, error))
            return false;
        table_ = std::make_unique<Table>(app_.db, file);
        if (!table_->open()) {
            *error = table_->lastError();
            return false;
        }
        const int name = table_->fieldIndex(QStringLiteral("NAZOV"));
        if (name < 0 || !table_->hasField(QStringLiteral("KOD"))) {
            *error = QStringLiteral("Tabuľka %1 nemá polia KOD a NAZOV.").arg(file);
            return false;
        }
        size_ = table_->fieldDefs()[name].size;
        table_->scanFields(QString(), {}, {QStringLiteral("NAZOV")},
                           [&](qint64, const QVector<QVariant>& row) {
                               names_.insert(row[name].toString());
                               return true;
                           });
        next_ = LastValue(*table_, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
        loaded_ = true;
        return true;
    }

private:
    AppContext& app_;
    std::unique_ptr<Table> table_;
    QSet<QString> names_;
    qint64 next_ = 1;
    int size_ = 0;
    bool loaded_ = false;
};

// One source table read, with the mapping into its target.
struct Source {
    QString file;       // as found in the folder
    DbfFile dbf;
    int module = 0;
    QString target;     // the target's table file
    Mapping mapping;
};

class Importer {
public:
    Importer(AppContext& app, DosImport import, const QString& directory, QWidget* owner,
             const DosProgress& progress)
        : app_(app), import_(import), directory_(directory), owner_(owner), progress_(progress) {}

    bool run();

private:
    bool fail(const QString& text) {
        ShowNotice(QStringLiteral("Chyba"), text, NoticeKind::Error, owner_);
        return false;
    }
    bool failUnchanged(const QString& text) {
        return fail(text + QStringLiteral(" Údaje zostali nezmenené."));
    }
    bool readTable(const QString& name, DbfFile& dbf, QString& found);
    bool readAccounts();
    bool check(Source& s);
    bool appendRow(Table& target, Source& s, SourceRow& row, Titles& titles, QString& why);
    bool copy(Source& s, Titles& titles, QString& why);
    bool copyCreditNotes(Source& notes, Source& items, Titles& titles, QString& why);
    QString rowProblem(const SourceRow& row, const QString& field, const QString& text) const;
    void advance(int done, int count) {
        if (progress_)
            progress_(done, count);
    }

    AppContext& app_;
    DosImport import_;
    QString directory_;
    QWidget* owner_;
    DosProgress progress_;
    Accounts accounts_;
    QList<std::shared_ptr<Source>> sources_;
};

bool Importer::readTable(const QString& name, DbfFile& dbf, QString& found) {
    // No folder is no folder: never the current directory instead.
    found = directory_.trimmed().isEmpty() ? QString() : FindNoCase(directory_, name);
    if (found.isEmpty())
        return failUnchanged(QStringLiteral("V adresári %1 chýba tabuľka %2.")
                                 .arg(QDir::toNativeSeparators(directory_), name));
    QString why;
    if (!dbf.open(found, &why))
        return failUnchanged(QStringLiteral("Tabuľka %1 sa nedá prečítať: %2.")
                                 .arg(QDir::toNativeSeparators(found), why));
    return true;
}

bool Importer::readAccounts() {
    DbfFile dbf;
    QString found;
    if (!readTable(QStringLiteral("UCTY.DBF"), dbf, found))
        return false;
    const QString file = QFileInfo(found).fileName();
    SourceRow row(dbf, file);
    for (int i = 0; i < dbf.recordCount(); ++i) {
        if (dbf.isDeleted(i))
            continue;
        row.moveTo(i);
        const QByteArray number = row.bytes(QStringLiteral("CISLO_UCTU"));
        const QByteArray account = row.bytes(QStringLiteral("UCET"));
        if (row.failed())
            return failUnchanged(rowProblem(row, row.problemField(), row.problem()));
        accounts_.insert(number, account);
    }
    return true;
}

QString Importer::rowProblem(const SourceRow& row, const QString& field, const QString& text) const {
    QString where = QStringLiteral("Tabuľka %1").arg(row.file());
    if (row.record() >= 0)
        where += QStringLiteral(", záznam %1").arg(row.record() + 1);
    if (!field.isEmpty())
        where += QStringLiteral(", pole %1").arg(field);
    QString why = text;
    if (why.endsWith(QLatin1Char('.')))
        why.chop(1);
    return where + QStringLiteral(": ") + why + QLatin1Char('.');
}

// Refuses a source that lacks a field of the mapping, and a target that lacks one, before
// anything is changed.
bool Importer::check(Source& s) {
    SourceRow row(s.dbf, s.file);
    row.probe();
    const FieldDefs targetFields = app_.db->tableExists(s.target) ? app_.db->fieldDefs(s.target)
                                                                  : app_.registry.schema(s.module)
                                                                        .value_or(TableSchema())
                                                                        .fields;
    for (const Assign& a : s.mapping.assigns()) {
        a.value(row);
        if (row.failed())
            return failUnchanged(rowProblem(row, row.problemField(), row.problem()));
        if (FindField(targetFields, a.target) < 0)
            return failUnchanged(QStringLiteral("Tabuľka %1 nemá pole %2.").arg(s.target, a.target));
    }
    return true;
}

bool Importer::appendRow(Table& target, Source& s, SourceRow& row, Titles& titles, QString& why) {
    if (!target.append()) {
        why = rowProblem(row, QString(), target.lastError());
        return false;
    }
    for (const Assign& a : s.mapping.assigns()) {
        const QString value = a.value(row);
        if (row.failed()) {
            why = rowProblem(row, row.problemField(), row.problem());
            target.cancel();
            return false;
        }
        QString titleProblem;
        if (a.title && !titles.add(value, &titleProblem)) {
            why = rowProblem(row, a.target, titleProblem);
            target.cancel();
            return false;
        }
        if (!target.field(a.target).setAsString(value)) {
            why = rowProblem(row, a.target, target.lastError());
            target.cancel();
            return false;
        }
    }
    if (!target.post()) {
        why = rowProblem(row, QString(), target.lastError());
        target.cancel();
        return false;
    }
    return true;
}

bool Importer::copy(Source& s, Titles& titles, QString& why) {
    Table target(app_.db, s.target);
    if (!target.open()) {
        why = target.lastError();
        return false;
    }
    // Emptied in this transaction: codes start again at 1.
    qint64 next = LastValue(target, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
    SourceRow row(s.dbf, s.file);
    const int count = s.dbf.recordCount();
    advance(0, count);
    qint64 imported = 0;
    for (int i = 0; i < count; ++i) {
        if (!s.dbf.isDeleted(i)) {
            row.moveTo(i);
            row.rowNumber = ++imported;
            row.nextCode = next;
            if (!appendRow(target, s, row, titles, why))
                return false;
            ++next;
        }
        advance(i + 1, count);
    }
    return true;
}

// The credit notes go after the invoices with codes of their own; their items follow each
// note under its new code.
bool Importer::copyCreditNotes(Source& notes, Source& items, Titles& titles, QString& why) {
    Table invoices(app_.db, notes.target);
    Table lines(app_.db, items.target);
    if (!invoices.open() || !lines.open()) {
        why = invoices.lastError().isEmpty() ? lines.lastError() : invoices.lastError();
        return false;
    }
    // The items by the number of their note, in their order.
    QHash<QByteArray, QList<int>> itemsOf;
    SourceRow item(items.dbf, items.file);
    for (int i = 0; i < items.dbf.recordCount(); ++i) {
        if (items.dbf.isDeleted(i))
            continue;
        item.moveTo(i);
        const QByteArray key = item.bytes(QStringLiteral("KODH")).trimmed();
        if (item.failed()) {
            why = rowProblem(item, item.problemField(), item.problem());
            return false;
        }
        itemsOf[key] << i;
    }
    qint64 nextNote = LastValue(invoices, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
    qint64 nextItem = LastValue(lines, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
    SourceRow note(notes.dbf, notes.file);
    const int count = notes.dbf.recordCount();
    advance(0, count);
    qint64 imported = 0;
    for (int i = 0; i < count; ++i) {
        if (!notes.dbf.isDeleted(i)) {
            note.moveTo(i);
            note.rowNumber = ++imported;
            note.nextCode = nextNote;
            const QByteArray number = note.bytes(QStringLiteral("CIS_FAKTU")).trimmed();
            if (note.failed()) {
                why = rowProblem(note, note.problemField(), note.problem());
                return false;
            }
            if (!appendRow(invoices, notes, note, titles, why))
                return false;
            for (int at : itemsOf.value(number)) {
                item.moveTo(at);
                item.nextCode = nextItem;
                item.parentCode = nextNote;
                if (!appendRow(lines, items, item, titles, why))
                    return false;
                ++nextItem;
            }
            ++nextNote;
        }
        advance(i + 1, count);
    }
    return true;
}

bool Importer::run() {
    const bool creditNotes = import_ == DosImport::Dobropisy;
    // Invoices and credit notes name their supplier's account by the DOS program's accounts.
    if (import_ == DosImport::Fak || import_ == DosImport::Pol || creditNotes)
        if (!readAccounts())
            return false;
    for (const Step& step : StepsOf(import_)) {
        auto s = std::make_shared<Source>();
        s->module = step.module;
        s->target = TableFileOf(step.module);
        if (!readTable(QString::fromLatin1(step.source), s->dbf, s->file))
            return false;
        s->file = QFileInfo(s->file).fileName();
        if (creditNotes)
            s->mapping = step.module == module::kFak ? MappingOf(DosImport::Dobropisy, &accounts_)
                                                     : CreditItemMapping();
        else
            s->mapping = MappingOf(step.module == module::kFak   ? DosImport::Fak
                                   : step.module == module::kPol ? DosImport::Pol
                                                                 : import_,
                                   &accounts_);
        sources_ << s;
    }
    for (const auto& s : sources_)
        if (!check(*s))
            return false;

    ExclusiveAccess access(app_, owner_);
    if (!access.granted())
        return false;
    QString why;
    for (const auto& s : sources_)
        if (!EnsureModuleTable(app_, s->module, &why))
            return failUnchanged(why);

    Titles titles(app_);
    WriteLock lock(*app_.db);
    bool ok = lock.ok();
    if (!ok)
        why = lock.error();
    if (ok && !creditNotes)
        for (const auto& s : sources_)
            if (!app_.db->emptyTable(s->target, &why)) {
                ok = false;
                break;
            }
    if (ok) {
        if (creditNotes)
            ok = copyCreditNotes(*sources_[0], *sources_[1], titles, why);
        else
            for (const auto& s : sources_)
                if (!copy(*s, titles, why)) {
                    ok = false;
                    break;
                }
    }
    if (ok && !lock.commit()) {
        ok = false;
        why = lock.error();
    }
    if (!ok) {
        lock.rollback();
        return failUnchanged(why);
    }
    access.release();
    return true;
}

} // namespace

bool RunDosImport(AppContext& app, DosImport import, const QString& sourceDirectory,
                  QWidget* owner, const DosProgress& progress) {
    Importer importer(app, import, sourceDirectory, owner, progress);
    if (!importer.run())
        return false;
    const auto notify = [owner](DosImport done) {
        ShowNotice(QStringLiteral("Oznam"), QString::fromUtf8(DosImportTextOf(done).done),
                   NoticeKind::Information, owner);
    };
    if (import == DosImport::Fak || import == DosImport::Pol) {
        // Both lists were replaced: both are said.
        notify(DosImport::Fak);
        notify(DosImport::Pol);
    } else {
        notify(import);
    }
    return true;
}

} // namespace vidoraw
