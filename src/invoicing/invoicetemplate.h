#pragma once
// The invoice filled into the shop's own forms (report templates fa1, fa12, fa2 for a
// non-payer, fadph1, fadph12, fadph2 for a VAT payer): up to 25 lines on a one-page form, a
// longer invoice on a first page and further pages of 41 lines.
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace vidoraw {

struct AppContext;
struct InvoicePrintData;

inline constexpr int kTemplateFirstLines = 25;
inline constexpr int kTemplateFurtherLines = 41;

int TemplatePages(int lines);

// The placeholder values of page (1-based) of pages, from the invoice's data; issuer is the
// name of the user who issues invoices.
QList<std::pair<QString, QString>> TemplatePageValues(const InvoicePrintData& data, int page,
                                                      int pages, const QString& issuer);

// mode "N" a report of its own (fileName empty: the printer), "A" pages added to a report in
// progress. False when the report cannot begin or a template cannot be read.
bool PrintInvoiceFromTemplate(AppContext& app, qint64 invoiceCode, const QString& mode,
                              const QString& fileName);

} // namespace vidoraw
