#include "shell/posunzd.h"

#include "core/interaction.h"
#include "core/values.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vidoraw {

namespace {

QLineEdit* NewEdit(QWidget* parent, int maxLength, int chars) {
    auto* e = new QLineEdit(parent);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    e->setFixedWidth(std::max(48, e->fontMetrics().averageCharWidth() * (chars + 1) + 14));
    return e;
}

QLabel* RightLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

QStringList TfPosunzd::envelopeFormats() {
    return {QStringLiteral(" Obálka 114 x 163 "), QStringLiteral(" Obálka 114 x 228 "),
            QStringLiteral(" Obálka 162 x 228 "), QStringLiteral(" Obálka 125 x 177 Doporučene ")};
}

TfPosunzd::TfPosunzd(AppContext& app, QWidget* parent) : TfDbForm(app, 25, parent) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    eKod = NewEdit(this, 0, 8);
    eKod->setReadOnly(true);
    eKod->setAlignment(Qt::AlignRight);
    codeControl = eKod;
    eNazovTlac = NewEdit(this, 40, 30);
    grid->addWidget(RightLabel(QStringLiteral("Kód :"), this), 0, 0);
    grid->addWidget(eKod, 0, 1, 1, 2);
    grid->addWidget(RightLabel(QStringLiteral("Názov tlačiarne :"), this), 1, 0);
    grid->addWidget(eNazovTlac, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Posun X (mm)"), this), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Posun Y (mm)"), this), 2, 2);
    const QStringList formats = envelopeFormats();
    for (int n = 0; n < 4; ++n) {
        ePosunX[n] = NewEdit(this, 12, 10);
        ePosunY[n] = NewEdit(this, 12, 10);
        ePosunX[n]->setAlignment(Qt::AlignRight);
        ePosunY[n]->setAlignment(Qt::AlignRight);
        grid->addWidget(RightLabel(formats[n].trimmed() + QStringLiteral(" :"), this), 3 + n, 0);
        grid->addWidget(ePosunX[n], 3 + n, 1);
        grid->addWidget(ePosunY[n], 3 + n, 2);
    }
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(makeButtonStrip());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    bind(eKod, QStringLiteral("KOD"));
    bind(eNazovTlac, QStringLiteral("NAZOVTLAC"));
    checkedFields << eNazovTlac;
    for (int n = 0; n < 4; ++n) {
        bind(ePosunX[n], QStringLiteral("POSUNXO%1").arg(n));
        bind(ePosunY[n], QStringLiteral("POSUNYO%1").arg(n));
        checkedFields << ePosunX[n] << ePosunY[n];
    }
    // A wrong number keeps the focus in its box.
    refocusOnFailedLeave = true;
    DefineList();
}

FieldDefs TfPosunzd::tableFields() const {
    return {{"KOD", 'F', 0},      {"NAZOVTLAC", 'A', 40}, {"POSUNXO0", 'F', 0},
            {"POSUNYO0", 'F', 0}, {"POSUNXO1", 'F', 0},   {"POSUNYO1", 'F', 0},
            {"POSUNXO2", 'F', 0}, {"POSUNYO2", 'F', 0},   {"POSUNXO3", 'F', 0},
            {"POSUNYO3", 'F', 0}};
}

IndexDefs TfPosunzd::tableIndexes() const {
    return {IndexDef::Primary({"KOD"}), IndexDef::Secondary("NAZOVTLAC", {"NAZOVTLAC"})};
}

void TfPosunzd::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "NAZOVTLAC"}, {"Kód", "Názov tlačiarne"}, QStringLiteral("Zoznam posunov zostáv"));
}

int TfPosunzd::AddRecord() {
    zeroOffsets_ = true;
    const int r = TfDbForm::AddRecord();
    zeroOffsets_ = false;
    return r;
}

void TfPosunzd::focusFirstField() {
    if (zeroOffsets_) {
        const QString zero = FormatAmount(QStringLiteral("0"));
        for (int n = 0; n < 4; ++n) {
            ePosunX[n]->setText(zero);
            ePosunY[n]->setText(zero);
        }
        zeroOffsets_ = false;
    }
    focusField(eNazovTlac);
}

bool TfPosunzd::checkField(QWidget* control) {
    if (control == eNazovTlac) {
        const QString name = eNazovTlac->text().trimmed();
        if (name != eNazovTlac->text())
            eNazovTlac->setText(name);
        if (name.isEmpty()) {
            ShowNotice(QStringLiteral("Chyba"), QStringLiteral("Názov tlačiarne nesmie byť prázdny!"),
                       NoticeKind::Error, this);
            return false;
        }
        QString code;
        if (LookupFieldIn(table_, QStringLiteral("NAZOVTLAC"), {name}, QStringLiteral("KOD"), code) &&
            (recordMode == ModeAdd || code != eKod->text().trimmed())) {
            ShowNotice(QStringLiteral("Chyba"), QStringLiteral("Duplicitný názov tlačiarne!"),
                       NoticeKind::Error, this);
            return false;
        }
        return true;
    }
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (!edit)
        return true;
    const QString text = NormalizeDecimal(edit->text().trimmed());
    if (text != edit->text())
        edit->setText(text);
    return CheckDecimal(text, this);
}

} // namespace vidoraw
