#include "invoicing/vatrecap.h"

#include "core/values.h"
#include "invoicing/rounding.h"

namespace vidoraw {

VatRecap RecapitulateVat(const QList<InvoiceItem>& items, const VatRates& rates,
                         int roundDecimals, double roundingCode) {
    VatRecap r;
    r.rates = rates;
    for (int i = 0; i < items.size(); ++i) {
        const InvoiceItem& item = items[i];
        const long double amount = CellNumber(item.quantity) * CellNumber(item.price);
        int rate = 0;
        IsRateCell(item.rate, rate);
        int level = -1;
        for (int k = 0; k < 3 && level < 0; ++k)
            if (rate == rates[k])
                level = k;
        if (level < 0) {
            r.unmatched << i;
            continue;
        }
        r.base[level] += amount;
        r.tax[level] += amount * rates[level] / 100.0L;
    }
    long double grossSum = 0;
    for (int k = 0; k < 3; ++k) {
        const long double gross = RoundDecimals(r.base[k] + r.tax[k], roundDecimals);
        r.tax[k] = RoundDecimals(gross - gross / (rates[k] / 100.0L + 1), roundDecimals);
        r.base[k] = gross - r.tax[k];
        r.totalBase += r.base[k];
        r.totalTax += r.tax[k];
        grossSum += RoundDecimals(r.base[k] + r.tax[k], roundDecimals);
    }
    r.totalToPay = RoundByCode(grossSum, roundingCode);
    return r;
}

long double NonPayerTotal(const QList<InvoiceItem>& items, double roundingCode) {
    long double sum = 0;
    for (const InvoiceItem& item : items)
        sum += CellNumber(item.quantity) * CellNumber(item.price);
    return RoundByCode(sum, roundingCode);
}

RecapTexts RecapAsTexts(const VatRecap& recap, const ItemFormat& format) {
    RecapTexts t;
    for (int k = 0; k < 3; ++k)
        t.cells[k] = {format.show(recap.base[k]), QString::number(recap.rates[k]),
                      format.show(recap.tax[k]), format.show(recap.base[k] + recap.tax[k])};
    t.cells[3] = {format.show(recap.totalBase), QString(), format.show(recap.totalTax),
                  format.show(recap.totalToPay)};
    return t;
}

QString AllowedRatesText(const VatRates& rates) {
    return QStringLiteral("Prípustné hodnoty dane sú : %1, %2, %3 !")
        .arg(rates[0])
        .arg(rates[1])
        .arg(rates[2]);
}

} // namespace vidoraw
