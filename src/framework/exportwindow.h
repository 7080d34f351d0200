#pragma once
// "Export pre Excel": the user picks columns of a list (its fields, and look-up columns into
// other lists) and writes the listed records into a spreadsheet workbook, a "|"-separated
// text file, or a printed report. The records are those of the list as it stands (its order
// and filter); the list keeps its current record.
#include "framework/spreadsheetexport.h"
#include "framework/tfmojform.h"

#include <QPointer>

#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;

namespace vidoraw {

class TableModel;
class TfBrowse;
class TfDbForm;

class TfExportm : public TfMojForm {
    Q_OBJECT
public:
    TfExportm(TfDbForm& form, TfBrowse* browser, QWidget* parent = nullptr);
    ~TfExportm() override;

    // The export columns in order.
    const QList<ExportColumn>& exportColumns() const { return columns_; }

    // Column commands (the arrow buttons).
    void moveToExport();    // the current field to the end of the export columns
    void moveBack();        // the current export column back to the fields
    void moveAllToExport();
    void moveAllBack();
    void moveUp();
    void moveDown();
    // "Pridaj": the look-up column of "Z inej tabuľky:" with the description of "Popis:".
    bool addLookupColumn();
    // Clicking a header of the field list; the list stays sorted by that column.
    void sortFields(int column);

    // "Spusť Excel" makes a new workbook, "Ukonč Excel" drops it; "Export pre Excel" fills
    // it and writes it as an .xlsx file, which the desktop's spreadsheet program shows.
    void startSpreadsheet();
    void endSpreadsheet();
    bool spreadsheetStarted() const { return bool(book_); }
    QString workbookPath() const { return bookPath_; }
    int exportToSpreadsheet(); // answers the number of records exported
    // "Export v tvare csv"; answers the file written (empty when nothing was).
    QString exportCsv();
    // "Tlač zostavu"; answers whether a report was made.
    bool printReport();

    // Where the workbook, the text file and "chyby.txt" go (the user's documents folder).
    QString exportDirectory;

    QTableWidget* sgPolia = nullptr;   // "Zoznam polí:": Pole, Popis poľa
    QTableWidget* sgExport = nullptr;  // "Exportované polia"
    QTableView* dgUdaje = nullptr;     // "Údaje": the listed records in the export columns
    QLineEdit* eInaTabulka = nullptr;  // "Z inej tabuľky:"
    QLineEdit* ePopis = nullptr;       // "Popis:"
    QPushButton* bPridaj = nullptr;
    QLineEdit* eOdRiadku = nullptr;    // "Od riadku:"
    QComboBox* cbOdStlpca = nullptr;   // "Od stlpca:" A..Z
    QPushButton* bVpravo = nullptr;    // the arrow buttons, in the order of the commands above
    QPushButton* bVlavo = nullptr;
    QPushButton* bVsetkyVpravo = nullptr;
    QPushButton* bVsetkyVlavo = nullptr;
    QPushButton* bHore = nullptr;
    QPushButton* bDole = nullptr;
    QPushButton* bSpustExcel = nullptr;
    QPushButton* bExport = nullptr;
    QPushButton* bUkoncExcel = nullptr;
    QPushButton* bCsv = nullptr;
    QPushButton* bTlac = nullptr;

    // The search text typed into the field list.
    QString fieldSearch() const { return search_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool closeWithOk() override;
    bool closeWithBack() override;

private:
    void fillFieldList();
    void showColumns();
    void setSpreadsheetButtons(bool started);
    void saveSettings();
    QString fieldDescription(const QString& field) const;
    bool fieldKeyPress(QKeyEvent* event);

    TfDbForm& form_;
    QPointer<TfBrowse> browser_;
    QList<ExportColumn> columns_;
    TableModel* model_ = nullptr;
    int sortColumn_ = -1;
    QString search_;
    std::unique_ptr<SpreadsheetWorkbook> book_;
    QString bookPath_;
};

// The command of the list's other-commands menu.
void RunExport(TfDbForm& form, TfBrowse* browser);

} // namespace vidoraw
