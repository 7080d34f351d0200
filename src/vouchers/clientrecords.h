#pragma once
// A client's records of one kind (vouchers, glasses without voucher): the client above, the
// codes and dates of the records below, oldest first.
#include "framework/appcontext.h"

#include <QDialog>

class QLineEdit;
class QTableWidget;
class QVBoxLayout;

namespace vidoraw {

class ClientRecordsDialog : public QDialog {
    Q_OBJECT
public:
    int showModal();
    // Reads the client's records again and selects the row of code (the last row for 0).
    void refill(qint64 code = 0);
    // KOD of the selected row; 0 for the empty row.
    qint64 currentCode() const;

    QLineEdit* eKod = nullptr;
    QLineEdit* eRodcis = nullptr;
    QLineEdit* eTitul = nullptr;
    QLineEdit* eMeno = nullptr;
    QLineEdit* ePriezvisk = nullptr;
    QTableWidget* grid = nullptr;

protected:
    enum class BirthNumber { Second, Last }; // where the client's birth number is shown
    ClientRecordsDialog(AppContext& app, qint64 clientCode, int recordModule, const QString& title,
                        BirthNumber at, QWidget* parent);
    QVBoxLayout* outer() const { return outer_; }

    AppContext& app_;
    const qint64 client_;

private:
    const int module_;
    QVBoxLayout* outer_ = nullptr;
};

} // namespace vidoraw
