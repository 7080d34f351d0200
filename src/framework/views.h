#pragma once
// List views: the column layout of one list for one user, kept in POHLAD.DB (module 4), and
// the view editor, which is module 4's window.
#include "framework/celleditbox.h"
#include "framework/tfdbform.h"

class QComboBox;
class QLineEdit;
class QTableView;
class QTableWidget;
class QTableWidgetItem;

namespace vidoraw {

// Applies the stored view of a list to a grid (visibility, width, title, position, alignment).
void ApplyView(AppContext& app, const QString& listKey, QTableView& grid);
// Stores the grid's layout as the list's view.
void SaveView(AppContext& app, const QString& listKey, QTableView& grid);
// What a cell of the view editor shows for its value: "A" or "N" for "Ukáž" (drawn as a
// ticked or an empty box), "Vľavo", "Vpravo" or "Na stred" for "Zarovnaj" (0, 1, 2; any other
// value reads as left); the other columns show the value.
QString ViewCellText(int column, const QString& value);

// Module 4: the list of views, and the view editor "Pohľad na údaje v zozname".
class TfPohladd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kPohlad;
    static TableSchema Schema();
    explicit TfPohladd(AppContext& app, QWidget* parent = nullptr);

    void DefineList() override;

    // The list is for looking at and printing views only.
    int AddRecord() override { return 0; }
    int EditRecord() override { return 0; }
    int DeleteRecord() override { return 0; }
    int CopyRecord() override { return 0; }
    int ShowRecord() override { return 0; }
    void LoadFields() override {}
    void StoreFields() override {}
    bool deletionAllowed() const override { return false; }

    // Fills the editor from the stored view and the grid's columns; then showModal().
    void prepareEditor(TfDbForm& module, QTableView& grid);
    QTableWidget* sgPohlad = nullptr; // Pole, Hlavička, Šírka, Ukáž, Zarovnaj
    CellEditBox* eBunka = nullptr;       // the edit box over a title or width cell
    QComboBox* cbZarovnaj = nullptr;   // the drop-down over an alignment cell
    void moveRowUp();
    void moveRowDown();

protected:
    bool closeWithOk() override;
    bool closeWithBack() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidgetItem* cell(int row, int column);
    void toggleShown(int row);
    // The box over the current cell, with text; typed puts the caret after it, else all of
    // it is selected.
    void openCellBox(const QString& text, bool typed);
    void closeCellBox(bool store);
    void openAlignment();
    void closeAlignment(bool keep);

    QString listKey_;
    QString alignmentBefore_;
};

} // namespace vidoraw
