#pragma once
// The pieces of SQL text that differ between database systems. Everything else the engine
// writes is common SQL.
#include <QString>

namespace vidoraw {

class SqlDialect {
public:
    virtual ~SqlDialect() = default;
    virtual QString quoteName(const QString& name) const;
    // A text expression compared in the Slovak order.
    virtual QString collated(const QString& expr, bool caseInsensitive) const = 0;
    // The first n characters of a text expression.
    virtual QString prefix(const QString& expr, int n) const = 0;
    // A term of ORDER BY or of an index: blanks (NULL) always before every value.
    virtual QString orderTerm(const QString& expr, bool descending) const;
    // The negation of a condition, true where the condition is unknown (a blank compared).
    virtual QString notOrBlank(const QString& condition) const;
    // The type of the engine's own integer columns (counters, positions).
    virtual QString integerType() const { return QStringLiteral("INTEGER"); }
};

class SqliteDialect : public SqlDialect {
public:
    QString collated(const QString& expr, bool caseInsensitive) const override;
    QString prefix(const QString& expr, int n) const override;
};

// PostgreSQL: the Slovak collations are ICU collations the backend creates.
class PostgresDialect : public SqlDialect {
public:
    QString collated(const QString& expr, bool caseInsensitive) const override;
    QString prefix(const QString& expr, int n) const override;
    QString orderTerm(const QString& expr, bool descending) const override;
    QString notOrBlank(const QString& condition) const override;
    QString integerType() const override { return QStringLiteral("BIGINT"); }
};

} // namespace vidoraw
