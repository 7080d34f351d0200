#include "codelists/heslod.h"

#include "core/interaction.h"
#include "framework/dependentrows.h"

#include <QLineEdit>

namespace vidoraw {

TfHeslod::TfHeslod(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eNazov = rows().addRow(QStringLiteral("Názov:"), 40);
    finishLayout();
    bind(eNazov, QStringLiteral("NAZOV"));
    checkedFields = {eNazov};
    DefineList();
}

TableSchema TfHeslod::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"NAZOV", 'A', 40}};
    // Exact: two keywords that differ only in letter case are two keywords.
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("NAZOV", {"NAZOV"})};
    return s;
}

void TfHeslod::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "NAZOV"}, {"Kód", "Heslo"}, QStringLiteral("Zoznam hesiel"));
}

bool TfHeslod::checkField(QWidget* control) {
    if (control != eNazov) return true;
    const QString name = trimmedText(eNazov);
    if (name.isEmpty()) {
        complain(QStringLiteral("Heslo nesmie byť prázdne!"));
        return false;
    }
    if (isDuplicate(QStringLiteral("NAZOV"), name)) {
        complain(QStringLiteral("Duplicitné heslo!"));
        return false;
    }
    return true;
}

bool TfHeslod::closeWithBack() {
    if (recordMode == ModeView) return true;
    return AskConfirm(QStringLiteral("Mám ukončiť editáciu bez uchovania?"), this) == 1;
}

bool TfHeslod::removeCurrentRecord() {
    removeError_.clear();
    // A keyword that gets this code later must not find itself on the old one's companies.
    const QVariant code = table_.field(QStringLiteral("KOD")).value();
    if (!DeleteRowsWhere(app(), module::kPrihesf, QStringLiteral("KODH"), code, &removeError_))
        return false;
    return table_.remove();
}

QString TfHeslod::removeErrorText() const {
    return removeError_.isEmpty() ? TfDbForm::removeErrorText() : removeError_;
}

} // namespace vidoraw
