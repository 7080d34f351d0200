#include "core/moduleregistry.h"

#include "core/engine/table.h"

namespace vidoraw {

namespace {
const ModuleInfo kModules[kModuleCount] = {
    {1, "TfSystemd", "Systémové nastavenia", "SYSTEM.DB"},
    {2, "TfNastavd", "Nastavený filter", "Nastav.DB"},
    {3, "TfFilterd", "Filter", "FILT.DB"},
    {4, "TfPohladd", "Pohľad na údaje v zozname", "POHLAD.DB"},
    {5, "TfPscd", "Dodávacia pošta", "PSC.DB"},
    {6, "TfObecd", "Obec", "OBCE.DB"},
    {7, "TfOkresd", "Okres", "OKRES.DB"},
    {8, "TfTituld", "Titul", "TITUL.DB"},
    {9, "TfDgd", "Diagnóza", "DG.DB"},
    {10, "TfZmluvad", "Zmluva", "ZMLUVA.db"},
    {11, "TfPoistovd", "Zdravotná  poisťovňa", "POIST.DB"},
    {12, "TfStatd", "Štát", "STAT.DB"},
    {13, "TfOptpomd", "Optická pomôcka ", "OPTPOM.DB"},
    {14, "TfLekard", "Lekár", "LEKAR.DB"},
    {15, "TfFakturad", "Faktúra pre poisťovňu", "FAKTURA.DB"},
    {16, "TfDavkad", "Dávka", "DAVKA.DB"},
    {17, "TfPoukazd", "Poukaz", "POUKAZ.DB"},
    {18, "TfCispoud", "Častý poukaz", "CISPOU.DB"},
    {19, "TfUzivd", "Užívateľ", "uziv.db"},
    {20, "TfOsobad", "Osoba", "OSOBA.DB"},
    {21, "TfFirmad", "Firma", "FIRMA.DB"},
    {22, "TfOsobafd", "Osoba", "osobaf.DB"},
    {23, "TfKomentod", "Komentár (Osoba)", "komento.db"},
    {24, "TfVlastnikd", "Definícia firmy", "VLASTN.DB"},
    {25, "TfPosunzd", "Posuny zostáv na konkrétnej tlačiarni", "POSUNY.DB"},
    {26, "TfKomentfd", "Komentár (Firma)", "komentf.db"},
    {27, "TfHmd", "Hromadný mail - definícia", "hm.db"},
    {28, "TfKodbd", "Kód bánky", "kodb.DB"},
    {29, "TfUcetd", "Účet firmy", "UCTY.DB"},
    {30, "TfDaned", "Daňové hladiny", "DANE.DB"},
    {31, "TfTextfad", "Položka faktúry", "TEXTFA.DB"},
    {32, "TfDopravad", "Spôsob dopravy", "DOPRAVA.DB"},
    {33, "TfUhradad", "Forma úhrady", "UHRADA.DB"},
    {34, "TfMenad", "Mena", "MENA.DB"},
    {35, "TfFakd", "Faktúra", "FAK.DB"},
    {36, "TfPold", "Položky faktúry", "POL.DB"},
    {37, "TfCisradd", "Číselný rad", "CISRAD.DB"},
    {38, "TfKsd", "Konštantný symbol", "Ks.db"},
    {39, "TfPzsd", "Poskytovateľ zdravotnej starostlivosti", "pzs.db"},
    {40, "TfUpravad", "Úprava šošovky", "UPRAVA.DB"},
    {41, "TfPriemerd", "Priemer", "PRIEMER.DB"},
    {42, "TfDiopd", "Dioptrie", "DIOP.DB"},
    {43, "TfSortimd", "Položka sortimentu", "SORTIM.DB"},
    {44, "TfFirmaod", "Firma - dodávateľ šošoviek", "FIRMAO.DB"},
    {45, "TfKlientd", "Klient", "KLIENT.DB"},
    {46, "TfObpd", "Okuliare bez poukazu", "OBP.DB"},
    {47, "TfPoukazvd", "Poukaz na opatickú pomôcku", "POUKAZ.DB"},
    {48, "TfFilter1d", "Položka pre tvorbu filtra", "FILT.DB"},
    {49, "TfHeslod", "Heslo", "HESLA.DB"},
    {50, "TfPrihesfd", "Priradené heslo", "PRIHESF.DB"},
    {51, "TfZaokruhd", "Spôsob zaokrúhľovania", "ZAOKRUH.DB"},
    {52, "TfTypskld", "Typ skiel", "typskl.db"},
    {53, "TfTypramd", "Typ rámu", "typram.db"},
    {54, "TfVekrad", "Karta zákazníka", "vekra.DB"},
    {55, "TfKomentd", "Poznámky k zákazníkovi", "koment.db"},
    {56, "TfTypksd", "Typ kontaktných šošoviek", "typks.db"},
};
} // namespace

const ModuleInfo* ModuleInfoFor(int number) {
    return number >= 1 && number <= kModuleCount ? &kModules[number - 1] : nullptr;
}

ModuleRegistry::~ModuleRegistry() {
    // Modules go in reverse order of creation, as they may use earlier ones.
    while (!entries_.empty())
        entries_.pop_back();
}

void ModuleRegistry::setFactory(int number, Factory factory, SchemaSource schema) {
    if (!ModuleInfoFor(number))
        return;
    factories_[number] = std::move(factory);
    schemas_[number] = std::move(schema);
}

std::optional<TableSchema> ModuleRegistry::schema(int number) const {
    auto it = schemas_.find(number);
    if (it == schemas_.end() || !it->second)
        return std::nullopt;
    return it->second();
}

bool ModuleRegistry::hasFactory(int number) const { return factories_.count(number) > 0; }

void ModuleRegistry::setAfterCreate(int number, std::function<void(RecordModule&)> step) {
    afterCreate_[number] = std::move(step);
}

void ModuleRegistry::setDatabase(Database* db) { db_ = db; }

bool ModuleRegistry::isRegistered(int number) const {
    for (const Entry& e : entries_)
        if (e.number == number)
            return true;
    return false;
}

RecordModule* ModuleRegistry::EnsureModule(int number) {
    for (const Entry& e : entries_)
        if (e.number == number)
            return e.module.get();
    auto f = factories_.find(number);
    if (!ModuleInfoFor(number) || f == factories_.end())
        return nullptr;
    std::unique_ptr<RecordModule> m = f->second();
    if (!m)
        return nullptr;
    m->table().setDatabase(db_);
    auto step = afterCreate_.find(number);
    if (step != afterCreate_.end())
        step->second(*m);
    entries_.push_back({number, std::move(m)});
    return entries_.back().module.get();
}

int ModuleRegistry::ModuleIndex(int number) {
    if (!EnsureModule(number))
        return -1;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].number == number)
            return int(i);
    return -1;
}

