#pragma once
// The invoice drawn on the page: supplier, invoice, customer and date blocks, the lines over
// as many pages as they need with a subtotal on every page but the last, and the
// recapitulation and totals on the last one.
#include "invoicing/invoiceitems.h"
#include "invoicing/vatrecap.h"

#include <QDate>
#include <QHash>
#include <QString>

namespace vidoraw {

struct AppContext;
class ReportWriter;

// What one invoice print needs, read once from the tables.
struct InvoicePrintData {
    QHash<QString, QString> invoice;  // FAK.DB fields as text
    QHash<QString, QString> owner;    // VLASTN.DB fields of the owner
    QHash<QString, QString> customer; // NAZOV, TITUL, MENO, PRIEZVISK, ULICA, CISLO, OBEC, PSC,
                                      // DODPOSTA, STAT, DICO, DICON, ICDPH
    QHash<QString, QString> account;  // NAZOV, POBOCKA, CISUCET, KODBAN, BICSWIFT, IBAN
    QString transport;
    QString paymentForm;
    QList<InvoiceItem> items;
    RecapTexts recap;
    VatRates rates{};
    QString total; // the total to pay as shown
    ItemFormat format;
    QDate issued;
    bool creditNote = false;
    bool vatPayer = true;  // PLATCADAN not "N"
    bool payerFlagKnown = true; // PLATCADAN "A" or "N": a heading is drawn
    bool withGross = false;     // AJSDPH "A"
};

// The invoice with this KOD, its lines and totals as the items editor forms them.
bool ReadInvoiceForPrint(AppContext& app, qint64 invoiceCode, InvoicePrintData& data);

// Lines on page 1 and on each further page for the owner's bottom margin (DOLNYOKRAJ, mm).
int FirstPageLines(double bottomMargin);
int FurtherPageLines(double bottomMargin);
int InvoicePages(int lines, double bottomMargin);

// Draws the invoice on the writer's report in progress.
void DrawInvoice(ReportWriter& writer, const InvoicePrintData& data);

// mode "N": the invoice as a report of its own (fileName empty: the printer); mode "A": its
// pages added to a report already begun. False only when the report cannot begin.
bool PrintInvoice(AppContext& app, qint64 invoiceCode, const QString& mode,
                  const QString& fileName);

// The total in the additional currency, for the pairs that convert (Sk to EUR and back);
// false for any other pair or without a rate.
bool ConvertedTotal(const QString& currency, const QString& additional, double rate,
                    long double total, long double& converted);

} // namespace vidoraw
