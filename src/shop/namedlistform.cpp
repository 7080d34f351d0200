#include "shop/namedlistform.h"

#include <QLineEdit>

namespace vidoraw {

NamedListForm::NamedListForm(AppContext& app, int moduleNumber) : TfDbForm(app, moduleNumber) {}

void NamedListForm::addNameRows(const QString& codeLabel, const QString& nameLabel, int maxLength,
                                int width) {
    addCodeRow(codeLabel);
    eNazov = rows().addRow(nameLabel, maxLength, width);
    bind(eNazov, QStringLiteral("NAZOV"));
}

void NamedListForm::defineNameList(const QString& title) {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "NAZOV"}, {"Kód", "Názov"}, title);
}

bool NamedListForm::checkField(QWidget* control) {
    if (control != eNazov)
        return true;
    const QString name = trimmedText(eNazov);
    if (!nameRules.empty.isEmpty() && name.isEmpty()) {
        complain(nameRules.empty);
        return false;
    }
    if (!nameRules.duplicate.isEmpty() && isDuplicate(QStringLiteral("NAZOV"), name)) {
        const bool editing = recordMode == ModeEdit && !nameRules.duplicateWhenEditing.isEmpty();
        complain(editing ? nameRules.duplicateWhenEditing : nameRules.duplicate);
        return false;
    }
    return true;
}

bool NamedListForm::checkOnLeave(QWidget* control) {
    if (control == eNazov && !nameRules.checkedOnLeave)
        return true;
    return TfDbForm::checkOnLeave(control);
}

} // namespace vidoraw
