#pragma once
// Table helpers every module uses: emptiness, next codes, finds, counts and look-ups, and
// the way a module creates its table with its first rows.
#include "core/engine/table.h"

namespace vidoraw {

// Answers without moving the cursor; sees only records that pass the filter.
bool IsTableEmpty(Table& table);
// The integer value of a field in the last record of an order, filter ignored; 0 when empty.
// The next code of a table is LastValue(t, "KOD", "KOD") + 1.
qint64 LastValue(Table& table, const QString& orderFields, const QString& field);
// Finds in the given order and leaves the cursor on the found record, in its own order.
[[nodiscard]] bool FindByKey(Table& table, const QString& orderFields, const QVariant& value);
[[nodiscard]] bool FindNearestByKey(Table& table, const QString& orderFields,
                                    const QVariant& value);
[[nodiscard]] bool FindOrNearest(Table& table, const QString& orderFields, const QVariant& value);
// Consecutive records (in the field's order) whose field reads as value; 0 when none.
int CountEqual(Table& table, const QString& field, const QString& value);
bool FieldExists(Table& table, const QString& name);
// Appends one record under its own write lock, each field set from its text as if typed;
// false (and nothing written) when the table refuses any of it.
[[nodiscard]] bool AppendTypedRow(Table& table, const QList<QPair<QString, QString>>& values);
// Look-ups ignore the filter and leave order, filter and position as they were. Any error
// counts as not found.
[[nodiscard]] bool LookupFieldIn(Table& table, const QString& orderFields, const QVariantList& keys,
                                 const QString& resultField, QString& value);
[[nodiscard]] bool LookupFieldsIn(Table& table, const QString& orderFields,
                                  const QVariantList& keys, const QStringList& fields,
                                  QStringList& values);

// Creates a missing table and loads its initial rows ("value|value|rest"): every field but
// the last takes the text up to the next "|", the last one all that remains. Table and rows
// are written together or not at all. An existing table is left alone, also one that another
// program made meanwhile.
[[nodiscard]] bool CreateTableWithRows(Database& db, const QString& fileName,
                                       const FieldDefs& fields, const IndexDefs& indexes,
                                       const QStringList& rows, QString* error);

} // namespace vidoraw
