#include "invoicing/vatrates.h"

#include "core/engine/table.h"
#include "framework/appcontext.h"

#include <optional>

namespace vidoraw {

VatRates VatRatesAt(AppContext& app, const QDate& date) {
    RecordModule* m = app.registry.module(module::kDane);
    if (!m || !m->OpenTable() || !date.isValid())
        return kDefaultVatRates;
    Table& t = m->table();
    const int year = t.fieldIndex(QStringLiteral("ROK"));
    const int month = t.fieldIndex(QStringLiteral("MESIAC"));
    const int rate[3] = {t.fieldIndex(QStringLiteral("SADZBA1")),
                         t.fieldIndex(QStringLiteral("SADZBA2")),
                         t.fieldIndex(QStringLiteral("SADZBA3"))};
    if (year < 0 || month < 0 || rate[0] < 0 || rate[1] < 0 || rate[2] < 0)
        return kDefaultVatRates;
    const qint64 wanted = qint64(date.year()) * 100 + date.month();
    std::optional<VatRates> earliest, inForce;
    // In date order, without moving the list's cursor; the last row not after the date wins.
    t.scanOrder(QStringLiteral("ROK;MESIAC"), {}, false,
                [&](qint64, const QVector<QVariant>& row) {
                    const VatRates rates{int(ValueAsInteger(row[rate[0]])),
                                         int(ValueAsInteger(row[rate[1]])),
                                         int(ValueAsInteger(row[rate[2]]))};
                    if (!earliest)
                        earliest = rates;
                    if (ValueAsInteger(row[year]) * 100 + ValueAsInteger(row[month]) > wanted)
                        return false;
                    inForce = rates;
                    return true;
                });
    return inForce ? *inForce : earliest ? *earliest : kDefaultVatRates;
}

VatRates VatRatesOfTheRun(AppContext& app, const QDate& today) {
    return VatRatesAt(app, QDate(today.year(), 1, 1));
}

} // namespace vidoraw
