#pragma once
// The small price calculation of a customer card: frame less its discount, lenses, less the
// amount for the prescription, plus another item. Nothing is rounded.
#include <QString>

namespace vidoraw {

struct CardPrices {
    double frame = 0;         // CENAR
    double discountPercent = 0; // ZLAVARPERC
    double lenses = 0;        // CENAS
    double prescription = 0;  // CENARECEPT, deducted
    double other = 0;         // CENAI
};

struct CardAmounts {
    double discount = 0;      // ZLAVARSUMA
    double afterDiscount = 0; // "Cena po zľave:"
    double total = 0;         // CELKOM
};

CardAmounts CardTotals(const CardPrices& prices);

// A price as typed: "," or "." as the separator; what does not convert counts as 0.
double CardPrice(const QString& text);

} // namespace vidoraw
