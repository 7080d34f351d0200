#include "core/base/numbertext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace vidoraw {

namespace {

// ---- exact decimal expansion of a double ----

// Unsigned big integer in base 10^9, least significant limb first.
class BigDecimal {
public:
    explicit BigDecimal(std::uint64_t v) {
        do {
            limbs_.push_back(std::uint32_t(v % kBase));
            v /= kBase;
        } while (v);
    }
    void multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (auto& limb : limbs_) {
            const std::uint64_t x = std::uint64_t(limb) * factor + carry;
            limb = std::uint32_t(x % kBase);
            carry = x / kBase;
        }
        while (carry) {
            limbs_.push_back(std::uint32_t(carry % kBase));
            carry /= kBase;
        }
    }
    std::string digits() const {
        std::string out = std::to_string(limbs_.back());
        for (auto it = limbs_.rbegin() + 1; it != limbs_.rend(); ++it) {
            const std::string part = std::to_string(*it);
            out.append(9 - part.size(), '0');
            out += part;
        }
        return out;
    }

private:
    static constexpr std::uint64_t kBase = 1000000000;
    std::vector<std::uint32_t> limbs_;
};

// |value| = digits / 10^scale exactly, digits without leading zeros ("0" for zero).
struct Expansion {
    bool negative = false;
    std::string digits;
    int scale = 0;
};

Expansion Expand(double value) {
    Expansion e;
    e.negative = std::signbit(value);
    int exp2 = 0;
    const double frac = std::frexp(std::fabs(value), &exp2);
    std::uint64_t mantissa = std::uint64_t(std::ldexp(frac, 53)); // exact: 53 bits
    exp2 -= 53;
    if (mantissa == 0) {
        e.digits = "0";
        return e;
    }
    while ((mantissa & 1) == 0) {
        mantissa >>= 1;
        ++exp2;
    }
    BigDecimal n(mantissa);
    if (exp2 >= 0) {
        for (int left = exp2; left > 0; left -= 31)
            n.multiply(std::uint32_t(1) << std::min(left, 31));
    } else {
        // m * 2^-k = m * 5^k / 10^k
        e.scale = -exp2;
        int left = e.scale;
        for (; left >= 13; left -= 13)
            n.multiply(1220703125u); // 5^13
        std::uint32_t rest = 1;
        for (; left > 0; --left)
            rest *= 5;
        n.multiply(rest);
    }
    e.digits = n.digits();
    return e;
}

// Adds one to a string of decimal digits; "999" becomes "1000".
void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

QString NonFinite(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

// value × 10^decimals is exact in a 64-bit mantissa for up to three decimals (53 + 10 bits), so
// the half-away-from-zero decision on the exact binary value needs no decimal expansion: the
// common case of amounts, taken without the big arithmetic below.
static bool FormatFixedFast(double value, int decimals, QChar separator, QString& out) {
    if constexpr (std::numeric_limits<long double>::digits < 64)
        return false;
    if (decimals < 0 || decimals > 3 || !(std::fabs(value) < 1e15))
        return false;
    static constexpr long double kScale[] = {1, 10, 100, 1000};
    static constexpr std::uint64_t kDivisor[] = {1, 10, 100, 1000};
    const long double scaled = std::fabs(static_cast<long double>(value)) * kScale[decimals];
    long double whole = std::floor(scaled);
    if (scaled - whole >= 0.5L)
        whole += 1;
    const auto n = static_cast<std::uint64_t>(whole);
    char buf[40];
    char* p = buf;
    if (std::signbit(value) && n != 0)
        *p++ = '-';
    p = std::to_chars(p, buf + sizeof buf, n / kDivisor[decimals]).ptr;
    out = QString::fromLatin1(buf, p - buf);
    if (decimals > 0) {
        char frac[4];
        std::uint64_t rest = n % kDivisor[decimals];
        for (int i = decimals - 1; i >= 0; --i, rest /= 10)
            frac[i] = char('0' + rest % 10);
        out += separator;
        out += QLatin1StringView(frac, decimals);
    }
    return true;
}

QString FormatFixed(double value, int decimals, QChar separator) {
    if (!std::isfinite(value)) return NonFinite(value);
    decimals = std::clamp(decimals, 0, 20);
    if (QString fast; FormatFixedFast(value, decimals, separator, fast))
        return fast;
    const Expansion e = Expand(value);
    std::string digits = e.digits;
    if (digits.size() < size_t(e.scale) + 1)
        digits.insert(0, size_t(e.scale) + 1 - digits.size(), '0');
    // kept = |value| * 10^decimals, rounded half away from zero
    std::string kept;
    if (decimals >= e.scale) {
        kept = digits + std::string(size_t(decimals - e.scale), '0');
    } else {
        const size_t keep = digits.size() - size_t(e.scale - decimals);
        kept = digits.substr(0, keep);
        if (digits[keep] >= '5') IncrementDigits(kept);
    }
    if (kept.size() < size_t(decimals) + 1) kept.insert(0, size_t(decimals) + 1 - kept.size(), '0');
    std::string intPart = kept.substr(0, kept.size() - size_t(decimals));
    const std::string fracPart = kept.substr(intPart.size());
    const size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);

    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    QString out;
    if (e.negative && !zero) out += u'-';
    out += QString::fromLatin1(intPart.data(), qsizetype(intPart.size()));
    if (decimals > 0) {
        out += separator;
        out += QString::fromLatin1(fracPart.data(), qsizetype(fracPart.size()));
    }
    return out;
}

QString FloatAsText(double value, QChar separator) {
    if (!std::isfinite(value)) return NonFinite(value);
    if (value == 0) return QStringLiteral("0");
    constexpr int kPrecision = 15;
    const Expansion e = Expand(value);
    // value = d.ddd × 10^exp10
    int exp10 = int(e.digits.size()) - 1 - e.scale;
    std::string kept = e.digits;
    if (kept.size() > size_t(kPrecision)) {
        const bool up = kept[kPrecision] >= '5';
        kept.resize(kPrecision);
        if (up) {
            IncrementDigits(kept);
            if (kept.size() > size_t(kPrecision)) { // 999… became 1000…
                kept.resize(kPrecision);
                ++exp10;
            }
        }
    }
    kept.erase(kept.find_last_not_of('0') + 1);

    const QString digits = QString::fromLatin1(kept.data(), qsizetype(kept.size()));
    QString out = e.negative ? QStringLiteral("-") : QString();
    if (exp10 >= kPrecision || exp10 < -5) {
        out += digits[0];
        if (digits.size() > 1) out += separator + digits.mid(1);
        out += QStringLiteral("E") + QString::number(exp10);
    } else if (exp10 >= 0) {
        const qsizetype intLen = exp10 + 1;
        if (digits.size() <= intLen) {
            out += digits + QString(intLen - digits.size(), u'0');
        } else {
            out += digits.left(intLen) + separator + digits.mid(intLen);
        }
    } else {
        out += QStringLiteral("0") + separator + QString(-exp10 - 1, u'0') + digits;
    }
    return out;
}

} // namespace vidoraw
