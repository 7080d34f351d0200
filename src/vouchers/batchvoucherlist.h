#pragma once
// "Zoznam poukazov dávky": the vouchers of one batch of one insurer invoice, kept through the
// voucher form, which it hands the batch context. "Zoznam poukazov": the vouchers of a client.
#include "framework/appcontext.h"
#include "vouchers/clientrecords.h"

#include <QDialog>
#include <QDate>
#include <QPointer>

#include <memory>

class QLineEdit;
class QPushButton;
class QTableView;

namespace vidoraw {

class Table;
class TableModel;
class TfPoukazvd;

class TfZoznamPoukazov : public QDialog {
    Q_OBJECT
public:
    TfZoznamPoukazov(AppContext& app, qint64 invoiceCode, qint64 batchCode, qint64 batchNumber,
                     QWidget* parent = nullptr);
    ~TfZoznamPoukazov() override;
    int showModal();

    // The three orders: by code (default), birth number, surname.
    static const QStringList& orders();
    [[nodiscard]] bool setOrderIndex(int order);
    int orderIndex() const { return order_; }

    void commandAdd(bool continuous = false);
    void commandCopy();
    void commandDelete();
    void commandEdit();
    void commandShow();
    void commandIndex();
    void commandSearch();

    // The list's position of the current voucher (1 for the first), 0 when empty.
    int currentPc() const;
    qint64 currentCode();
    // Moves the list to the voucher with this KOD.
    void moveTo(qint64 voucherCode);
    int voucherCount();
    Table& vouchers() { return *cursor_; }

    QTableView* grid = nullptr;
    QLineEdit* eKod = nullptr;
    QLineEdit* eCisfak = nullptr;
    QLineEdit* eObdobie = nullptr;
    QLineEdit* eZmluva = nullptr;
    QLineEdit* eCiszml = nullptr;
    QLineEdit* eIco = nullptr;
    QLineEdit* ePoistovna = nullptr;
    QLineEdit* eDavka = nullptr;
    QLineEdit* eKodDavky = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    TfPoukazvd* form();
    // Before each call of the form: the batch context with the sequence number, permission to
    // change as asked.
    void handOver(bool mayChange, int sequenceNumber);
    // Puts the voucher form's table on the current voucher; false when it is not found.
    bool formOnCurrent();
    void reload();
    void saveGeometrySettings();

    AppContext& app_;
    qint64 invoice_;
    qint64 batch_;
    std::unique_ptr<Table> cursor_;
    TableModel* model_ = nullptr;
    int order_ = 0;
    QDate first_;
    QDate last_;
    bool altClick_ = false;
};

// Opens the voucher list of a batch (modal).
void OpenBatchVoucherList(AppContext& app, qint64 invoiceCode, qint64 batchCode, qint64 batchNumber,
                          QWidget* owner);

} // namespace vidoraw

namespace vidoraw {

// "Zoznam poukazov" of one client: code and prescription date, by date; Enter or a double
// click shows the voucher.
class TfKlientPoukazy : public ClientRecordsDialog {
    Q_OBJECT
public:
    TfKlientPoukazy(AppContext& app, qint64 clientCode, QWidget* parent = nullptr);
    void commandShow();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vidoraw
