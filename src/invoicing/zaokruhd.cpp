#include "invoicing/zaokruhd.h"

#include <QLineEdit>

namespace vidoraw {

TfZaokruhd::TfZaokruhd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    ePopis = rows().addRow(QStringLiteral("Popis :"), 30);
    finishLayout();
    bind(ePopis, QStringLiteral("POPIS"));
    DefineList();
}

TableSchema TfZaokruhd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0}, {"POPIS", 'A', 30}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("POPIS", {"POPIS"})};
    s.initialRows = {QStringLiteral("1|Na haliere"), QStringLiteral("2|Na desaťhalierniky"),
                     QStringLiteral("3|Na celé koruny"), QStringLiteral("4|Na celé desaťkorunáčky"),
                     QStringLiteral("5|Na celé stokorunáčky"),
                     QStringLiteral("6|Na päťdesiathalierniky")};
    return s;
}

void TfZaokruhd::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "POPIS"}, {"Kód", "Popis"}, QStringLiteral("Spôsoby zaokrúhľovania"));
}

} // namespace vidoraw
