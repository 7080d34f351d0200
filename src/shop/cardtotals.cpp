#include "shop/cardtotals.h"

#include "core/values.h"

namespace vidoraw {

CardAmounts CardTotals(const CardPrices& p) {
    CardAmounts a;
    a.discount = p.frame * p.discountPercent / 100;
    a.afterDiscount = p.frame - a.discount;
    a.total = p.frame - a.discount + p.lenses - p.prescription + p.other;
    return a;
}

double CardPrice(const QString& text) {
    double value = 0;
    return DecimalFromText(NormalizeDecimal(text.trimmed()), value) ? value : 0;
}

} // namespace vidoraw
