#pragma once
// "Sumárne údaje": a statistic of the invoice list in a grid of descriptions and values with
// its grand total, printed as a ruled table.
#include "framework/tfmojform.h"
#include "invoicing/invoicestatistics.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace vidoraw {

class TfSumarm : public TfMojForm {
    Q_OBJECT
public:
    explicit TfSumarm(AppContext& app, QWidget* parent = nullptr);

    void setStatistics(const InvoiceStatistics& statistics);
    // "Tlač": the grid with a row of the total, to the screen or the printer.
    bool print();

    QLabel* lNadpis = nullptr;
    QTableWidget* sgSumar = nullptr;
    QLineEdit* eSpolu = nullptr;
    QPushButton* bTlac = nullptr;
    QPushButton* bGraf = nullptr;

private:
    InvoiceStatistics statistics_;
};

} // namespace vidoraw
