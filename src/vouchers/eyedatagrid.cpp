#include "vouchers/eyedatagrid.h"

#include "framework/formrows.h"
#include "framework/tfdbform.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace vidoraw {

namespace {

QLineEdit* NewValueEdit(QWidget* parent, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setMaxLength(maxLength);
    e->setFixedWidth(e->fontMetrics().averageCharWidth() * (maxLength + 2) + 14);
    return e;
}

QLabel* Caption(const char* text, QWidget* parent, Qt::Alignment align = Qt::AlignCenter) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

} // namespace

EyeDataGrid::EyeDataGrid(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    // The distances first: they come first when the user moves through the fields.
    eDialky = NewValueEdit(this, 4);
    eBlizko = NewValueEdit(this, 4);
    for (QLineEdit* e : {eDialky, eBlizko})
        e->setAlignment(Qt::AlignRight);
    auto* distances = new QHBoxLayout;
    distances->setSpacing(6);
    distances->addWidget(Caption("Do diaľky:", this, Qt::AlignRight));
    distances->addWidget(eDialky);
    distances->addSpacing(12);
    distances->addWidget(Caption("Do blízka:", this, Qt::AlignRight));
    distances->addWidget(eBlizko);
    distances->addStretch(1);
    grid->addWidget(Caption("Vzdialenosť zreníc:", this, Qt::AlignRight), 0, 0, 1, 2);
    grid->addLayout(distances, 0, 2, 1, 5);

    const char* heads[5][2] = {{"Sférické", "dioptrie"}, {"Cylinder", "dioptria"}, {"os", ""},
                               {"Prizma", "dioptria"}, {"báza", ""}};
    for (int c = 0; c < 5; ++c) {
        grid->addWidget(Caption(heads[c][0], this), 1, 2 + c);
        grid->addWidget(Caption(heads[c][1], this), 2, 2 + c);
    }
    const char* groups[4] = {"Do diaľky:", "", "Do blízka:", ""};
    const char* eyes[4] = {"Pravé oko:", "Ľavé oko:", "Pravé oko:", "Ľavé oko:"};
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(Caption(groups[r], this, Qt::AlignRight), 3 + r, 0);
        grid->addWidget(Caption(eyes[r], this, Qt::AlignRight), 3 + r, 1);
        for (int c = 0; c < 5; ++c) {
            QLineEdit* e = NewValueEdit(this, 6);
            values_ << e;
            grid->addWidget(e, 3 + r, 2 + c);
        }
    }
    grid->setColumnStretch(7, 1);
}

void EyeDataGrid::bindTo(TfDbForm& form) {
    form.bind(eDialky, QStringLiteral("DIALKY"));
    form.bind(eBlizko, QStringLiteral("BLIZKO"));
    const QStringList& names = EyeFieldNames();
    for (int i = 0; i < values_.size(); ++i)
        form.bind(values_[i], names[i]);
}

void EyeDataGrid::fill(const Prescription& p) {
    eDialky->setText(p.dialky);
    eBlizko->setText(p.blizko);
    for (int i = 0; i < values_.size(); ++i)
        values_[i]->setText(p.eyes.value(i));
}

void EyeDataGrid::clear() {
    eDialky->clear();
    eBlizko->clear();
    for (QLineEdit* e : values_)
        e->clear();
}

void EyeDataGrid::makeDisplayOnly() {
    FormRows::makeDisplayOnly(eDialky);
    FormRows::makeDisplayOnly(eBlizko);
    for (QLineEdit* e : values_)
        FormRows::makeDisplayOnly(e);
}

void EyeDataGrid::moveWithinColumns(TfMojForm* form) {
    columnForm_ = form;
    for (QLineEdit* e : values_)
        e->installEventFilter(this);
}

bool EyeDataGrid::eventFilter(QObject* watched, QEvent* event) {
    if (columnForm_ && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const int at = int(values_.indexOf(static_cast<QLineEdit*>(watched)));
        const bool up = k->key() == Qt::Key_Up;
        if (at >= 0 && k->modifiers() == Qt::NoModifier && (up || k->key() == Qt::Key_Down)) {
            const int row = at / 5 + (up ? -1 : 1);
            if (row >= 0 && row < 4) {
                columnForm_->focusField(value(row, at % 5));
                return true;
            }
            // Out of the grid: the form's own navigation takes the key.
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vidoraw
