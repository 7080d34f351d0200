#include "invoicing/daned.h"

#include "core/values.h"

#include <QLineEdit>

namespace vidoraw {

TfDaned::TfDaned(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eMesiac = rows().addRow(QStringLiteral("Mesiac :"), 2, 3);
    eRok = rows().addRow(QStringLiteral("Rok :"), 4, 5);
    eSadzba1 = rows().addRow(QStringLiteral("1. daňová hladina :"), 3, 4);
    eSadzba2 = rows().addRow(QStringLiteral("2. daňová hladina :"), 3, 4);
    eSadzba3 = rows().addRow(QStringLiteral("3. daňová hladina :"), 3, 4);
    finishLayout();
    bind(eMesiac, QStringLiteral("MESIAC"));
    bind(eRok, QStringLiteral("ROK"));
    bind(eSadzba1, QStringLiteral("SADZBA1"));
    bind(eSadzba2, QStringLiteral("SADZBA2"));
    bind(eSadzba3, QStringLiteral("SADZBA3"));
    checkedFields = {eRok, eMesiac, eSadzba1, eSadzba2, eSadzba3};
    DefineList();
}

TableSchema TfDaned::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0},     {"ROK", 'I', 0},      {"MESIAC", 'I', 0},
                {"SADZBA1", 'I', 0}, {"SADZBA2", 'I', 0}, {"SADZBA3", 'I', 0}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Rokmesiac", {"ROK", "MESIAC"})};
    return s;
}

void TfDaned::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "ROK;MESIAC"};
    list.orderTitles = {"Kód", "Rok a mesiac"};
    list.printFields = {"ROK", "MESIAC", "SADZBA1", "SADZBA2", "SADZBA3"};
    list.printTitles = {"Rok", "Mesiac", "1. Sadzba", "2. Sadzba", "3. Sadzba"};
    list.listTitle = QStringLiteral("Zoznam daňových hladín");
    list.printHeading = {list.listTitle};
    list.finish();
}

bool TfDaned::checkField(QWidget* control) {
    auto* edit = qobject_cast<QLineEdit*>(control);
    return !edit || CheckInteger(trimmedText(edit), this);
}

bool TfDaned::CheckFields() {
    if (!TfDbForm::CheckFields())
        return false;
    // One row per month: the rates of a month must not depend on which row a walk meets first.
    const QString month = eMesiac->text();
    const QString year = eRok->text();
    QString code;
    if (LookupFieldIn(table_, QStringLiteral("ROK;MESIAC"), {year, month}, codeField, code) &&
        (recordMode == ModeAdd || code != eKod->text().trimmed())) {
        complain(QStringLiteral("Záznam pre mesiac : ") + month + QStringLiteral(" a rok : ") +
                 year + QStringLiteral(" už existuje. Duplicita nie je možná!"));
        failField(eMesiac);
        return false;
    }
    return true;
}

} // namespace vidoraw
