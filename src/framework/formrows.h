#pragma once
// The layout every form and dialog of the program shares: labels right-aligned before their
// boxes, boxes as wide as what they hold, the OK/Back strip below, the window as large as its
// contents.
#include <QString>

class QFormLayout;
class QHBoxLayout;
class QLayout;
class QLineEdit;
class QVBoxLayout;
class QWidget;

namespace vidoraw {

class FormRows {
public:
    // Lays the rows out in owner (which must not have a layout yet).
    explicit FormRows(QWidget* owner);

    // A box of at most maxLength characters (0: no limit), wide enough for about width of
    // them (0: maxLength).
    QLineEdit* newEdit(int maxLength, int width = 0) const;
    QLineEdit* addRow(const QString& label, int maxLength, int width = 0);
    void addRow(const QString& label, QWidget* field);
    void addRow(const QString& label, QLayout* row);
    // A widget across the whole width (a grid, a group box).
    void addWide(QWidget* widget);
    // A row of two boxes ("PSČ :" [ ] "Pošta" [      ]); the second one stretches to the right
    // edge of the other rows.
    void addPairRow(const QString& label, QLineEdit* first, const QString& secondLabel,
                    QLineEdit* second);
    // Starts a new column of rows to the right of the others (a long form on a low screen);
    // the rows added next go there.
    void newColumn();
    // Puts the button strip under the rows; the window then keeps the size of its contents.
    void finish(QWidget* buttonStrip);

    // A box the form fills itself: never edited, skipped by Enter and Tab.
    static void makeDisplayOnly(QLineEdit* edit);

    QFormLayout* form = nullptr;

private:
    QFormLayout* newForm() const;

    QWidget* owner_;
    QVBoxLayout* outer_ = nullptr;
    QHBoxLayout* columns_ = nullptr;
};

} // namespace vidoraw
