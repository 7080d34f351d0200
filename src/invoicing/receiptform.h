#pragma once
// The receipt dialog shared by the income and the expense receipt: every field filled from the
// invoice and editable before printing; printed from its template or exported for a word
// processor. Only its prepared-by, approved-by and two-per-page choices outlive it.
#include "framework/tfmojform.h"
#include "invoicing/receipt.h"

class QCheckBox;
class QLabel;

namespace vidoraw {

class TfReceiptm : public TfMojForm {
    Q_OBJECT
public:
    TfReceiptm(AppContext& app, ReceiptKind kind, QWidget* parent = nullptr);

    // Fills every field for the invoice (FAK.DB KOD), with the settings of this kind.
    void prepare(qint64 invoiceCode);
    // Writes the settings of this kind back (done whenever the dialog closes).
    void remember() const;
    // The fields' current texts, by placeholder.
    ReceiptValues values() const;
    QLineEdit* edit(const QString& placeholder) const;

    void commandPrint();
    void commandExport();

    ReceiptKind kind() const { return kind_; }
    QLabel* lTitle = nullptr;
    QCheckBox* cbDvakrat = nullptr;
    QPushButton* bbTlac = nullptr;
    QPushButton* bbExport = nullptr;

private:
    ReceiptKind kind_;
    qint64 invoice_ = 0;
    QList<QLineEdit*> edits_; // in the order of ReceiptPlaceholders
};

} // namespace vidoraw
