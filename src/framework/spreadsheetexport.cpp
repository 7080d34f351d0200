#include "framework/spreadsheetexport.h"

#include "core/base/codepage.h"
#include "core/engine/table.h"
#include "framework/appcontext.h"
#include "framework/tfdbform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>

#include <xlsxwriter.h>

#include <cmath>
#include <cstdio>

namespace vidoraw {

namespace {

constexpr int kMaxRows = 1048576;   // rows of a sheet
constexpr int kMaxColumns = 16384;  // columns of a sheet (XFD)
constexpr int kMaxCellText = 32767; // characters of one cell
const QString kTextFormat = QStringLiteral("@");
const QString kDateFormat = QStringLiteral("dd.mm.yyyy");

} // namespace

bool IsLookupColumnName(const QString& column) {
    return column.startsWith(QLatin1String("XXX_"));
}

std::optional<LookupColumn> ParseLookupColumn(const QString& column) {
    if (!IsLookupColumnName(column))
        return std::nullopt;
    QString rest = column.mid(4);
    const qsizetype space = rest.indexOf(u' ');
    if (space >= 0)
        rest.truncate(space);
    const QStringList parts = rest.split(u'_');
    if (parts.size() < 4)
        return std::nullopt;
    LookupColumn c{parts[0], parts[1], parts[2], parts.mid(3).join(u'_')};
    if (c.listKey.isEmpty() || c.orderFields.isEmpty() || c.keyField.isEmpty() ||
        c.resultField.isEmpty())
        return std::nullopt;
    return c;
}

int ExportDisplayWidth(const FieldDef& def) {
    switch (def.type) {
    case 'A':
        return std::max(def.size, 1);
    case 'L':
        return 5;
    default:
        return 10;
    }
}

bool CollectExportRecords(AppContext& app, Table& list, const QList<ExportColumn>& columns,
                          QList<ExportRecord>& records, QString* error) {
    records.clear();
    if (!list.isOpen() && !list.open()) {
        if (error)
            *error = list.lastError();
        return false;
    }
    // What each column reads from the listed row: a field, or the key of a look-up.
    struct Plan {
        int field = -1; // the field shown, or the look-up's key field
        std::optional<LookupColumn> lookup;
        int module = -1;
        QHash<QString, QString> found; // key as text -> result, per column
    };
    QList<Plan> plans;
    for (const ExportColumn& c : columns) {
        Plan p;
        if (IsLookupColumnName(c.name)) {
            p.lookup = ParseLookupColumn(c.name);
            if (p.lookup) {
                p.field = list.fieldIndex(p.lookup->keyField);
                p.module = app.registry.FindModuleByListKey(p.lookup->listKey);
            }
        } else {
            p.field = list.fieldIndex(c.name);
        }
        plans << p;
    }
    const FieldDefs& defs = list.fieldDefs();
    const int codeField = list.fieldIndex(QStringLiteral("KOD"));

    // The rows are read in one walk, keeping only what the columns need; the look-ups come
    // after it, so that no other query runs while the walk's is open.
    QList<QVariantList> keys; // per record, the value of each look-up column's key field
    const bool walked = list.scanOrder(
        list.order(), {}, true, [&](qint64, const QVector<QVariant>& row) {
            ExportRecord r;
            if (codeField >= 0)
                r.code = ValueAsString(defs[codeField], row[codeField]);
            QVariantList k;
            for (const Plan& p : plans) {
                ExportValue v;
                if (p.lookup) {
                    k << (p.field >= 0 ? row[p.field] : QVariant());
                } else if (p.field >= 0) {
                    const FieldDef& def = defs[p.field];
                    const QVariant& value = row[p.field];
                    const bool blank = !value.isValid() || value.isNull();
                    v.text = ValueAsString(def, value);
                    if (def.type == 'F') {
                        v.kind = blank ? ExportValue::Kind::Blank : ExportValue::Kind::Number;
                        v.number = ValueAsFloat(value);
                    } else if (def.type == 'D') {
                        v.kind = blank ? ExportValue::Kind::Empty : ExportValue::Kind::Date;
                        v.date = value.toDate();
                    } else {
                        v.kind = ExportValue::Kind::Text;
                    }
                } else {
                    v.kind = ExportValue::Kind::Text; // not a field of the table: empty text
                }
                r.values << v;
            }
            records << r;
            keys << k;
            return true;
        });
    if (!walked) {
        if (error)
            *error = list.lastError();
        records.clear();
        return false;
    }
    for (int i = 0; i < records.size(); ++i) {
        int lookupIndex = 0;
        for (int c = 0; c < plans.size(); ++c) {
            Plan& p = plans[c];
            if (!IsLookupColumnName(columns[c].name))
                continue;
            const QVariant key = keys[i].value(lookupIndex++);
            ExportValue& v = records[i].values[c];
            if (!p.lookup || p.module < 0 || p.field < 0)
                continue; // Kind::None: the cell is left alone
            const QString keyText = ValueAsString(defs[p.field], key);
            auto hit = p.found.constFind(keyText);
            if (hit == p.found.constEnd()) {
                QString value;
                LookupField(app, p.module, p.lookup->orderFields, {key}, p.lookup->resultField,
                            value);
                hit = p.found.insert(keyText, value);
            }
            v.kind = ExportValue::Kind::Text;
            v.text = *hit;
        }
    }
    return true;
}

// ---- Workbook ----

SpreadsheetWorkbook::SpreadsheetWorkbook(const QString& sheetName) : sheet_(sheetName) {}

bool SpreadsheetWorkbook::place(int row, int column, QString* why) const {
    if (row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns)
        return true;
    if (why)
        *why = QStringLiteral("bunka mimo hárku");
    return false;
}

bool SpreadsheetWorkbook::setText(int row, int column, const QString& text, QString* why) {
    if (!place(row, column, why))
        return false;
    if (text.size() > kMaxCellText) {
        if (why)
            *why = QStringLiteral("text je dlhší ako %1 znakov").arg(kMaxCellText);
        return false;
    }
    cells_[{row, column}] = Cell{CellKind::Text, text, 0, {}, kTextFormat};
    return true;
}

bool SpreadsheetWorkbook::setEmptyText(int row, int column, QString* why) {
    return setText(row, column, QString(), why);
}

bool SpreadsheetWorkbook::setBlank(int row, int column, QString* why) {
    if (!place(row, column, why))
        return false;
    cells_[{row, column}] = Cell{CellKind::Blank, QString(), 0, {}, QString()};
    return true;
}

bool SpreadsheetWorkbook::setNumber(int row, int column, double value, QString* why) {
    if (!place(row, column, why))
        return false;
    if (!std::isfinite(value)) {
        if (why)
            *why = QStringLiteral("nie je číslo");
        return false;
    }
    cells_[{row, column}] = Cell{CellKind::Number, QString(), value, {}, QString()};
    return true;
}

bool SpreadsheetWorkbook::setDate(int row, int column, const QDate& date, QString* why) {
    if (!place(row, column, why))
        return false;
    // The spreadsheet counts days from 1.1.1900 and knows no year after 9999.
    if (!date.isValid() || date.year() < 1900 || date.year() > 9999) {
        if (why)
            *why = QStringLiteral("dátum mimo rokov 1900 až 9999");
        return false;
    }
    cells_[{row, column}] = Cell{CellKind::Date, QString(), 0, date, kDateFormat};
    return true;
}

bool SpreadsheetWorkbook::setColumnWidth(int column, double width) {
    if (column < 1 || column > kMaxColumns || width < 0 || width > 255)
        return false;
    widths_[column] = width;
    return true;
}

const SpreadsheetWorkbook::Cell* SpreadsheetWorkbook::cell(int row, int column) const {
    const auto it = cells_.find({row, column});
    return it == cells_.end() ? nullptr : &it->second;
}

double SpreadsheetWorkbook::columnWidth(int column) const {
    const auto it = widths_.find(column);
    return it == widths_.end() ? 0 : it->second;
}

bool SpreadsheetWorkbook::save(const QString& path, QString* error) const {
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
        return false;
    };
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath()))
        return fail(QStringLiteral("priečinok sa nedá vytvoriť"));
    // Written beside the target and moved over it at the end, so that a program showing the
    // previous file never sees a half-written one.
    const QString part = target.absoluteFilePath() + QStringLiteral(".part");
    const QByteArray partName = QFile::encodeName(part);
    const QByteArray tmpDir = QFile::encodeName(target.absolutePath());
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char*>(tmpDir.constData());
    lxw_workbook* book = workbook_new_opt(partName.constData(), &options);
    if (!book)
        return fail(QStringLiteral("zošit sa nedá založiť"));
    lxw_worksheet* sheet = workbook_add_worksheet(book, sheet_.toUtf8().constData());
    if (!sheet) {
        workbook_close(book);
        QFile::remove(part);
        return fail(QStringLiteral("hárok %1 sa nedá založiť").arg(sheet_));
    }
    QHash<QString, lxw_format*> formats;
    auto formatOf = [&](const QString& numberFormat) -> lxw_format* {
        if (numberFormat.isEmpty())
            return nullptr;
        auto it = formats.constFind(numberFormat);
        if (it == formats.constEnd()) {
            lxw_format* f = workbook_add_format(book);
            format_set_num_format(f, numberFormat.toUtf8().constData());
            it = formats.insert(numberFormat, f);
        }
        return *it;
    };
    lxw_error failed = LXW_NO_ERROR;
    for (const auto& [column, width] : widths_) {
        const lxw_error e = worksheet_set_column(sheet, lxw_col_t(column - 1),
                                                 lxw_col_t(column - 1), width, nullptr);
        if (e != LXW_NO_ERROR && failed == LXW_NO_ERROR)
            failed = e;
    }
    for (const auto& [at, c] : cells_) {
        const lxw_row_t r = lxw_row_t(at.first - 1);
        const lxw_col_t col = lxw_col_t(at.second - 1);
        lxw_format* f = formatOf(c.format);
        lxw_error e = LXW_NO_ERROR;
        switch (c.kind) {
        case CellKind::Text:
            // An empty text is a blank cell that keeps the text format.
            e = c.text.isEmpty() ? worksheet_write_blank(sheet, r, col, f)
                                 : worksheet_write_string(sheet, r, col,
                                                          c.text.toUtf8().constData(), f);
            break;
        case CellKind::Blank:
            break; // a cell without value or format is not written at all
        case CellKind::Number:
            e = worksheet_write_number(sheet, r, col, c.number, f);
            break;
        case CellKind::Date: {
            lxw_datetime d{c.date.year(), c.date.month(), c.date.day(), 0, 0, 0};
            e = worksheet_write_datetime(sheet, r, col, &d, f);
            break;
        }
        }
        if (e != LXW_NO_ERROR && failed == LXW_NO_ERROR)
            failed = e;
    }
    const lxw_error closed = workbook_close(book); // frees the workbook in any case
    if (failed == LXW_NO_ERROR)
        failed = closed;
    if (failed != LXW_NO_ERROR) {
        QFile::remove(part);
        return fail(QString::fromUtf8(lxw_strerror(failed)));
    }
    if (std::rename(partName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(part);
        return fail(QStringLiteral("súbor sa nedá zapísať"));
    }
    return true;
}

