#pragma once
// What the lens lists share: a code, a name kept unique, and a name check with each list's
// own messages.
#include "framework/tfdbform.h"

namespace vidoraw {

class NamedListForm : public TfDbForm {
    Q_OBJECT
public:
    NamedListForm(AppContext& app, int moduleNumber);

    QLineEdit* eNazov = nullptr;

protected:
    // The messages of the name check; an empty text leaves that test out.
    struct NameRules {
        QString empty;
        QString duplicate;
        QString duplicateWhenEditing; // when editing, if it differs from duplicate
        bool checkedOnLeave = true;
    };
    NameRules nameRules;

    // "Kód:" and "Názov:" rows, the name bound to NAZOV and checked.
    void addNameRows(const QString& codeLabel, const QString& nameLabel, int maxLength,
                     int width = 0);
    // The list by code and by name, printed with both.
    void defineNameList(const QString& title);
    bool checkField(QWidget* control) override;
    bool checkOnLeave(QWidget* control) override;
};

} // namespace vidoraw
