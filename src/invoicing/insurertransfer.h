#pragma once
// "Z poisťovne": a general invoice filled from a monthly insurer invoice (FAKTURA.DB), and
// the insurer as the customer of a general invoice (POIST.DB by CPOI). The tables are reached
// by module number; the voucher totals come from the billing, which lies above invoicing and
// hands its summing in (InsurerInvoiceTotals).
#include "invoicing/invoiceitems.h"
#include "invoicing/vatrates.h"

#include <QDate>
#include <QStringList>

#include <array>
#include <functional>

namespace vidoraw {

struct AppContext;

// The sums of an insurer invoice's vouchers, over all its batches.
struct InsurerInvoiceTotals {
    int vouchers = 0;
    long double insurer = 0;
    // The insurer total by the three rates given; an aid at none of them is in no part.
    std::array<long double, 3> vat{};
};
// Sums the vouchers of the insurer invoice with this KOD, split by the rates given; tells the
// user of every aid whose rate is none of them.
using InsurerTotalsSource =
    std::function<InsurerInvoiceTotals(AppContext& app, qint64 invoiceCode, const VatRates& rates)>;

// What the transfer reads of the insurer invoice, its contract and insurer; empty texts for
// what is not found.
struct InsurerInvoiceSource {
    QString number;         // CISFAK
    QString month;          // OBDMM
    QString year;           // OBDRR
    QString contractNumber; // CISZML
    QString contractDate;   // PLATNOST, short date
    QString insurerCode;    // the contract's KODPOI
    QString insurerIco;     // the insurer's ICO
    InsurerInvoiceTotals totals;
};
InsurerInvoiceSource ReadInsurerInvoice(AppContext& app, qint64 invoiceCode);

// The lines of the general invoice: the heading texts, then for a non-payer the period's total
// on its line, for a VAT payer one line per non-zero rate part (net prices for the taxed
// parts, so that the recapitulation gives the gross parts back); two empty lines at the end.
QList<InvoiceItem> InsurerInvoiceItems(const InsurerInvoiceSource& source, const VatRates& rates,
                                       const ItemFormat& format);

// The customer and recipient blocks of an invoice whose customer is an insurer.
struct InsurerCustomer {
    QString name;
    QString street; // ULICA, CISLO, OBEC joined
    QString postCode;
    QString postOffice;
    QString taxLabel;  // "(DIČ)" or "(IČDPH/DIČ)"
    QString taxNumber;
};
// From POIST.DB by CPOI; false when there is no such insurer. The tax number is written the old
// way before 1.5.2004; without a valid issue date the layout decides (non-payer: old way).
bool ReadInsurerCustomer(AppContext& app, const QString& insurerCode, const QDate& issued,
                         bool vatPayer, InsurerCustomer& out);

} // namespace vidoraw
