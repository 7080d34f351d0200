#pragma once
// Invoice numbers from the number series (CISRAD.DB). A series issues prefix + counter + postfix;
// mode "A" issues nothing (the user types the number), "B" the series' counter, "C" the highest
// number already used + 1. Series 1 numbers the invoices.
#include <QString>

namespace vidoraw {

struct AppContext;

inline constexpr int kInvoiceSeries = 1;

// prefix + the counter zero-padded on the left to digits + postfix; a counter with more
// digits than that is written in full.
QString FormatSeriesNumber(const QString& prefix, qint64 counter, int digits,
                           const QString& postfix);

// The proposal for a new invoice's number, from series 1; "" in mode A, in an unknown mode
// and without series 1.
QString NextInvoiceNumber(AppContext& app);

// After an invoice was added: a series in mode B counts on by one, the other modes stay.
// Joins the caller's write lock (or takes its own); false when the change failed.
[[nodiscard]] bool AdvanceSeries(AppContext& app, int series);

// The number a new invoice is saved with, and series 1 advanced; called inside the write lock
// of the invoice's save, so that the number and the counter move in the invoice's transaction.
// A number still as proposed is proposed again (another workstation may have used it since);
// one typed by hand stays. False without the lock or when the series could not be advanced.
[[nodiscard]] bool IssueInvoiceNumber(AppContext& app, const QString& proposed,
                                      const QString& typed, QString& number);

} // namespace vidoraw
