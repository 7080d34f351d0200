#include "framework/radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vidoraw {

RadioGroup::RadioGroup(const QString& title, const QStringList& captions,
                       const QStringList& values, QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)), values_(values) {
    auto* column = new QVBoxLayout(this);
    column->setSpacing(2);
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = new QRadioButton(captions[i], this);
        group_->addButton(b, i);
        column->addWidget(b);
        buttons << b;
        if (values_.size() <= i)
            values_ << QString::number(i);
    }
}

int RadioGroup::itemIndex() const { return group_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
    if (index >= 0 && index < buttons.size()) {
        buttons[index]->setChecked(true);
        return;
    }
    // An exclusive group never unchecks its last button by itself.
    group_->setExclusive(false);
    for (QRadioButton* b : buttons)
        b->setChecked(false);
    group_->setExclusive(true);
}

QString RadioGroup::value() const {
    const int i = itemIndex();
    return i >= 0 ? values_.value(i) : QString();
}

bool RadioGroup::setValue(const QString& value) {
    const int i = int(values_.indexOf(value));
    setItemIndex(i >= 0 ? i : fallbackIndex);
    return i >= 0;
}

} // namespace vidoraw
