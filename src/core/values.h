#pragma once
// Value helpers used by every form and report: checking typed numbers and dates, converting
// between the two decimal separators, fixed-decimal formatting, rounding, date arithmetic and
// cutting or padding texts.
//
// The screen always uses "," as the decimal separator and "." between day, month and year,
// whatever the system locale says. "Space" means the character 32 only.
//
// Dates at the interface are day counts: day 0 is 30.12.1899 (what an empty date field
// reads as); a fractional part is a time of day and is ignored here.
#include "core/base/numbertext.h"

#include <QDate>
#include <QList>

#include <QString>
#include <QStringList>

#include <utility>

class QWidget;

namespace vidoraw {

inline constexpr QChar kDecimalSeparator = u',';
inline constexpr QChar kDateSeparator = u'.';

// ---- Texts ----

bool IsBlank(const QString& text);
// Every character one of 0-9 (other scripts' digits do not count); an empty text passes.
bool IsDigitsOnly(const QString& text);
QString TrimLeadingSpaces(const QString& text);
QString TrimTrailingSpaces(const QString& text);
QString TrimSpaces(const QString& text);
// Characters from start (1-based; below 1 counts as 1), at most count of them.
QString SubText(const QString& text, int start, int count);
// Part before the first separator; empty when the separator does not occur.
QString TextBefore(const QString& text, const QString& separator);
// Part after the first separator; the whole text when the separator does not occur.
QString TextAfter(const QString& text, const QString& separator);
// "a,b," gives "a", "b", "". An empty separator never occurs.
QStringList SplitText(const QString& text, const QString& separator);
// Fill with spaces to width; a longer text is never cut.
QString PadRight(const QString& text, int width);
QString PadLeft(const QString& text, int width);
// Prepends filler (width - length) times; a longer filler gives a longer result.
QString PadLeftWith(const QString& text, int width, const QString& filler);
// "title first surname" with single spaces, parts trimmed.
QString JoinName(const QString& title, const QString& firstName, const QString& surname);
// Fills a template: in every line the first occurrence of placeholder (case-sensitive).
// A template with several placeholders is filled with FillPlaceholders.
void ReplaceInLines(QStringList& lines, const QString& placeholder, const QString& value);
// Fills a template with several placeholders at once. Where names begin alike ("XXX_ICO",
// "XXX_ICOI") the longest name standing in the text is the one replaced, and a value put in is
// never searched again. In each line a placeholder fills its first occurrence (given twice,
// its first two), or every occurrence with everyOccurrence.
void FillPlaceholders(QStringList& lines, const QList<std::pair<QString, QString>>& values,
                      bool everyOccurrence = false);
// Drops "." and "-", turns "," "/" "\" "?" "*" into "_".
QString FileSafeName(const QString& text);

struct NameAndNumber {
    QString name;
    QString number;
};
// "Hlavná 12" → "Hlavná", "12". A text of digits only stays whole in name.
NameAndNumber SplitStreetNumber(const QString& text);
// "Hlavná 12/3" → "Hlavná " (untrimmed), "12/3"; the number is the trailing digits and "/".
NameAndNumber SplitHouseNumber(const QString& text);

// "Január" … "December"; "Neznámy" for any other number.
QString MonthName(int month);
// Replaces items by the 26 one-letter items "A" … "Z"; the pick list selects the first.
void LetterItems(QStringList& items);

// ---- Numbers ----

// Spaces, digits, spaces (no sign). A blank text becomes "0" and is valid.
bool IsIntegerText(QString& text);
// Spaces, optional sign, digits, optionally "," and digits, spaces. A blank text becomes
// "0,00" and is valid. A lone sign passes here and fails at conversion.
bool IsDecimalText(QString& text);
// Trimmed when IsDecimalText accepts it, else "0,00".
void CheckedDecimalText(QString& text);
// Every "." and "," becomes ",".
QString NormalizeDecimal(const QString& text);
// Every "," becomes "." (files for other programs).
QString DotDecimal(const QString& text);
// "%.0f" … "%.5f" for 0 … 5, "%.0f" otherwise. Kept for callers that describe a format;
// never hand it to printf (FormatFixed does the formatting).
QString DecimalsPattern(int count);
// Text with "." or "," → count decimals (0..5, anything else 0), "," separator.
// A blank text counts as 0, and so does a text that is not a number.
QString FormatDecimals(const QString& text, int count);
QString FormatAmount(const QString& text);

// value * 10^digits rounded to the nearest integer, ties to even, divided back.
double RoundDecimals(double value, int digits);
// To whole or half units by the first two decimals: below 25 down, below 75 to the half,
// else up. A negative value only loses its fraction.
double RoundToHalf(double value);
// The same two in extended precision (amounts of invoices); the double forms use them.
long double RoundDecimals(long double value, int digits);
long double RoundToHalf(long double value);

// Converts a number written with "," (spaces around, sign, exponent allowed).
bool DecimalFromText(const QString& text, double& value);
// Converts a whole number that fits 64 bits (spaces around and a sign allowed).
bool IntegerFromText(const QString& text, qint64& value);

bool IsDecimalQuiet(const QString& text);
bool IsIntegerQuiet(const QString& text);
// As the quiet forms, and on failure show their error notice over owner's window.
bool CheckDecimal(const QString& text, QWidget* owner);
bool CheckInteger(const QString& text, QWidget* owner);

// Without its "/" a birth number is a whole number divisible by 11.
bool BirthNumberValid(const QString& text);

// ---- Dates ----

// Every ",", ".", "/" and "-" becomes ".".
QString NormalizeDateSeparators(const QString& text);
bool IsLeapYear(int year);
int DaysInYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int month, int year);
// Cuts at every character that is neither a digit nor a space; anything beyond the third
// part joins the third. A part (trimmed of spaces) that is not a number gives 0.
void ParseDayMonthYear(const QString& text, int& day, int& month, int& year);
// Digits, "." and spaces only, with a real day, month and year 0..9999. With emptyAllowed
// an empty text and the blank mask "  .  .    " pass too.
bool IsDateText(const QString& text, bool emptyAllowed);

QDate DateFromDays(double days); // invalid for a value that is no date
double DaysFromDate(QDate date); // 0 for an invalid date
// d.m.yyyy
QString FormatDate(double days);
// As FormatDate, but "" for day 0 (an empty date field).
QString FormatDateOrBlank(double days);
// day.month.year after NormalizeDateSeparators, spaces allowed around the parts. The year
// must be written with four digits: a shorter year is refused rather than guessed, so
// "1.2.08" never silently becomes the year 8 or 1908.
bool ParseDate(const QString& text, double& days);
// ParseDate; on failure the error notice over owner's window.
bool CheckDate(const QString& text, QWidget* owner);
int DateMonth(double days);
int DateYear(double days);
// The last day of the date's month, as FormatDate writes it.
QString LastDayOfMonthText(double days);
// "yyyymmdd"; day 0 gives "00000000".
QString DateKey(double days);

} // namespace vidoraw
