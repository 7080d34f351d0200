#include "framework/xlsreader.h"

#include <QDateTime>
#include <QFile>

#include <freexl.h>

namespace vidoraw {

namespace {

class XlsWorkbook : public Workbook {
public:
    explicit XlsWorkbook(QString path) : path_(std::move(path)) {}
    ~XlsWorkbook() override {
        if (handle_)
            freexl_close(handle_);
    }

    bool load(QString* error) {
        const QByteArray name = QFile::encodeName(path_);
        const int opened = freexl_open(name.constData(), &handle_);
        if (opened != FREEXL_OK)
            return fail(error, QStringLiteral("chyba %1").arg(opened));
        unsigned int info = 0;
        if (freexl_get_info(handle_, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
            info == FREEXL_BIFF_OBFUSCATED) {
            if (error)
                *error = QStringLiteral("Zošit %1 je chránený heslom.").arg(path_);
            return false;
        }
        unsigned int count = 0;
        if (freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
            return fail(error, QStringLiteral("nedá sa zistiť počet listov"));
        for (unsigned int i = 0; i < count && i < 65535; ++i) {
            const char* sheet = nullptr;
            if (freexl_get_worksheet_name(handle_, (unsigned short)i, &sheet) != FREEXL_OK ||
                !sheet)
                return fail(error, QStringLiteral("chybné meno listu"));
            names_ << QString::fromUtf8(sheet);
        }
        if (names_.isEmpty())
            return fail(error, QStringLiteral("nemá žiadny list"));
        return true;
    }

    QStringList sheetNames() const override { return names_; }

    bool readCells(const SheetRequest& request, SheetCells& out, QString* error) override {
        out.clear();
        const int at = findSheet(request.sheet, error);
        if (at < 0)
            return false;
        if (freexl_select_active_worksheet(handle_, (unsigned short)at) != FREEXL_OK)
            return fail(error, QStringLiteral("list \"%1\" sa nedá čítať").arg(names_[at]));
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_worksheet_dimensions(handle_, &rows, &columns) != FREEXL_OK)
            return fail(error, QStringLiteral("list \"%1\" sa nedá čítať").arg(names_[at]));
        // Only the rows and columns asked for, whatever size the sheet claims.
        const qint64 lastRow = std::min<qint64>(request.lastRow, rows);
        for (qint64 row = std::max(request.firstRow, 1); row <= lastRow; ++row) {
            for (int column : request.columns) {
                if (column < 1 || column > columns)
                    continue;
                FreeXL_CellValue cell;
                if (freexl_get_cell_value(handle_, (unsigned int)(row - 1),
                                          (unsigned short)(column - 1), &cell) != FREEXL_OK)
                    return fail(error, QStringLiteral("bunka %1%2 sa nedá čítať")
                                           .arg(SpreadsheetColumnName(column))
                                           .arg(row));
                const SheetCell value = valueOf(cell);
                if (value.value.isValid())
                    out.set(int(row), column, value);
            }
        }
        return true;
    }

private:
    static SheetCell valueOf(const FreeXL_CellValue& cell) {
        const auto text = [&] { return QString::fromUtf8(cell.value.text_value); };
        switch (cell.type) {
        case FREEXL_CELL_INT:
            return {double(cell.value.int_value), false};
        case FREEXL_CELL_DOUBLE:
            return {cell.value.double_value, false};
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT: {
            const QString t = cell.value.text_value ? text() : QString();
            return {t.isEmpty() ? QVariant() : QVariant(t), false};
        }
        case FREEXL_CELL_DATE: {
            const QDate d = QDate::fromString(text(), Qt::ISODate);
            return {d.isValid() ? QVariant(d) : QVariant(text()), !d.isValid()};
        }
        case FREEXL_CELL_DATETIME: {
            const QDateTime d =
                QDateTime::fromString(text(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (!d.isValid())
                return {text(), true};
            return {d.time() == QTime(0, 0) ? QVariant(d.date()) : QVariant(d), false};
        }
        case FREEXL_CELL_TIME: {
            const QTime t = QTime::fromString(text(), QStringLiteral("HH:mm:ss"));
            return {t.isValid() ? QVariant(t) : QVariant(text()), !t.isValid()};
        }
        default:
            return {};
        }
    }

    bool fail(QString* error, const QString& why) const {
        if (error)
            *error = QStringLiteral("Súbor %1 nie je platný zošit .xls (%2).").arg(path_, why);
        return false;
    }

    QString path_;
    const void* handle_ = nullptr;
    QStringList names_;
};

} // namespace

std::unique_ptr<Workbook> OpenXlsWorkbook(const QString& path, QString* error) {
    auto book = std::make_unique<XlsWorkbook>(path);
    if (!book->load(error))
        return nullptr;
    return book;
}

} // namespace vidoraw
