#include "vouchers/vouchertotals.h"

#include "core/interaction.h"
#include "core/values.h"
#include "framework/tfdbform.h"
#include "vouchers/aidcode.h"

namespace vidoraw {

namespace {

// The aid's VAT rate; an aid that is not found or has no rate counts as 0.
int AidRate(AppContext& app, const QString& aidCode) {
    QString rate;
    if (!LookupField(app, module::kOptpom, QStringLiteral("KODPOM"), {aidCode},
                     QStringLiteral("DPH"), rate))
        return 0;
    qint64 value = 0;
    return IntegerFromText(rate, value) ? int(value) : 0;
}

} // namespace

VoucherTotals TotalsOf(Table& vouchers) {
    VoucherTotals t;
    for (int line = 0; line < 4; ++line) {
        t.insurer += vouchers.field(AidLineField("SUMAPOI", line)).asFloat();
        t.patient += vouchers.field(AidLineField("SUMAPAC", line)).asFloat();
        if (!vouchers.field(AidLineField("KODOP", line)).asString().trimmed().isEmpty())
            ++t.aids;
    }
    return t;
}

VatSplit SplitByVat(AppContext& app, Table& vouchers) {
    const Field issued = vouchers.field(QStringLiteral("DATUMVYD"));
    const VatRates rates = issued.isNull()
                               ? app.vatRates
                               : VatRatesAt(app, issued.asDate());
    return SplitByVat(app, vouchers, rates);
}

VatSplit SplitByVat(AppContext& app, Table& vouchers, const VatRates& rates) {
    VatSplit split;
    for (int line = 0; line < 4; ++line) {
        const QString code = vouchers.field(AidLineField("KODOP", line)).asString().trimmed();
        const double amount = vouchers.field(AidLineField("SUMAPOI", line)).asFloat();
        const int rate = code.isEmpty() ? 0 : AidRate(app, code);
        bool matched = false;
        for (size_t i = 0; i < rates.size() && !matched; ++i) {
            if (rates[i] == rate) {
                split.parts[i] += amount;
                matched = true;
            }
        }
        if (!matched && !code.isEmpty() && !split.unmatchedAids.contains(code))
            split.unmatchedAids << code;
    }
    return split;
}

void ShowVatMismatches(const VatSplit& split, QWidget* owner) {
    for (const QString& code : split.unmatchedAids)
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Hodnota DPH v číselníku optických pomôcok na položke s kódom: ") +
                       code +
                       QStringLiteral(" sa nezhoduje s aktuálne nastavenými sadzbami DPH vo voľbe "
                                      "Faktúry | Číselníky | Sadzby dane!"),
                   NoticeKind::Information, owner);
}

} // namespace vidoraw
