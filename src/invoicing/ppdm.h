#pragma once
// "Príjmový pokladničný doklad": the shop receives the invoice's amount from the customer.
#include "invoicing/receiptform.h"

namespace vidoraw {

class TfPpdm : public TfReceiptm {
    Q_OBJECT
public:
    explicit TfPpdm(AppContext& app, QWidget* parent = nullptr)
        : TfReceiptm(app, ReceiptKind::Income, parent) {}
};

} // namespace vidoraw
