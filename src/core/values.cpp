#include "core/values.h"

#include "core/interaction.h"

#include <QHash>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace vidoraw {

namespace {

bool IsDigit(QChar ch) {
    return ch >= u'0' && ch <= u'9';
}

const QString kNoticeTitle = QStringLiteral("Chyba !");

} // namespace

// ---- Texts ----

bool IsBlank(const QString& text) {
    for (QChar ch : text)
        if (ch != u' ') return false;
    return true;
}

bool IsDigitsOnly(const QString& text) {
    for (QChar ch : text)
        if (!IsDigit(ch)) return false;
    return true;
}

QString TrimLeadingSpaces(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}

QString TrimTrailingSpaces(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return text.left(n);
}

QString TrimSpaces(const QString& text) {
    return TrimLeadingSpaces(TrimTrailingSpaces(text));
}

QString SubText(const QString& text, int start, int count) {
    if (start < 1) start = 1;
    if (count <= 0 || start > text.size()) return QString();
    return text.mid(start - 1, count);
}

QString TextBefore(const QString& text, const QString& separator) {
    const qsizetype at = separator.isEmpty() ? -1 : text.indexOf(separator);
    return at < 0 ? QString() : text.left(at);
}

QString TextAfter(const QString& text, const QString& separator) {
    const qsizetype at = separator.isEmpty() ? -1 : text.indexOf(separator);
    return at < 0 ? text : text.mid(at + separator.size());
}

QStringList SplitText(const QString& text, const QString& separator) {
    QStringList items;
    QString rest = text;
    if (!separator.isEmpty()) {
        for (qsizetype at; (at = rest.indexOf(separator)) >= 0;) {
            items.append(rest.left(at));
            rest = rest.mid(at + separator.size());
        }
    }
    items.append(rest);
    return items;
}

QString PadRight(const QString& text, int width) {
    return text.size() >= width ? text : text + QString(width - text.size(), u' ');
}

QString PadLeft(const QString& text, int width) {
    return text.size() >= width ? text : QString(width - text.size(), u' ') + text;
}

QString PadLeftWith(const QString& text, int width, const QString& filler) {
    return text.size() >= width ? text : filler.repeated(width - text.size()) + text;
}

QString JoinName(const QString& title, const QString& firstName, const QString& surname) {
    const QString t = TrimSpaces(title), f = TrimSpaces(firstName), s = TrimSpaces(surname);
    QString out = t;
    if (!t.isEmpty()) out += u' ';
    out += f;
    if (!f.isEmpty()) out += u' ';
    out += s;
    return TrimSpaces(out);
}

void ReplaceInLines(QStringList& lines, const QString& placeholder, const QString& value) {
    if (placeholder.isEmpty()) return;
    for (QString& line : lines) {
        const qsizetype at = line.indexOf(placeholder, 0, Qt::CaseSensitive);
        if (at >= 0) line.replace(at, placeholder.size(), value);
    }
}

void FillPlaceholders(QStringList& lines, const QList<std::pair<QString, QString>>& values,
                      bool everyOccurrence) {
    QStringList names; // longest first
    QHash<QString, QStringList> valuesOf;
    for (const auto& [name, value] : values) {
        if (name.isEmpty()) continue;
        if (!valuesOf.contains(name)) names << name;
        valuesOf[name] << value;
    }
    if (names.isEmpty()) return;
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (QString& line : lines) {
        QHash<QString, int> filled;
        QString out;
        out.reserve(line.size());
        qsizetype at = 0;
        while (at < line.size()) {
            const QStringView rest = QStringView(line).mid(at);
            const QString* name = nullptr;
            for (const QString& n : names) {
                if (rest.startsWith(n)) {
                    name = &n;
                    break;
                }
            }
            if (!name) {
                out += line[at++];
                continue;
            }
            const QStringList& given = valuesOf[*name];
            int& used = filled[*name];
            if (everyOccurrence)
                out += given.first();
            else if (used < given.size())
                out += given[used++];
            else
                out += *name; // more occurrences than values: left as it stands
            at += name->size();
        }
        line = out;
    }
}

