#include "invoicing/sumarm.h"

#include "framework/appcontext.h"
#include "framework/formrows.h"
#include "framework/grids.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vidoraw {

TfSumarm::TfSumarm(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Sumárne údaje"));
    lNadpis = new QLabel(this);
    rows().addWide(lNadpis);
    sgSumar = new EditGrid(this);
    sgSumar->setColumnCount(2);
    sgSumar->setHorizontalHeaderLabels({QStringLiteral("Popis"), QStringLiteral("Hodnota")});
    sgSumar->setColumnWidth(0, 360);
    sgSumar->setColumnWidth(1, 90);
    sgSumar->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgSumar->verticalHeader()->hide();
    rows().addWide(sgSumar);
    // A click on a column's head sorts the rows by its texts (values are padded, so by size).
    connect(sgSumar->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { sgSumar->sortItems(column, Qt::AscendingOrder); });
    eSpolu = rows().addRow(QStringLiteral("Spolu:"), 0, 14);
    eSpolu->setAlignment(Qt::AlignRight);
    FormRows::makeDisplayOnly(eSpolu);
    auto* buttons = new QHBoxLayout;
    bTlac = new QPushButton(QStringLiteral("&Tlač"), this);
    bGraf = new QPushButton(QStringLiteral("&Graf"), this);
    for (QPushButton* b : {bTlac, bGraf}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    rows().addRow(QString(), buttons);
    finishLayout();
    connect(bTlac, &QPushButton::clicked, this, [this] { print(); });
    setFixedWidth(498);
    setMinimumHeight(336);
}

void TfSumarm::setStatistics(const InvoiceStatistics& statistics) {
    statistics_ = statistics;
    lNadpis->setText(statistics.title);
    sgSumar->setRowCount(0);
    sgSumar->setRowCount(int(statistics.rows.size()));
    for (int r = 0; r < statistics.rows.size(); ++r) {
        sgSumar->setItem(r, 0, new QTableWidgetItem(statistics.rows[r].description));
        auto* value = new QTableWidgetItem(statistics.rows[r].value);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sgSumar->setItem(r, 1, value);
    }
    eSpolu->setText(statistics.total);
}

bool TfSumarm::print() {
    // The rows as the grid shows them now (sorted or not), with the total under them.
    ReportGridData grid;
    grid.columnWidths = {360, 90};
    grid.rows << QStringList{QStringLiteral("Popis"), QStringLiteral("Hodnota")};
    for (int r = 0; r < sgSumar->rowCount(); ++r)
        grid.rows << QStringList{sgSumar->item(r, 0)->text(), sgSumar->item(r, 1)->text()};
    grid.rows << QStringList{QStringLiteral("Spolu:"), statistics_.total};
    return RunReport(
        app().reports,
        [&](ReportWriter& w, const QString& fileName) {
            return w.ReportGrid(grid, {QStringLiteral("36"), QStringLiteral("38")},
                                statistics_.title, 10, 10, 10, 10, fileName);
        },
        this);
}

} // namespace vidoraw
