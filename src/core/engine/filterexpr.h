#pragma once
// Filter expressions in the engine's syntax: comparisons (= <> > >= < <=) of fields with
// quoted texts, 'dd.mm.yyyy' dates, numbers or other fields, joined by and/or/not and
// parentheses. An expression is parsed and checked against the table's fields, then compiled
// to an SQL condition whose constants are bound parameters: user text never becomes SQL.
#include "core/engine/fielddef.h"

#include <QVariantList>

namespace vidoraw {

class SqlDialect;

struct CompiledFilter {
    QString sql;         // condition for a WHERE clause, with ? placeholders
    QVariantList binds;  // in storage form
    QStringList fields;  // fields the condition reads
};

// False with a message naming the problem and its position when the expression is malformed.
bool CompileFilter(const QString& expression, const FieldDefs& fields, const SqlDialect& dialect,
                   CompiledFilter& out, QString* error);

} // namespace vidoraw
