#pragma once
// The printed reports of the monthly billing: the invoice summary (a row per batch), the batch
// summary (a row per voucher) and the accompanying protocol of the batch files. Each begins
// and ends its report itself: a file name writes the report file, an empty name prints.
// They answer false when the report could not begin or be written, so no viewer starts on it.
#include <QString>

class QWidget;

namespace vidoraw {

struct AppContext;

bool PrintInvoiceSummary(AppContext& app, qint64 invoiceCode, const QString& fileName);
bool PrintBatchSummary(AppContext& app, qint64 batchCode, const QString& fileName);
bool PrintBatchProtocol(AppContext& app, qint64 invoiceCode, const QString& fileName);

// "Š&tatistika obdobia": the invoices of a month with their batches and vouchers.
struct PeriodCounts {
    int invoices = 0;
    int batches = 0;
    int vouchers = 0;
};
// The stored month and year are read as numbers ("03" is March).
PeriodCounts CountPeriod(AppContext& app, int month, int year);
// The window "Štatistika za obdobie".
void ShowPeriodStatistics(AppContext& app, const PeriodCounts& counts, QWidget* owner);

} // namespace vidoraw
