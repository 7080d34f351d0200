#pragma once
// "Import údajov z Excelu": rows of a workbook taken over as new records of a list's table.
// One grid row per stored field says which workbook column fills it, whether it is imported
// and the constant it takes when it is not. "Spusť Excel" opens and reads the workbook named
// in the box (.xlsx, .xls or .csv), "Ukonč Excel" closes it again; the import works on the
// workbook so opened.
#include "framework/celleditbox.h"
#include "framework/spreadsheetimport.h"
#include "framework/tfmojform.h"

#include <QDateTime>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

namespace vidoraw {

class TfBrowse;
class TfDbForm;

class TfImpexcm : public TfMojForm {
    Q_OBJECT
public:
    TfImpexcm(TfDbForm& form, QWidget* parent = nullptr);
    ~TfImpexcm() override;

    enum Column { cMeno = 0, cStlpec = 1, cImportuj = 2, cKonstanta = 3 };

    // "Spusť Excel": true when the workbook opened.
    bool startExcel();
    // "Ukonč Excel".
    void endExcel();
    // "Spusť import údajov": answers how many records were imported.
    int runImport();
    // "...": the file dialog.
    void chooseFile();

    // The grid's cells as the user set them.
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);
    // "Importuj" as "A" or "N" (drawn as a picture).
    bool imported(int row) const;
    void toggleImported(int row);
    ImportRun currentRun() const;

    // Settings of the IMPEXC section into the boxes and back.
    void loadSettings();
    void saveSettings() const;

    QLineEdit* eMenoSub = nullptr;
    QPushButton* bVyber = nullptr;
    QLineEdit* eMenoList = nullptr;
    QLineEdit* eRiadokOd = nullptr;
    QLineEdit* eRiadokDo = nullptr;
    QCheckBox* cbAutoInc = nullptr;
    QTableWidget* sgImport = nullptr;
    QPushButton* bSpustExcel = nullptr;
    QPushButton* bUkoncExcel = nullptr;
    QPushButton* bImport = nullptr;
    QLabel* lPocet = nullptr;
    // The editors over the grid's cells.
    QComboBox* cbStlpec = nullptr;
    CellEditBox* eBunka = nullptr;

protected:
    bool closeWithBack() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fillGrid();
    void openLetterList();
    void closeLetterList(bool keep);
    void openCellBox(const QString& text, bool typed);
    void closeCellBox(bool store);
    bool wholeNumber(QLineEdit* box, int& value);
    void enableImport(bool on);

    TfDbForm& form_;
    std::unique_ptr<Workbook> book_;
    QString bookPath_;
    QDateTime bookModified_;
    qint64 bookSize_ = -1;
};

// The command of the list's other-commands menu; the list is refreshed afterwards.
void RunSpreadsheetImport(TfDbForm& form, TfBrowse* browser);

} // namespace vidoraw
