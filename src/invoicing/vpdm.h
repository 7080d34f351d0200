#pragma once
// "Výdavkový pokladničný doklad": the shop pays the invoice's amount to the supplier.
#include "invoicing/receiptform.h"

namespace vidoraw {

class TfVpdm : public TfReceiptm {
    Q_OBJECT
public:
    explicit TfVpdm(AppContext& app, QWidget* parent = nullptr)
        : TfReceiptm(app, ReceiptKind::Expense, parent) {}
};

} // namespace vidoraw
