#pragma once
// Amounts in Slovak words, as the invoice print and the cash receipts write them.
#include <QString>

namespace vidoraw {

// 0 … 1000 as one word ("dvadsaťjeden", "stopätnásť", "tisíc"); any other value "".
QString NumberInWords(long long number);

// Crowns and hellers: "dvatisíctristopäť korún a sedem halierov"; from 999999 crowns on
// "Nedefinované". A negative amount is the words of its size after "mínus ".
QString AmountInWords(long double amount);
// The same in the invoice's currency: "EUR" (any case) gives "eur" and "centov" with the same
// number words; any other currency the crowns above.
QString AmountInWords(long double amount, const QString& currency);

} // namespace vidoraw
