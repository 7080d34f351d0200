#pragma once
// The filter texts the filter builder writes and reads back: conditions and intervals of one
// field, the parts of the builder's rows joined into one expression, and the placeholders of
// saved filters. The texts are in the engine's filter syntax; the engine parses them.
#include <QList>
#include <QString>
#include <QStringList>

namespace vidoraw {

// How a value is written into a filter: texts and dates quoted, the rest as typed.
enum class FilterValueKind { Text, Date, Other };
FilterValueKind FilterKindOfType(char fieldType);

// The longest expression a saved filter holds.
inline constexpr int kMaxFilterLength = 254;

// A typed value as the filter writes it: a text in single quotes (a quote inside doubled, so
// that the filter looks for exactly what was typed), a date trimmed with its separators
// normalised and quoted ('01.01.1900' when nothing was typed), anything else as typed.
QString FilterValue(FilterValueKind kind, const QString& typed);
// "(" field op value ")" with op one of = <> > >= < <=, spaced as " = ".
QString FilterCondition(const QString& field, const QString& op, FilterValueKind kind,
                        const QString& typed);
// "(F >= a) and (F <= b)".
QString FilterInterval(const QString& field, FilterValueKind kind, const QString& from,
                       const QString& to);
// A further condition of a row: joined to the row's part by the connective, no spaces.
QString AppendToPart(const QString& part, const QString& connective, const QString& condition);
// The connectives are chosen in Slovak: "a" -> "and", "alebo" -> "or".
QString ConnectiveWord(const QString& slovak);
// The non-empty parts, each in parentheses, joined by the connective without spaces.
QString JoinFilterParts(const QStringList& parts, const QString& connective);

// An expression read back into the parts of rows, one chunk per "((...))" in order; the
// field name runs from the chunk's second character up to its first space. Reading stops at a
// "((" without its "))".
struct FilterChunk {
    QString field;
    QString part;
    bool separator = false; // the chunk holds a space
};
struct SplitFilter {
    QList<FilterChunk> chunks;
    bool missingEnd = false;
    QString rowsConnective; // what joins the first two chunks ("and", "or"; empty for one)
};
SplitFilter SplitFilterParts(const QString& expression);

// Every occurrence of the placeholder replaced by the answer in single quotes.
QString ReplacePlaceholder(const QString& expression, const QString& placeholder,
                           const QString& answer);

} // namespace vidoraw
