#include "vouchers/aidlines.h"

#include "core/base/numbertext.h"
#include "core/modulenumbers.h"
#include "core/values.h"
#include "framework/formrows.h"
#include "framework/tfbrowse.h"
#include "framework/tfdbform.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace vidoraw {

QString AidAmountText(double value) { return value == 0 ? QString() : FloatAsText(value); }

double AidAmount(const QString& text) {
    double value = 0;
    return DecimalFromText(NormalizeDecimal(text.trimmed()), value) ? value : 0;
}

bool IsAidCount(const QString& text) {
    qint64 value = 0;
    const QString t = text.trimmed();
    return !t.isEmpty() && IsDigitsOnly(t) && IntegerFromText(t, value) && value <= 32767;
}

AidLinesBox::AidLinesBox(AppContext& app, bool numbered, QWidget* parent)
    : QWidget(parent), app_(app) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 4, 0, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    const char* heads[5] = {"Kód:", "Názov pomôcky:", "Počet:", "Poisťovňa:", "Pacient:"};
    for (int c = 0; c < 5; ++c)
        grid->addWidget(new QLabel(QString::fromUtf8(heads[c]), this), 0, c + 1);
    auto edit = [this](int maxLength, int chars) {
        auto* e = new QLineEdit(this);
        if (maxLength > 0)
            e->setMaxLength(maxLength);
        e->setFixedWidth(e->fontMetrics().averageCharWidth() * (chars + 1) + 14);
        return e;
    };
    for (int i = 0; i < 4; ++i) {
        AidLine& l = lines[i];
        if (numbered)
            grid->addWidget(new QLabel(QStringLiteral("%1.").arg(i + 1), this), i + 1, 0);
        l.code = edit(5, 7);
        l.name = edit(0, 34);
        FormRows::makeDisplayOnly(l.name);
        l.count = edit(5, 5);
        l.insurer = edit(20, 12);
        l.patient = edit(20, 12);
        for (QLineEdit* e : {l.count, l.insurer, l.patient})
            e->setAlignment(Qt::AlignRight);
        const QList<QLineEdit*> cells{l.code, l.name, l.count, l.insurer, l.patient};
        for (int c = 0; c < cells.size(); ++c)
            grid->addWidget(cells[c], i + 1, c + 1);
        // Entering the code or count: its text before any change.
        for (QLineEdit* e : {l.code, l.count})
            e->installEventFilter(this);
        for (QLineEdit* e : {l.insurer, l.patient})
            connect(e, &QLineEdit::textChanged, this, &AidLinesBox::updateTotals);
    }
    insurerSum = edit(0, 12);
    patientSum = edit(0, 12);
    for (QLineEdit* e : {insurerSum, patientSum}) {
        FormRows::makeDisplayOnly(e);
        e->setAlignment(Qt::AlignRight);
    }
    grid->addWidget(new QLabel(QStringLiteral("Spolu:"), this), 5, 3, Qt::AlignRight);
    grid->addWidget(insurerSum, 5, 4);
    grid->addWidget(patientSum, 5, 5);
    grid->setColumnStretch(6, 1);
}

int AidLinesBox::lineOf(const QObject* control) const {
    for (int i = 0; i < 4; ++i) {
        const AidLine& l = lines[i];
        if (control == l.code || control == l.name || control == l.count ||
            control == l.insurer || control == l.patient)
            return i;
    }
    return -1;
}

void AidLinesBox::rememberTexts() {
    for (int i = 0; i < 4; ++i) {
        codes_[i] = lines[i].code->text().trimmed();
        counts_[i] = lines[i].count->text().trimmed();
    }
}

bool AidLinesBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // Coming back from another window is no entering: what was typed stays a change.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const int line = lineOf(watched);
        if (line >= 0 && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == lines[line].code)
                codes_[line] = lines[line].code->text().trimmed();
            else if (watched == lines[line].count)
                counts_[line] = lines[line].count->text().trimmed();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AidLinesBox::showNames() {
    for (int i = 0; i < 4; ++i)
        showName(i);
}