RecordModule* ModuleRegistry::moduleAt(int position) const {
    return position >= 0 && position < int(entries_.size()) ? entries_[size_t(position)].module.get()
                                                            : nullptr;
}

void ModuleRegistry::ReleaseModule(int number) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->number == number) {
            std::unique_ptr<RecordModule> gone = std::move(it->module);
            entries_.erase(it);
            return; // the module goes when `gone` does, after the entry has left the list
        }
    }
}

void ModuleRegistry::ReleaseAll() {
    while (!entries_.empty()) {
        std::unique_ptr<RecordModule> gone = std::move(entries_.back().module);
        entries_.pop_back();
    }
    EnsureModule(module::kSystem);
}

void ModuleRegistry::RepointAll(Database* db) {
    db_ = db;
    for (Entry& e : entries_) {
        Table& t = e.module->table();
        const bool wasOpen = t.isOpen();
        t.setDatabase(db);
        if (wasOpen)
            e.module->OpenTable();
    }
}

int ModuleRegistry::FindModuleByListKey(const QString& key) {
    for (int n = 1; n <= kModuleCount; ++n) {
        const bool existed = isRegistered(n);
        RecordModule* m = EnsureModule(n);
        if (!m)
            continue;
        const bool match = m->listKey() == key;
        if (!existed)
            ReleaseModule(n);
        if (match)
            return n;
    }
    return -1;
}

std::vector<int> ModuleRegistry::numbers() const {
    std::vector<int> out;
    for (const Entry& e : entries_)
        out.push_back(e.number);
    return out;
}

} // namespace vidoraw
