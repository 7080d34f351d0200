#pragma once
// The lines of an invoice as the items editor holds them: cell texts as shown, with the rules
// for new and empty lines, line amounts, normalised number cells and the trimming before a
// save. Shared by the editor, the invoice form, the print and the transfer from an insurer.
#include <QList>
#include <QString>

namespace vidoraw {

struct InvoiceItem {
    QString text;
    QString quantity;
    QString unit;
    QString price;
    QString rate;   // VAT percent; empty for a non-payer
    QString amount; // the line amount as shown
    bool operator==(const InvoiceItem&) const = default;
};

// How lines are computed and written: rounding decimals (PDM) of line amounts, taxes and
// grosses, display decimals (PDMZ) of every number shown, and the layout.
struct ItemFormat {
    int roundDecimals = 0;
    int displayDecimals = 0;
    bool vatPayer = true;

    // "0", "0,0", … with the display decimals.
    QString zero() const;
    QString show(long double value) const;
};

// Decimals as the owner record holds them: 0 … 5, anything else 0.
int ClampDecimals(const QString& stored);

InvoiceItem NewItem(const ItemFormat& format);
// Exactly what a new line holds.
bool IsEmptyItem(const InvoiceItem& item, const ItemFormat& format);
// No quantity, price or amount (and no rate for a VAT payer): only its text is printed.
bool IsTextOnly(const InvoiceItem& item, const ItemFormat& format);

// A cell read as a number in extended precision; blank or not a number reads 0.
long double CellNumber(const QString& text);
// Whether a quantity or price cell holds a decimal number (blank counts as zero).
bool IsDecimalCell(const QString& text);
// Whether a rate cell holds a whole number (blank counts as zero); value is the number.
bool IsRateCell(const QString& text, int& value);
// A quantity or price cell when its cell is left: not a number (or blank) becomes zero, then
// written with the display decimals.
QString NormalizedNumberCell(const QString& text, const ItemFormat& format);
// The unit when its cell is left: trimmed, at most 3 characters.
QString NormalizedUnitCell(const QString& text);
// Quantity and price normalised, amount := round(quantity × price, PDM) with display decimals.
void ComputeLineAmount(InvoiceItem& item, const ItemFormat& format);
// Before a save: with more than two lines, empty lines at the end go while more than two
// remain. Empty lines elsewhere stay.
void TrimTrailingEmptyItems(QList<InvoiceItem>& items, const ItemFormat& format);

} // namespace vidoraw
