#pragma once
// List views: the column layout of one list for one user, kept in POHLAD.DB (module 4), and
// the view editor, which is module 4's window.
#include "framework/tfdbform.h"

class QTableView;
class QTableWidget;

namespace vidoraw {

// Applies the stored view of a list to a grid (visibility, width, title, position, alignment).
void ApplyView(AppContext& app, const QString& listKey, QTableView& grid);
// Stores the grid's layout as the list's view.
void SaveView(AppContext& app, const QString& listKey, QTableView& grid);

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
    void moveRowUp();
    void moveRowDown();

protected:
    bool closeWithOk() override;
    bool closeWithBack() override;

private:
    QString listKey_;
};

} // namespace vidoraw
