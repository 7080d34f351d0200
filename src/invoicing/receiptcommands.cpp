#include "invoicing/receiptcommands.h"

#include "core/engine/tableops.h"
#include "invoicing/ppdm.h"
#include "invoicing/vpdm.h"

#include <QAction>
#include <QPointer>

#include <memory>

namespace vidoraw {

void ShowReceipt(AppContext& app, ReceiptKind kind, qint64 invoiceCode, QWidget* owner) {
    std::unique_ptr<TfReceiptm> dialog;
    if (kind == ReceiptKind::Income)
        dialog = std::make_unique<TfPpdm>(app, owner);
    else
        dialog = std::make_unique<TfVpdm>(app, owner);
    dialog->prepare(invoiceCode);
    if (owner)
        dialog->centreOver(owner);
    dialog->showModal();
    dialog->remember();
}

QList<QAction*> ReceiptCommands(AppContext& app, Table& invoices, QWidget* owner, QObject* parent) {
    QList<QAction*> out;
    QPointer<QWidget> over(owner);
    for (const auto& [caption, kind] :
         {std::pair{"P&ríjmový pokladničný doklad", ReceiptKind::Income},
          std::pair{"&Výdavkový pokladničný doklad", ReceiptKind::Expense}}) {
        auto* a = new QAction(QString::fromUtf8(caption), parent);
        const ReceiptKind k = kind;
        QObject::connect(a, &QAction::triggered, parent, [&app, &invoices, over, k] {
            if (!invoices.isOpen() || IsTableEmpty(invoices))
                return;
            ShowReceipt(app, k, invoices.field(QStringLiteral("KOD")).asInteger(), over.data());
        });
        out << a;
    }
    return out;
}

} // namespace vidoraw
