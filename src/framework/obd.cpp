#include "framework/obd.h"

#include "core/interaction.h"
#include "core/values.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vidoraw {

int ClampYear(const QString& text) {
    qint64 year = 0;
    if (!IntegerFromText(text, year))
        year = 0;
    return int(std::clamp<qint64>(year, kFirstYear, kLastYear));
}

YearBox::YearBox(QWidget* parent) : QSpinBox(parent) {
    setLocale(QLocale::c());
    setRange(kFirstYear, kLastYear);
    // The text is turned into a year when the box is left, not at every keystroke.
    setKeyboardTracking(false);
    setValue(QDate::currentDate().year());
}

QValidator::State YearBox::validate(QString&, int&) const { return QValidator::Acceptable; }

int YearBox::valueFromText(const QString& text) const { return ClampYear(text); }

QString YearBox::textFromValue(int value) const { return QString::number(value); }

DatePeriod PeriodOfChoice(int year, int choice) {
    int firstMonth = 1;
    int lastMonth = 1;
    if (choice >= 0 && choice < 4) {
        firstMonth = choice * 3 + 1;
        lastMonth = firstMonth + 2;
    } else if (choice >= 4 && choice < 16) {
        firstMonth = lastMonth = choice - 3;
    }
    return {QDate(year, firstMonth, 1), QDate(year, lastMonth, DaysInMonth(lastMonth, year))};
}

QButtonGroup* MakeChoiceColumns(QWidget* groupBox, const QStringList& texts) {
    auto* group = new QButtonGroup(groupBox);
    auto* grid = new QGridLayout(groupBox);
    const int rows = int((texts.size() + 3) / 4);
    for (int i = 0; i < texts.size(); ++i) {
        auto* b = new QRadioButton(texts[i], groupBox);
        group->addButton(b, i);
        grid->addWidget(b, i % rows, i / rows);
    }
    return group;
}

QHBoxLayout* MakeYearRow(QWidget* dialog, YearBox* box) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Rok:"), dialog);
    label->setBuddy(box);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 40);
    row->addWidget(label);
    row->addWidget(box);
    row->addStretch(1);
    return row;
}

QWidget* MakeOkBackStrip(QDialog* dialog, QPushButton*& ok, QPushButton*& back) {
    auto* strip = new QWidget(dialog);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 4, 0, 0);
    ok = new QPushButton(QStringLiteral("&Ok"), strip);
    back = new QPushButton(QStringLiteral("&Späť"), strip);
    ok->setDefault(true);
    back->setAutoDefault(false);
    for (QPushButton* b : {ok, back})
        b->setMinimumWidth(90);
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(back);
    QObject::connect(back, &QPushButton::clicked, dialog, &QDialog::reject);
    return strip;
}

TfObd::TfObd(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Určenie obdobia"));
    auto* layout = new QVBoxLayout(this);
    seRok = new YearBox(this);
    layout->addLayout(MakeYearRow(this, seRok));
    auto* box = new QGroupBox(QStringLiteral(" Obdobie "), this);
    QStringList texts = {QStringLiteral("I. Štvrťrok"), QStringLiteral("II.Štvrťrok"),
                         QStringLiteral("III.Štvrťrok"), QStringLiteral("IV.Štvrťrok")};
    for (int m = 1; m <= 12; ++m)
        texts << MonthName(m);
    rgObdobie = MakeChoiceColumns(box, texts);
    layout->addWidget(box);
    layout->addWidget(MakeOkBackStrip(this, bbOk, bbSpat));
    connect(bbOk, &QPushButton::clicked, this, &TfObd::pressOk);
    setChoice(0);
}

int TfObd::showModal() { return RunDialog(*this); }

int TfObd::year() const { return seRok->value(); }

int TfObd::choice() const { return std::max(0, rgObdobie->checkedId()); }

void TfObd::setChoice(int choice) {
    if (QAbstractButton* b = rgObdobie->button(choice))
        b->setChecked(true);
}

void TfObd::pressOk() {
    seRok->interpretText();
    accept();
}

TfObd& PeriodDialog(AppContext& app) {
    auto* obd = qobject_cast<TfObd*>(app.period.window.data());
    if (!obd) {
        obd = new TfObd(app.mainWindow);
        app.period.window = obd;
    }
    return *obd;
}

bool AskPeriod(AppContext& app, QDate& first, QDate& last) {
    TfObd& obd = PeriodDialog(app);
    if (obd.showModal() != QDialog::Accepted)
        return false;
    const DatePeriod p = obd.period();
    first = p.first;
    last = p.last;
    return true;
}

} // namespace vidoraw
