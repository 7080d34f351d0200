#include "framework/formrows.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vidoraw {

FormRows::FormRows(QWidget* owner) : owner_(owner) {
    outer_ = new QVBoxLayout(owner);
    outer_->setContentsMargins(12, 12, 4, 4);
    columns_ = new QHBoxLayout;
    columns_->setSpacing(16);
    outer_->addLayout(columns_);
    form = newForm();
    columns_->addLayout(form);
}

QFormLayout* FormRows::newForm() const {
    auto* f = new QFormLayout;
    f->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Boxes keep their widths; only the second box of a pair row fills the row.
    f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    f->setHorizontalSpacing(8);
    f->setVerticalSpacing(6);
    f->setContentsMargins(0, 0, 8, 0);
    return f;
}

void FormRows::newColumn() {
    // Earlier columns keep their rows at the top when the new one is longer.
    form = newForm();
    columns_->addLayout(form);
    columns_->setAlignment(form, Qt::AlignTop);
    for (int i = 0; i < columns_->count(); ++i)
        if (QLayout* l = columns_->itemAt(i)->layout())
            columns_->setAlignment(l, Qt::AlignTop);
}

QLineEdit* FormRows::newEdit(int maxLength, int width) const {
    auto* e = new QLineEdit(owner_);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    const int chars = width > 0 ? width : maxLength;
    // Room for the characters plus the frame and text margins of the box.
    e->setFixedWidth(std::max(48, e->fontMetrics().averageCharWidth() * (chars + 1) + 14));
    return e;
}

QLineEdit* FormRows::addRow(const QString& label, int maxLength, int width) {
    QLineEdit* e = newEdit(maxLength, width);
    form->addRow(label, e);
    return e;
}

void FormRows::addRow(const QString& label, QWidget* field) { form->addRow(label, field); }

void FormRows::addRow(const QString& label, QLayout* row) { form->addRow(label, row); }

void FormRows::addWide(QWidget* widget) { form->addRow(widget); }

void FormRows::addPairRow(const QString& label, QLineEdit* first, const QString& secondLabel,
                          QLineEdit* second) {
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(first);
    row->addSpacing(4);
    row->addWidget(new QLabel(secondLabel, owner_));
    second->setMinimumWidth(second->minimumWidth());
    second->setMaximumWidth(QWIDGETSIZE_MAX);
    // Ignored: the row asks only for the minimum, and takes what the other rows leave.
    second->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    row->addWidget(second, 1);
    form->addRow(label, row);
}

void FormRows::makeDisplayOnly(QLineEdit* edit) {
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
}

void FormRows::finish(QWidget* buttonStrip) {
    outer_->addSpacing(6);
    // A form of one short field still shows its caption and two well spaced buttons.
    outer_->addSpacerItem(new QSpacerItem(300, 0, QSizePolicy::Fixed, QSizePolicy::Minimum));
    outer_->addStretch(1);
    if (buttonStrip)
        outer_->addWidget(buttonStrip);
    outer_->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace vidoraw
