#pragma once
// The filter builder "Filter" (module 3, over FILT.DB): the fields listed for a list, each
// row collecting the conditions of one field, and the expression they make; on OK it offers
// to keep the filter among the saved ones (Nastav.DB).
#include "framework/tfdbform.h"

class QComboBox;
class QTableWidget;

namespace vidoraw {

// The type and size of a field of a table named by its file name up to the first "." (any
// case), looked up in the modules of the registry in their order.
bool FindFieldType(AppContext& app, const QString& tableName, const QString& fieldName,
                   char& type, int& size);

// FILT.DB: the fields offered for the filters of each list (modules 3 and 48).
TableSchema FilterFieldsSchema();

class TfFilterd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kFilter;
    static TableSchema Schema() { return FilterFieldsSchema(); }
    explicit TfFilterd(AppContext& app);

    void DefineList() override;

    // What the caller sets before showing: the list whose fields are offered, the table the
    // field types come from, the texts, and whether saving adds a filter or replaces the
    // saved filter with the code editedCode.
    enum class SaveMode { Add, Edit };
    QString fieldListKey;
    QString typeTable;
    QString description;
    QString expression;
    SaveMode saveMode = SaveMode::Add;
    qint64 editedCode = 0;
    void setUp(const QString& listKey, const QString& tableName, const QString& descriptionText,
               const QString& expressionText, SaveMode mode, qint64 code = 0);

    // Fills the window from the inputs and shows it; Accepted after OK, with description and
    // expression as the user left them.
    int showBuilder(QWidget* over);

    // The commands of the grid's menu, on its current row.
    void applyOperator(const QString& op);
    void applyInterval();
    void clearPart();
    void rebuildExpression();

    QComboBox* cbTabulka = nullptr;
    QComboBox* cbRiadok = nullptr;  // connective inside a row
    QComboBox* cbRiadky = nullptr;  // connective between rows
    QTableWidget* sgFilter = nullptr; // Popis poľa, Pole, Časť filtra
    QLineEdit* eFilter = nullptr;
    QLineEdit* eNazov = nullptr;
    QList<QAction*> gridCommands; // =, <>, >, >=, <, <=, interval, separator, Zmaž

protected:
    bool closeWithOk() override;
    bool closeWithBack() override { return true; }

private:
    void fillRows();
    void readBack(const QString& text);
    void paintRows();
    void setPart(int row, const QString& part);
    QString partOf(int row) const;
    bool saveFilter();
    bool rebuilding_ = false;
};

} // namespace vidoraw
