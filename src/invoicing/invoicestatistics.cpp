#include "invoicing/invoicestatistics.h"

#include "core/base/numbertext.h"
#include "core/engine/table.h"
#include "core/values.h"
#include "invoicing/companynames.h"

#include <QHash>

#include <array>

namespace vidoraw {

namespace {

bool WithVat(InvoiceStatistic kind, bool vatPayer) {
    return !vatPayer || kind == InvoiceStatistic::MonthsWithVat ||
           kind == InvoiceStatistic::CustomersWithVat;
}

bool ByMonth(InvoiceStatistic kind) {
    return kind == InvoiceStatistic::MonthsWithVat || kind == InvoiceStatistic::MonthsWithoutVat;
}

QString Padded(long double amount, int width) {
    return FormatFixed(double(amount), 2).rightJustified(width, u' ');
}

} // namespace

QString StatisticCaption(InvoiceStatistic kind, bool vatPayer) {
    if (!vatPayer)
        return ByMonth(kind) ? QStringLiteral("&1. Hodnota faktúr podľa mesiacov")
                             : QStringLiteral("&2. Hodnota faktúr podľa odberateľov");
    switch (kind) {
    case InvoiceStatistic::MonthsWithVat:
        return QStringLiteral("&1. Hodnota faktúr s DPH podľa mesiacov");
    case InvoiceStatistic::MonthsWithoutVat:
        return QStringLiteral("&2. Hodnota faktúr bez DPH podľa mesiacov");
    case InvoiceStatistic::CustomersWithVat:
        return QStringLiteral("&3. Hodnota faktúr s DPH podľa odberateľov");
    case InvoiceStatistic::CustomersWithoutVat:
        break;
    }
    return QStringLiteral("&4. Hodnota faktúr bez DPH podľa odberateľov");
}

QString StatisticHint(InvoiceStatistic kind, bool vatPayer) {
    if (vatPayer)
        return QString();
    return ByMonth(kind) ? QStringLiteral("Zobrazí hodnoty vystavených faktúr podľa mesiacov")
                         : QStringLiteral("Zobrazí hodnoty vystavených faktúr podľa odberateľov");
}

InvoiceStatistics ComputeInvoiceStatistics(AppContext& app, Table& invoices,
                                           InvoiceStatistic kind, bool vatPayer, int year) {
    const bool withVat = WithVat(kind, vatPayer);
    const QString with = !vatPayer ? QString() : withVat ? QStringLiteral("s DPH ")
                                                         : QStringLiteral("bez DPH ");
    InvoiceStatistics out;
    out.title = ByMonth(kind)
                    ? QStringLiteral("Vystavené faktúry %1podľa mesiacov v roku: %2").arg(with).arg(year)
                    : QStringLiteral("Vystavené faktúry %1podľa odberateľov").arg(with).trimmed();
    auto amountOf = [&] {
        if (withVat)
            return (long double)invoices.field(QStringLiteral("SUMA")).asFloat();
        return (long double)invoices.field(QStringLiteral("BEZDPH1")).asFloat() +
               invoices.field(QStringLiteral("BEZDPH2")).asFloat() +
               invoices.field(QStringLiteral("BEZDPH3")).asFloat();
    };
    long double total = 0;
    if (ByMonth(kind)) {
        std::array<long double, 12> months{};
        long double before = 0, after = 0;
        for (invoices.first(); !invoices.eof(); invoices.next()) {
            const long double amount = amountOf();
            const QDate issued = invoices.field(QStringLiteral("DAT_VYS")).asDate();
            const int y = issued.isValid() ? issued.year() : 1899;
            if (y < year)
                before += amount;
            else if (y > year)
                after += amount;
            else
                months[size_t(issued.month() - 1)] += amount;
        }
        if (before != 0)
            out.rows << StatisticsRow{QStringLiteral("Do 31.12.%1").arg(year - 1),
                                      Padded(before, 12), before};
        for (int m = 0; m < 12; ++m)
            out.rows << StatisticsRow{MonthName(m + 1), Padded(months[size_t(m)], 12),
                                      months[size_t(m)]};
        if (after != 0)
            out.rows << StatisticsRow{QStringLiteral("Po 01.01.%1").arg(year + 1),
                                      Padded(after, 12), after};
    } else {
        // Groups by the IČO as a number, in the order their first invoice is met; the name is
        // found by the text of that invoice's IČO, which keeps its leading zeros.
        QHash<QString, int> groups;
        for (invoices.first(); !invoices.eof(); invoices.next()) {
            const QString key = invoices.field(QStringLiteral("ICO_ODB")).asString();
            auto it = groups.find(key);
            if (it == groups.end()) {
                const QString ico = invoices.field(QStringLiteral("ICO_ODBA")).asString().trimmed();
                it = groups.insert(key, int(out.rows.size()));
                out.rows << StatisticsRow{
                    QStringLiteral("%1 - %2").arg(key, CompanyDisplayName(app, ico)), QString(), 0};
            }
            out.rows[*it].amount += amountOf();
        }
        for (StatisticsRow& r : out.rows)
            r.value = Padded(r.amount, 10);
    }
    for (const StatisticsRow& r : out.rows)
        total += r.amount;
    out.total = Padded(total, 12);
    return out;
}

} // namespace vidoraw
