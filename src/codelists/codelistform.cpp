#include "codelists/codelistform.h"

#include "core/interaction.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vidoraw {

TfCodeListForm::TfCodeListForm(AppContext& app, int moduleNumber) : TfDbForm(app, moduleNumber) {
    outer_ = new QVBoxLayout(this);
    outer_->setContentsMargins(12, 12, 4, 4);
    form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Boxes keep their widths; only the second box of a pair row fills the row.
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(6);
    form->setContentsMargins(0, 0, 8, 0);
    outer_->addLayout(form);
}

QLineEdit* TfCodeListForm::newEdit(int maxLength, int width) {
    auto* e = new QLineEdit(this);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    const int chars = width > 0 ? width : maxLength;
    const QFontMetrics fm = e->fontMetrics();
    // Room for the characters plus the frame and text margins of the box.
    e->setFixedWidth(std::max(48, fm.averageCharWidth() * (chars + 1) + 14));
    return e;
}

QLineEdit* TfCodeListForm::addCodeRow(const QString& label) {
    eKod = newEdit(0, 8);
    eKod->setReadOnly(true);
    eKod->setAlignment(Qt::AlignRight);
    codeControl = eKod;
    form->addRow(label, eKod);
    bind(eKod, codeField);
    return eKod;
}

QLineEdit* TfCodeListForm::addRow(const QString& label, int maxLength, int width) {
    QLineEdit* e = newEdit(maxLength, width);
    form->addRow(label, e);
    return e;
}

void TfCodeListForm::addPairRow(const QString& label, QLineEdit* first, const QString& secondLabel,
                                QLineEdit* second) {
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(first);
    row->addSpacing(4);
    row->addWidget(new QLabel(secondLabel, this));
    const int least = second->minimumWidth();
    second->setMinimumWidth(least);
    second->setMaximumWidth(QWIDGETSIZE_MAX);
    // Ignored: the row asks only for the minimum, and takes what the other rows leave.
    second->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    row->addWidget(second, 1);
    form->addRow(label, row);
}

void TfCodeListForm::makeDisplayOnly(QLineEdit* edit) {
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
}

void TfCodeListForm::finishLayout() {
    outer_->addSpacing(6);
    // A form of one short field still shows its caption and two well spaced buttons.
    outer_->addSpacerItem(new QSpacerItem(300, 0, QSizePolicy::Fixed, QSizePolicy::Minimum));
    outer_->addStretch(1);
    outer_->addWidget(makeButtonStrip());
    outer_->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfCodeListForm::trimmedText(QLineEdit* edit) {
    const QString t = edit->text().trimmed();
    if (t != edit->text())
        edit->setText(t);
    return t;
}

bool TfCodeListForm::isDuplicate(const QString& orderFields, const QString& value) {
    QString code;
    if (!LookupFieldIn(table_, orderFields, {value}, codeField, code))
        return false;
    return recordMode == ModeAdd || !eKod || code != eKod->text().trimmed();
}

void TfCodeListForm::complain(const QString& text) {
    ShowNotice(QStringLiteral("Chyba"), text, NoticeKind::Error, this);
}

} // namespace vidoraw