QString FileSafeName(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        if (ch == u'.' || ch == u'-') continue;
        if (ch == u',' || ch == u'/' || ch == u'\\' || ch == u'?' || ch == u'*') ch = u'_';
        out += ch;
    }
    return out;
}

NameAndNumber SplitStreetNumber(const QString& text) {
    const QString t = TrimSpaces(text);
    if (t.isEmpty() || !IsDigit(t.back())) return {t, QString()};
    qsizetype i = t.size();
    while (i > 0 && IsDigit(t[i - 1]))
        --i;
    if (i == 0) return {t, QString()};
    return {TrimSpaces(t.left(i)), t.mid(i)};
}

NameAndNumber SplitHouseNumber(const QString& text) {
    const QString t = TrimSpaces(text);
    qsizetype i = t.size();
    while (i > 0 && (IsDigit(t[i - 1]) || t[i - 1] == u'/'))
        --i;
    return {t.left(i), t.mid(i)};
}

QString MonthName(int month) {
    static const char16_t* const names[12] = {u"Január",    u"Február", u"Marec",    u"Apríl",
                                              u"Máj",       u"Jún",     u"Júl",      u"August",
                                              u"September", u"Október", u"November", u"December"};
    if (month < 1 || month > 12) return QStringLiteral("Neznámy");
    return QString::fromUtf16(names[month - 1]);
}

void LetterItems(QStringList& items) {
    items.clear();
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        items.append(QString(QChar(c)));
}

// ---- Numbers ----

bool IsIntegerText(QString& text) {
    if (IsBlank(text)) {
        text = QStringLiteral("0");
        return true;
    }
    enum { Before, Digits, After } state = Before;
    for (QChar ch : text) {
        if (IsDigit(ch)) {
            if (state == After) return false;
            state = Digits;
        } else if (ch == u' ') {
            if (state == Digits) state = After;
        } else {
            return false;
        }
    }
    return true;
}

bool IsDecimalText(QString& text) {
    if (IsBlank(text)) {
        text = QStringLiteral("0,00");
        return true;
    }
    enum { Start, Signed, Integer, Fraction, Trailing } state = Start;
    for (QChar ch : text) {
        const bool digit = IsDigit(ch);
        switch (state) {
        case Start:
            if (ch == u'+' || ch == u'-')
                state = Signed;
            else if (digit)
                state = Integer;
            else if (ch != u' ')
                return false;
            break;
        case Signed:
            if (!digit) return false;
            state = Integer;
            break;
        case Integer:
            if (ch == kDecimalSeparator)
                state = Fraction;
            else if (ch == u' ')
                state = Trailing;
            else if (!digit)
                return false;
            break;
        case Fraction:
            if (ch == u' ')
                state = Trailing;
            else if (!digit)
                return false;
            break;
        case Trailing:
            if (ch != u' ') return false;
            break;
        }
    }
    return true;
}

void CheckedDecimalText(QString& text) {
    if (IsDecimalText(text))
        text = TrimSpaces(text);
    else
        text = QStringLiteral("0,00");
    if (text.isEmpty()) text = QStringLiteral("0,00");
}

QString NormalizeDecimal(const QString& text) {
    QString out = text;
    for (QChar& ch : out)
        if (ch == u'.' || ch == u',') ch = kDecimalSeparator;
    return out;
}

QString DotDecimal(const QString& text) {
    QString out = text;
    out.replace(u',', u'.');
    return out;
}

QString DecimalsPattern(int count) {
    if (count < 0 || count > 5) count = 0;
    return QStringLiteral("%.%1f").arg(count);
}

QString FormatDecimals(const QString& text, int count) {
    QString t = TrimSpaces(NormalizeDecimal(text));
    double value = 0;
    if (!t.isEmpty() && !DecimalFromText(t, value)) value = 0;
    return FormatFixed(value, (count >= 0 && count <= 5) ? count : 0);
}