void AidLinesBox::showName(int line) {
    QString name;
    const QString code = lines[line].code->text().trimmed();
    if (!code.isEmpty())
        LookupField(app_, module::kOptpom, QStringLiteral("KODPOM"), {code}, QStringLiteral("NAZOV"),
                    name);
    lines[line].name->setText(name);
}

bool AidLinesBox::checkCode(int line) {
    AidLine& l = lines[line];
    const QString code = PadAidCode(l.code->text());
    if (code != l.code->text())
        l.code->setText(code);
    if (code.isEmpty()) {
        for (QLineEdit* e : {l.name, l.count, l.insurer})
            e->clear();
        if (l.patient->isEnabled())
            l.patient->clear();
        codes_[line].clear();
        counts_[line].clear();
        return true;
    }
    if (code != codes_[line] || l.insurer->text().trimmed().isEmpty()) {
        if (!IsAidCount(l.count->text()))
            l.count->setText(QStringLiteral("1"));
        recompute(line);
    }
    if (!LookupOrPick(app_, module::kOptpom, "KODPOM", "NAZOV", PickMode::LookUp, l.name, l.code)) {
        l.name->clear();
        return false;
    }
    // Another aid picked from the list: its price.
    if (l.code->text() != codes_[line]) {
        if (!IsAidCount(l.count->text()))
            l.count->setText(QStringLiteral("1"));
        recompute(line);
    }
    return true;
}

bool AidLinesBox::checkCount(int line, QString* error) {
    AidLine& l = lines[line];
    QString count = l.count->text().trimmed();
    if (count != l.count->text())
        l.count->setText(count);
    if (l.code->text().trimmed().isEmpty()) {
        l.count->clear();
        counts_[line].clear();
        return true;
    }
    if (count.isEmpty()) {
        count = QStringLiteral("1");
        l.count->setText(count);
    }
    if (!IsAidCount(count)) {
        *error = QStringLiteral("Hodnota počet nepredstavuje celé číslo!");
        return false;
    }
    if (count != counts_[line])
        recompute(line);
    return true;
}

void AidLinesBox::recompute(int line) {
    AidLine& l = lines[line];
    const QString code = l.code->text().trimmed();
    QString price;
    double value = 0;
    if (LookupField(app_, module::kOptpom, QStringLiteral("KODPOM"), {code}, QStringLiteral("CENA"),
                    price))
        value = AidAmount(price);
    qint64 count = 0;
    (void)IntegerFromText(l.count->text(), count);
    const double amount = value * double(count);
    l.insurer->setText(zeroOnFirstLine && line == 0 ? FloatAsText(amount) : AidAmountText(amount));
    codes_[line] = code;
    counts_[line] = l.count->text().trimmed();
}

bool AidLinesBox::checkAmount(int line, QLineEdit* amount, QString* error) {
    if (!amount->isEnabled())
        return true; // kept as loaded
    const QString text = NormalizeDecimal(amount->text().trimmed());
    if (text != amount->text())
        amount->setText(text);
    if (lines[line].code->text().trimmed().isEmpty()) {
        amount->clear();
        return true;
    }
    if (text.isEmpty() && amount == lines[line].patient)
        return true;
    if (!IsDecimalQuiet(text)) {
        *error = QStringLiteral("Nesprávne desatinné číslo!");
        return false;
    }
    return true;
}

bool AidLinesBox::checkField(QWidget* control,
                             const std::function<void(const QString&)>& complain) {
    const int line = lineOf(control);
    if (line < 0)
        return true;
    const AidLine& l = lines[line];
    QString error;
    bool passed = true;
    if (control == l.code)
        passed = checkCode(line);
    else if (control == l.count)
        passed = checkCount(line, &error);
    else if (control == l.insurer || control == l.patient)
        passed = checkAmount(line, static_cast<QLineEdit*>(control), &error);
    if (!error.isEmpty())
        complain(error);
    return passed;
}

void AidLinesBox::updateTotals() {
    double insurer = 0;
    double patient = 0;
    for (const AidLine& l : lines) {
        insurer += AidAmount(l.insurer->text());
        patient += AidAmount(l.patient->text());
    }
    insurerSum->setText(AidAmountText(insurer));
    patientSum->setText(AidAmountText(patient));
}

} // namespace vidoraw
