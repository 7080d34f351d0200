#pragma once
// Cash receipts of an invoice: the income receipt (the shop received the money: the owner
// issues it, the customer pays) and the expense receipt (the shop paid a supplier's invoice).
// Nothing of a receipt is stored but its prepared-by, approved-by and two-per-page settings.
#include <QList>
#include <QString>

#include <utility>

class QWidget;

namespace vidoraw {

struct AppContext;

enum class ReceiptKind { Income, Expense };

using ReceiptValues = QList<std::pair<QString, QString>>; // placeholder, text

// The placeholders of a receipt, in the order they are filled.
const QStringList& ReceiptPlaceholders();

// Every field of the receipt of an invoice (FAK.DB KOD), from the invoice, the owner record
// and the customer company; prepared and approved fall back to the owner's person name.
ReceiptValues FillReceipt(AppContext& app, ReceiptKind kind, qint64 invoiceCode,
                          const QString& prepared, const QString& approved);

// "PPD" or "VPD": the settings section, the templates' base name and the export's prefix.
QString ReceiptName(ReceiptKind kind);

// The receipt from its report template (ppd.dsz or vpd.dsz), two on one A4 page when asked,
// through the output device choice. False when cancelled or failed.
bool PrintReceipt(AppContext& app, ReceiptKind kind, const ReceiptValues& values, bool twoOnPage,
                  QWidget* owner);
// Writes the receipt from its RTF template into directory as PPD_<invoice>.rtf (or VPD_...),
// the values escaped for RTF in code page 1250; answers the file written, empty after the
// error notice.
QString WriteReceiptRtf(ReceiptKind kind, const ReceiptValues& values, qint64 invoiceCode,
                        const QString& directory, QWidget* owner);
// The export command: writes the file into the data folder of the settings and offers to open
// it in the RTF editor of the settings (empty: the desktop's program for RTF files).
void ExportReceipt(AppContext& app, ReceiptKind kind, const ReceiptValues& values,
                   qint64 invoiceCode, QWidget* owner);

} // namespace vidoraw
