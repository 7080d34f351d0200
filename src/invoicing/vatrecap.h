#pragma once
// The VAT recapitulation and the total to pay of an invoice, formed from its lines: the one
// place where tax bases, taxes and totals of a general invoice are computed. Extended
// precision throughout; rounding to PDM decimals with ties to even.
#include "invoicing/invoiceitems.h"
#include "invoicing/vatrates.h"

#include <QStringList>

#include <array>

namespace vidoraw {

struct VatRecap {
    VatRates rates{};
    std::array<long double, 3> base{};
    std::array<long double, 3> tax{};
    long double totalBase = 0;
    long double totalTax = 0;
    long double totalToPay = 0; // rounded by the rounding code
    // Lines whose rate is none of the three (left out of every total), by index.
    QList<int> unmatched;
};

// VAT payer: per rate level the gross is rounded first and the tax taken back out of it; the
// total to pay is the sum of the rounded grosses, rounded by the code. A line's rate picks the
// first level it equals; quantity × price counts, not the line amount shown.
VatRecap RecapitulateVat(const QList<InvoiceItem>& items, const VatRates& rates,
                         int roundDecimals, double roundingCode);
// Non-payer: the sum of quantity × price, rounded by the code.
long double NonPayerTotal(const QList<InvoiceItem>& items, double roundingCode);

// The recapitulation as shown: rows 1 to 3 the levels, row 4 the totals; columns base, rate,
// tax, gross. Numbers with the display decimals.
struct RecapTexts {
    std::array<std::array<QString, 4>, 4> cells{};
    QString base(int row) const { return cells[row][0]; }
    QString tax(int row) const { return cells[row][2]; }
    QString gross(int row) const { return cells[row][3]; }
};
RecapTexts RecapAsTexts(const VatRecap& recap, const ItemFormat& format);

// The message of a rate that is none of the three.
QString AllowedRatesText(const VatRates& rates);

} // namespace vidoraw
