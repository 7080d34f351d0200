#include "framework/orderdialogs.h"

#include "core/engine/table.h"
#include "core/values.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vidoraw {

TfVolbaIndexu::TfVolbaIndexu(AppContext& app, const QStringList& titles, int current,
                             QWidget* parent)
    : TfMojForm(app, parent), group_(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("Voľba indexu"));
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(QStringLiteral(" Index "), this);
    auto* inner = new QVBoxLayout(box);
    for (int i = 0; i < titles.size(); ++i) {
        auto* r = new QRadioButton(titles[i], box);
        group_->addButton(r, i);
        inner->addWidget(r);
        r->setMinimumHeight(20);
    }
    if (QAbstractButton* b = group_->button(current))
        b->setChecked(true);
    layout->addWidget(box);
    layout->addWidget(makeButtonStrip());
    // The arrows move between the orders here, and Enter takes the chosen one.
    upArrowMoves = false;
    downArrowMoves = false;
    enterConfirms = true;
}

void TfVolbaIndexu::showEvent(QShowEvent* event) {
    if (QAbstractButton* b = group_->checkedButton())
        b->setFocus(Qt::OtherFocusReason); // a radio group is entered on its chosen entry
    TfMojForm::showEvent(event);
}

int TfVolbaIndexu::chosen() const { return group_->checkedId(); }

void TfVolbaIndexu::choose(int entry) {
    if (QAbstractButton* b = group_->button(entry))
        b->setChecked(true);
}

TfHladanie::TfHladanie(AppContext& app, Table& table, const QString& orderFields,
                       const QString& labels, QWidget* parent)
    : TfMojForm(app, parent), table_(table) {
    setWindowTitle(QStringLiteral("Hľadanie"));
    fields_ = orderFields.split(';').mid(0, 6);
    const QStringList labelList = labels.split(';');
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    for (int i = 0; i < fields_.size(); ++i) {
        auto* e = new QLineEdit(this);
        boxes << e;
        form->addRow(labelList.value(i, fields_[i]), e);
    }
    layout->addLayout(form);
    layout->addWidget(makeButtonStrip());
}

bool TfHladanie::checkBox(int i, bool withMessage) {
    QLineEdit* e = boxes[i];
    const int fi = table_.fieldIndex(fields_[i].trimmed());
    const char type = fi >= 0 ? table_.fieldDefs()[fi].type : 'A';
    bool ok = true;
    if (type == 'D') {
        e->setText(NormalizeDateSeparators(e->text()));
        double days = 0;
        ok = withMessage ? CheckDate(e->text(), this) : ParseDate(e->text(), days);
    } else if (type == 'F') {
        e->setText(NormalizeDecimal(e->text()));
        ok = withMessage ? CheckDecimal(e->text(), this) : IsDecimalQuiet(e->text());
    } else if (type == 'I' || type == 'N') {
        e->setText(e->text().trimmed());
        ok = withMessage ? CheckInteger(e->text(), this) : IsIntegerQuiet(e->text());
    }
    paintField(e, ok ? Colour::Normal : Colour::Incorrect);
    return ok;
}

bool TfHladanie::checkOnLeave(QWidget* control) {
    const int i = int(boxes.indexOf(static_cast<QLineEdit*>(control)));
    return i < 0 || checkBox(i, true);
}

bool TfHladanie::closeWithOk() {
    for (int i = 0; i < boxes.size(); ++i) {
        if (!checkBox(i, true)) {
            failField(boxes[i]);
            return false;
        }
    }
    return true;
}

QVariantList TfHladanie::key() const {
    QVariantList out;
    for (QLineEdit* e : boxes)
        out << e->text();
    return out;
}

} // namespace vidoraw
