#include "shop/komentd.h"

#include "framework/notes.h"

#include <QLineEdit>

namespace vidoraw {

TfKomentd::TfKomentd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eKodh = rows().addRow(QStringLiteral("Karta:"), 0, 8);
    eText = rows().addRow(QStringLiteral("Text:"), kNotesChunk, 60);
    finishLayout();
    bind(eKodh, QStringLiteral("KODH"));
    bind(eText, QStringLiteral("TEXT"));
    DefineList();
}

TableSchema TfKomentd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"KODH", 'F', 0}, {"TEXT", 'A', kNotesChunk}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Kodh", {"KODH"}, true)};
    return s;
}

void TfKomentd::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "KODH"}, {"Kód", "Karta"},
                      QStringLiteral("Zoznam poznámok k zákazníkom"));
    list.printFields = {"KOD", "KODH", "TEXT"};
    list.printTitles = {"Kód", "Karta", "Text"};
}

} // namespace vidoraw