QString FormatAmount(const QString& text) {
    return FormatDecimals(text, 2);
}

long double RoundDecimals(long double value, int digits) {
    // The factor is built by steps of ten so that negative digits round to tens, hundreds, …
    long double factor = 1;
    for (int i = 0; i < digits; ++i)
        factor *= 10;
    for (int i = 0; i > digits; --i)
        factor /= 10;
    return std::nearbyint(value * factor) / factor;
}

double RoundDecimals(double value, int digits) {
    return double(RoundDecimals(static_cast<long double>(value), digits));
}

long double RoundToHalf(long double value) {
    if (!std::isfinite(value)) return value;
    const long double h = std::trunc(value * 100);
    const long double f = std::fmod(h, 100.0L); // sign of h
    long double result = std::trunc(value);
    if (f >= 75)
        result += 1;
    else if (f >= 25)
        result += 0.5L;
    return result;
}

double RoundToHalf(double value) { return double(RoundToHalf(static_cast<long double>(value))); }

bool DecimalFromText(const QString& text, double& value) {
    const QString t = TrimSpaces(text);
    qsizetype i = 0;
    const qsizetype n = t.size();
    std::string s;
    if (i < n && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-') s += '-';
        ++i;
    }
    std::string intDigits, fracDigits;
    while (i < n && IsDigit(t[i]))
        intDigits += char(t[i++].unicode());
    if (i < n && t[i] == kDecimalSeparator) {
        ++i;
        while (i < n && IsDigit(t[i]))
            fracDigits += char(t[i++].unicode());
    }
    if (intDigits.empty() && fracDigits.empty()) return false;
    s += intDigits.empty() ? "0" : intDigits;
    s += '.';
    s += fracDigits.empty() ? "0" : fracDigits;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        s += 'e';
        if (i < n && (t[i] == u'+' || t[i] == u'-')) {
            if (t[i] == u'-') s += '-';
            ++i;
        }
        const qsizetype first = i;
        while (i < n && IsDigit(t[i]))
            s += char(t[i++].unicode());
        if (i == first) return false;
    }
    if (i != n) return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool IntegerFromText(const QString& text, qint64& value) {
    const QString t = TrimSpaces(text);
    std::string s;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-') s += '-';
        ++i;
    }
    if (i == t.size()) return false;
    for (; i < t.size(); ++i) {
        if (!IsDigit(t[i])) return false;
        s += char(t[i].unicode());
    }
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
    value = v;
    return true;
}

bool IsDecimalQuiet(const QString& text) {
    double v;
    return DecimalFromText(text, v);
}

bool IsIntegerQuiet(const QString& text) {
    qint64 v;
    return IntegerFromText(text, v);
}

bool CheckDecimal(const QString& text, QWidget* owner) {
    if (IsDecimalQuiet(text)) return true;
    ShowNotice(kNoticeTitle, QStringLiteral(" Nesprávne desatinné číslo! "), NoticeKind::Error,
               owner, false);
    return false;
}

bool CheckInteger(const QString& text, QWidget* owner) {
    if (IsIntegerQuiet(text)) return true;
    ShowNotice(kNoticeTitle, QStringLiteral(" Nesprávne celé číslo! "), NoticeKind::Error, owner,
               false);
    return false;
}

bool BirthNumberValid(const QString& text) {
    QString digits = text;
    digits.remove(u'/');
    qint64 v;
    return IntegerFromText(digits, v) && v % 11 == 0;
}

// ---- Dates ----

