#include "core/engine/sqldialect.h"

#include "core/engine/collation.h"

namespace vidoraw {

QString SqlDialect::quoteName(const QString& name) const {
    QString n = name;
    n.replace('"', QStringLiteral("\"\""));
    return '"' + n + '"';
}

QString SqliteDialect::collated(const QString& expr, bool ci) const {
    return expr + QStringLiteral(" COLLATE ") + QLatin1String(ci ? kCollationSkCi : kCollationSk);
}

QString SqliteDialect::prefix(const QString& expr, int n) const {
    return QStringLiteral("substr(%1,1,%2)").arg(expr).arg(n);
}

} // namespace vidoraw
