#pragma once
// Taking over the data of the earlier DOS program: its dBASE tables, texts in the Kamenický
// code page, copied table by table into the tables of vidoraw. Each import replaces its target
// as one change: the target is emptied and filled together, or stays as it was when anything
// (a missing or damaged file, a value the target cannot take) stops it.
#include "framework/appcontext.h"

#include <functional>

namespace vidoraw {

enum class DosImport {
    Poist,
    Zmluva,
    Optpom,
    Lekari,
    Faktura,
    Davka,
    Poukaz,
    Cispou,
    Osoba,
    Firma,
    Ucty,
    Uprava,
    Priemer,
    Diop,
    Sortim,
    Firmao,
    Klient,
    Obp,
    Fak,
    Pol,
    Textfa,
    Doprava,
    Uhrada,
    Mena,
    Dobropisy,
};

struct DosImportText {
    DosImport import;
    const char* button;
    const char* question; // asked before the import
    const char* done;     // the notice after it
};

// Every import in the order of the window's buttons.
const QList<DosImportText>& DosImports();
const DosImportText& DosImportTextOf(DosImport import);
// What "Importuj všetky údaje" runs, in its order.
const QList<DosImport>& DosImportsOfAll();

// Hears the progress of an import: records read of the source's count.
using DosProgress = std::function<void(int done, int count)>;

// Runs one import from the folder of the DOS tables (without its question): the data alone,
// the target replaced in one transaction, the completion notice. False (with the notice
// saying why) when it did not happen; the data are then as before.
// The invoices of all kinds and their items are replaced together (a list of invoices with the
// items of other invoices would be wrong), whichever of the two is asked for.
bool RunDosImport(AppContext& app, DosImport import, const QString& sourceDirectory,
                  QWidget* owner, const DosProgress& progress = {});

} // namespace vidoraw
