#pragma once
// Export of a list's records: the export columns (fields of the table, or look-up columns
// "XXX_list_order_key_result" reading a field of another module's record), the values they
// give for each listed record, and the outputs: a workbook written as an .xlsx file (cells
// with the spreadsheet's own number formats, so that numbers, dates and texts stay what they
// are), a "|"-separated text file in code page 1250, and the spreadsheet's cell names.
#include "core/engine/fielddef.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include "framework/spreadsheetcells.h"

#include <optional>
#include <utility>

namespace vidoraw {

struct AppContext;
class Table;

// A look-up column: "XXX_" + list key + "_" + order fields + "_" + key field + "_" + result
// field; whatever follows the first space after "XXX_" is a remark. Only the result field
// may hold "_".
struct LookupColumn {
    QString listKey;
    QString orderFields;
    QString keyField;
    QString resultField;
};
bool IsLookupColumnName(const QString& column); // starts with "XXX_"
std::optional<LookupColumn> ParseLookupColumn(const QString& column);

struct ExportColumn {
    QString name; // a field of the table or a look-up column
    QString description;
    bool operator==(const ExportColumn&) const = default;
};

// One export column's value for one record.
struct ExportValue {
    enum class Kind {
        Text,   // a text ("@" in the spreadsheet)
        Number, // a floating-point field with a value
        Date,   // a date field with a value
        Empty,  // a blank date field: an empty text
        Blank,  // a blank floating-point field: a cell without value or format
        None    // a look-up column without its list: the cell is left alone
    };
    Kind kind = Kind::None;
    QString text; // the value as text, whatever the kind
    double number = 0;
    QDate date;
};

struct ExportRecord {
    QString code; // the record's KOD as text
    QList<ExportValue> values;
};

// The listed records in the list's order and through its filter, one value per export
// column. The list's cursor does not move. False with the engine's error.
bool CollectExportRecords(AppContext& app, Table& list, const QList<ExportColumn>& columns,
                          QList<ExportRecord>& records, QString* error);

// The width of a field's column in characters, as the printed lists give it.
int ExportDisplayWidth(const FieldDef& def);

// A workbook built in memory and written as an .xlsx file. Rows and columns count from 1 as
// the spreadsheet's own do.
class SpreadsheetWorkbook {
public:
    enum class CellKind { Text, Number, Date, Blank };
    struct Cell {
        CellKind kind = CellKind::Text;
        QString text;
        double number = 0;
        QDate date;
        QString format; // number format; empty = the spreadsheet's general one
    };

    explicit SpreadsheetWorkbook(const QString& sheetName = QStringLiteral("List1"));
    QString sheetName() const { return sheet_; }

    // Each answers false with the reason when the spreadsheet cannot hold the value there
    // (outside the sheet, a text too long for a cell, no number, a date before 1900).
    bool setText(int row, int column, const QString& text, QString* why = nullptr);
    bool setEmptyText(int row, int column, QString* why = nullptr);
    bool setBlank(int row, int column, QString* why = nullptr);
    bool setNumber(int row, int column, double value, QString* why = nullptr);
    bool setDate(int row, int column, const QDate& date, QString* why = nullptr);
    bool setColumnWidth(int column, double width);

    const Cell* cell(int row, int column) const;
    double columnWidth(int column) const; // 0 when not set
    int cellCount() const { return int(cells_.size()); }

    // Writes the file in one piece: a file that was there is replaced only by a complete one.
    bool save(const QString& path, QString* error) const;

private:
    bool place(int row, int column, QString* why) const;
    QString sheet_;
    std::map<std::pair<int, int>, Cell> cells_;
    std::map<int, double> widths_;
};

// Writes the export into the workbook: the descriptions in row firstRow from column
// firstColumn on, with the columns' widths, then one row per record. Answers the lines of
// the cells that could not be written ("Kód: ...; Pole: ...; Hodnota: ...").
QStringList WriteExportCells(SpreadsheetWorkbook& book, const FieldDefs& fields,
                             const QList<ExportColumn>& columns,
                             const QList<ExportRecord>& records, int firstRow, int firstColumn);

// The text file of the export: the columns' names, then one line per record, joined by "|".
QStringList ExportCsvLines(const QList<ExportColumn>& columns, const QList<ExportRecord>& records);
// The table's file name with the extension "csv" (KLIENT.DB -> KLIENT.csv).
QString ExportCsvFileName(const QString& tableFile);

// Lines in code page 1250, each ended by CR LF, written in one piece. Characters that code
// page 1250 cannot hold are answered in *unrepresentable; with refuse they stop the writing
// (nothing is written), else they are written as "?".
bool WriteCp1250Lines(const QString& path, const QStringList& lines, QString* unrepresentable,
                      QString* error, bool refuse = true);

// Where exports go: the user's documents folder (vidoraw in it), never the shared data.
QString DefaultExportDirectory();

} // namespace vidoraw
