#pragma once
// The edit grids' painter: rows in the two colour pairs of the lists, the grid's header
// counted as row 0, so the first row takes pair 2. A grid adjusts its own columns on top.
#include "framework/appcontext.h"

#include <QStyledItemDelegate>

namespace vidoraw {

class PairedRowsPainter : public QStyledItemDelegate {
public:
    PairedRowsPainter(const ListColours& colours, QObject* parent)
        : QStyledItemDelegate(parent), colours_(colours) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const bool pair2 = index.row() % 2 == 0;
        option->backgroundBrush = pair2 ? colours_.background2 : colours_.background1;
        option->palette.setColor(QPalette::Text, pair2 ? colours_.text2 : colours_.text1);
        adjust(option, index);
    }
    virtual void adjust(QStyleOptionViewItem*, const QModelIndex&) const {}

private:
    const ListColours& colours_;
};

} // namespace vidoraw
