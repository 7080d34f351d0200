#pragma once
// A grid's view of an engine cursor: rows are fetched as they are shown.
#include "core/engine/table.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <functional>
#include <optional>

namespace vidoraw {

class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TableModel(QObject* parent = nullptr);

    // Shows the table's fields (all of them when fields is empty).
    void setTable(Table* table, const QStringList& fields = {});
    Table* table() const { return table_; }
    QString fieldAt(int column) const;
    int columnOf(const QString& field) const;

    // Row colours: (row, flagged) -> background and text; unset = the view's own.
    struct RowColours {
        QColor background;
        QColor text;
    };
    std::function<RowColours(int row)> rowColours;
    // Optional colours of one cell (e.g. a birth number failing its check).
    std::function<std::optional<RowColours>(int row, int column)> cellColours;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    void setHeaderTitle(int column, const QString& title);
    void setAlignment(int column, Qt::Alignment a);
    Qt::Alignment alignment(int column) const;

    // Re-reads the row count and every shown row.
    void reload();

private:
    void mapFields();

    QPointer<Table> table_;
    QStringList fieldNames_; // asked for; empty = all
    QList<int> fieldIndexes_;
    QStringList titles_;
    QList<Qt::Alignment> alignments_;
    int rows_ = 0;
};

} // namespace vidoraw
