#pragma once
// "Štatistiky" of the invoice list: the listed invoices summed by month of issue in one year,
// or by customer, with or without VAT.
#include <QList>
#include <QString>

namespace vidoraw {

struct AppContext;
class Table;

enum class InvoiceStatistic { MonthsWithVat, MonthsWithoutVat, CustomersWithVat, CustomersWithoutVat };

struct StatisticsRow {
    QString description;
    QString value;  // padded on the left, so that values sort as text by size
    long double amount = 0;
};
struct InvoiceStatistics {
    QString title;
    QList<StatisticsRow> rows;
    QString total;
};

// The menu caption and hint of a statistic; a non-payer has only the two with VAT.
QString StatisticCaption(InvoiceStatistic kind, bool vatPayer);
QString StatisticHint(InvoiceStatistic kind, bool vatPayer);

// Over every invoice the cursor shows (through its filter), in its order; the cursor is walked,
// the caller puts it back. year is the year the months belong to.
InvoiceStatistics ComputeInvoiceStatistics(AppContext& app, Table& invoices,
                                           InvoiceStatistic kind, bool vatPayer, int year);

} // namespace vidoraw
