#pragma once
// "Zoznam dávok pre faktúru": the batches of one insurer invoice, where batches are added and
// deleted, their vouchers opened and their summaries printed.
#include "billing/batches.h"
#include "framework/appcontext.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vidoraw {

class TfZoznamDavok : public QDialog {
    Q_OBJECT
public:
    TfZoznamDavok(AppContext& app, qint64 invoiceCode, QWidget* parent = nullptr);
    // Modal through the interaction service; an invoice without batches is offered its first.
    int showModal();

    void commandAdd();
    void commandDelete();
    void commandVouchers();
    void commandPrintSummary();
    void reload();
    // The batch of the current grid row (code 0 when none).
    BatchRef currentBatch() const;

    QLineEdit* eKod = nullptr;
    QLineEdit* eCisfak = nullptr;
    QLineEdit* eObdobie = nullptr;
    QLineEdit* eKodzml = nullptr;
    QLineEdit* eCiszml = nullptr;
    QLineEdit* eIco = nullptr;
    QLineEdit* ePoistovna = nullptr;
    QTableWidget* grid = nullptr;
    QPushButton* bPridaj = nullptr;
    QPushButton* bZmaz = nullptr;
    QPushButton* bPoukazy = nullptr;
    QPushButton* bTlac = nullptr;
    QPushButton* bSpat = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    AppContext& app_;
    qint64 invoice_;
    QList<BatchRef> batches_;
    bool offeredFirst_ = false;
};

// The invoice's header of the batch and voucher lists: number, period, contract, IČO, insurer.
struct InvoiceHeader {
    QString number;
    QString obdmm;
    QString obdrr;
    QString contractCode;
    QString contractNumber;
    QString ico;
    QString insurer;
    QString insurerName;
};
InvoiceHeader InvoiceHeaderOf(AppContext& app, qint64 invoiceCode);

} // namespace vidoraw