QStringList WriteExportCells(SpreadsheetWorkbook& book, const FieldDefs& fields,
                             const QList<ExportColumn>& columns,
                             const QList<ExportRecord>& records, int firstRow, int firstColumn) {
    QStringList errors;
    for (int i = 0; i < columns.size(); ++i) {
        const int c = firstColumn + i;
        (void)book.setText(firstRow, c, columns[i].description);
        const int fi = IsLookupColumnName(columns[i].name) ? -1 : FindField(fields, columns[i].name);
        book.setColumnWidth(c, fi >= 0 ? ExportDisplayWidth(fields[fi]) : 10);
    }
    int row = firstRow + 1;
    for (const ExportRecord& record : records) {
        for (int i = 0; i < columns.size() && i < record.values.size(); ++i) {
            const ExportValue& v = record.values[i];
            const int c = firstColumn + i;
            bool ok = true;
            switch (v.kind) {
            case ExportValue::Kind::Text:
                ok = book.setText(row, c, v.text);
                break;
            case ExportValue::Kind::Number:
                ok = book.setNumber(row, c, v.number);
                break;
            case ExportValue::Kind::Date:
                ok = book.setDate(row, c, v.date);
                break;
            case ExportValue::Kind::Empty:
                ok = book.setEmptyText(row, c);
                break;
            case ExportValue::Kind::Blank:
                ok = book.setBlank(row, c);
                break;
            case ExportValue::Kind::None:
                break;
            }
            if (!ok)
                errors << QStringLiteral("Kód: %1; Pole: %2; Hodnota: %3")
                              .arg(record.code, columns[i].name, v.text);
        }
        ++row;
    }
    return errors;
}

QStringList ExportCsvLines(const QList<ExportColumn>& columns, const QList<ExportRecord>& records) {
    QStringList lines;
    QStringList names;
    for (const ExportColumn& c : columns)
        names << c.name;
    lines << names.join(u'|');
    for (const ExportRecord& r : records) {
        QStringList values;
        for (const ExportValue& v : r.values)
            values << (v.kind == ExportValue::Kind::None ? QString() : v.text);
        lines << values.join(u'|');
    }
    return lines;
}

QString ExportCsvFileName(const QString& tableFile) {
    const QString name = QFileInfo(tableFile).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot >= 0 ? name.left(dot) : name) + QStringLiteral(".csv");
}

bool WriteCp1250Lines(const QString& path, const QStringList& lines, QString* unrepresentable,
                      QString* error, bool refuse) {
    QString text;
    for (const QString& l : lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    QString lost;
    const QByteArray bytes = ToCp1250(text, &lost);
    if (unrepresentable)
        *unrepresentable = lost;
    if (refuse && !lost.isEmpty())
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QStringLiteral("%1: priečinok sa nedá vytvoriť").arg(QDir::toNativeSeparators(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

QString DefaultExportDirectory() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return base + QStringLiteral("/vidoraw");
}

} // namespace vidoraw
