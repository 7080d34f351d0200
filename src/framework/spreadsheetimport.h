#pragma once
// Rows of a workbook (.xlsx, .xls or .csv) taken over as new records of a table: the cells as
// the readers give them, the column letters of the import grid and the import itself.
#include "core/engine/fielddef.h"
#include "framework/spreadsheetcells.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

namespace vidoraw {

class Database;

// One cell: QString, double, bool, QDate, QDateTime or QTime; invalid for an empty cell.
// An error value of the spreadsheet ("#N/A", "#DIV/0!") comes as its text with error set.
struct SheetCell {
    QVariant value;
    bool error = false;
};

// The cells a reader kept; rows and columns count from 1.
class SheetCells {
public:
    void set(int row, int column, const SheetCell& cell);
    SheetCell at(int row, int column) const;
    int size() const { return int(cells_.size()); }
    void clear() { cells_.clear(); }

private:
    QHash<quint64, SheetCell> cells_;
};

// The part of a sheet the import needs: rows firstRow..lastRow, the listed columns only, so
// that what is kept never depends on how large the file claims to be.
struct SheetRequest {
    QString sheet;
    int firstRow = 1;
    int lastRow = 1;
    QSet<int> columns;
    bool wants(int row, int column) const {
        return row >= firstRow && row <= lastRow && columns.contains(column);
    }
};

// The largest sheet there is (that of .xlsx; .xls and .csv stay below it).
inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxSheetColumns = 16384;

// An opened workbook. Its file is outside input: a reader refuses what it cannot read with a
// message for the user and survives any bytes.
class Workbook {
public:
    virtual ~Workbook() = default;
    // The sheets in the workbook's order (a .csv file has one, named after the file).
    virtual QStringList sheetNames() const = 0;
    // The requested cells of the sheet named (without regard to case, as spreadsheets name
    // them); false with a message when the sheet is missing or its data are broken.
    virtual bool readCells(const SheetRequest& request, SheetCells& out, QString* error) = 0;

    // Opens by contents: a zip is .xlsx, a compound document .xls, a file named .csv or .txt
    // is text. The file is read while opening: later changes of it are not seen.
    static std::unique_ptr<Workbook> open(const QString& path, QString* error);

    // The position of the named sheet; -1 with the message when there is none.
    int findSheet(const QString& name, QString* error) const;
};

// Limits of what a reader takes in at all.
inline constexpr qint64 kMaxWorkbookBytes = 256ll * 1024 * 1024;

// The column letter proposed for the field at position p (0-based among the table's fields):
// the character with code 65 + p, so that the characters after Z follow on.
QString ProposedColumnLetter(int position);
// The spreadsheet column a letter stands for: its code − 64 (A = 1, the characters after Z
// 27, 28, ...); 0 when the text is not one such character.
int ColumnOfLetter(const QString& letter);

// A cell converted for a field, as the table would take it typed: numbers, dates and logical
// values keep their type; a text field takes the text the spreadsheet shows (whole numbers
// without decimals, "," before the decimals, dates d.M.yyyy). False with the reason when the
// value does not fit the field.
bool CellForField(const FieldDef& def, const SheetCell& cell, QVariant& out, QString* error);

// One row of the import grid.
struct ImportColumn {
    QString field;
    QString letter;
    bool import = true;
    QString constant; // used when the field is not imported; empty: the field stays blank
};

struct ImportRun {
    QList<ImportColumn> columns;
    QString sheet;
    int firstRow = 2;
    int lastRow = 2;
    bool autoNumber = true; // the field named exactly "KOD" takes the next code
};

struct ImportResult {
    bool ok = false;
    int imported = 0;
    QString error; // why nothing was imported
};

// Imports rows firstRow..lastRow of the sheet as new records of the table, empty rows too.
// Every row is read and converted before anything is written; then all of them are written in
// one transaction under the write lock, the codes computed inside it. A bad cell, a refused
// record or a lost lock leaves the table as it was. progress sees the count written so far.
ImportResult ImportSheetRows(Database& db, const QString& tableName, Workbook& book,
                             const ImportRun& run, const std::function<void(int)>& progress = {});

} // namespace vidoraw
