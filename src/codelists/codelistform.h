#pragma once
// What the small code-list forms share: a form layout with right-aligned labels and fields
// sized to their contents, trimming of typed texts and the duplicate test in the own table.
#include "framework/tfdbform.h"

class QFormLayout;
class QHBoxLayout;
class QVBoxLayout;

namespace vidoraw {

class TfCodeListForm : public TfDbForm {
    Q_OBJECT
public:
    TfCodeListForm(AppContext& app, int moduleNumber);

    QLineEdit* eKod = nullptr;

protected:
    // An edit box of at most maxLength characters, wide enough for about width of them.
    QLineEdit* newEdit(int maxLength, int width = 0);
    // The read-only code box on top of the form.
    QLineEdit* addCodeRow(const QString& label);
    QLineEdit* addRow(const QString& label, int maxLength, int width = 0);
    // A row of two boxes ("PSČ :" [ ] "Pošta" [      ]); the second one stretches to the
    // right edge of the other rows.
    void addPairRow(const QString& label, QLineEdit* first, const QString& secondLabel,
                    QLineEdit* second);
    // A box the form fills itself: never edited, skipped by Enter and Tab.
    static void makeDisplayOnly(QLineEdit* edit);
    // The OK/Back strip under the rows; the form keeps the size of its contents.
    void finishLayout();

    // Trims the box's text, puts the trimmed text back and answers it.
    static QString trimmedText(QLineEdit* edit);
    // Whether value already belongs to another record: through the order of that field,
    // comparing the found record's code with the edited one (any record counts when adding).
    bool isDuplicate(const QString& orderFields, const QString& value);
    // The check message of this form (title "Chyba").
    void complain(const QString& text);

    QFormLayout* form = nullptr;

private:
    QVBoxLayout* outer_ = nullptr;
};

} // namespace vidoraw
