#include "invoicing/insurertransfer.h"

#include "core/values.h"
#include "framework/tfdbform.h"

namespace vidoraw {

namespace {

// From this day the customer's tax number is written the new way.
const QDate kVatNumbersFrom(2004, 5, 1);

QStringList Fields(AppContext& app, int module, const QString& order, const QString& key,
                   const QStringList& names) {
    QStringList values;
    if (key.trimmed().isEmpty() ||
        !LookupFields(app, module, order, {key.trimmed()}, names, values))
        values.clear();
    while (values.size() < names.size())
        values << QString();
    return values;
}

} // namespace

InsurerInvoiceSource ReadInsurerInvoice(AppContext& app, qint64 invoiceCode) {
    InsurerInvoiceSource s;
    const QStringList invoice =
        Fields(app, module::kFaktura, QStringLiteral("KOD"), QString::number(invoiceCode),
               {"CISFAK", "OBDMM", "OBDRR", "KODZML"});
    s.number = invoice[0];
    s.month = invoice[1];
    s.year = invoice[2];
    const QStringList contract = Fields(app, module::kZmluva, QStringLiteral("KOD"), invoice[3],
                                        {"CISZML", "PLATNOST", "KODPOI"});
    s.contractNumber = contract[0];
    s.contractDate = contract[1];
    s.insurerCode = contract[2];
    s.insurerIco =
        Fields(app, module::kPoist, QStringLiteral("CPOI"), s.insurerCode, {"ICO"})[0];
    return s;
}

QList<InvoiceItem> InsurerInvoiceItems(const InsurerInvoiceSource& source, const VatRates& rates,
                                       const ItemFormat& format) {
    auto text = [&](const QString& t) {
        InvoiceItem item = NewItem(format);
        item.text = t;
        return item;
    };
    QList<InvoiceItem> out;
    out << NewItem(format)
        << text(QStringLiteral("Na základe zmluvy č. ") + source.contractNumber +
                QStringLiteral(" zo dňa ") + source.contractDate)
        << NewItem(format)
        << text(QStringLiteral("Faktúrujeme Vám za základe realizovaných poukazov v optike"))
        << NewItem(format);
    InvoiceItem period = text(QStringLiteral("Za obdobie: ") + source.month + u'.' + source.year +
                              QStringLiteral(" Poukazy: ") +
                              QString::number(source.totals.vouchers));
    if (!format.vatPayer) {
        period.quantity = format.show(1);
        period.unit.clear();
        period.price = format.show(source.totals.insurer);
        period.amount = period.price;
    }
    out << period << NewItem(format) << NewItem(format);
    if (!format.vatPayer)
        return out;
    // The parts are gross; each becomes a net price at its rate, so that the recapitulation
    // gives the part back (a first level that is not 0 % is taxed like the others). Each part
    // fills the last line and two new lines follow it.
    const char* captions[] = {"Sadzba dane: ", "Sadzba dane: ", "Sadzdba dane: "};
    for (int k = 0; k < 3; ++k) {
        const long double part = source.totals.vat[size_t(k)];
        if (part == 0)
            continue;
        const int rate = rates[size_t(k)];
        const long double price = part / ((rate + 100.0L) / 100.0L);
        InvoiceItem& line = out.last();
        line.text = k == 0 && rate == 0
                        ? QStringLiteral("Oslobodené od dane")
                        : QString::fromUtf8(captions[k]) + QString::number(rate);
        line.quantity = format.show(1);
        line.price = format.show(price);
        line.amount = line.price;
        line.rate = QString::number(rate);
        out << NewItem(format) << NewItem(format);
    }
    return out;
}

bool ReadInsurerCustomer(AppContext& app, const QString& insurerCode, const QDate& issued,
                         bool vatPayer, InsurerCustomer& out) {
    QStringList v;
    if (insurerCode.trimmed().isEmpty() ||
        !LookupFields(app, module::kPoist, QStringLiteral("CPOI"), {insurerCode.trimmed()},
                      {"NAZOV", "ULICA", "CISLO", "OBEC", "PSC", "DODPOSTA", "DIC", "ICDPH"}, v))
        return false;
    out.name = v[0];
    out.street = JoinName(v[1], v[2], v[3]);
    out.postCode = v[4];
    out.postOffice = v[5];
    const bool oldNumbers = issued.isValid() ? issued < kVatNumbersFrom : !vatPayer;
    out.taxLabel = oldNumbers ? QStringLiteral("(DIČ)") : QStringLiteral("(IČDPH/DIČ)");
    out.taxNumber = oldNumbers ? v[6] : v[7] + u'/' + v[6];
    return true;
}

} // namespace vidoraw