QString NormalizeDateSeparators(const QString& text) {
    QString out = text;
    for (QChar& ch : out)
        if (ch == u',' || ch == u'.' || ch == u'/' || ch == u'-') ch = kDateSeparator;
    return out;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInYear(int year) {
    return IsLeapYear(year) ? 366 : 365;
}

int DaysInMonth(int month, int year) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

void ParseDayMonthYear(const QString& text, int& day, int& month, int& year) {
    QString parts[3];
    int part = 0;
    for (QChar ch : text) {
        if (IsDigit(ch) || ch == u' ')
            parts[part] += ch;
        else if (part < 2)
            ++part;
    }
    int* out[3] = {&day, &month, &year};
    for (int i = 0; i < 3; ++i) {
        qint64 v = 0;
        const QString p = TrimSpaces(parts[i]);
        bool ok = !p.isEmpty();
        for (QChar ch : p)
            ok = ok && IsDigit(ch);
        // Parts are plain digits here; anything too long for a date is no number either.
        *out[i] = (ok && p.size() <= 9 && IntegerFromText(p, v)) ? int(v) : 0;
    }
}

bool IsDateText(const QString& text, bool emptyAllowed) {
    if (emptyAllowed && (text.isEmpty() || text == QStringLiteral("  .  .    "))) return true;
    for (QChar ch : text)
        if (!IsDigit(ch) && ch != u'.' && ch != u' ') return false;
    int day, month, year;
    ParseDayMonthYear(text, day, month, year);
    return year >= 0 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(month, year);
}

namespace {
const QDate kDayZero(1899, 12, 30);
}

QDate DateFromDays(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 4.0e6) // beyond the year 9999 either way
        return QDate();
    return kDayZero.addDays(qint64(std::trunc(days)));
}

double DaysFromDate(QDate date) {
    return date.isValid() ? double(kDayZero.daysTo(date)) : 0;
}

QString FormatDate(double days) {
    const QDate d = DateFromDays(days);
    if (!d.isValid()) return QString();
    return QStringLiteral("%1.%2.%3").arg(d.day()).arg(d.month()).arg(d.year(), 4, 10, QChar(u'0'));
}

QString FormatDateOrBlank(double days) {
    return std::trunc(days) == 0 ? QString() : FormatDate(days);
}

bool ParseDate(const QString& text, double& days) {
    const QStringList parts = NormalizeDateSeparators(text).split(kDateSeparator);
    if (parts.size() != 3) return false;
    int values[3];
    static constexpr int minLen[3] = {1, 1, 4};
    static constexpr int maxLen[3] = {2, 2, 4};
    for (int i = 0; i < 3; ++i) {
        const QString p = TrimSpaces(parts[i]);
        if (p.size() < minLen[i] || p.size() > maxLen[i]) return false;
        int v = 0;
        for (QChar ch : p) {
            if (!IsDigit(ch)) return false;
            v = v * 10 + (ch.unicode() - u'0');
        }
        values[i] = v;
    }
    const QDate d(values[2], values[1], values[0]);
    if (values[2] < 1 || !d.isValid()) return false;
    days = DaysFromDate(d);
    return true;
}

bool CheckDate(const QString& text, QWidget* owner) {
    double days;
    if (ParseDate(TrimSpaces(NormalizeDateSeparators(text)), days)) return true;
    ShowNotice(kNoticeTitle, QStringLiteral(" Nesprávny dátum! "), NoticeKind::Error, owner, false);
    return false;
}

int DateMonth(double days) {
    const QDate d = DateFromDays(days);
    return d.isValid() ? d.month() : 0;
}

int DateYear(double days) {
    const QDate d = DateFromDays(days);
    return d.isValid() ? d.year() : 0;
}

QString LastDayOfMonthText(double days) {
    const QDate d = DateFromDays(days);
    if (!d.isValid()) return QString();
    return FormatDate(DaysFromDate(QDate(d.year(), d.month(), d.daysInMonth())));
}

QString DateKey(double days) {
    const QDate d = DateFromDays(days);
    if (std::trunc(days) == 0 || !d.isValid()) return QStringLiteral("00000000");
    return QStringLiteral("%1%2%3")
        .arg(d.year(), 4, 10, QChar(u'0'))
        .arg(d.month(), 2, 10, QChar(u'0'))
        .arg(d.day(), 2, 10, QChar(u'0'));
}

} // namespace vidoraw
