#include "framework/csvreader.h"

#include "core/base/codepage.h"

#include <QStringDecoder>

namespace vidoraw {

namespace {

QString DecodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                          : QStringDecoder::Utf16BE);
        return utf16.decode(bytes.mid(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return FromCp1250(bytes);
}

class CsvWorkbook : public Workbook {
public:
    CsvWorkbook(QString text, QString name) : text_(std::move(text)), name_(std::move(name)) {}

    QStringList sheetNames() const override { return {name_}; }

    bool readCells(const SheetRequest& request, SheetCells& out, QString* /*error*/) override {
        out.clear();
        const QChar separator = CsvSeparator(text_);
        int row = 1;
        int column = 1;
        QString field;
        bool quoted = false;     // inside quotes
        bool started = false;    // the field has begun (a quote opens only its beginning)
        auto endField = [&] {
            if (!field.isEmpty() && request.wants(row, column))
                out.set(row, column, {field, false});
            field.clear();
            started = false;
            if (column <= kMaxSheetColumns)
                ++column;
        };
        const qsizetype n = text_.size();
        for (qsizetype i = 0; i < n && row <= request.lastRow; ++i) {
            const QChar ch = text_[i];
            if (quoted) {
                if (ch == u'"') {
                    if (i + 1 < n && text_[i + 1] == u'"') {
                        field += u'"';
                        ++i;
                    } else {
                        quoted = false;
                    }
                } else if (row >= request.firstRow) {
                    field += ch;
                }
                continue;
            }
            if (ch == u'"' && !started) {
                quoted = started = true;
            } else if (ch == separator) {
                endField();
            } else if (ch == u'\r' || ch == u'\n') {
                if (ch == u'\r' && i + 1 < n && text_[i + 1] == u'\n')
                    ++i;
                endField();
                ++row;
                column = 1;
            } else {
                started = true;
                if (row >= request.firstRow)
                    field += ch; // rows before the first are only counted
            }
        }
        if (row <= request.lastRow && (started || column > 1))
            endField();
        return true;
    }

private:
    QString text_;
    QString name_;
};

} // namespace

QChar CsvSeparator(QStringView text) {
    int counts[4] = {0, 0, 0, 0};
    const QChar candidates[4] = {u';', u'\t', u'|', u','};
    bool quoted = false;
    for (QChar ch : text) {
        if (ch == u'"')
            quoted = !quoted;
        else if (!quoted && (ch == u'\n' || ch == u'\r'))
            break;
        else if (!quoted)
            for (int i = 0; i < 4; ++i)
                if (ch == candidates[i])
                    ++counts[i];
    }
    int best = 0;
    for (int i = 1; i < 4; ++i)
        if (counts[i] > counts[best])
            best = i;
    return candidates[best];
}

std::unique_ptr<Workbook> OpenCsvWorkbook(const QByteArray& bytes, const QString& sheetName,
                                          QString* /*error*/) {
    return std::make_unique<CsvWorkbook>(DecodeText(bytes), sheetName);
}

} // namespace vidoraw
