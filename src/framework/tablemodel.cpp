#include "framework/tablemodel.h"

namespace vidoraw {

TableModel::TableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TableModel::setTable(Table* table, const QStringList& fields) {
    beginResetModel();
    if (table_)
        disconnect(table_, nullptr, this, nullptr);
    table_ = table;
    fieldNames_ = fields;
    fieldIndexes_.clear();
    titles_.clear();
    alignments_.clear();
    if (table_) {
        mapFields();
        connect(table_, &Table::rowsReset, this, &TableModel::reload);
        connect(table_, &Table::rowChanged, this, [this](int row) {
            if (row >= 0 && row < rows_ && columnCount() > 0)
                emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        });
        // Another program changed the fields: the shown ones keep their columns and titles.
        connect(table_, &Table::fieldsChanged, this, [this] {
            beginResetModel();
            mapFields();
            rows_ = table_->rowCount();
            endResetModel();
        });
        // Never read a table that is gone.
        connect(table_, &QObject::destroyed, this, [this] {
            beginResetModel();
            table_ = nullptr;
            fieldIndexes_.clear();
            titles_.clear();
            alignments_.clear();
            rows_ = 0;
            endResetModel();
        });
    }
    rows_ = table_ ? table_->rowCount() : 0;
    endResetModel();
}

void TableModel::mapFields() {
    const qsizetype columns = fieldIndexes_.size();
    fieldIndexes_.clear();
    const FieldDefs& defs = table_->fieldDefs();
    if (fieldNames_.isEmpty()) {
        for (int i = 0; i < defs.size(); ++i)
            fieldIndexes_ << i;
    } else {
        for (const QString& f : fieldNames_)
            if (table_->fieldIndex(f) >= 0)
                fieldIndexes_ << table_->fieldIndex(f);
    }
    if (fieldIndexes_.size() == columns && titles_.size() == columns)
        return;
    titles_.clear();
    alignments_.clear();
    for (int fi : fieldIndexes_) {
        titles_ << defs[fi].name.toUpper();
        alignments_ << ((defs[fi].isNumeric() ? Qt::AlignRight : Qt::AlignLeft) |
                        Qt::AlignVCenter);
    }
}

void TableModel::reload() {
    beginResetModel();
    rows_ = table_ ? table_->rowCount() : 0;
    endResetModel();
}

QString TableModel::fieldAt(int column) const {
    if (!table_ || column < 0 || column >= fieldIndexes_.size() ||
        fieldIndexes_[column] >= table_->fieldDefs().size()) // closed meanwhile
        return {};
    return table_->fieldDefs()[fieldIndexes_[column]].name;
}

int TableModel::columnOf(const QString& field) const {
    for (int c = 0; c < fieldIndexes_.size(); ++c)
        if (fieldAt(c).compare(field, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

int TableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(fieldIndexes_.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!table_ || !index.isValid() || index.row() >= rows_ || index.column() >= fieldIndexes_.size())
        return {};
    const int fi = fieldIndexes_[index.column()];
    if (fi >= table_->fieldDefs().size()) // closed meanwhile
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return ValueAsString(table_->fieldDefs()[fi], table_->valueAt(index.row(), fi));
    case Qt::TextAlignmentRole:
        return int(alignments_[index.column()]);
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
        std::optional<RowColours> c;
        if (cellColours)
            c = cellColours(index.row(), index.column());
        if (!c && rowColours)
            c = rowColours(index.row());
        if (!c)
            return {};
        const QColor& col = role == Qt::BackgroundRole ? c->background : c->text;
        return col.isValid() ? QVariant(col) : QVariant();
    }
    default:
        return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < titles_.size())
        return titles_[section];
    if (o == Qt::Horizontal && role == Qt::TextAlignmentRole && section >= 0 &&
        section < alignments_.size())
        return int(alignments_[section]);
    return QAbstractTableModel::headerData(section, o, role);
}

void TableModel::setHeaderTitle(int column, const QString& title) {
    if (column < 0 || column >= titles_.size())
        return;
    titles_[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void TableModel::setAlignment(int column, Qt::Alignment a) {
    if (column < 0 || column >= alignments_.size())
        return;
    alignments_[column] = a | Qt::AlignVCenter;
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (rows_ > 0)
        emit dataChanged(index(0, column), index(rows_ - 1, column), {Qt::TextAlignmentRole});
}

Qt::Alignment TableModel::alignment(int column) const {
    return column >= 0 && column < alignments_.size() ? alignments_[column] : Qt::AlignLeft;
}

} // namespace vidoraw
