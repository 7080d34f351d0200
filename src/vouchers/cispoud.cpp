#include "vouchers/cispoud.h"

#include "core/base/numbertext.h"
#include "core/values.h"
#include "framework/tfbrowse.h"
#include "vouchers/aidcode.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace vidoraw {

namespace {

QString LineField(const char* name, int line) {
    return QString::fromLatin1(name) + QString::number(line + 1);
}

double Amount(const QString& text) {
    double value = 0;
    return DecimalFromText(NormalizeDecimal(text.trimmed()), value) ? value : 0;
}

QString AmountText(double value) { return value == 0 ? QString() : FloatAsText(value); }

bool IsCount(const QString& text) {
    qint64 value = 0;
    const QString t = text.trimmed();
    return !t.isEmpty() && IsDigitsOnly(t) && IntegerFromText(t, value) && value <= 32767;
}

} // namespace

TfCispoud::TfCispoud(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    ePopis = rows().addRow(QStringLiteral("Popis:"), 80, 40);
    bind(ePopis, QStringLiteral("POPIS"));
    auto* grid = new QWidget(this);
    auto* g = new QGridLayout(grid);
    g->setContentsMargins(0, 0, 0, 0);
    const QStringList heads = {"Kód:", "Názov pomôcky:", "Počet:", "Poisťovňa:", "Pacient:"};
    for (int c = 0; c < heads.size(); ++c)
        g->addWidget(new QLabel(heads[c]), 0, c);
    for (int i = 0; i < 4; ++i) {
        Line& l = lines[i];
        l.code = rows().newEdit(5, 6);
        l.name = rows().newEdit(0, 30);
        FormRows::makeDisplayOnly(l.name);
        l.count = rows().newEdit(5, 5);
        l.insurer = rows().newEdit(0, 10);
        l.patient = rows().newEdit(0, 10);
        const QList<QLineEdit*> boxes = {l.code, l.name, l.count, l.insurer, l.patient};
        for (int c = 0; c < boxes.size(); ++c)
            g->addWidget(boxes[c], i + 1, c);
        bind(l.code, LineField("KODOP", i));
        bind(l.count, LineField("POCET", i));
        bind(l.insurer, LineField("SUMAPOI", i));
        bind(l.patient, LineField("SUMAPAC", i));
        onPickKeys(l.code, [this, i] {
            if (LookupOrPick(this->app(), module::kOptpom, "KODPOM", "NAZOV", PickMode::Pick,
                             lines[i].name, lines[i].code))
                checkCode(i);
        });
    }
    eSpoluPoi = rows().newEdit(0, 10);
    eSpoluPac = rows().newEdit(0, 10);
    FormRows::makeDisplayOnly(eSpoluPoi);
    FormRows::makeDisplayOnly(eSpoluPac);
    g->addWidget(new QLabel(QStringLiteral("Spolu:")), 5, 2, Qt::AlignRight);
    g->addWidget(eSpoluPoi, 5, 3);
    g->addWidget(eSpoluPac, 5, 4);
    rows().addWide(grid);
    finishLayout();
    checkedFields = {ePopis};
    for (const Line& l : lines)
        checkedFields << l.code << l.count << l.insurer << l.patient;
    DefineList();
}

TableSchema TfCispoud::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"POPIS", 'A', 80}};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{LineField("KODOP", i), 'A', 5};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{LineField("SUMAPOI", i), 'F', 0};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{LineField("SUMAPAC", i), 'F', 0};
    for (int i = 0; i < 5; ++i)
        s.fields << FieldDef{LineField("POCET", i), 'I', 0};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Popis", {"POPIS"}, true)};
    return s;
}

void TfCispoud::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "POPIS"};
    list.orderTitles = {"Kód", "Popis"};
    list.printFields = {"KOD", "POPIS"};
    list.printTitles = {"Kód", "Popis"};
    list.listTitle = QStringLiteral("Zoznam častých poukazov");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfCispoud::LoadFields() {
    TfDbForm::LoadFields();
    for (int i = 0; i < 4; ++i) {
        Line& l = lines[i];
        // Stored zeros are shown empty.
        for (QLineEdit* e : {l.count, l.insurer, l.patient})
            if (Amount(e->text()) == 0)
                e->clear();
        showName(i);
        codes_[i] = l.code->text().trimmed();
        counts_[i] = l.count->text().trimmed();
    }
    updateTotals();
}

