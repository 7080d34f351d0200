#pragma once
// Amounts of one voucher (the current record of a POUKAZ.DB cursor), summed by the batches,
// their protocols and the insurer invoice: lines 1 to 4 only, unrounded.
#include "invoicing/vatrates.h"

#include <QStringList>

#include <array>

class QWidget;

namespace vidoraw {

struct AppContext;
class Table;

struct VoucherTotals {
    double insurer = 0; // SUMAPOI1..4
    double patient = 0; // SUMAPAC1..4
    int aids = 0;       // filled KODOP1..4
};
VoucherTotals TotalsOf(Table& vouchers);

// The insurer total split over the three VAT rates, by the rate (DPH) of each line's aid.
struct VatSplit {
    std::array<double, 3> parts{};
    // Aid codes whose rate is none of the three: their amounts are in no part, so the split
    // does not add up to the insurer total. A line without an aid code never lands here.
    QStringList unmatchedAids;
    bool complete() const { return unmatchedAids.isEmpty(); }
};
// With the rates in force on the voucher's dispensing date (the rates of the run when the
// voucher has none).
VatSplit SplitByVat(AppContext& app, Table& vouchers);
VatSplit SplitByVat(AppContext& app, Table& vouchers, const VatRates& rates);
// The message for each aid of an incomplete split (title "Oznam").
void ShowVatMismatches(const VatSplit& split, QWidget* owner = nullptr);

} // namespace vidoraw
