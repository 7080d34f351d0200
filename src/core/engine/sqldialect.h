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
};

class SqliteDialect : public SqlDialect {
public:
    QString collated(const QString& expr, bool caseInsensitive) const override;
    QString prefix(const QString& expr, int n) const override;
};

} // namespace vidoraw
