#include "invoicing/textfad.h"

#include "core/values.h"

#include <QLineEdit>

namespace vidoraw {

TfTextfad::TfTextfad(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eText = rows().addRow(QStringLiteral("Text :"), 60, 40);
    eMj = rows().addRow(QStringLiteral("MJ :"), 3, 4);
    eCena = rows().addRow(QStringLiteral("Cena :"), 10, 11);
    eMnozstvo = rows().addRow(QStringLiteral("Množstvo :"), 10, 11);
    eDph = rows().addRow(QStringLiteral("DPH :"), 2, 3);
    for (QLineEdit* e : {eCena, eMnozstvo, eDph})
        e->setAlignment(Qt::AlignRight);
    finishLayout();
    bind(eText, QStringLiteral("TEXT"));
    bind(eMj, QStringLiteral("MJ"));
    bind(eCena, QStringLiteral("CENA"));
    bind(eMnozstvo, QStringLiteral("MNOZSTVO"));
    bind(eDph, QStringLiteral("DPH"));
    checkedFields = {eCena, eMnozstvo, eDph};
    DefineList();
}

TableSchema TfTextfad::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},  {"TEXT", 'A', 60},     {"MJ", 'A', 3},
                {"CENA", 'F', 0}, {"MNOZSTVO", 'F', 0}, {"DPH", 'I', 0}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("TEXT", {"TEXT"})};
    return s;
}

void TfTextfad::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "TEXT"};
    list.orderTitles = {"Kód", "Text"};
    list.printFields = {"KOD", "TEXT", "MJ", "CENA", "MNOZSTVO"};
    list.printTitles = {"Kód", "Text", "MJ", "Cena", "Množstvo"};
    if (app().vatPayer == QLatin1String("A")) {
        list.printFields << QStringLiteral("DPH");
        list.printTitles << QStringLiteral("DPH");
    }
    list.listTitle = QStringLiteral("Zoznam položiek faktúr");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfTextfad::proposeNewValues() {
    for (QLineEdit* e : {eCena, eMnozstvo, eDph})
        e->setText(QStringLiteral("0"));
}

bool TfTextfad::checkField(QWidget* control) {
    if (control == eCena || control == eMnozstvo) {
        auto* edit = static_cast<QLineEdit*>(control);
        const QString text = NormalizeDecimal(edit->text().trimmed());
        if (text != edit->text())
            edit->setText(text);
        return CheckDecimal(text, this);
    }
    if (control == eDph) {
        qint64 rate = 0;
        if (!IntegerFromText(eDph->text(), rate)) {
            eDph->setText(QStringLiteral("0"));
            rate = 0;
        }
        const auto& r = app().vatRates;
        if (rate != r[0] && rate != r[1] && rate != r[2]) {
            complain(QStringLiteral("Hodnota dph musí byť : %1, %2, %3 !").arg(r[0]).arg(r[1]).arg(r[2]));
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
