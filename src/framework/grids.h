#pragma once
// The program's grids. Qt's type-to-find (a typed letter jumps to the next row starting with
// it) is off in all of them: a list searches through its own search box only, and typing into
// a list ordered by several fields leaves it where it is.
#include <QTableView>
#include <QTableWidget>

namespace vidoraw {

class ListGrid : public QTableView {
public:
    using QTableView::QTableView;
    void keyboardSearch(const QString&) override {}
};

class EditGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    void keyboardSearch(const QString&) override {}
};

} // namespace vidoraw