void TfCispoud::showName(int line) {
    QString name;
    const QString code = lines[line].code->text().trimmed();
    if (!code.isEmpty())
        LookupField(app(), module::kOptpom, QStringLiteral("KODPOM"), {code}, QStringLiteral("NAZOV"),
                    name);
    lines[line].name->setText(name);
}

void TfCispoud::recompute(int line) {
    Line& l = lines[line];
    const QString code = l.code->text().trimmed();
    QString price;
    double value = 0;
    if (LookupField(app(), module::kOptpom, QStringLiteral("KODPOM"), {code}, QStringLiteral("CENA"),
                    price))
        value = Amount(price);
    qint64 count = 0;
    (void)IntegerFromText(l.count->text(), count);
    const double amount = value * double(count);
    l.insurer->setText(line == 0 ? FloatAsText(amount) : AmountText(amount));
    codes_[line] = code;
    counts_[line] = l.count->text().trimmed();
}

bool TfCispoud::checkCode(int line) {
    Line& l = lines[line];
    const QString code = PadAidCode(l.code->text());
    if (code != l.code->text())
        l.code->setText(code);
    if (code.isEmpty()) {
        for (QLineEdit* e : {l.name, l.count, l.insurer, l.patient})
            e->clear();
        codes_[line].clear();
        counts_[line].clear();
        return true;
    }
    if (code != codes_[line] || l.insurer->text().trimmed().isEmpty()) {
        if (!IsCount(l.count->text()))
            l.count->setText(QStringLiteral("1"));
        recompute(line);
    }
    if (!LookupOrPick(app(), module::kOptpom, "KODPOM", "NAZOV", PickMode::LookUp, l.name, l.code)) {
        l.name->clear();
        return false;
    }
    if (l.code->text() != codes_[line]) {
        if (!IsCount(l.count->text()))
            l.count->setText(QStringLiteral("1"));
        recompute(line);
    }
    return true;
}

bool TfCispoud::checkCount(int line) {
    Line& l = lines[line];
    QString count = trimmedText(l.count);
    if (l.code->text().trimmed().isEmpty()) {
        l.count->clear();
        return true;
    }
    if (count.isEmpty()) {
        count = QStringLiteral("1");
        l.count->setText(count);
    }
    if (!IsCount(count)) {
        complain(QStringLiteral("Hodnota počet nepredstavuje celé číslo!"));
        return false;
    }
    if (count != counts_[line])
        recompute(line);
    return true;
}

bool TfCispoud::checkAmount(int line, QLineEdit* amount) {
    const QString text = NormalizeDecimal(amount->text().trimmed());
    if (text != amount->text())
        amount->setText(text);
    if (lines[line].code->text().trimmed().isEmpty()) {
        amount->clear();
        return true;
    }
    if (!text.isEmpty() && !IsDecimalQuiet(text)) {
        complain(QStringLiteral("Nesprávne desatinné číslo!"));
        return false;
    }
    return true;
}

bool TfCispoud::checkField(QWidget* control) {
    if (control == ePopis) {
        if (trimmedText(ePopis).isEmpty()) {
            complain(QStringLiteral("Popis nesmie byť prádzny!"));
            return false;
        }
        return true;
    }
    for (int i = 0; i < 4; ++i) {
        const Line& l = lines[i];
        if (control == l.code)
            return checkCode(i);
        if (control == l.count)
            return checkCount(i);
        if (control == l.insurer || control == l.patient)
            return checkAmount(i, static_cast<QLineEdit*>(control));
    }
    return true;
}

bool TfCispoud::checkOnLeave(QWidget* control) {
    const bool passed = TfDbForm::checkOnLeave(control);
    updateTotals();
    return passed;
}

void TfCispoud::updateTotals() {
    double insurer = 0, patient = 0;
    for (const Line& l : lines) {
        insurer += Amount(l.insurer->text());
        patient += Amount(l.patient->text());
    }
    eSpoluPoi->setText(AmountText(insurer));
    eSpoluPac->setText(AmountText(patient));
}

} // namespace vidoraw
