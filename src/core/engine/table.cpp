#include "core/engine/table.h"

#include <QtDebug>
#include <algorithm>

namespace vidoraw {

namespace {
constexpr int kCacheLimit = 4096;

bool IsBlank(const QVariant& v) { return !v.isValid() || v.isNull(); }

// In keys an empty text is the same as a blank text field.
QVariant KeyValue(const FieldDef& def, const QVariant& v) {
    if (def.isText() && IsBlank(v))
        return QString();
    return v;
}

bool IsBlankKey(const FieldDef& def, const QVariant& v) {
    return IsBlank(v) || (def.isText() && v.toString().isEmpty());
}
} // namespace

// ---- Field ---------------------------------------------------------------------------------

bool Field::isValid() const { return t_ && i_ >= 0 && i_ < t_->defs_.size(); }
QString Field::name() const { return isValid() ? t_->defs_[i_].name : QString(); }
char Field::type() const { return isValid() ? t_->defs_[i_].type : 'U'; }
int Field::size() const { return isValid() ? t_->defs_[i_].size : 0; }

QVariant Field::value() const {
    if (!isValid())
        return QVariant();
    const QVector<QVariant>* row = nullptr;
    if (t_->view_)
        row = t_->view_;
    else if (t_->state_ == Table::State::Edit || t_->state_ == Table::State::Insert)
        row = &t_->buffer_;
    else
        row = &t_->currentValues();
    return i_ < row->size() ? row->at(i_) : QVariant();
}

bool Field::isNull() const {
    const QVariant v = value();
    return !v.isValid() || v.isNull();
}
QString Field::asString() const { return isValid() ? ValueAsString(t_->defs_[i_], value()) : QString(); }
qint64 Field::asInteger() const { return ValueAsInteger(value()); }
double Field::asFloat() const { return ValueAsFloat(value()); }
bool Field::asBool() const { return ValueAsBool(value()); }
double Field::asDays() const { return ValueAsDays(value()); }
QDate Field::asDate() const {
    const QVariant v = value();
    return v.typeId() == QMetaType::QDate ? v.toDate() : DayZero();
}

bool Field::setAsDays(double days) {
    if (isValid() && t_->defs_[i_].type == 'D')
        return setValue(DayZero().addDays(qint64(days)));
    return setValue(days);
}

bool Field::setValue(const QVariant& v) {
    if (!isValid())
        return t_ && t_->fail(QStringLiteral("Pole neexistuje."));
    const FieldDef& def = t_->defs_[i_];
    const bool calc = i_ >= t_->tableFields_;
    QVariant converted;
    QString why;
    if (!ConvertToField(def, v, converted, &why))
        return t_->fail(why);
    if (calc) {
        QVector<QVariant>& row = t_->view_ ? *t_->view_ : t_->current_;
        if (row.size() < t_->defs_.size())
            row.resize(t_->defs_.size());
        row[i_] = converted;
        return true;
    }
    if (t_->state_ != Table::State::Edit && t_->state_ != Table::State::Insert)
        return t_->fail(QStringLiteral("Tabuľka %1 nie je v režime úprav.").arg(t_->fileName_));
    t_->buffer_[i_] = converted;
    t_->modified_.setBit(i_);
    return true;
}

// ---- Table ---------------------------------------------------------------------------------

Table::Table(QObject* parent) : QObject(parent) {}

Table::Table(Database* db, const QString& fileName, QObject* parent)
    : QObject(parent), db_(db), fileName_(fileName), sqlName_(SqlTableName(fileName)) {}

Table::~Table() = default;

Field Table::field(const QString& name) {
    const int i = fieldIndex(name);
    if (i < 0)
        qWarning().noquote() << QStringLiteral("engine: table %1 has no field %2%3")
                                    .arg(fileName_, name,
                                         isOpen() ? QString()
                                                  : QStringLiteral(" (the table is not open)"));
    return Field(this, i);
}

Field Table::field(int index) {
    if (index < 0 || index >= defs_.size())
        qWarning().noquote() << QStringLiteral("engine: table %1 has no field number %2%3")
                                    .arg(fileName_)
                                    .arg(index)
                                    .arg(isOpen() ? QString()
                                                  : QStringLiteral(" (the table is not open)"));
    return Field(this, index);
}

void Table::setDatabase(Database* db) {
    close();
    db_ = db;
}

void Table::setTableName(const QString& fileName) {
    close();
    fileName_ = fileName;
    sqlName_ = SqlTableName(fileName);
}

bool Table::fail(const QString& message, DbError kind) {
    error_ = message;
    errorKind_ = kind;
    return false;
}

bool Table::exists() const { return db_ && db_->tableExists(fileName_); }

bool Table::open() {
    if (isOpen())
        return true;
    error_.clear();
    errorKind_ = DbError::None;
    if (!db_)
        return fail(QStringLiteral("Tabuľka %1 nemá databázu.").arg(fileName_));
    // The counter first, so that a definition changed by another program is read afresh.
    const Database::ChangeState now = db_->changeState(sqlName_);
    const FieldDefs own = db_->fieldDefs(fileName_);
    if (own.isEmpty())
        return fail(QStringLiteral("Tabuľka %1 neexistuje.").arg(fileName_));
    loadedDefinition_ = now.definition;
    fetchSql_.clear();
    defs_ = own;
    tableFields_ = int(own.size());
    defs_ << calcDefs_;
    modified_ = QBitArray(int(defs_.size()));
    orderInfo_ = resolveOrder(order_);
    if (!order_.isEmpty() && orderInfo_.fields.isEmpty()) {
        const QString why = error_;
        order_.clear();
        orderInfo_ = resolveOrder(QString());
        error_ = why;
    }
    if (!filterText_.isEmpty()) {
        QString why;
        if (!CompileFilter(filterText_, FieldDefs(defs_.mid(0, tableFields_)), db_->backend(),
                           compiled_, &why)) {
            filterText_.clear();
            compiled_ = {};
            error_ = why;
        }
    }
    state_ = State::Browse;
    keysValid_ = false;
    cache_.clear();
    curRowId_ = 0;
    loadKeys();
    setPosition(0);
    bof_ = true;
    emit rowsReset();
    return true;
}

void Table::close() {
    const bool wasOpen = isOpen();
    state_ = State::Inactive;
    keys_.clear();
    keys_.shrink_to_fit();
    unread_ = 0;
    windowsStale_ = false;
    keysValid_ = false;
    cache_.clear();
    current_.clear();
    currentLoaded_ = false;
    buffer_.clear();
    pos_ = -1;
    curRowId_ = 0;
    bof_ = eof_ = true;
    defs_.clear();
    tableFields_ = 0;
    if (wasOpen)
        emit rowsReset();
}

void Table::addCalcField(const FieldDef& def) {
    calcDefs_ << def;
    if (isOpen()) {
        defs_ << def;
        modified_.resize(int(defs_.size()));
        cache_.clear();
        currentLoaded_ = false;
    }
}

void Table::setCalcHandler(CalcHandler handler) {
    calc_ = std::move(handler);
    cache_.clear();
    currentLoaded_ = false;
}

Database::OrderInfo Table::resolveOrder(const QString& fields) {
    QStringList list = SplitFieldList(fields);
    if (list.isEmpty() && db_)
        list = db_->primaryFields(fileName_);
    if (list.isEmpty() || !db_)
        return {};
    Database::OrderInfo o = db_->orderInfo(fileName_, list);
    if (o.fields.isEmpty())
        fail(QStringLiteral("Tabuľka %1 nemá pole pre poradie \"%2\".").arg(fileName_, fields));
    return o;
}

QString Table::orderSql(const Database::OrderInfo& o, bool reverse) const {
    Backend& b = db_->backend();
    QStringList parts;
    QStringList used;
    auto add = [&](int fi, bool ci, bool desc) {
        const FieldDef& f = defs_[fi];
        QString c = b.quoteName(f.name.toUpper());
        if (f.isText())
            c = b.collated(c, ci);
        parts << b.orderTerm(c, desc != reverse);
        used << f.name.toUpper();
    };
    for (int fi : o.fieldIndexes)
        add(fi, o.caseInsensitive, o.descending);
    for (const QString& p : db_->primaryFields(fileName_)) {
        const int fi = fieldIndex(p);
        if (fi >= 0 && !used.contains(p.toUpper()))
            add(fi, false, o.descending);
    }
    parts << b.orderTerm(b.rowIdColumn(), o.descending != reverse);
    return parts.join(", ");
}

QString Table::selectColumns() const {
    QStringList cols;
    for (int i = 0; i < tableFields_; ++i)
        cols << db_->backend().quoteName(defs_[i].name.toUpper());
    return cols.join(", ");
}

bool Table::setOrder(const QString& fields) {
    if (!isOpen()) {
        order_ = fields;
        return true;
    }
    const Database::OrderInfo o = resolveOrder(fields);
    if (o.fields.isEmpty() && !SplitFieldList(fields).isEmpty())
        return false;
    const bool same = o.fields == orderInfo_.fields && o.caseInsensitive == orderInfo_.caseInsensitive &&
                      o.descending == orderInfo_.descending;
    order_ = fields;
    if (same && keysValid_)
        return true; // already in this order
    orderInfo_ = o;
    keysValid_ = false;
    syncKeys(true);
    return true;
}

bool Table::setFilterText(const QString& expression) {
    if (expression.trimmed().isEmpty()) {
        filterText_.clear();
        compiled_ = {};
    } else {
        if (!db_)
            return fail(QStringLiteral("Tabuľka %1 nemá databázu.").arg(fileName_));
        const FieldDefs fields = isOpen() ? FieldDefs(defs_.mid(0, tableFields_))
                                          : db_->fieldDefs(fileName_);
        CompiledFilter c;
        QString why;
        if (!CompileFilter(expression, fields, db_->backend(), c, &why))
            return fail(why);
        filterText_ = expression;
        compiled_ = c;
    }
    if (isOpen() && filtered_) {
        keysValid_ = false;
        syncKeys(true);
    }
    return true;
}

void Table::setFilterPredicate(Predicate p) {
    predicate_ = std::move(p);
    if (isOpen() && filtered_) {
        keysValid_ = false;
        syncKeys(true);
    }
}

void Table::setFiltered(bool on) {
    if (filtered_ == on)
        return;
    filtered_ = on;
    if (isOpen()) {
        keysValid_ = false;
        syncKeys(true);
    }
}

bool Table::passesPredicate(QVector<QVariant>& row) {
    if (!predicate_)
        return true;
    QVector<QVariant>* saved = view_;
    view_ = &row;
    const bool ok = predicate_(*this);
    view_ = saved;
    return ok;
}

bool Table::loadKeys() {
    if (!db_)
        return false;
    Backend& b = db_->backend();
    const bool useExpr = filtered_ && !compiled_.sql.isEmpty();
    const QString where = useExpr ? QStringLiteral(" WHERE ") + compiled_.sql : QString();
    const QVariantList binds = useExpr ? compiled_.binds : QVariantList();
    const QString order = orderSql(orderInfo_, false);
    loadedChanges_ = db_->changeState(sqlName_).rows;
    anchorRow_ = 0;
    keysWhere_ = where;
    keysBinds_ = binds;
    windowsStale_ = false;
    unread_ = 0;
    DbStatus st;
    bool ok;
    const int window = b.idWindow();
    if (filtered_ && predicate_) {
        keys_.clear();
        ok = b.query(QStringLiteral("SELECT %1, %2 FROM %3%4 ORDER BY %5")
                         .arg(b.rowIdColumn(), selectColumns(), b.quoteName(sqlName_), where, order),
                     binds,
                     [&](const QVariantList& r) {
                         QVector<QVariant> row(defs_.size());
                         for (int i = 0; i < tableFields_; ++i)
                             row[i] = FromStorage(defs_[i], r[i + 1]);
                         computeCalc(row);
                         if (passesPredicate(row))
                             keys_.push_back(r[0].toLongLong());
                         return true;
                     },
                     st);
    } else if (window > 0) {
        // The count and the first window in one statement: both see the same rows.
        keys_.clear();
        qint64 count = 0;
        ok = b.query(QStringLiteral("SELECT %1, (SELECT count(*) FROM %2%3) FROM %2%3 ORDER BY %4 "
                                    "LIMIT ?")
                         .arg(b.rowIdColumn(), b.quoteName(sqlName_), where, order),
                     QVariantList(binds) << binds << window,
                     [&](const QVariantList& r) {
                         keys_.push_back(r[0].toLongLong());
                         count = r[1].toLongLong();
                         return true;
                     },
                     st);
        if (ok && count > qint64(keys_.size())) {
            unread_ = count - qint64(keys_.size());
            keys_.resize(size_t(count), 0);
        }
    } else {
        ok = b.ids(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4")
                       .arg(b.rowIdColumn(), b.quoteName(sqlName_), where, order),
                   binds, keys_, st);
    }
    keysValid_ = ok;
    if (!ok) {
        keys_.clear();
        fail(st.message, st.kind);
    }
    return ok;
}

qint64 Table::keyAt(int pos) const {
    if (pos < 0 || pos >= int(keys_.size()))
        return 0;
    if (keys_[size_t(pos)] == 0)
        readWindow(pos);
    return keys_[size_t(pos)];
}

// The window of ids around a position; from the far end backwards in the second half, so that
// the server never skips more than half of the rows.
void Table::readWindow(int pos) const {
    if (!db_)
        return;
    Backend& b = db_->backend();
    const int n = int(keys_.size());
    const int window = std::max(b.idWindow(), 1);
    const int start = pos - pos % window;
    const int end = std::min(n, start + window);
    const bool backwards = start > n / 2;
    // Another program's change moves the rows under the windows: the next sync reads anew.
    if (db_->changeState(sqlName_).rows != loadedChanges_)
        windowsStale_ = true;
    DbStatus st;
    int at = backwards ? end - 1 : start;
    b.query(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4 LIMIT ? OFFSET ?")
                .arg(b.rowIdColumn(), b.quoteName(sqlName_), keysWhere_, orderSql(orderInfo_, backwards)),
            QVariantList(keysBinds_) << (end - start) << (backwards ? n - end : start),
            [&](const QVariantList& r) {
                if (at < start || at >= end)
                    return false;
                qint64& k = keys_[size_t(at)];
                if (k == 0)
                    --unread_;
                k = r[0].toLongLong();
                at += backwards ? -1 : 1;
                return true;
            },
            st);
    if (at != (backwards ? start - 1 : end))
        windowsStale_ = true; // fewer rows than counted: removed meanwhile
}

bool Table::readAllKeys() {
    Backend& b = db_->backend();
    std::vector<qint64> all;
    DbStatus st;
    if (!b.ids(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4")
                   .arg(b.rowIdColumn(), b.quoteName(sqlName_), keysWhere_, orderSql(orderInfo_, false)),
               keysBinds_, all, st))
        return fail(st.message, st.kind);
    if (all.size() != keys_.size())
        windowsStale_ = true;
    keys_ = std::move(all);
    unread_ = 0;
    return true;
}

// Where a row stands in the order without reading every id before it: the rows whose first
// order value comes before its own are counted, and those that share it are read in order.
bool Table::keyGroup(qint64 rowId, int& before, std::vector<qint64>& group) {
    Backend& b = db_->backend();
    QString raw, term;
    bool desc = orderInfo_.descending;
    if (!orderInfo_.fieldIndexes.isEmpty()) {
        const FieldDef& f = defs_[orderInfo_.fieldIndexes.first()];
        raw = b.quoteName(f.name.toUpper());
        term = f.isText() ? b.collated(raw, orderInfo_.caseInsensitive) : raw;
    } else {
        raw = term = b.rowIdColumn();
    }
    // A row's value (bound by its id), and collated as the column is.
    const QString own = QStringLiteral("(SELECT %1 FROM %2 WHERE %3 = ?)")
                            .arg(raw, b.quoteName(sqlName_), b.rowIdColumn());
    const QString ownTerm = term == raw ? own : b.collated(own, orderInfo_.caseInsensitive);
    const QString same = QStringLiteral("((%1 IS NULL AND %2 IS NULL) OR %3 = %4)").arg(own, raw, term, ownTerm);
    const QString filter =
        keysWhere_.isEmpty() ? QString() : '(' + keysWhere_.mid(7) + QStringLiteral(") AND ");
    // The rows before it: blanks (first ascending, last descending) and the values before
    // its own, counted apart so that each count runs along the order's index.
    const QString blanks = desc ? QStringLiteral("%1 IS NOT NULL AND %2 IS NULL").arg(raw, own)
                                : QStringLiteral("%1 IS NULL AND %2 IS NOT NULL").arg(raw, own);
    const QString values = QStringLiteral("%1 %2 %3").arg(term, desc ? ">" : "<", ownTerm);
    const QString table = b.quoteName(sqlName_);
    DbStatus st;
    qint64 count = -1;
    const qint64 changes = db_->changeState(sqlName_).rows;
    if (anchorRow_ != 0 && anchorRow_ != rowId && !desc && changes == anchorChanges_) {
        // Counted from the anchor: the rows between its value and this one, either way. Blanks
        // (on either side) are counted from the start.
        // The same value expressions, bound to the anchor's id.
        const QString& anchor = own;
        const QString& anchorTerm = ownTerm;
        qint64 delta = 0;
        bool usable = false;
        if (!b.query(QStringLiteral("SELECT CASE WHEN %1 IS NULL OR %2 IS NULL THEN NULL "
                                    "WHEN %3 >= %4 THEN (SELECT count(*) FROM %5 WHERE %6%7 >= %4 AND %7 < %3) "
                                    "ELSE -(SELECT count(*) FROM %5 WHERE %6%7 >= %3 AND %7 < %4) END")
                         .arg(own, anchor, ownTerm, anchorTerm, table, filter, term),
                     QVariantList() << rowId << anchorRow_ << rowId << anchorRow_ << keysBinds_ << anchorRow_
                                    << rowId << keysBinds_ << rowId << anchorRow_,
                     [&](const QVariantList& r) {
                         usable = !r[0].isNull();
                         delta = r[0].toLongLong();
                         return false;
                     },
                     st))
            return fail(st.message, st.kind);
        if (usable)
            count = anchorBefore_ + delta;
    }
    if (count < 0 &&
        !b.query(QStringLiteral("SELECT (SELECT count(*) FROM %1 WHERE %2%3) + "
                                "(SELECT count(*) FROM %1 WHERE %2%4)")
                     .arg(table, filter, blanks, values),
                 QVariantList(keysBinds_) << rowId << keysBinds_ << rowId,
                 [&](const QVariantList& r) {
                     count = r[0].toLongLong();
                     return false;
                 },
                 st))
        return fail(st.message, st.kind);
    if (count >= 0) {
        anchorRow_ = rowId;
        anchorBefore_ = int(count);
        anchorChanges_ = changes;
    }
    group.clear();
    if (!b.ids(QStringLiteral("SELECT %1 FROM %2 WHERE %3%4 ORDER BY %5")
                   .arg(b.rowIdColumn(), b.quoteName(sqlName_), filter, same, orderSql(orderInfo_, false)),
               QVariantList(keysBinds_) << rowId << rowId, group, st))
        return fail(st.message, st.kind);
    before = int(count);
    return count >= 0;
}

// The position of a row in the order, -1 when it is not in it.
int Table::positionOf(qint64 rowId) {
    if (rowId == 0)
        return -1;
    auto it = std::find(keys_.begin(), keys_.end(), rowId);
    if (it != keys_.end() || unread_ == 0)
        return it == keys_.end() ? -1 : int(it - keys_.begin());
    int before = 0;
    std::vector<qint64> group;
    if (!keyGroup(rowId, before, group))
        return -1;
    const auto in = std::find(group.begin(), group.end(), rowId);
    if (in == group.end())
        return -1; // not in the order (gone, or filtered out)
    // The group is known now; a place that does not fit means the rows moved since the count.
    bool fits = before + group.size() <= keys_.size();
    for (size_t i = 0; fits && i < group.size(); ++i) {
        qint64& k = keys_[size_t(before) + i];
        fits = k == 0 || k == group[i];
        if (fits && k == 0) {
            k = group[i];
            --unread_;
        }
    }
    if (fits)
        return before + int(in - group.begin());
    if (!readAllKeys())
        return -1;
    it = std::find(keys_.begin(), keys_.end(), rowId);
    return it == keys_.end() ? -1 : int(it - keys_.begin());
}

void Table::adoptDefinition(qint64 definition) {
    loadedDefinition_ = definition;
    const FieldDefs own = db_->fieldDefs(fileName_);
    if (own.isEmpty())
        return; // gone: reading the rows reports it
    const FieldDefs before = defs_.mid(0, tableFields_);
    const bool same = own == before;
    if (!same) {
        const QVector<QVariant> oldBuffer = buffer_;
        const QBitArray oldModified = modified_;
        defs_ = own;
        tableFields_ = int(own.size());
        defs_ << calcDefs_;
        fetchSql_.clear();
        modified_ = QBitArray(int(defs_.size()));
        if (state_ == State::Edit || state_ == State::Insert) {
            // What the user typed stays with its field.
            buffer_ = QVector<QVariant>(defs_.size());
            for (int i = 0; i < tableFields_; ++i) {
                const int old = FindField(before, defs_[i].name);
                if (old >= 0) {
                    buffer_[i] = oldBuffer.value(old);
                    modified_.setBit(i, old < oldModified.size() && oldModified.testBit(old));
                }
            }
        }
        if (!filterText_.isEmpty()) {
            CompiledFilter c;
            QString why;
            if (CompileFilter(filterText_, own, db_->backend(), c, &why))
                compiled_ = c;
        }
    }
    // Redefined indexes may have changed the order's case rule.
    const Database::OrderInfo o = resolveOrder(order_);
    if (!o.fields.isEmpty())
        orderInfo_ = o;
    cache_.clear();
    currentLoaded_ = false;
    if (!same)
        emit fieldsChanged();
}

void Table::syncKeys(bool checkOthers) {
    if (!isOpen())
        return;
    if (checkOthers) {
        const Database::ChangeState now = db_->changeState(sqlName_);
        if (now.definition != loadedDefinition_) {
            adoptDefinition(now.definition);
            keysValid_ = false;
        } else if (keysValid_ && !windowsStale_ && now.rows == loadedChanges_) {
            return;
        }
    } else if (keysValid_ && !windowsStale_) {
        return;
    }
    const qint64 keep = curRowId_;
    const QVector<QVariant> keepKey = curKey_;
    cache_.clear();
    loadKeys();
    int pos = positionOf(keep);
    if (pos < 0 && keep != 0 && !keepKey.isEmpty()) {
        // The record left the view (deleted or filtered out): stand where it would be.
        QVariantList key;
        for (const QVariant& v : keepKey)
            key << v;
        qint64 found = 0;
        scanOrder(order_, key, true, [&](qint64 id, const QVector<QVariant>&) {
            found = id;
            return false;
        });
        if (found) {
            pos = positionOf(found);
        } else if (!keys_.empty()) {
            pos = int(keys_.size()) - 1;
        }
    }
    const bool wasBof = bof_, wasEof = eof_;
    setPosition(pos < 0 ? 0 : pos);
    if (pos >= 0) {
        bof_ = wasBof && pos == 0;
        eof_ = wasEof && pos == int(keys_.size()) - 1;
    }
    emit rowsReset();
}

void Table::setPosition(int pos) {
    const int n = int(keys_.size());
    currentLoaded_ = false;
    if (n == 0) {
        pos_ = -1;
        curRowId_ = 0;
        curKey_.clear();
        bof_ = eof_ = true;
        return;
    }
    pos_ = std::clamp(pos, 0, n - 1);
    curRowId_ = keyAt(pos_);
    bof_ = eof_ = false;
    curKey_.clear();
    if (const QVector<QVariant>* row = rowFor(curRowId_))
        for (int fi : orderInfo_.fieldIndexes)
            curKey_ << row->at(fi);
}

void Table::first() {
    if (!isOpen())
        return;
    syncKeys(true);
    setPosition(0);
    bof_ = true;
    eof_ = keys_.empty();
}

void Table::last() {
    if (!isOpen())
        return;
    syncKeys(true);
    setPosition(int(keys_.size()) - 1);
    eof_ = true;
    bof_ = keys_.empty();
}

void Table::next() {
    if (!isOpen())
        return;
    syncKeys(false);
    if (pos_ >= 0 && pos_ + 1 < int(keys_.size())) {
        setPosition(pos_ + 1);
    } else {
        eof_ = true;
        bof_ = keys_.empty();
    }
}

void Table::prior() {
    if (!isOpen())
        return;
    syncKeys(false);
    if (pos_ > 0) {
        setPosition(pos_ - 1);
    } else {
        bof_ = true;
        eof_ = keys_.empty();
    }
}

int Table::moveBy(int distance) {
    if (!isOpen())
        return 0;
    syncKeys(false);
    const int n = int(keys_.size());
    if (n == 0)
        return 0;
    const int target = std::clamp(pos_ + distance, 0, n - 1);
    const int moved = target - pos_;
    setPosition(target);
    if (moved != distance) {
        if (distance > 0)
            eof_ = true;
        else
            bof_ = true;
    }
    return moved;
}

int Table::recordCount() {
    if (!isOpen())
        return 0;
    syncKeys(true);
    return int(keys_.size());
}

int Table::recNo() const { return keysValid_ ? pos_ : -1; }

bool Table::gotoRecNo(int position) {
    if (!isOpen())
        return false;
    syncKeys(false);
    if (position < 0 || position >= int(keys_.size()))
        return false;
    setPosition(position);
    return true;
}

bool Table::gotoBookmark(qint64 bookmark) {
    if (!isOpen() || bookmark == 0)
        return false;
    syncKeys(true);
    const int pos = positionOf(bookmark);
    if (pos < 0)
        return fail(QStringLiteral("Záznam už nie je v tabuľke %1.").arg(fileName_));
    setPosition(pos);
    return true;
}

void Table::refresh() {
    if (!isOpen())
        return;
    keysValid_ = false;
    syncKeys(true);
}

const QVector<QVariant>* Table::rowFor(qint64 rowId) {
    auto it = cache_.constFind(rowId);
    if (it != cache_.constEnd())
        return &*it;
    bool found = false;
    QVector<QVariant> row = fetch(rowId, &found);
    if (!found)
        return nullptr;
    if (cache_.size() >= kCacheLimit)
        cache_.clear();
    return &*cache_.insert(rowId, row);
}

QVector<QVariant> Table::fetch(qint64 rowId, bool* found) {
    Backend& b = db_->backend();
    QVector<QVariant> row(defs_.size());
    *found = false;
    DbStatus st;
    if (fetchSql_.isEmpty()) // made once: rows are fetched one by one as they are shown
        fetchSql_ = QStringLiteral("SELECT %1 FROM %2 WHERE %3=?")
                        .arg(selectColumns(), b.quoteName(sqlName_), b.rowIdColumn());
    b.query(fetchSql_, {rowId},
            [&](const QVariantList& r) {
                for (int i = 0; i < tableFields_; ++i)
                    row[i] = FromStorage(defs_[i], r[i]);
                *found = true;
                return false;
            },
            st);
    if (*found)
        computeCalc(row);
    return row;
}

void Table::computeCalc(QVector<QVariant>& row) {
    if (!calc_ || calcDefs_.isEmpty())
        return;
    QVector<QVariant>* saved = view_;
    view_ = &row;
    calc_(*this);
    view_ = saved;
}

const QVector<QVariant>& Table::currentValues() {
    if (!currentLoaded_) {
        current_.clear();
        if (curRowId_ != 0) {
            if (const QVector<QVariant>* row = rowFor(curRowId_))
                current_ = *row;
        }
        if (current_.size() < defs_.size())
            current_.resize(defs_.size());
        currentLoaded_ = true;
    }
    return current_;
}

QVector<QVariant> Table::rowValues(qint64 rowId) {
    if (!isOpen())
        return QVector<QVariant>();
    // Read again: another program may have changed the row since it was cached.
    cache_.remove(rowId);
    const QVector<QVariant>* row = rowFor(rowId);
    return row ? *row : QVector<QVariant>();
}

QVariant Table::valueAt(int row, int fieldIndex) {
    if (row < 0 || row >= int(keys_.size()) || fieldIndex < 0 || fieldIndex >= defs_.size())
        return QVariant();
    const qint64 id = keyAt(row);
    if (!cache_.contains(id) && db_ && db_->backend().idWindow() > 0)
        prefetch(row);
    const QVector<QVariant>* r = rowFor(id);
    return r ? r->at(fieldIndex) : QVariant();
}

// A grid asks for one row after the other: on a server the rows of a screen come in one
// statement instead of one each.
void Table::prefetch(int row) {
    constexpr int kRows = 48;
    Backend& b = db_->backend();
    QVariantList ids;
    for (int i = row; i < int(keys_.size()) && ids.size() < kRows; ++i) {
        const qint64 id = keyAt(i);
        if (id != 0 && !cache_.contains(id))
            ids << id;
    }
    if (ids.isEmpty())
        return;
    while (ids.size() < kRows)
        ids << qint64(0); // one statement for any number of rows: no row has id 0
    QStringList marks;
    for (int i = 0; i < kRows; ++i)
        marks << QStringLiteral("?");
    if (cache_.size() + kRows >= kCacheLimit)
        cache_.clear();
    DbStatus st;
    b.query(QStringLiteral("SELECT %1, %2 FROM %3 WHERE %1 IN (%4)")
                .arg(b.rowIdColumn(), selectColumns(), b.quoteName(sqlName_), marks.join(", ")),
            ids,
            [&](const QVariantList& r) {
                QVector<QVariant> values(defs_.size());
                for (int i = 0; i < tableFields_; ++i)
                    values[i] = FromStorage(defs_[i], r[i + 1]);
                computeCalc(values);
                cache_.insert(r[0].toLongLong(), values);
                return true;
            },
            st);
}

qint64 Table::rowIdAt(int row) const {
    return keyAt(row);
}

bool Table::convertKey(const Database::OrderInfo& o, const QVariantList& in, QVariantList& out) {
    out.clear();
    if (in.size() > o.fieldIndexes.size())
        return fail(QStringLiteral("Kľúč má viac hodnôt ako poradie polí."));
    for (int i = 0; i < in.size(); ++i) {
        QVariant v;
        QString why;
        const FieldDef& def = defs_[o.fieldIndexes[i]];
        if (!ConvertToField(def, in[i], v, &why))
            return fail(why);
        // An empty key is a blank key: it stands before every text.
        if (def.isText() && v.toString().isEmpty())
            v = QVariant();
        out << v;
    }
    return true;
}

bool Table::scanOrder(const QString& orderFields, const QVariantList& fromKey, bool honourFilter,
                      const std::function<bool(qint64, const QVector<QVariant>&)>& visit) {
    return scanImpl(orderFields, fromKey, KeyBound::From, honourFilter, nullptr, visit);
}

bool Table::scanFields(const QString& orderFields, const QVariantList& fromKey,
                       const QStringList& fields,
                       const std::function<bool(qint64, const QVector<QVariant>&)>& visit) {
    std::optional<QList<int>> only = fieldList(fields);
    return only && scanImpl(orderFields, fromKey, KeyBound::From, false, &*only, visit);
}

bool Table::scanGroup(const QString& orderFields, const QVariantList& key, const QStringList& fields,
                      const std::function<bool(qint64, const QVector<QVariant>&)>& visit) {
    std::optional<QList<int>> only = fieldList(fields);
    return only && scanImpl(orderFields, key, KeyBound::Equal, false, &*only, visit);
}

std::optional<QList<int>> Table::fieldList(const QStringList& fields) {
    if (!isOpen() && !open())
        return std::nullopt;
    QList<int> only;
    for (const QString& f : fields) {
        const int i = fieldIndex(f);
        if (i < 0 || i >= tableFields_) {
            fail(QStringLiteral("Tabuľka %1 nemá pole %2.").arg(fileName_, f));
            return std::nullopt;
        }
        only << i;
    }
    return only;
}

bool Table::scanImpl(const QString& orderFields, const QVariantList& fromKey, KeyBound bound, bool honourFilter,
                     const QList<int>* only,
                     const std::function<bool(qint64, const QVector<QVariant>&)>& visit) {
    if (!isOpen() && !open())
        return false;
    const Database::OrderInfo o =
        SplitFieldList(orderFields).isEmpty() ? resolveOrder(QString()) : resolveOrder(orderFields);
    if (o.fieldIndexes.isEmpty())
        return false;
    QVariantList key;
    if (!convertKey(o, fromKey, key))
        return false;
    Backend& b = db_->backend();
    QStringList conds;
    QVariantList binds;
    if (honourFilter && filtered_ && !compiled_.sql.isEmpty()) {
        conds << '(' + compiled_.sql + ')';
        binds << compiled_.binds;
    }
    if (!key.isEmpty() && bound == KeyBound::Equal) {
        for (int i = 0; i < key.size(); ++i) {
            const FieldDef& f = defs_[o.fieldIndexes[i]];
            const QString raw = b.quoteName(f.name.toUpper());
            if (!key[i].isValid() || key[i].isNull()) {
                conds << (f.isText() ? QStringLiteral("(%1 IS NULL OR %1 = '')").arg(raw)
                                     : raw + QStringLiteral(" IS NULL"));
            } else {
                conds << (f.isText() ? b.collated(raw, o.caseInsensitive) : raw) + QStringLiteral(" = ?");
                binds << ToStorage(f, key[i]);
            }
        }
    } else if (!key.isEmpty()) {
        auto colOf = [&](int i) {
            const FieldDef& f = defs_[o.fieldIndexes[i]];
            const QString c = b.quoteName(f.name.toUpper());
            return f.isText() ? b.collated(c, o.caseInsensitive) : c;
        };
        auto isNull = [](const QVariant& v) { return !v.isValid() || v.isNull(); };
        auto rawOf = [&](int i) { return b.quoteName(defs_[o.fieldIndexes[i]].name.toUpper()); };
        // A text field is empty whether it is blank or "".
        auto blank = [&](int i) {
            return defs_[o.fieldIndexes[i]].isText()
                       ? QStringLiteral("(%1 IS NULL OR %1 = '')").arg(rawOf(i))
                       : rawOf(i) + QStringLiteral(" IS NULL");
        };
        auto filled = [&](int i) {
            return defs_[o.fieldIndexes[i]].isText()
                       ? QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(rawOf(i))
                       : rawOf(i) + QStringLiteral(" IS NOT NULL");
        };
        // Lexicographic "key not below fromKey" in the order's direction; blanks come first
        // ascending and last descending.
        QStringList alts;
        QVariantList altBinds;
        for (int j = 0; j < key.size(); ++j) {
            QStringList all;
            for (int i = 0; i < j; ++i) {
                if (isNull(key[i])) {
                    all << blank(i);
                } else {
                    all << colOf(i) + QStringLiteral(" = ?");
                    altBinds << ToStorage(defs_[o.fieldIndexes[i]], key[i]);
                }
            }
            const bool lastPart = j == key.size() - 1;
            const QString raw = rawOf(j);
            const QVariant v = ToStorage(defs_[o.fieldIndexes[j]], key[j]);
            if (!o.descending) {
                if (isNull(key[j])) {
                    all << (lastPart ? QStringLiteral("1=1") : filled(j));
                } else {
                    all << colOf(j) + (lastPart ? QStringLiteral(" >= ?") : QStringLiteral(" > ?"));
                    altBinds << v;
                }
            } else {
                if (isNull(key[j])) {
                    all << (lastPart ? blank(j) : QStringLiteral("0=1"));
                } else {
                    all << '(' + colOf(j) + (lastPart ? QStringLiteral(" <= ?") : QStringLiteral(" < ?")) +
                               QStringLiteral(" OR ") + raw + QStringLiteral(" IS NULL)");
                    altBinds << v;
                }
            }
            alts << '(' + all.join(QStringLiteral(" AND ")) + ')';
        }
        QString cond = '(' + alts.join(QStringLiteral(" OR ")) + ')';
        if (!o.descending && !isNull(key[0])) {
            // A plain range on the first field lets the index start at the key.
            cond = '(' + colOf(0) + QStringLiteral(" >= ? AND ") + cond + ')';
            altBinds.prepend(ToStorage(defs_[o.fieldIndexes[0]], key[0]));
        }
        conds << cond;
        binds << altBinds;
    }
    const QString where = conds.isEmpty() ? QString() : QStringLiteral(" WHERE ") + conds.join(" AND ");
    const bool usePredicate = honourFilter && filtered_ && predicate_;
    DbStatus st;
    QString columns = selectColumns();
    if (only) {
        QStringList cols;
        for (int i : *only)
            cols << b.quoteName(defs_[i].name.toUpper());
        columns = cols.join(", ");
    }
    const bool ok = b.query(QStringLiteral("SELECT %1, %2 FROM %3%4 ORDER BY %5")
                                .arg(b.rowIdColumn(), columns, b.quoteName(sqlName_), where,
                                     orderSql(o, false)),
                            binds,
                            [&](const QVariantList& r) {
                                QVector<QVariant> row(defs_.size());
                                if (only) {
                                    for (int k = 0; k < only->size(); ++k)
                                        row[(*only)[k]] = FromStorage(defs_[(*only)[k]], r[k + 1]);
                                    return visit(r[0].toLongLong(), row);
                                }
                                for (int i = 0; i < tableFields_; ++i)
                                    row[i] = FromStorage(defs_[i], r[i + 1]);
                                computeCalc(row);
                                if (usePredicate && !passesPredicate(row))
                                    return true;
                                return visit(r[0].toLongLong(), row);
                            },
                            st);
    if (!ok)
        return fail(st.message, st.kind);
    return true;
}

std::optional<qint64> Table::locate(const QString& orderFields, const QVariantList& key,
                                    bool honourFilter) {
    if (!isOpen() && !open())
        return std::nullopt;
    const Database::OrderInfo o = SplitFieldList(orderFields).isEmpty()
                                      ? resolveOrder(QString())
                                      : resolveOrder(orderFields);
    QVariantList converted;
    if (o.fieldIndexes.isEmpty() || !convertKey(o, key, converted))
        return std::nullopt;
    std::optional<qint64> result;
    scanOrder(orderFields, key, honourFilter, [&](qint64 id, const QVector<QVariant>& row) {
        bool equal = true;
        for (int i = 0; i < converted.size() && equal; ++i) {
            const int fi = o.fieldIndexes[i];
            equal = CompareFieldValues(defs_[fi], KeyValue(defs_[fi], row[fi]),
                                       KeyValue(defs_[fi], converted[i]), o.caseInsensitive) == 0;
        }
        if (equal)
            result = id;
        return false;
    });
    return result;
}

bool Table::findImpl(const QVariantList& values, bool nearest) {
    if (!isOpen())
        return fail(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(fileName_));
    syncKeys(true);
    qint64 found = 0;
    bool exact = false;
    if (nearest) {
        if (!scanOrder(order_, values, true, [&](qint64 id, const QVector<QVariant>&) {
                found = id;
                return false;
            }))
            return false;
    } else {
        const std::optional<qint64> id = locate(order_, values, true);
        if (!id)
            return false;
        found = *id;
        exact = true;
    }
    if (found == 0) {
        // Nothing at or after the key: stand on the last record.
        setPosition(int(keys_.size()) - 1);
        eof_ = true;
        return false;
    }
    int pos = positionOf(found);
    if (pos < 0) {
        keysValid_ = false;
        syncKeys(true);
        pos = positionOf(found);
        if (pos < 0)
            return false;
    }
    setPosition(pos);
    return nearest ? true : exact;
}

bool Table::findKey(const QVariantList& values) { return findImpl(values, false); }
bool Table::findNearest(const QVariantList& values) { return findImpl(values, true); }

QVariant Table::lastValueInOrder(const QString& orderFields, const QString& fieldName) {
    if (!isOpen() && !open())
        return QVariant();
    const int fi = fieldIndex(fieldName);
    if (fi < 0 || fi >= tableFields_) {
        fail(QStringLiteral("Tabuľka %1 nemá pole %2.").arg(fileName_, fieldName));
        return QVariant();
    }
    const Database::OrderInfo o = resolveOrder(orderFields);
    if (o.fieldIndexes.isEmpty())
        return QVariant();
    Backend& b = db_->backend();
    QVariant result;
    DbStatus st;
    b.query(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3 LIMIT 1")
                .arg(b.quoteName(defs_[fi].name.toUpper()), b.quoteName(sqlName_), orderSql(o, true)),
            {},
            [&](const QVariantList& r) {
                result = FromStorage(defs_[fi], r[0]);
                return false;
            },
            st);
    if (!st.ok())
        fail(st.message, st.kind);
    return result;
}

bool Table::append() {
    if (!isOpen())
        return fail(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(fileName_));
    if (state_ == State::Edit || state_ == State::Insert)
        cancel();
    buffer_ = QVector<QVariant>(defs_.size());
    modified_.fill(false);
    state_ = State::Insert;
    return true;
}

bool Table::edit() {
    if (!isOpen())
        return fail(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(fileName_));
    if (state_ == State::Edit || state_ == State::Insert)
        return true;
    if (curRowId_ == 0)
        return fail(QStringLiteral("Tabuľka %1 nemá aktuálny záznam.").arg(fileName_));
    cache_.remove(curRowId_);
    currentLoaded_ = false;
    bool found = false;
    QVector<QVariant> row = fetch(curRowId_, &found);
    if (!found)
        return fail(QStringLiteral("Záznam medzitým zmazal iný užívateľ."));
    buffer_ = row;
    modified_.fill(false);
    state_ = State::Edit;
    return true;
}

void Table::cancel() {
    if (state_ == State::Edit || state_ == State::Insert)
        state_ = State::Browse;
    buffer_.clear();
    currentLoaded_ = false;
}

bool Table::post() {
    if (state_ != State::Edit && state_ != State::Insert)
        return fail(QStringLiteral("Tabuľka %1 nie je v režime úprav.").arg(fileName_));
    // A record without its key could never be found again, and blanks would repeat unnoticed.
    for (const QString& p : db_->primaryFields(fileName_)) {
        const int fi = fieldIndex(p);
        if (fi < 0 || fi >= tableFields_ || (state_ == State::Edit && !modified_.testBit(fi)))
            continue;
        if (IsBlankKey(defs_[fi], buffer_[fi]))
            return fail(QStringLiteral("Kľúčové pole %1 v tabuľke %2 nesmie byť prázdne.")
                            .arg(defs_[fi].name, fileName_),
                        DbError::Constraint);
    }
    Backend& b = db_->backend();
    QStringList cols;
    QVariantList binds;
    bool keysStay = state_ == State::Edit && !(filtered_ && predicate_);
    for (int i = 0; i < tableFields_; ++i) {
        if (state_ == State::Insert ? buffer_[i].isNull() && !modified_.testBit(i)
                                    : !modified_.testBit(i))
            continue;
        cols << b.quoteName(defs_[i].name.toUpper());
        binds << ToStorage(defs_[i], buffer_[i]);
        if (orderInfo_.fieldIndexes.contains(i) ||
            (filtered_ && compiled_.fields.contains(defs_[i].name, Qt::CaseInsensitive)))
            keysStay = false;
    }
    QString why;
    DbError kind = DbError::None;
    if (!db_->beginWrite(&why, &kind))
        return fail(why, kind);
    DbStatus st;
    qint64 newId = curRowId_;
    int changes = 0;
    bool ok;
    // The database counts every written row, one each; knowing the count before lets this
    // cursor keep its rows when nobody else wrote meanwhile.
    const qint64 before = db_->changeState(sqlName_).rows;
    if (state_ == State::Insert) {
        QStringList marks;
        for (int i = 0; i < cols.size(); ++i)
            marks << QStringLiteral("?");
        ok = cols.isEmpty()
                 ? b.exec(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(b.quoteName(sqlName_)),
                          {}, st, &newId, &changes)
                 : b.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(b.quoteName(sqlName_), cols.join(", "), marks.join(", ")),
                          binds, st, &newId, &changes);
    } else if (cols.isEmpty()) {
        ok = true;
        changes = 1;
    } else {
        QStringList sets;
        for (const QString& c : cols)
            sets << c + QStringLiteral(" = ?");
        binds << curRowId_;
        ok = b.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                        .arg(b.quoteName(sqlName_), sets.join(", "), b.rowIdColumn()),
                    binds, st, nullptr, &changes);
        if (ok && changes == 0) {
            ok = false;
            st = {DbError::Other, QStringLiteral("Záznam medzitým zmazal iný užívateľ.")};
        }
    }
    const qint64 after = before + (cols.isEmpty() ? 0 : changes);
    if (ok && !cols.isEmpty())
        db_->noteChange(sqlName_, changes);
    if (!ok) {
        db_->rollbackWrite();
        if (st.kind == DbError::Constraint)
            return fail(QStringLiteral("Záznam s rovnakým kľúčom už v tabuľke %1 existuje.")
                            .arg(fileName_),
                        DbError::Constraint);
        return fail(st.message, st.kind);
    }
    if (!db_->commitWrite(&why))
        return fail(why);
    const bool wasInsert = state_ == State::Insert;
    state_ = State::Browse;
    buffer_.clear();
    cache_.remove(newId);
    currentLoaded_ = false;
    curRowId_ = newId;
    if (!cols.isEmpty()) {
        if (keysStay && keysValid_ && before == loadedChanges_)
            loadedChanges_ = after;
        else
            keysValid_ = false;
    }
    curKey_.clear();
    if (const QVector<QVariant>* row = rowFor(curRowId_))
        for (int fi : orderInfo_.fieldIndexes)
            curKey_ << row->at(fi);
    if (keysValid_ && !wasInsert && pos_ >= 0)
        emit rowChanged(pos_);
    else
        pos_ = -1;
    return true;
}

