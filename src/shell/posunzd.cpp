#include "shell/posunzd.h"

#include "core/interaction.h"
#include "core/values.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace vidoraw {

QStringList TfPosunzd::envelopeFormats() {
    return {QStringLiteral(" Obálka 114 x 163 "), QStringLiteral(" Obálka 114 x 228 "),
            QStringLiteral(" Obálka 162 x 228 "), QStringLiteral(" Obálka 125 x 177 Doporučene ")};
}

TfPosunzd::TfPosunzd(AppContext& app, QWidget* parent) : TfDbForm(app, kNumber, parent) {
    addCodeRow(QStringLiteral("Kód :"));
    eNazovTlac = rows().addRow(QStringLiteral("Názov tlačiarne :"), 40, 30);
    // The two offsets of a format side by side, under their headings.
    auto pair = [this](QWidget* x, QWidget* y) {
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        row->addWidget(x);
        row->addWidget(y);
        row->addStretch(1);
        return row;
    };
    QLineEdit* probe = rows().newEdit(12, 10);
    const int boxWidth = probe->width();
    delete probe;
    auto heading = [&](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setFixedWidth(std::max(boxWidth, l->sizeHint().width()));
        return l;
    };
    rows().addRow(QString(), pair(heading(QStringLiteral("Posun X (mm)")),
                                  heading(QStringLiteral("Posun Y (mm)"))));
    const QStringList formats = envelopeFormats();
    for (int n = 0; n < 4; ++n) {
        ePosunX[n] = rows().newEdit(12, 10);
        ePosunY[n] = rows().newEdit(12, 10);
        ePosunX[n]->setAlignment(Qt::AlignRight);
        ePosunY[n]->setAlignment(Qt::AlignRight);
        rows().addRow(formats[n].trimmed() + QStringLiteral(" :"), pair(ePosunX[n], ePosunY[n]));
    }
    finishLayout();

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

TableSchema TfPosunzd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},      {"NAZOVTLAC", 'A', 40}, {"POSUNXO0", 'F', 0},
                {"POSUNYO0", 'F', 0}, {"POSUNXO1", 'F', 0},   {"POSUNYO1", 'F', 0},
                {"POSUNXO2", 'F', 0}, {"POSUNYO2", 'F', 0},   {"POSUNXO3", 'F', 0},
                {"POSUNYO3", 'F', 0}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("NAZOVTLAC", {"NAZOVTLAC"})};
    return s;
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
