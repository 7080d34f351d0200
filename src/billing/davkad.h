#pragma once
// Batches (DAVKA.DB): the numbered parts of an insurer invoice, each written as one batch file.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfDavkad : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kDavka;
    static TableSchema Schema();
    explicit TfDavkad(AppContext& app);

    void DefineList() override;
    void StoreFields() override;
    // A batch that still holds vouchers is deleted only with them, after a question.
    int DeleteRecord() override;
    bool removeCurrentRecord() override;

    QLineEdit* eKodfa = nullptr;
    QLineEdit* eCisdav = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

// The question before a batch with vouchers is deleted; true when they go with it.
bool ConfirmBatchVouchersGo(AppContext& app, qint64 invoiceCode, qint64 batchCode, QWidget* owner);

} // namespace vidoraw
