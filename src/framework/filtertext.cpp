#include "framework/filtertext.h"

#include "core/values.h"

namespace vidoraw {

namespace {

QString Quoted(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QLatin1String("''")) +
           QLatin1Char('\'');
}

} // namespace

FilterValueKind FilterKindOfType(char fieldType) {
    if (fieldType == 'A' || fieldType == 'M')
        return FilterValueKind::Text;
    if (fieldType == 'D')
        return FilterValueKind::Date;
    return FilterValueKind::Other;
}

QString FilterValue(FilterValueKind kind, const QString& typed) {
    switch (kind) {
    case FilterValueKind::Text:
        return Quoted(typed);
    case FilterValueKind::Date: {
        const QString date = NormalizeDateSeparators(typed.trimmed());
        return Quoted(date.isEmpty() ? QStringLiteral("01.01.1900") : date);
    }
    case FilterValueKind::Other:
        break;
    }
    return typed;
}

QString FilterCondition(const QString& field, const QString& op, FilterValueKind kind,
                        const QString& typed) {
    return QStringLiteral("(%1 %2 %3)").arg(field, op, FilterValue(kind, typed));
}

QString FilterInterval(const QString& field, FilterValueKind kind, const QString& from,
                       const QString& to) {
    return FilterCondition(field, QStringLiteral(">="), kind, from) + QStringLiteral(" and ") +
           FilterCondition(field, QStringLiteral("<="), kind, to);
}

QString AppendToPart(const QString& part, const QString& connective, const QString& condition) {
    return part.isEmpty() ? condition : part + connective + condition;
}

QString ConnectiveWord(const QString& slovak) {
    return slovak == QLatin1String("alebo") ? QStringLiteral("or") : QStringLiteral("and");
}

QString JoinFilterParts(const QStringList& parts, const QString& connective) {
    QString out;
    for (const QString& part : parts) {
        if (part.isEmpty())
            continue;
        if (!out.isEmpty())
            out += connective;
        out += QLatin1Char('(') + part + QLatin1Char(')');
    }
    return out;
}

SplitFilter SplitFilterParts(const QString& expression) {
    SplitFilter out;
    QString rest = expression;
    // Each round drops at least the "((" and "))" it found, so reading always ends.
    for (qsizetype p = rest.indexOf(QLatin1String("((")); p >= 0;
         p = rest.indexOf(QLatin1String("(("))) {
        const qsizetype q = rest.indexOf(QLatin1String("))"), p + 2);
        if (q < 0) {
            out.missingEnd = true;
            break;
        }
        FilterChunk chunk;
        chunk.part = rest.mid(p + 1, q - p);
        rest = rest.mid(q + 2);
        if (out.chunks.isEmpty()) {
            const qsizetype next = rest.indexOf(QLatin1String("(("));
            if (next >= 0)
                out.rowsConnective = rest.left(next).trimmed().toLower();
        }
        const qsizetype space = chunk.part.indexOf(QLatin1Char(' '));
        chunk.separator = space >= 0;
        if (chunk.separator)
            chunk.field = chunk.part.mid(1, space - 1);
        out.chunks << chunk;
    }
    return out;
}

QString ReplacePlaceholder(const QString& expression, const QString& placeholder,
                           const QString& answer) {
    return QString(expression).replace(placeholder, Quoted(answer));
}

} // namespace vidoraw
