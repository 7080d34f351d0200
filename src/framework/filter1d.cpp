#include "framework/filter1d.h"

#include <QLineEdit>

namespace vidoraw {

TfFilter1d::TfFilter1d(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eTabulka = rows().addRow(QStringLiteral("Tabuľka:"), 20);
    ePopis = rows().addRow(QStringLiteral("Popis:"), 40);
    ePole = rows().addRow(QStringLiteral("Pole:"), 20);
    finishLayout();
    bind(eTabulka, QStringLiteral("TABULKA"));
    bind(ePopis, QStringLiteral("POPIS"));
    bind(ePole, QStringLiteral("POLE"));
    DefineList();
}

void TfFilter1d::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "TABULKA", "POPIS"};
    list.orderTitles = {"Kód", "Tabuľka", "Popis"};
    list.printFields = {"KOD", "TABULKA", "POLE", "POPIS"};
    list.printTitles = {"Kód", "Tabuľka", "Pole", "Popis"};
    list.listTitle = QStringLiteral("Zoznam polí do filtra");
    list.printHeading = {list.listTitle};
    list.finish();
}

} // namespace vidoraw