bool Table::remove() {
    if (!isOpen())
        return fail(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(fileName_));
    if (state_ == State::Edit || state_ == State::Insert)
        cancel();
    syncKeys(false);
    if (curRowId_ == 0)
        return fail(QStringLiteral("Tabuľka %1 nemá aktuálny záznam.").arg(fileName_));
    Backend& b = db_->backend();
    QString why;
    DbError kind = DbError::None;
    if (!db_->beginWrite(&why, &kind))
        return fail(why, kind);
    DbStatus st;
    const qint64 before = db_->changeState(sqlName_).rows;
    int changes = 0;
    const bool ok = b.exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                               .arg(b.quoteName(sqlName_), b.rowIdColumn()),
                           {curRowId_}, st, nullptr, &changes);
    if (!ok) {
        db_->rollbackWrite();
        return fail(st.message, st.kind);
    }
    db_->noteChange(sqlName_, changes);
    const qint64 after = before + changes;
    if (!db_->commitWrite(&why))
        return fail(why);
    cache_.remove(curRowId_);
    const qint64 gone = curRowId_;
    const int at = positionOf(gone);
    if (at >= 0) {
        keys_.erase(keys_.begin() + at);
        if (keysValid_ && before == loadedChanges_)
            loadedChanges_ = after;
        else
            keysValid_ = false;
        setPosition(at);
    } else {
        keysValid_ = false;
    }
    emit rowsReset();
    return true;
}

} // namespace vidoraw
