#include "framework/spreadsheetimport.h"

#include "core/base/codepage.h"
#include "core/base/numbertext.h"
#include "core/engine/database.h"
#include "core/engine/fieldvalue.h"
#include "core/engine/table.h"
#include "core/engine/tableops.h"
#include "framework/csvreader.h"
#include "framework/xlsreader.h"
#include "framework/xlsxreader.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace vidoraw {

namespace {

quint64 CellKey(int row, int column) { return (quint64(quint32(row)) << 16) | quint32(column); }

QString TooLarge(const QString& path) {
    return QStringLiteral("Súbor %1 je príliš veľký (viac ako %2 MB).")
        .arg(path)
        .arg(kMaxWorkbookBytes / (1024 * 1024));
}

} // namespace

void SheetCells::set(int row, int column, const SheetCell& cell) {
    cells_.insert(CellKey(row, column), cell);
}

SheetCell SheetCells::at(int row, int column) const {
    return cells_.value(CellKey(row, column));
}

std::unique_ptr<Workbook> Workbook::open(const QString& path, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return std::unique_ptr<Workbook>();
    };
    const QFileInfo info(path);
    if (path.trimmed().isEmpty() || !info.exists())
        return fail(QStringLiteral("Súbor %1 neexistuje!").arg(path));
    if (!info.isFile())
        return fail(QStringLiteral("%1 nie je súbor.").arg(path));
    if (info.size() > kMaxWorkbookBytes)
        return fail(TooLarge(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Súbor %1 sa nedá čítať: %2").arg(path, file.errorString()));
    // In pieces: a file growing while it is read must not be read without end.
    QByteArray bytes;
    for (QByteArray piece = file.read(1 << 20); !piece.isEmpty(); piece = file.read(1 << 20)) {
        bytes += piece;
        if (bytes.size() > kMaxWorkbookBytes)
            return fail(TooLarge(path));
    }
    const QString suffix = info.suffix().toLower();
    if (bytes.startsWith("PK\x03\x04"))
        return OpenXlsxWorkbook(bytes, path, error);
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        // A workbook saved with a password is such a compound document too.
        if (suffix == QLatin1String("xlsx") || suffix == QLatin1String("xlsm"))
            return fail(QStringLiteral("Zošit %1 je chránený heslom.").arg(path));
        return OpenXlsWorkbook(path, error);
    }
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt"))
        return OpenCsvWorkbook(bytes, info.completeBaseName(), error);
    if (suffix == QLatin1String("xlsx") || suffix == QLatin1String("xlsm"))
        return fail(QStringLiteral("Súbor %1 nie je platný zošit .xlsx.").arg(path));
    if (suffix == QLatin1String("xls"))
        return fail(QStringLiteral("Súbor %1 nie je platný zošit .xls.").arg(path));
    return fail(QStringLiteral("Súbor %1 nie je zošit .xlsx, .xls ani súbor .csv.").arg(path));
}

int Workbook::findSheet(const QString& name, QString* error) const {
    const QStringList names = sheetNames();
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    if (error)
        *error = QStringLiteral("V zošite nie je list \"%1\"! Listy zošita: %2.")
                     .arg(name, names.join(QStringLiteral(", ")));
    return -1;
}

QString ProposedColumnLetter(int position) { return QString(QChar(char16_t(65 + position))); }

int ColumnOfLetter(const QString& letter) {
    const QString t = letter.trimmed();
    if (t.size() != 1 || t[0].unicode() < 65)
        return 0;
    return t[0].unicode() - 64;
}

bool CellForField(const FieldDef& def, const SheetCell& cell, QVariant& out, QString* error) {
    if (cell.error) {
        if (error)
            *error = QStringLiteral("bunka obsahuje chybu %1.").arg(cell.value.toString());
        return false;
    }
    QVariant in = cell.value;
    if (def.isText()) {
        switch (in.typeId()) {
        case QMetaType::Double:
            in = FloatAsText(in.toDouble());
            break;
        case QMetaType::Bool:
            in = in.toBool() ? QStringLiteral("True") : QStringLiteral("False");
            break;
        case QMetaType::QDate:
            in = in.toDate().toString(QStringLiteral("d.M.yyyy"));
            break;
        case QMetaType::QDateTime: {
            const QDateTime at = in.toDateTime();
            in = at.time() == QTime(0, 0)
                     ? at.date().toString(QStringLiteral("d.M.yyyy"))
                     : at.toString(QStringLiteral("d.M.yyyy H:mm:ss"));
            break;
        }
        case QMetaType::QTime:
            in = in.toTime().toString(QStringLiteral("H:mm:ss"));
            break;
        default:
            break;
        }
        // What the program cannot write out again is refused here, as a form refuses it.
        QString missing;
        (void)ToCp1250(in.toString(), &missing);
        if (!missing.isEmpty()) {
            if (error)
                *error = QStringLiteral("text obsahuje znaky, ktoré kódová stránka 1250 nemá: %1")
                             .arg(missing);
            return false;
        }
    } else if (def.type == 'T' && in.typeId() == QMetaType::QDateTime) {
        in = in.toDateTime().time();
    } else if ((def.type == 'D' || def.type == 'T') && in.typeId() == QMetaType::Bool) {
        if (error)
            *error = QStringLiteral("logická hodnota sa nedá zapísať do poľa s dátumom alebo "
                                    "časom.");
        return false;
    } else if (def.isNumeric() &&
               (in.typeId() == QMetaType::QDate || in.typeId() == QMetaType::QDateTime ||
                in.typeId() == QMetaType::QTime)) {
        if (error)
            *error = QStringLiteral("dátum alebo čas sa nedá zapísať do číselného poľa.");
        return false;
    }
    return ConvertToField(def, in, out, error);
}

