#pragma once
// Rows of another module's table that belong to one record (a company's persons, a person's
// comments, a keyword's assignments): found and deleted by module number and owner field.
// Deleting runs inside the caller's write lock, so a record and what depends on it go together.
#include "framework/appcontext.h"

#include <QVariant>

namespace vidoraw {

// The values of resultField in every row of module n's table whose field equals value, in
// the order of that field. A table that does not exist yet holds none.
QVariantList ValuesWhere(AppContext& app, int moduleNumber, const QString& field,
                         const QVariant& value, const QString& resultField);
// Deletes every such row; false with the engine's error (the caller's lock then rolls back).
[[nodiscard]] bool DeleteRowsWhere(AppContext& app, int moduleNumber, const QString& field,
                                   const QVariant& value, QString* error);

} // namespace vidoraw
