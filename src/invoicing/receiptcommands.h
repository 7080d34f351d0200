#pragma once
// The invoice list's receipt commands: the income and the expense receipt of the current
// invoice.
#include "invoicing/receipt.h"

#include <QList>

class QAction;
class QObject;

namespace vidoraw {

class Table;

// Opens the receipt of kind for the invoice, centred over owner, and keeps its settings.
void ShowReceipt(AppContext& app, ReceiptKind kind, qint64 invoiceCode, QWidget* owner);

// "P&ríjmový pokladničný doklad" and "&Výdavkový pokladničný doklad" on the current record of
// invoices (nothing on an empty list).
QList<QAction*> ReceiptCommands(AppContext& app, Table& invoices, QWidget* owner, QObject* parent);

} // namespace vidoraw
