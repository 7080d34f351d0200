#pragma once
// Module 36: the lines of one invoice (POL.DB) and their editor "Položky faktúry": a grid of
// lines, the VAT recapitulation and the totals that the invoice form shows and stores. The
// table is never browsed on its own; nothing reaches it until the invoice is saved.
#include "framework/tfdbform.h"
#include "invoicing/vatrecap.h"

#include <functional>

class QLabel;
class QTableWidget;

namespace vidoraw {

class ItemGrid;

class TfPold : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kPol;
    static TableSchema Schema();
    explicit TfPold(AppContext& app);

    void DefineList() override;

    // PDM, PDMZ and the layout from the owner record (at creation and after the invoicing
    // parameters changed).
    void readSettings();
    const ItemFormat& format() const { return format_; }
    // The rates the lines are checked and summed with: those of the invoice's supply date.
    void setRates(const VatRates& rates);
    const VatRates& rates() const { return rates_; }
    void setRoundingCode(double code) { roundingCode_ = code; }
    // Caption "Položky dobropisu" for a credit note.
    void setCreditNote(bool creditNote);
    // Lines may be changed (not while an invoice is only shown).
    void setEditable(bool editable);

    // The grid refilled from the invoice's stored lines (one new line when it has none).
    void LoadItems(qint64 invoiceCode);
    // Recapitulation and totals from the lines; the invoice form hears of them.
    void RecalculateTotals();
    // Every line: quantity and price decimal numbers, the rate one of the three. The first
    // failure shows its message and puts the cursor on the cell.
    bool CheckItems();
    // Inside the invoice's save (the caller holds the write lock): the invoice's rows go, the
    // grid's lines are written with keys taken under that lock.
    [[nodiscard]] bool DeleteItems(qint64 invoiceCode, QString* error = nullptr);
    [[nodiscard]] bool SaveItems(qint64 invoiceCode, QString* error = nullptr);

    // The editor window, modal; answers when the lines pass their checks.
    int editItems();

    QList<InvoiceItem> items() const;
    void setItems(const QList<InvoiceItem>& items);
    const VatRecap& recap() const { return recap_; }
    RecapTexts recapTexts() const { return RecapAsTexts(recap_, format_); }
    // The texts the invoice shows and stores: total to pay, sum of the tax bases.
    QString totalText() const { return totalText_; }
    QString netText() const { return netText_; }
    std::function<void()> totalsChanged;

    // Row commands (keys F2, F5, F6, F7, F8).
    void insertRow();
    void copyRow();
    void pickText();
    void appendRow();
    void deleteRow();
    // Appends a line when the grid has fewer than two lines or one of the last two is used.
    bool appendIfUsed();
    int currentRow() const;
    void setCurrentCell(int row, int column);

    ItemGrid* sgPolozky = nullptr;
    QTableWidget* sgRekap = nullptr;
    QLineEdit* eSpolu = nullptr;
    QLabel* lPozicia = nullptr;

    // Column of each cell in the current layout (the rate only for a VAT payer).
    int amountColumn() const { return format_.vatPayer ? 5 : 4; }
    static constexpr int kText = 0, kQuantity = 1, kUnit = 2, kPrice = 3, kRate = 4;

protected:
    bool closeWithOk() override;
    bool closeWithBack() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class ItemGrid;
    void buildGrid();
    void setRow(int row, const InvoiceItem& item);
    InvoiceItem row(int row) const;
    void insertItem(int at, const InvoiceItem& item);
    // A cell written by the user: normalised, the line amount recomputed, totals again.
    void cellEdited(int row, int column);
    void showPosition();

    ItemFormat format_;
    VatRates rates_{};
    double roundingCode_ = 6;
    VatRecap recap_;
    QString totalText_;
    QString netText_;
    bool updating_ = false;
};

} // namespace vidoraw
