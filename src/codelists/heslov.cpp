#include "codelists/heslov.h"

#include "codelists/keywords.h"
#include "core/engine/table.h"
#include "core/values.h"

#include <QComboBox>

namespace vidoraw {

TfHeslov::TfHeslov(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Výber hesla"));
    cbHeslo = new QComboBox(this);
    cbHeslo->setMinimumWidth(cbHeslo->fontMetrics().averageCharWidth() * 40);
    rows().addRow(QStringLiteral("Heslo:"), cbHeslo);
    finishLayout();
    enterConfirms = true;
    // The arrows choose in the list.
    upArrowMoves = downArrowMoves = false;
}

bool TfHeslov::fill() {
    cbHeslo->clear();
    RecordModule* keywords = app().registry.module(module::kHesla);
    if (!keywords || !keywords->OpenTable()) return false;
    Table& t = keywords->table();
    const int code = t.fieldIndex(QStringLiteral("KOD"));
    const int name = t.fieldIndex(QStringLiteral("NAZOV"));
    t.scanOrder(QStringLiteral("KOD"), {}, false, [&](qint64, const QVector<QVariant>& row) {
        cbHeslo->addItem(ValueAsString(t.fieldDefs()[code], row[code]) + u'-' +
                         row[name].toString());
        return true;
    });
    cbHeslo->setCurrentIndex(cbHeslo->count() > 0 ? 0 : -1);
    return cbHeslo->count() > 0;
}

QString TfHeslov::chosenCode() const {
    return TextBefore(cbHeslo->currentText(), QStringLiteral("-"));
}

bool ChooseKeyword(AppContext& app, QWidget* owner, QString& keywordCode) {
    TfHeslov window(app, owner);
    if (!window.fill()) return false;
    window.centreOver(owner);
    window.focusField(window.cbHeslo);
    if (window.showModal() != QDialog::Accepted) return false;
    keywordCode = window.chosenCode();
    return !keywordCode.isEmpty();
}

} // namespace vidoraw
