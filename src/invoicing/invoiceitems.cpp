#include "invoicing/invoiceitems.h"

#include "core/base/numbertext.h"
#include "core/values.h"

#include <charconv>
#include <string>

namespace vidoraw {

QString ItemFormat::zero() const {
    return FormatFixed(0.0, displayDecimals);
}

QString ItemFormat::show(long double value) const {
    return FormatFixed(double(value), displayDecimals);
}

int ClampDecimals(const QString& stored) {
    qint64 n = 0;
    if (!IntegerFromText(stored, n) || n < 0 || n > 5)
        return 0;
    return int(n);
}

InvoiceItem NewItem(const ItemFormat& format) {
    InvoiceItem item;
    item.quantity = format.zero();
    item.price = format.zero();
    item.amount = format.zero();
    if (format.vatPayer)
        item.rate = QStringLiteral("0");
    return item;
}

bool IsEmptyItem(const InvoiceItem& item, const ItemFormat& format) {
    return item == NewItem(format);
}

bool IsTextOnly(const InvoiceItem& item, const ItemFormat& format) {
    const QString zero = format.zero();
    if (item.quantity != zero || item.price != zero || item.amount != zero)
        return false;
    return !format.vatPayer || item.rate.trimmed().isEmpty() || item.rate.trimmed() == u'0';
}

bool IsDecimalCell(const QString& text) {
    QString t = text;
    return IsDecimalText(t) && (IsBlank(text) || IsDecimalQuiet(t));
}

long double CellNumber(const QString& text) {
    QString t = TrimSpaces(text);
    if (t.isEmpty() || !IsDecimalCell(t))
        return 0;
    if (t.startsWith(u'+'))
        t.remove(0, 1);
    const std::string s = DotDecimal(t).toStdString();
    long double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && end == s.data() + s.size() ? v : 0;
}

bool IsRateCell(const QString& text, int& value) {
    QString t = text;
    value = 0;
    if (!IsIntegerText(t))
        return false;
    qint64 n = 0;
    if (!IntegerFromText(t, n) || n > 1000)
        return false;
    value = int(n);
    return true;
}

QString NormalizedNumberCell(const QString& text, const ItemFormat& format) {
    const QString t = IsBlank(text) || !IsDecimalCell(text) ? QStringLiteral("0,00") : text;
    return format.show(CellNumber(t));
}

QString NormalizedUnitCell(const QString& text) {
    return text.trimmed().left(3);
}

void ComputeLineAmount(InvoiceItem& item, const ItemFormat& format) {
    item.quantity = NormalizedNumberCell(item.quantity, format);
    item.price = NormalizedNumberCell(item.price, format);
    item.amount = format.show(
        RoundDecimals(CellNumber(item.quantity) * CellNumber(item.price), format.roundDecimals));
}

void TrimTrailingEmptyItems(QList<InvoiceItem>& items, const ItemFormat& format) {
    while (items.size() > 2 && IsEmptyItem(items.last(), format))
        items.removeLast();
}

} // namespace vidoraw
