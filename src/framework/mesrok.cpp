#include "framework/mesrok.h"

#include "core/interaction.h"
#include "core/values.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vidoraw {

TfMesrok::TfMesrok(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Mesiac a rok "));
    auto* layout = new QVBoxLayout(this);
    seRok = new YearBox(this);
    layout->addLayout(MakeYearRow(this, seRok));
    auto* box = new QGroupBox(QStringLiteral(" Mesiac "), this);
    QStringList texts;
    for (int m = 1; m <= 12; ++m)
        texts << MonthName(m);
    rgMesiac = MakeChoiceColumns(box, texts);
    layout->addWidget(box);
    layout->addWidget(MakeOkBackStrip(this, bbOk, bbSpat));
    connect(bbOk, &QPushButton::clicked, this, &TfMesrok::pressOk);
    setMonth(QDate::currentDate().month());
}

int TfMesrok::showModal() { return RunDialog(*this); }

int TfMesrok::month() const { return std::max(0, rgMesiac->checkedId()) + 1; }

void TfMesrok::setMonth(int month) {
    if (QAbstractButton* b = rgMesiac->button(month - 1))
        b->setChecked(true);
}

void TfMesrok::pressOk() {
    seRok->interpretText();
    accept();
}

bool AskMonthYear(AppContext& app, int& month, int& year) {
    TfMesrok dialog(app.mainWindow);
    dialog.setMonth(month);
    if (year > 0)
        dialog.setYear(year);
    if (dialog.showModal() != QDialog::Accepted)
        return false;
    month = dialog.month();
    year = dialog.year();
    return true;
}

} // namespace vidoraw
