#pragma once
// The batches of an insurer invoice (DAVKA.DB) and the vouchers they hold (POUKAZ.DB): their
// numbers, totals and removal. Every walk uses a cursor of its own, so no list moves.
#include "core/engine/table.h"
#include "invoicing/vatrates.h"

#include <QList>
#include <QStringList>

#include <array>

namespace vidoraw {

struct AppContext;

// A cursor of its own on a module's table (the module's table is created when missing).
[[nodiscard]] bool OpenModuleCursor(AppContext& app, int moduleNumber, Table& cursor);

struct BatchRef {
    qint64 code = 0;   // KOD
    qint64 number = 0; // CISDAV
};
// The invoice's batches in the order of the batch index (KODFA, equal keys by KOD).
QList<BatchRef> BatchesOf(AppContext& app, qint64 invoiceCode);
// The largest CISDAV among the invoice's batches plus one (1 when it has none).
qint64 NextBatchNumber(AppContext& app, qint64 invoiceCode);
// Appends a batch to the invoice. Code and number are both computed inside the write lock,
// so two workstations adding at once get two numbers. false with *error when it failed.
[[nodiscard]] bool AddBatch(AppContext& app, qint64 invoiceCode, qint64& code, qint64& number,
                            QString* error);

struct BatchTotals {
    int vouchers = 0;
    int aids = 0;
    double patient = 0;
    double insurer = 0;
    std::array<double, 3> vat{}; // the insurer total by the three current rates
    QStringList unmatchedAids;   // aids whose rate is none of the three
    BatchTotals& operator+=(const BatchTotals& o);
};
// Sums of the batch's vouchers; withVat also splits the insurer total by rate: by the rates
// given, else by those of each voucher's dispensing date.
BatchTotals TotalsOfBatch(AppContext& app, qint64 invoiceCode, qint64 batchCode,
                          bool withVat = false, const VatRates* rates = nullptr);
// The same over all batches of the invoice.
BatchTotals TotalsOfInvoice(AppContext& app, qint64 invoiceCode, bool withVat = false,
                            const VatRates* rates = nullptr);

// Removal; the caller holds the write lock, so that whatever it removes with them goes in the
// same transaction.
[[nodiscard]] bool DeleteBatchVouchers(AppContext& app, qint64 invoiceCode, qint64 batchCode,
                                       QString* error);
// Every batch of the invoice after its vouchers (the invoice record itself stays).
[[nodiscard]] bool DeleteInvoiceBatches(AppContext& app, qint64 invoiceCode, QString* error);

} // namespace vidoraw
