#pragma once
// The record form every table is edited through: modes, the OK/Back protocol with the save
// under the table's write lock, deletion question, list definition and the table's own
// definition. A module supplies its table layout, its controls, its list and its checks.
#include "core/engine/tableops.h"
#include "core/recordmodule.h"
#include "framework/listdefinition.h"
#include "framework/tfmojform.h"

#include <QPointer>
#include <QTimer>

class QAction;
class QLineEdit;
class QPoint;

namespace vidoraw {

class TfBrowse;

class TfDbForm : public TfMojForm, public RecordModule {
    Q_OBJECT
public:
    enum RecordMode { ModeEdit = 0, ModeAdd = 1, ModeView = 2 };

    TfDbForm(AppContext& app, int moduleNumber, QWidget* parent = nullptr);
    ~TfDbForm() override;

    // The registry's view of the module.
    int moduleNumber() const override { return number_; }
    QWidget* window() override { return this; }
    Table& table() override { return table_; }
    QString listKey() const override;
    QString listTitle() const override { return list.listTitle; }
    bool OpenTable() override;
    bool CreateTable(const QString& fileName) override;
    [[nodiscard]] bool DefineIndexes(Table& table, QString* error) override;

    // Record operations, each one modal showing; they answer 1 when the user confirmed.
    virtual int AddRecord();
    virtual int EditRecord();
    virtual int ShowRecord();
    virtual void LoadFields();
    virtual void StoreFields();
    virtual void ShowButtons(bool visible);
    virtual int DeleteRecord();
    virtual int CopyRecord();
    virtual void DefineList();
    // Runs each time the list is shown, before the browser reads the list definition: the
    // place for list behaviour that depends on settings (e.g. which cells are marked).
    virtual void prepareList() {}
    // Runs when that list window has closed.
    virtual void listClosed() {}
    // Commands of the list window's menus and its print button.
    virtual void PopupOtherMenu(const QPoint& globalPos, TfBrowse* browser);
    virtual bool PrintList(TfBrowse* browser, const QString& extraHeading);
    virtual void PopupFilterMenu(const QPoint& globalPos, TfBrowse* browser);
    // The list's popup opened from the keyboard (Menu key, Shift+F10): the other commands and,
    // as a submenu, the filter commands, which otherwise only the middle mouse button reaches.
    void PopupKeyboardMenu(const QPoint& globalPos, TfBrowse* browser);
    // The items of those menus, so that they can also be triggered without a popup.
    virtual QList<QAction*> otherCommands(TfBrowse* browser, QObject* parent);
    virtual QList<QAction*> filterCommands(TfBrowse* browser, QObject* parent);
    // Deletes the current record with whatever depends on it; the caller holds the write lock.
    virtual bool removeCurrentRecord() { return table_.remove(); }
    // Why the last removeCurrentRecord failed (a module deleting rows of other tables too
    // answers their error).
    virtual QString removeErrorText() const { return table_.lastError(); }
    // Whether the list may delete all records of this module at once.
    virtual bool deletionAllowed() const { return true; }

    // The table's layout and first rows, as the module announced them to the registry.
    TableSchema schema() const;

    // Controls bound to fields move their values in LoadFields/StoreFields. A line edit that
    // is read-only when bound (a value the form fills itself) stays read-only in every mode.
    // A RadioGroup stores its chosen item's value; with nothing chosen the field keeps its own.
    void bind(QWidget* control, const QString& field);
    QWidget* controlOf(const QString& field) const;
    // The read-only code control that shows the proposed next code.
    QLineEdit* eKod = nullptr;
    QString codeField = QStringLiteral("KOD");
    qint64 nextCode();

    // Deletion question (the 100 ms timer of DeleteRecord ends here).
    void askDeletion();

    int recordMode = ModeView;
    int result = 0;
    QPointer<QWidget> ownerBrowser;
    ListDefinition list;
    QString explicitListKey;
    QString filterDescription;
    bool filterByCode = false;
    bool filtersAllowed = false;

    // Filters of the module's own (its filter menu): an expression or a record routine
    // replaces whatever filter was on, and the owner browser shows the first record and says
    // that a filter is used. A malformed expression is refused with the engine's message and
    // the filter stays as it was.
    bool applyFilterText(const QString& expression, const QString& description);
    void applyFilterByCode(Table::Predicate keep, const QString& description);
    void removeFilter();

    static QString saveErrorText();

protected:
    // Checks on OK in the module's order; the first failing one shows its message, marks its
    // field and answers false. The base runs checkField over checkedFields.
    virtual bool CheckFields();
    // The check of one field: shows its own message and answers whether the field passed.
    // It runs on OK and when the user leaves the field.
    virtual bool checkField(QWidget* /*control*/) { return true; }
    bool checkOnLeave(QWidget* control) override;
    // Fields with a check, in checking order.
    QList<QWidget*> checkedFields;
    // A field that fails its check when left takes the focus back (else it is only painted).
    bool refocusOnFailedLeave = false;
    // Fields a module sets itself when saving (beyond the bound controls).
    bool closeWithOk() override;
    // Steps of the save inside its write lock, so that they commit or roll back with the
    // record: before the post (numbers issued under the lock) and after it (rows that belong
    // to the record). False rolls the whole save back with the save message.
    virtual bool prepareSave() { return true; }
    virtual bool saveDependents() { return true; }
    bool closeWithBack() override;
    // The read-only code box on top of the form, bound to the code field.
    QLineEdit* addCodeRow(const QString& label);
    // Whether value already belongs to another record: through the order of that field,
    // comparing the found record's code with the edited one (any record counts when adding).
    bool isDuplicate(const QString& orderFields, const QString& value);
    // Clears every bound control (add mode).
    void clearFields();
    // The values a new record starts with, put into the cleared controls (add mode).
    virtual void proposeNewValues() {}
    // Sets every bound control read-only (view) or editable again; the code control stays
    // read-only.
    void setReadOnly(bool readOnly);
    virtual void focusFirstField();

    Table table_;

private:
    int runModalIn(int mode);
    void showFilterChange();
    struct Binding {
        QWidget* control;
        QString field;
        bool fixedReadOnly;
    };
    QList<Binding> bindings_;
    int number_;
    QTimer deletionTimer_;
};

// Look-ups by module number: the module's table (opened when needed) searched by key.
// A number without a module, a missing table, field or key answer not found.
bool LookupField(AppContext& app, int moduleNumber, const QString& orderFields,
                 const QVariantList& keys, const QString& resultField, QString& value);
bool LookupFields(AppContext& app, int moduleNumber, const QString& orderFields,
                  const QVariantList& keys, const QStringList& fields, QStringList& values);

} // namespace vidoraw
