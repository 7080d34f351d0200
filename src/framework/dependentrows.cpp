#include "framework/dependentrows.h"

#include "core/engine/fieldvalue.h"
#include "core/engine/table.h"

namespace vidoraw {

namespace {

// A cursor of its own on the module's table, so that the module's list keeps its order and
// position.
bool OpenOwnTable(AppContext& app, int moduleNumber, Table& t) {
    const ModuleInfo* info = ModuleInfoFor(moduleNumber);
    if (!info || !app.db) return false;
    t.setDatabase(app.db);
    t.setTableName(QString::fromUtf8(info->tableFile));
    return t.exists() && t.open();
}

// Row ids of the rows whose field equals value.
QList<qint64> RowsWhere(Table& t, const QString& field, const QVariant& value) {
    QList<qint64> ids;
    const int fi = t.fieldIndex(field);
    if (fi < 0) return ids;
    const FieldDef def = t.fieldDefs()[fi];
    QVariant key;
    if (!ConvertToField(def, value, key, nullptr)) return ids;
    t.scanOrder(field, {key}, false, [&](qint64 id, const QVector<QVariant>& row) {
        if (CompareFieldValues(def, row[fi], key, false) != 0) return false;
        ids << id;
        return true;
    });
    return ids;
}

} // namespace

QVariantList ValuesWhere(AppContext& app, int moduleNumber, const QString& field,
                         const QVariant& value, const QString& resultField) {
    QVariantList out;
    Table t;
    if (!OpenOwnTable(app, moduleNumber, t) || !t.hasField(resultField)) return out;
    const int ri = t.fieldIndex(resultField);
    for (qint64 id : RowsWhere(t, field, value))
        out << t.rowValues(id).value(ri);
    return out;
}

bool DeleteRowsWhere(AppContext& app, int moduleNumber, const QString& field, const QVariant& value,
                     QString* error) {
    Table t;
    if (!OpenOwnTable(app, moduleNumber, t)) return true; // no table, nothing depends on the record
    for (qint64 id : RowsWhere(t, field, value)) {
        if (!t.gotoBookmark(id) || !t.remove()) {
            if (error) *error = t.lastError();
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
