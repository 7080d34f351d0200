#pragma once
// The edit box laid over one cell of a grid: Enter keeps what was typed, Escape asks before it
// drops it, leaving the box drops it.
#include <QLineEdit>
#include <functional>

class QTableWidget;

namespace vidoraw {

// A character typed on such a cell opens the box with it.
bool OpensCellBox(QChar ch);

class CellEditBox : public QLineEdit {
public:
    // store(row, column, text) takes the text on Enter; closed(row, column) runs whenever the box
    // closes (the grid has the focus back by then).
    CellEditBox(QTableWidget* grid, std::function<void(int, int, const QString&)> store,
                std::function<void(int, int)> closed = {});

    // Over the grid's current cell: typed puts the caret after the text, else it is selected.
    void openOver(const QString& text, bool typed);
    void finish(bool store);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QTableWidget* grid_;
    std::function<void(int, int, const QString&)> store_;
    std::function<void(int, int)> closed_;
    int row_ = -1, column_ = -1;
    bool asking_ = false;
};

} // namespace vidoraw
