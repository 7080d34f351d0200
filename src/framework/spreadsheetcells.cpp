#include "framework/spreadsheetcells.h"

namespace vidoraw {

QString SpreadsheetColumnName(int column) {
    QString name;
    for (int n = column; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(char16_t(u'A' + (n - 1) % 26)));
    return name;
}

QString SpreadsheetCellName(int column, int row) {
    if (column < 1 || row < 1)
        return QString();
    return SpreadsheetColumnName(column) + QString::number(row);
}

} // namespace vidoraw
