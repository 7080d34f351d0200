#pragma once
// The list window every table is shown through: a grid over the module's table, the command
// buttons, the sort-order box and the incremental search. It also picks a record for a code
// field of another form (LookupOrPick).
#include "framework/appcontext.h"
#include "framework/listdefinition.h"
#include "framework/tablemodel.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace vidoraw {

class TfDbForm;

class TfBrowse : public QDialog {
    Q_OBJECT
public:
    enum Slot {
        sPridaj, sKopia, sZmaz, sOprav, sIndex, sHladaj, sUkaz, sTlac, sVyber, sSpat,
        sUnused1, sUnused2, sFilter, sUnused3, kSlots
    };
    // What the caller wants of a button: off, on, or as the list's state makes it.
    enum class ButtonState { Disable = 0, Enable = 1, AsComputed = 2 };
    using ButtonStates = std::array<ButtonState, kSlots>;
    static ButtonStates DefaultButtons();

    explicit TfBrowse(AppContext& app, QWidget* parent = nullptr);
    ~TfBrowse() override;

    // Shows the module's list modally; answers whether a record was picked (the module's
    // table is then on it).
    bool Browse(int moduleNumber, const ButtonStates& states, bool selectionAllowed);

    TfDbForm* module() const;
    int moduleNumber() const { return number_; }
    bool picked = false;
    QString extraHeading;

    // Commands (buttons, keys and menus end here).
    void commandAdd();
    void commandCopy();
    void commandDelete();
    void commandDeleteAll();
    void commandEdit();
    void commandShow();
    void commandPick();
    void commandBack();
    void commandIndex();
    void commandSearch();
    void commandPrint();
    void commandOther();
    void commandFilter();
    // The popup of the mouse buttons, from the keyboard (Menu key, Shift+F10).
    void commandPopup();
    // "&Hľadaj": a text in any column; "&Nastav pohľad": the view editor.
    void commandFindText();
    void commandSetView();
    void RefreshStep();
    void UpdateButtons();
    void selectOrder(int entry);
    void incrementalSearch(const QString& text);
    // Moves the grid's current row to the table's current record.
    void syncGridToTable();
    // The module's filter was set or removed: the list is read again from its first record,
    // and the caption says whether a filter is used.
    void filterChanged();
    // The list title, followed by " - Použitý filter" while the module's table is filtered.
    QString caption() const;

    QTableView* grid = nullptr;
    TableModel* model = nullptr;
    QComboBox* cbIndex = nullptr;
    QLineEdit* eHladanie = nullptr;
    QLabel* lIndex = nullptr;
    QLabel* lHladanie = nullptr;
    std::array<QPushButton*, 13> buttons{}; // Pridaj ... Filter, left to right
    QPushButton* button(Slot s) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    void layoutButtons();
    void runRecordCommand(const std::function<void()>& op, bool stopTimer);
    void saveWindowState();
    void restoreWindowState();
    bool removeWithLock();

    AppContext& app_;
    QPointer<TfDbForm> module_;
    int number_ = -1;
    bool selectionAllowed_ = false;
    ButtonStates states_{};
    ListDefinition list_;
    QTimer refreshTimer_;
    QWidget* buttonPanel_ = nullptr;
    QList<int> widthsAtShow_;
    int flagField_ = -1;   // the list's flag field, when the table has it
    int markedField_ = -1; // the field of the list's marked cells, when the table has it
};

// Colours of one list row: the current row blue, flagged rows yellow, the others alternating
// between the two pairs of the list colours.
TableModel::RowColours ListRowColours(const ListColours& colours, int row, bool current,
                                      bool flagged);
// A cell the list marks as wrong (ListDefinition::markCell).
TableModel::RowColours MarkedCellColours();

// How the code look-up goes: LookUp looks the code up and picks from the list only when it is
// not found; Pick always opens the list (Insert/F7). The ReadOnly variants disable the record
// commands in the pick list.
enum class PickMode { LookUp = 0, Pick = 1, LookUpReadOnly = 2, PickReadOnly = 3 };

// The code look-up with pick list.
bool LookupOrPick(AppContext& app, int moduleNumber, const QString& keyField,
                  const QString& nameField, PickMode mode, QLineEdit* nameControl,
                  QLineEdit* keyControl);

} // namespace vidoraw
