#include "invoicing/amountinwords.h"

#include <cmath>

namespace vidoraw {

namespace {

const char* const kUnits[] = {"",      "jeden", "dva",  "tri",   "štyri",
                              "päť",   "šesť",  "sedem", "osem", "deväť"};
const char* const kTeens[] = {"desať",    "jedenásť",  "dvanásť",   "trinásť",  "štrnásť",
                              "pätnásť",  "šestnásť",  "sedemnásť", "osemnásť", "devätnásť"};
const char* const kTens[] = {"",          "",          "dvadsať",    "tridsať",    "štyridsať",
                             "pätdesiat", "šesťdesiat", "sedemdesiat", "osemdesiat", "deväťdesiat"};
const char* const kHundreds[] = {"",       "sto",     "dvesto",   "tristo",  "štyristo",
                                 "päťsto", "šesťsto", "sedemsto", "osemsto", "deväťsto"};

// 1 … 99; nothing for 0.
QString BelowHundred(int n) {
    if (n >= 10 && n < 20)
        return QString::fromUtf8(kTeens[n - 10]);
    return QString::fromUtf8(kTens[n / 10]) + QString::fromUtf8(kUnits[n % 10]);
}

} // namespace

QString NumberInWords(long long number) {
    if (number == 0)
        return QStringLiteral("nula");
    if (number == 1000)
        return QStringLiteral("tisíc");
    if (number < 0 || number > 1000)
        return QString();
    const int n = int(number);
    return QString::fromUtf8(kHundreds[n / 100]) + BelowHundred(n % 100);
}

namespace {

QString Words(long double amount, const QString& major, const QString& minor) {
    if (std::isnan(amount))
        return QStringLiteral("Nedefinované");
    if (amount < 0)
        return QStringLiteral("mínus ") + Words(-amount, major, minor);
    // Hellers first, so that 0.995 crowns and the like round once, ties to even.
    const long double hellers = std::nearbyint(amount * 100);
    if (hellers >= 99999900.0L)
        return QStringLiteral("Nedefinované");
    const long long h = (long long)hellers;
    const long long crowns = h / 100;
    const long long rest = h % 100;
    const QString tail = rest != 0 ? ' ' + major + QStringLiteral(" a ") + NumberInWords(rest) +
                                         ' ' + minor
                                   : ' ' + major;
    if (crowns < 1000)
        return NumberInWords(crowns) + tail;
    QString words = NumberInWords(crowns / 1000) + QStringLiteral("tisíc");
    if (crowns % 1000 != 0)
        words += NumberInWords(crowns % 1000);
    return words + tail;
}

} // namespace

QString AmountInWords(long double amount) {
    return Words(amount, QStringLiteral("korún"), QStringLiteral("halierov"));
}

QString AmountInWords(long double amount, const QString& currency) {
    if (currency.trimmed().compare(QLatin1String("EUR"), Qt::CaseInsensitive) == 0)
        return Words(amount, QStringLiteral("eur"), QStringLiteral("centov"));
    return AmountInWords(amount);
}

} // namespace vidoraw
