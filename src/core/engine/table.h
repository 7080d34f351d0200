#pragma once
// A cursor over one table: ordered by an index field list, positioned on a current record,
// optionally filtered, changed by append/edit/post. It keeps the ordered row ids only and
// fetches rows as they are needed.
#include "core/engine/database.h"
#include "core/engine/fieldvalue.h"
#include "core/engine/filterexpr.h"

#include <QBitArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVector>
#include <functional>
#include <optional>
#include <vector>

namespace vidoraw {

class Table;

// A field of the current record (or of the row a calculation handler is filling).
class Field {
public:
    Field() = default;
    Field(Table* t, int index) : t_(t), i_(index) {}
    bool isValid() const;
    QString name() const;
    char type() const;
    int size() const;

    bool isNull() const;
    QVariant value() const;
    QString asString() const;
    qint64 asInteger() const;
    double asFloat() const;
    bool asBool() const;
    double asDays() const; // day 0 = 30.12.1899
    QDate asDate() const;

    // Converted to the field's type; text is cut to the field's size. Allowed while the table
    // is in edit or insert state, and always for calculated fields.
    bool setValue(const QVariant& v);
    bool setAsString(const QString& s) { return setValue(QVariant(s)); }
    bool setAsDays(double days);
    void clear() { setValue(QVariant()); }

private:
    Table* t_ = nullptr;
    int i_ = -1;
};

class Table : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Predicate = std::function<bool(Table&)>;
    using CalcHandler = std::function<void(Table&)>;

    explicit Table(QObject* parent = nullptr);
    Table(Database* db, const QString& fileName, QObject* parent = nullptr);
    ~Table() override;

    void setDatabase(Database* db); // closes the table
    Database* database() const { return db_; }
    void setTableName(const QString& fileName); // closes the table
    QString tableName() const { return fileName_; }
    QString sqlName() const { return sqlName_; }

    bool exists() const;
    [[nodiscard]] bool open();
    void close();
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    QString lastError() const { return error_; }
    DbError lastErrorKind() const { return errorKind_; }

    // Fields: the table's own, then the calculated ones.
    const FieldDefs& fieldDefs() const { return defs_; }
    int tableFieldCount() const { return tableFields_; }
    int fieldIndex(const QString& name) const { return FindField(defs_, name); }
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    // A field the table lacks is a fault of the caller: it is reported (qWarning naming table
    // and field) and reads as blank; setting it fails.
    Field field(const QString& name);
    Field field(int index);

    // Calculated fields are declared before opening; the handler fills them for each row.
    void addCalcField(const FieldDef& def);
    void setCalcHandler(CalcHandler handler);

    // Order by a ';'-separated field list; empty = the primary key.
    [[nodiscard]] bool setOrder(const QString& fields);
    QString order() const { return order_; }

    // Filters. The expression is checked at once; a malformed one is refused (see lastError)
    // and the previous filter stays.
    [[nodiscard]] bool setFilterText(const QString& expression);
    QString filterText() const { return filterText_; }
    void setFilterPredicate(Predicate p);
    bool hasFilterPredicate() const { return bool(predicate_); }
    void setFiltered(bool on);
    bool isFiltered() const { return filtered_; }

    // Walking.
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance);
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    int recordCount();
    bool isEmpty() { return recordCount() == 0; }
    int recNo() const; // 0-based position in the order, -1 without a current record
    bool gotoRecNo(int position);
    qint64 bookmark() const { return curRowId_; }
    [[nodiscard]] bool gotoBookmark(qint64 bookmark);
    // Reads the rows again, and the fields when another program changed the table's definition.
    void refresh();

    // Finds on the current order; a key may give the first fields of a composite order only.
    // An empty text finds an empty field, whether it is stored blank or as "".
    [[nodiscard]] bool findKey(const QVariantList& values);
    [[nodiscard]] bool findNearest(const QVariantList& values);

    // Rows in any order from the first one whose key is not below fromKey (empty: from the
    // start); visit answers false to stop. Does not move this cursor.
    bool scanOrder(const QString& orderFields, const QVariantList& fromKey, bool honourFilter,
                   const std::function<bool(qint64 rowId, const QVector<QVariant>& row)>& visit);
    // The same, filter ignored, reading only the named fields: the row's other entries stay
    // blank and calculated fields are not filled. For long walks that need a few fields.
    bool scanFields(const QString& orderFields, const QVariantList& fromKey, const QStringList& fields,
                    const std::function<bool(qint64 rowId, const QVector<QVariant>& row)>& visit);
    // The same, only the rows whose first order fields equal key: one group (the vouchers of
    // a batch) read without running on into the next.
    bool scanGroup(const QString& orderFields, const QVariantList& key, const QStringList& fields,
                   const std::function<bool(qint64 rowId, const QVector<QVariant>& row)>& visit);
    // Exact find in any order without moving this cursor.
    std::optional<qint64> locate(const QString& orderFields, const QVariantList& key,
                                 bool honourFilter);
    // The value of a field in the last record of an order, filter ignored; blank when empty.
    QVariant lastValueInOrder(const QString& orderFields, const QString& fieldName);
    // A row as it is stored now, whoever changed it last.
    QVector<QVariant> rowValues(qint64 rowId);

    // Changes. A post that leaves a field of the primary key blank (or an empty text) is
    // refused as a key violation.
    [[nodiscard]] bool append();
    [[nodiscard]] bool edit();
    [[nodiscard]] bool post();
    void cancel();
    [[nodiscard]] bool remove();

    // For a grid: rows as loaded, without checking for changes by others.
    int rowCount() const { return int(keys_.size()); }
    QVariant valueAt(int row, int fieldIndex);
    qint64 rowIdAt(int row) const;

