#include "vouchers/cispoud.h"

#include "framework/tfbrowse.h"

#include <QLineEdit>

namespace vidoraw {

TfCispoud::TfCispoud(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    ePopis = rows().addRow(QStringLiteral("Popis:"), 80, 40);
    bind(ePopis, QStringLiteral("POPIS"));
    aids = new AidLinesBox(app, false, this);
    aids->zeroOnFirstLine = true;
    lines = aids->lines;
    eSpoluPoi = aids->insurerSum;
    eSpoluPac = aids->patientSum;
    for (int i = 0; i < 4; ++i) {
        const AidLine& l = lines[i];
        bind(l.code, AidLineField("KODOP", i));
        bind(l.count, AidLineField("POCET", i));
        bind(l.insurer, AidLineField("SUMAPOI", i));
        bind(l.patient, AidLineField("SUMAPAC", i));
        onPickKeys(l.code, [this, i] {
            if (LookupOrPick(this->app(), module::kOptpom, "KODPOM", "NAZOV", PickMode::Pick,
                             lines[i].name, lines[i].code))
                aids->checkCode(i);
        });
    }
    rows().addWide(aids);
    finishLayout();
    checkedFields = {ePopis};
    for (const AidLine& l : lines)
        checkedFields << l.code << l.count << l.insurer << l.patient;
    DefineList();
}

TableSchema TfCispoud::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"POPIS", 'A', 80}};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{AidLineField("KODOP", i), 'A', 5};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{AidLineField("SUMAPOI", i), 'F', 0};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{AidLineField("SUMAPAC", i), 'F', 0};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{AidLineField("POCET", i), 'I', 0};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Popis", {"POPIS"}, true)};
    return s;
}

void TfCispoud::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "POPIS"};
    list.orderTitles = {"Kód", "Popis"};
    list.printFields = {"KOD", "POPIS"};
    list.printTitles = {"Kód", "Popis"};
    list.listTitle = QStringLiteral("Zoznam častých poukazov");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfCispoud::LoadFields() {
    TfDbForm::LoadFields();
    for (const AidLine& l : lines)
        // Stored zeros are shown empty.
        for (QLineEdit* e : {l.count, l.insurer, l.patient})
            if (AidAmount(e->text()) == 0)
                e->clear();
    aids->showNames();
    aids->rememberTexts();
    aids->updateTotals();
}

bool TfCispoud::checkField(QWidget* control) {
    if (control == ePopis) {
        if (trimmedText(ePopis).isEmpty()) {
            complain(QStringLiteral("Popis nesmie byť prádzny!"));
            return false;
        }
        return true;
    }
    return aids->checkField(control, [this](const QString& text) { complain(text); });
}

} // namespace vidoraw