namespace {

struct Planned {
    int fieldIndex = -1;
    FieldDef def;
    enum { Code, Cell, Constant } source = Constant;
    int column = 0;
    QVariant constant;
};

} // namespace

ImportResult ImportSheetRows(Database& db, const QString& tableName, Workbook& book,
                             const ImportRun& run, const std::function<void(int)>& progress) {
    ImportResult result;
    auto fail = [&](const QString& why) {
        result.ok = false;
        result.imported = 0;
        result.error = why;
        return result;
    };
    if (run.lastRow < run.firstRow) {
        result.ok = true;
        return result;
    }
    if (run.firstRow < 1 || run.lastRow > kMaxSheetRows)
        return fail(QStringLiteral("Riadky zošita sú od 1 do %1!").arg(kMaxSheetRows));

    Table work(&db, tableName);
    if (!work.open())
        return fail(work.lastError());
    const FieldDefs& defs = work.fieldDefs();

    // What each field takes, checked once: a constant that does not fit stops the run before
    // anything is read.
    QList<Planned> plan;
    SheetRequest request;
    request.sheet = run.sheet;
    request.firstRow = run.firstRow;
    request.lastRow = run.lastRow;
    bool numbered = false;
    for (const ImportColumn& c : run.columns) {
        const int index = work.fieldIndex(c.field);
        if (index < 0 || index >= work.tableFieldCount())
            return fail(QStringLiteral("Tabuľka %1 nemá pole \"%2\"!").arg(tableName, c.field));
        Planned p;
        p.fieldIndex = index;
        p.def = defs[index];
        if (run.autoNumber && c.field == QLatin1String("KOD")) {
            p.source = Planned::Code;
            numbered = true;
        } else if (c.import) {
            p.source = Planned::Cell;
            p.column = ColumnOfLetter(c.letter);
            if (p.column < 1 || p.column > kMaxSheetColumns)
                return fail(QStringLiteral("Pole %1 nemá platný stĺpec zošita \"%2\"!")
                                .arg(c.field, c.letter));
            request.columns.insert(p.column);
        } else if (!c.constant.isEmpty()) {
            QString why;
            if (!ConvertToField(p.def, c.constant, p.constant, &why))
                return fail(QStringLiteral("Konštanta poľa %1: %2").arg(c.field, why));
        } else {
            continue;
        }
        plan << p;
    }

    SheetCells cells;
    QString why;
    if (!book.readCells(request, cells, &why))
        return fail(why);

    // Every row converted first: a bad cell stops the run with its place and reason.
    const auto valueOf = [&](const Planned& p, int row, QVariant& out, QString* reason) {
        if (p.source == Planned::Constant) {
            out = p.constant;
            return true;
        }
        return CellForField(p.def, cells.at(row, p.column), out, reason);
    };
    for (int row = run.firstRow; row <= run.lastRow; ++row) {
        for (const Planned& p : plan) {
            if (p.source != Planned::Cell)
                continue;
            QVariant value;
            if (!valueOf(p, row, value, &why))
                return fail(QStringLiteral("Riadok %1, stĺpec %2 (pole %3): %4")
                                .arg(row)
                                .arg(SpreadsheetColumnName(p.column), p.def.name, why));
        }
    }

    WriteLock lock(db);
    if (!lock.ok())
        return fail(lock.error());
    qint64 code = numbered ? LastValue(work, QStringLiteral("KOD"), QStringLiteral("KOD")) : 0;
    int written = 0;
    for (int row = run.firstRow; row <= run.lastRow; ++row) {
        if (!work.append())
            return fail(QStringLiteral("Riadok %1: %2").arg(row).arg(work.lastError()));
        for (const Planned& p : plan) {
            QVariant value;
            if (p.source == Planned::Code)
                value = ++code;
            else if (!valueOf(p, row, value, &why))
                why.clear(); // converted above: cannot fail now
            if (!work.field(p.fieldIndex).setValue(value)) {
                const QString message = work.lastError();
                work.cancel();
                return fail(QStringLiteral("Riadok %1 (pole %2): %3")
                                .arg(row)
                                .arg(p.def.name, message));
            }
        }
        if (!work.post()) {
            const QString message = work.lastError();
            work.cancel();
            return fail(QStringLiteral("Riadok %1: %2").arg(row).arg(message));
        }
        ++written;
        if (progress && written % 100 == 0)
            progress(written);
    }
    if (!lock.commit())
        return fail(lock.error());
    result.ok = true;
    result.imported = written;
    if (progress)
        progress(written);
    return result;
}

} // namespace vidoraw
