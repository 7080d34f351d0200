#pragma once
// What the module registry needs of a record-form module: its table and list key, and the
// table's definition (create, reindex). The forms themselves live in the framework.
#include <QString>

class QWidget;

namespace vidoraw {

class Database;
class Table;

class RecordModule {
public:
    virtual ~RecordModule() = default;
    virtual int moduleNumber() const = 0;
    virtual QWidget* window() = 0;
    virtual Table& table() = 0;
    // The key of the module's list (views, filters, "FindModuleByListKey").
    virtual QString listKey() const = 0;
    virtual QString listTitle() const = 0;
    virtual bool OpenTable() = 0;
    // Creates the table when missing, with its first rows.
    virtual bool CreateTable(const QString& fileName) = 0;
    // Rebuilds the table's indexes exactly as CreateTable defines them; false with the
    // engine's error.
    [[nodiscard]] virtual bool DefineIndexes(Table& table, QString* error) = 0;
};

} // namespace vidoraw