signals:
    void rowsReset();
    void rowChanged(int row);
    // The fields were read again (another program changed the table's definition).
    void fieldsChanged();

private:
    friend class Field;
    bool fail(const QString& message, DbError kind = DbError::Other);
    QString orderSql(const Database::OrderInfo& o, bool reverse) const;
    Database::OrderInfo resolveOrder(const QString& fields);
    bool loadKeys();
    qint64 keyAt(int pos) const;
    void readWindow(int pos) const;
    int positionOf(qint64 rowId);
    bool readAllKeys();
    bool keyGroup(qint64 rowId, int& before, std::vector<qint64>& group);
    void syncKeys(bool checkOthers);
    void adoptDefinition(qint64 definition);
    void setPosition(int pos);
    const QVector<QVariant>* rowFor(qint64 rowId);
    void prefetch(int row);
    QVector<QVariant> fetch(qint64 rowId, bool* found);
    void computeCalc(QVector<QVariant>& row);
    const QVector<QVariant>& currentValues();
    bool convertKey(const Database::OrderInfo& o, const QVariantList& in, QVariantList& out);
    bool passesPredicate(QVector<QVariant>& row);
    bool findImpl(const QVariantList& values, bool nearest);
    QString selectColumns() const;
    std::optional<QList<int>> fieldList(const QStringList& fields); // their indexes, or fails
    enum class KeyBound { From, Equal };
    bool scanImpl(const QString& orderFields, const QVariantList& fromKey, KeyBound bound, bool honourFilter,
                  const QList<int>* only,
                  const std::function<bool(qint64 rowId, const QVector<QVariant>& row)>& visit);

    QPointer<Database> db_;
    QString fileName_;
    QString sqlName_;
    State state_ = State::Inactive;
    QString error_;
    DbError errorKind_ = DbError::None;

    FieldDefs defs_;
    int tableFields_ = 0;
    FieldDefs calcDefs_;
    CalcHandler calc_;

    QString order_;
    Database::OrderInfo orderInfo_;
    QString filterText_;
    CompiledFilter compiled_;
    Predicate predicate_;
    bool filtered_ = false;

    // The order's row ids; 0 where a window of them is not read yet (see Backend::idWindow).
    mutable std::vector<qint64> keys_;
    mutable qint64 unread_ = 0;         // entries still 0
    mutable bool windowsStale_ = false; // a window was read after another program's change
    QString keysWhere_;                 // the filter the ids were read with
    QVariantList keysBinds_;
    bool keysValid_ = false;
    qint64 loadedChanges_ = -1;
    // The last row whose place was counted on the server, and the rows before its group: the
    // next count runs only between the two values (an incremental search moves a little).
    qint64 anchorRow_ = 0;
    int anchorBefore_ = 0;
    qint64 anchorChanges_ = -1;
    qint64 loadedDefinition_ = -1;
    QString fetchSql_;
    int pos_ = -1;
    qint64 curRowId_ = 0;
    QVector<QVariant> curKey_; // order values of the current record, to find its place again
    bool bof_ = true;
    bool eof_ = true;

    QHash<qint64, QVector<QVariant>> cache_;
    QVector<QVariant> current_;
    bool currentLoaded_ = false;
    QVector<QVariant> buffer_;
    QBitArray modified_;
    QVector<QVariant>* view_ = nullptr; // the row a calculation handler is filling
};

} // namespace vidoraw
