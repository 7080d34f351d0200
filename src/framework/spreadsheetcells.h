#pragma once
// Names of spreadsheet columns and cells, shared by the export and the import.
#include <QString>

namespace vidoraw {

// Column letters as digits 1..26 without a zero: 1 = A, 26 = Z, 27 = AA, 52 = AZ, 703 = AAA;
// empty below 1.
QString SpreadsheetColumnName(int column);
// The column letters and the row in decimal (column 28, row 3 → AB3); empty for a column or
// row below 1.
QString SpreadsheetCellName(int column, int row);

} // namespace vidoraw
