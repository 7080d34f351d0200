#pragma once
// The eye data on screen: the two pupillary distances, then four rows of five values (right
// and left eye for distance, right and left eye for near vision; sphere, cylinder, axis, prism,
// base), free text of up to six characters each.
#include "vouchers/prescription.h"

#include <QList>
#include <QWidget>

class QLineEdit;

namespace vidoraw {

class TfDbForm;
class TfMojForm;

class EyeDataGrid : public QWidget {
    Q_OBJECT
public:
    explicit EyeDataGrid(QWidget* parent);

    QLineEdit* eDialky = nullptr;
    QLineEdit* eBlizko = nullptr;
    // row 0..3 (right far, left far, right near, left near), column 0..4
    QLineEdit* value(int row, int column) const { return values_[row * 5 + column]; }
    // The twenty values in the order of EyeFieldNames.
    const QList<QLineEdit*>& values() const { return values_; }

    // Binds DIALKY, BLIZKO and the twenty values to the form's fields of those names.
    void bindTo(TfDbForm& form);
    void fill(const Prescription& p);
    void clear();
    // Shown only, never edited or entered.
    void makeDisplayOnly();
    // Up and Down move within a column between the four rows; from the first row Up and from
    // the last row Down go on as the form's own field navigation does.
    void moveWithinColumns(TfMojForm* form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLineEdit*> values_;
    TfMojForm* columnForm_ = nullptr;
};

} // namespace vidoraw
