#include "core/engine/tableops.h"

namespace vidoraw {

bool IsTableEmpty(Table& table) {
    if (!table.isOpen() && !table.open())
        return true;
    return table.recordCount() == 0;
}

qint64 LastValue(Table& table, const QString& orderFields, const QString& field) {
    return ValueAsInteger(table.lastValueInOrder(orderFields, field));
}

bool FindByKey(Table& table, const QString& orderFields, const QVariant& value) {
    const std::optional<qint64> id = table.locate(orderFields, {value}, true);
    return id && table.gotoBookmark(*id);
}

bool FindNearestByKey(Table& table, const QString& orderFields, const QVariant& value) {
    qint64 found = 0;
    if (!table.scanOrder(orderFields, {value}, true, [&](qint64 id, const QVector<QVariant>&) {
            found = id;
            return false;
        }))
        return false;
    if (found == 0) {
        table.last();
        return false;
    }
    return table.gotoBookmark(found);
}

bool FindOrNearest(Table& table, const QString& orderFields, const QVariant& value) {
    if (FindByKey(table, orderFields, value))
        return true;
    // Not found either way; only where the cursor stands matters now.
    (void)FindNearestByKey(table, orderFields, value);
    return false;
}

bool AppendTypedRow(Table& table, const QList<QPair<QString, QString>>& values) {
    if ((!table.isOpen() && !table.open()) || !table.database())
        return false;
    WriteLock lock(*table.database());
    if (!lock.ok() || !table.append())
        return false;
    for (const auto& [field, value] : values)
        if (!table.field(field).setAsString(value)) {
            table.cancel();
            return false;
        }
    if (!table.post()) {
        table.cancel();
        return false;
    }
    return lock.commit();
}

int CountEqual(Table& table, const QString& field, const QString& value) {
    if (!table.isOpen() && !table.open())
        return 0;
    const int fi = table.fieldIndex(field);
    if (fi < 0 || !table.locate(field, {value}, true))
        return 0;
    const FieldDef def = table.fieldDefs()[fi];
    int count = 0;
    table.scanOrder(field, {value}, true, [&](qint64, const QVector<QVariant>& row) {
        if (ValueAsString(def, row[fi]) != value)
            return false;
        ++count;
        return true;
    });
    return count;
}

bool FieldExists(Table& table, const QString& name) {
    if (!table.isOpen() && !table.open())
        return false;
    return table.hasField(name);
}

bool LookupFieldsIn(Table& table, const QString& orderFields, const QVariantList& keys,
                    const QStringList& fields, QStringList& values) {
    values.clear();
    if (!table.isOpen() && !table.open())
        return false;
    const std::optional<qint64> id = table.locate(orderFields, keys, false);
    if (!id)
        return false;
    const QVector<QVariant> row = table.rowValues(*id);
    if (row.isEmpty())
        return false;
    for (const QString& f : fields) {
        const int fi = table.fieldIndex(f);
        values << (fi >= 0 ? ValueAsString(table.fieldDefs()[fi], row[fi]) : QString());
    }
    return true;
}

bool LookupFieldIn(Table& table, const QString& orderFields, const QVariantList& keys,
                   const QString& resultField, QString& value) {
    QStringList values;
    const bool found = LookupFieldsIn(table, orderFields, keys, {resultField}, values);
    value = found ? values.value(0) : QString();
    return found;
}

bool CreateTableWithRows(Database& db, const QString& fileName, const FieldDefs& fields,
                         const IndexDefs& indexes, const QStringList& rows, QString* error) {
    if (db.tableExists(fileName))
        return true;
    WriteLock lock(db);
    if (!lock.ok()) {
        if (error)
            *error = lock.error();
        return false;
    }
    // Another program starting on the same new data directory may have made it meanwhile.
    if (db.tableExists(fileName)) {
        if (lock.commit()) // nothing written; an enclosing change goes on
            return true;
        if (error)
            *error = lock.error();
        return false;
    }
    if (!db.createTable(fileName, fields, indexes, error))
        return false;
    Table t(&db, fileName);
    if (!t.open()) {
        if (error)
            *error = t.lastError();
        return false;
    }
    for (const QString& line : rows) {
        if (!t.append()) {
            if (error)
                *error = t.lastError();
            return false;
        }
        QString rest = line;
        for (int i = 0; i < fields.size(); ++i) {
            QString value;
            const int bar = rest.indexOf('|');
            if (i == fields.size() - 1 || bar < 0) {
                value = rest;
                rest.clear();
            } else {
                value = rest.left(bar);
                rest = rest.mid(bar + 1);
            }
            if (!t.field(i).setAsString(value)) {
                if (error)
                    *error = QStringLiteral("%1, riadok \"%2\": %3")
                                 .arg(fileName, line, t.lastError());
                return false;
            }
        }
        if (!t.post()) {
            if (error)
                *error = QStringLiteral("%1, riadok \"%2\": %3").arg(fileName, line, t.lastError());
            return false;
        }
    }
    t.close();
    if (!lock.commit()) {
        if (error)
            *error = lock.error();
        return false;
    }
    return true;
}

} // namespace vidoraw
