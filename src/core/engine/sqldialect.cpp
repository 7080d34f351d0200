#include "core/engine/sqldialect.h"

#include "core/engine/collation.h"

namespace vidoraw {

QString SqlDialect::quoteName(const QString& name) const {
    QString n = name;
    n.replace('"', QStringLiteral("\"\""));
    return '"' + n + '"';
}

QString SqlDialect::orderTerm(const QString& expr, bool descending) const {
    return descending ? expr + QStringLiteral(" DESC") : expr;
}

QString SqlDialect::notOrBlank(const QString& condition) const {
    return QStringLiteral("(NOT COALESCE(%1, 0))").arg(condition);
}

QString SqliteDialect::collated(const QString& expr, bool ci) const {
    return expr + QStringLiteral(" COLLATE ") + QLatin1String(ci ? kCollationSkCi : kCollationSk);
}

QString SqliteDialect::prefix(const QString& expr, int n) const {
    return QStringLiteral("substr(%1,1,%2)").arg(expr).arg(n);
}

QString PostgresDialect::collated(const QString& expr, bool ci) const {
    return expr + QStringLiteral(" COLLATE ") + quoteName(QLatin1String(ci ? kCollationSkCi : kCollationSk));
}

QString PostgresDialect::prefix(const QString& expr, int n) const {
    return QStringLiteral("substr(%1,1,%2)").arg(expr).arg(n);
}

QString PostgresDialect::orderTerm(const QString& expr, bool descending) const {
    // PostgreSQL puts NULL last ascending; the engine's orders put blanks first.
    return expr + (descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" NULLS FIRST"));
}

QString PostgresDialect::notOrBlank(const QString& condition) const {
    return QStringLiteral("(NOT COALESCE(%1, FALSE))").arg(condition);
}

} // namespace vidoraw
