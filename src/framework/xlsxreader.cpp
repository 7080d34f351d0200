#include "framework/xlsxreader.h"

#include "framework/zipreader.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QXmlStreamReader>


#include <cmath>

namespace vidoraw {

namespace {

// The most a part may unpack to: the zip's own sizes may lie, so the bytes are counted.
constexpr qint64 kMaxPartBytes = 512ll * 1024 * 1024;

// Streams one part of the zip through an XML reader; handle sees every token and answers false
// to stop early (not an error). A part missing is an error only when required.
class PartReader {
public:
    PartReader(const QByteArray& bytes, QString path) : path_(std::move(path)) {
        opened_ = zip_.open(bytes, &openError_);
    }

    bool hasPart(const QString& part) { return opened_ && zip_.find(part) >= 0; }

    bool stream(const QString& part, const std::function<bool(QXmlStreamReader&)>& handle,
                QString* error) {
        auto fail = [&](const QString& why) {
            if (error)
                *error = QStringLiteral("Súbor %1 nie je platný zošit .xlsx (%2).").arg(path_, why);
            return false;
        };
        if (!opened_)
            return fail(openError_);
        const int member = zip_.find(part);
        if (member < 0)
            return fail(QStringLiteral("chýba časť %1").arg(part));
        QXmlStreamReader xml;
        qint64 total = 0;
        bool done = false;
        QString why;
        // Each piece is parsed as it comes; the reader waits for more at a premature end.
        auto parse = [&]() -> bool {
            while (true) {
                const QXmlStreamReader::TokenType token = xml.readNext();
                if (xml.hasError()) {
                    if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
                        return true;
                    why = QStringLiteral("chybné XML v časti %1: %2").arg(part, xml.errorString());
                    return false;
                }
                if (token == QXmlStreamReader::DTD) {
                    why = QStringLiteral("časť %1 má definíciu typu dokumentu").arg(part);
                    return false;
                }
                if (token == QXmlStreamReader::EndDocument || !handle(xml)) {
                    done = true;
                    return false;
                }
            }
        };
        const bool read = zip_.read(
            member,
            [&](const QByteArray& piece) {
                total += piece.size();
                if (total > kMaxPartBytes) {
                    why = QStringLiteral("časť %1 je príliš veľká").arg(part);
                    return false;
                }
                xml.addData(piece);
                return parse();
            },
            &why);
        if (done)
            return true;
        if (!read || !why.isEmpty())
            return fail(why);
        // Every byte read and the document not ended.
        return fail(QStringLiteral("chybné XML v časti %1: %2")
                        .arg(part, xml.hasError() ? xml.errorString() : QStringLiteral("neúplný dokument")));
    }

private:
    ZipReader zip_;
    bool opened_ = false;
    QString openError_;
    QString path_;
};

// A relationship target relative to the part that names it (or absolute from the zip's root).
QString ResolveTarget(const QString& sourcePart, const QString& target) {
    QString joined;
    if (target.startsWith(QLatin1Char('/'))) {
        joined = target.mid(1);
    } else {
        const qsizetype slash = sourcePart.lastIndexOf(QLatin1Char('/'));
        joined = (slash < 0 ? QString() : sourcePart.left(slash + 1)) + target;
    }
    return QDir::cleanPath(joined);
}

QString RelationshipsOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) +
           QStringLiteral(".rels");
}

struct Relationship {
    QString id;
    QString type; // the last word of its type ("worksheet", "sharedStrings", ...)
    QString target;
};

bool IsOn(QStringView value) {
    return value == u"1" || value.compare(u"true", Qt::CaseInsensitive) == 0;
}

// "B12" → column 2, row 12; false for anything else.
bool ParseCellReference(QStringView ref, int& row, int& column) {
    qsizetype i = 0;
    qint64 c = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 128) {
        c = c * 26 + (ref[i].toUpper().unicode() - u'A' + 1);
        if (c > kMaxSheetColumns)
            return false;
        ++i;
    }
    if (i == 0 || i == ref.size())
        return false;
    qint64 r = 0;
    for (; i < ref.size(); ++i) {
        if (!ref[i].isDigit() || ref[i].unicode() >= 128)
            return false;
        r = r * 10 + (ref[i].unicode() - u'0');
        if (r > kMaxSheetRows)
            return false;
    }
    if (r < 1)
        return false;
    row = int(r);
    column = int(c);
    return true;
}

// "_x000D_" and the like stand for characters XML cannot hold.
QString DecodeEscapes(const QString& text) {
    if (!text.contains(QLatin1String("_x")))
        return text;
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype from = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += QChar(char16_t(m.captured(1).toUShort(nullptr, 16)));
        from = m.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

class XlsxWorkbook : public Workbook {
public:
    XlsxWorkbook(const QByteArray& bytes, const QString& path)
        : bytes_(bytes), path_(path), parts_(bytes_, path) {}

    bool load(QString* error);
    QStringList sheetNames() const override {
        QStringList out;
        for (const Sheet& s : sheets_)
            out << s.name;
        return out;
    }
    bool readCells(const SheetRequest& request, SheetCells& out, QString* error) override;

private:
    bool readRelationships(const QString& part, QList<Relationship>& out, QString* error);
    bool readStyles(QString* error);
    SheetCell numberCell(const QString& text, int style, bool* ok) const;
    bool fillSharedStrings(QHash<int, QString>& wanted, QString* error);

    struct Sheet {
        QString name;
        QString part;
    };
    QByteArray bytes_;
    QString path_;
    PartReader parts_;
    QList<Sheet> sheets_;
    QString sharedStringsPart_;
    QString stylesPart_;
    QHash<int, char> dateStyles_; // cell format index → date kind
    bool date1904_ = false;
};

bool XlsxWorkbook::readRelationships(const QString& part, QList<Relationship>& out,
                                     QString* error) {
    return parts_.stream(
        part,
        [&](QXmlStreamReader& xml) {
            if (xml.isStartElement() && xml.name() == u"Relationship") {
                const QXmlStreamAttributes a = xml.attributes();
                if (a.value(QLatin1String("TargetMode")) == u"External")
                    return true;
                const QString type = a.value(QLatin1String("Type")).toString();
                out << Relationship{a.value(QLatin1String("Id")).toString(),
                                    type.mid(type.lastIndexOf(QLatin1Char('/')) + 1),
                                    a.value(QLatin1String("Target")).toString()};
            }
            return true;
        },
        error);
}

bool XlsxWorkbook::load(QString* error) {
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    if (parts_.hasPart(QStringLiteral("_rels/.rels"))) {
        QList<Relationship> root;
        if (!readRelationships(QStringLiteral("_rels/.rels"), root, error))
            return false;
        for (const Relationship& r : root)
            if (r.type == u"officeDocument")
                workbookPart = ResolveTarget(QString(), r.target);
    }
    struct Named {
        QString name;
        QString id;
    };
    QList<Named> named;
    if (!parts_.stream(
            workbookPart,
            [&](QXmlStreamReader& xml) {
                if (!xml.isStartElement())
                    return true;
                const QXmlStreamAttributes a = xml.attributes();
                if (xml.name() == u"workbookPr") {
                    date1904_ = IsOn(a.value(QLatin1String("date1904")));
                } else if (xml.name() == u"sheet") {
                    QString id;
                    for (const QXmlStreamAttribute& at : a)
                        if (at.name() == u"id" && !at.namespaceUri().isEmpty())
                            id = at.value().toString();
                    named << Named{a.value(QLatin1String("name")).toString(), id};
                }
                return true;
            },
            error))
        return false;
    QList<Relationship> rels;
    const QString relsPart = RelationshipsOf(workbookPart);
    if (parts_.hasPart(relsPart) && !readRelationships(relsPart, rels, error))
        return false;
    QHash<QString, QString> targets;
    for (const Relationship& r : rels) {
        const QString target = ResolveTarget(workbookPart, r.target);
        if (r.type == u"sharedStrings")
            sharedStringsPart_ = target;
        else if (r.type == u"styles")
            stylesPart_ = target;
        targets.insert(r.id, target);
    }
    for (const Named& n : named)
        sheets_ << Sheet{n.name, targets.value(n.id)};
    if (sheets_.isEmpty()) {
        if (error)
            *error = QStringLiteral("Súbor %1 nie je platný zošit .xlsx (nemá žiadny list).")
                         .arg(path_);
        return false;
    }
    return stylesPart_.isEmpty() || readStyles(error);
}

bool XlsxWorkbook::readStyles(QString* error) {
    QHash<int, QString> codes;
    QList<int> cellFormats; // number format of each cell format, in order
    int inCellXfs = 0;
    if (!parts_.stream(
            stylesPart_,
            [&](QXmlStreamReader& xml) {
                if (xml.isStartElement()) {
                    const QXmlStreamAttributes a = xml.attributes();
                    if (xml.name() == u"numFmt")
                        codes.insert(a.value(QLatin1String("numFmtId")).toInt(),
                                     a.value(QLatin1String("formatCode")).toString());
                    else if (xml.name() == u"cellXfs")
                        ++inCellXfs;
                    else if (xml.name() == u"xf" && inCellXfs > 0 && cellFormats.size() < 65536)
                        cellFormats << a.value(QLatin1String("numFmtId")).toInt();
                } else if (xml.isEndElement() && xml.name() == u"cellXfs") {
                    --inCellXfs;
                }
                return true;
            },
            error))
        return false;
    for (int i = 0; i < cellFormats.size(); ++i)
        if (const char kind = DateKindOfFormat(cellFormats[i], codes.value(cellFormats[i])))
            dateStyles_.insert(i, kind);
    return true;
}

SheetCell XlsxWorkbook::numberCell(const QString& text, int style, bool* ok) const {
    bool parsed = false;
    const double number = text.trimmed().toDouble(&parsed);
    *ok = parsed && std::isfinite(number);
    if (!*ok)
        return {};
    const char kind = dateStyles_.value(style, 0);
    if (!kind)
        return {number, false};
    // Day numbers: 1 is 1.1.1900 (the 1900 system counts a 29.2.1900 that never was) or
    // 2.1.1904.
    if (number < 0 || number > 2958466.0)
        return {number, false};
    double serial = number + (date1904_ ? 1462 : 0);
    if (!date1904_ && serial >= 1 && serial < 60)
        serial += 1;
    const qint64 days = qint64(std::floor(serial));
    const QDate date = QDate(1899, 12, 30).addDays(days);
    const int ms = int(std::llround((serial - double(days)) * 86400000.0));
    const QTime time = QTime(0, 0).addMSecs(std::min(ms, 86399999));
    if (kind == 'T')
        return {time, false};
    if (kind == 'X')
        return {QDateTime(date, time), false};
    return {date, false};
}

bool XlsxWorkbook::fillSharedStrings(QHash<int, QString>& wanted, QString* error) {
    if (wanted.isEmpty())
        return true;
    if (sharedStringsPart_.isEmpty()) {
        if (error)
            *error = QStringLiteral("Súbor %1 nie je platný zošit .xlsx (chýbajú texty).")
                         .arg(path_);
        return false;
    }
    int index = -1;
    bool keep = false;
    int phonetic = 0; // inside a reading aid of East Asian text, which is not the text
    bool inText = false;
    QString text;
    int remaining = int(wanted.size());
    if (!parts_.stream(
            sharedStringsPart_,
            [&](QXmlStreamReader& xml) {
                if (xml.isStartElement()) {
                    if (xml.name() == u"si") {
                        ++index;
                        keep = wanted.contains(index);
                        text.clear();
                    } else if (xml.name() == u"rPh") {
                        ++phonetic;
                    } else if (xml.name() == u"t") {
                        inText = true;
                    }
                } else if (xml.isEndElement()) {
                    if (xml.name() == u"si" && keep) {
                        wanted[index] = DecodeEscapes(text);
                        keep = false;
                        return --remaining > 0;
                    }
                    if (xml.name() == u"rPh")
                        --phonetic;
                    else if (xml.name() == u"t")
                        inText = false;
                } else if (xml.isCharacters() && keep && inText && phonetic == 0) {
                    text += xml.text();
                }
                return true;
            },
            error))
        return false;
    if (remaining > 0) {
        if (error)
            *error = QStringLiteral("Súbor %1 nie je platný zošit .xlsx (bunka odkazuje na "
                                    "neexistujúci text).")
                         .arg(path_);
        return false;
    }
    return true;
}

bool XlsxWorkbook::readCells(const SheetRequest& request, SheetCells& out, QString* error) {
    out.clear();
    const int at = findSheet(request.sheet, error);
    if (at < 0)
        return false;
    if (request.columns.isEmpty())
        return true;
    const QString part = sheets_[at].part;
    if (part.isEmpty()) {
        if (error)
            *error = QStringLiteral("Súbor %1 nie je platný zošit .xlsx (list \"%2\" nemá údaje).")
                         .arg(path_, sheets_[at].name);
        return false;
    }

    // Shared strings are looked up afterwards, only those the wanted cells refer to.
    struct Pending {
        int row, column, index;
    };
    QList<Pending> pending;
    QHash<int, QString> wanted;

    int row = 0, column = 0;
    bool inRow = false, inCell = false, wantedCell = false;
    QString type;
    int style = 0;
    enum class Text { None, Value, Inline } reading = Text::None;
    int phonetic = 0;
    QString value, inlineText;
    bool hasValue = false, hasInline = false;
    QString broken;
    auto cellName = [&] { return SpreadsheetColumnName(column) + QString::number(row); };

    const bool streamed = parts_.stream(
        part,
        [&](QXmlStreamReader& xml) {
            if (xml.isStartElement()) {
                const QStringView name = xml.name();
                const QXmlStreamAttributes a = xml.attributes();
                if (name == u"row") {
                    const QStringView r = a.value(QLatin1String("r"));
                    if (r.isEmpty()) {
                        ++row;
                    } else {
                        bool ok = false;
                        const int n = r.toInt(&ok);
                        if (!ok || n < 1 || n > kMaxSheetRows) {
                            broken = QStringLiteral("chybné číslo riadku %1").arg(r.toString());
                            return false;
                        }
                        row = n;
                    }
                    if (row > kMaxSheetRows) {
                        broken = QStringLiteral("príliš veľa riadkov");
                        return false;
                    }
                    inRow = true;
                    column = 0;
                    // Rows come in order: past the last one wanted nothing more is needed.
                    return row <= request.lastRow;
                }
                if (name == u"c" && inRow) {
                    const QStringView r = a.value(QLatin1String("r"));
                    if (r.isEmpty()) {
                        if (++column > kMaxSheetColumns) {
                            broken = QStringLiteral("príliš veľa stĺpcov");
                            return false;
                        }
                    } else {
                        int cellRow = 0;
                        if (!ParseCellReference(r, cellRow, column) || cellRow != row) {
                            broken = QStringLiteral("chybný odkaz na bunku %1").arg(r.toString());
                            return false;
                        }
                    }
                    inCell = true;
                    wantedCell = request.wants(row, column);
                    type = a.value(QLatin1String("t")).toString();
                    style = a.value(QLatin1String("s")).toInt();
                    value.clear();
                    inlineText.clear();
                    hasValue = hasInline = false;
                    return true;
                }
                if (!inCell || !wantedCell)
                    return true;
                if (name == u"v") {
                    reading = Text::Value;
                    hasValue = true;
                } else if (name == u"rPh") {
                    ++phonetic;
                } else if (name == u"t") {
                    reading = Text::Inline;
                    hasInline = true;
                }
                return true;
            }
            if (xml.isCharacters()) {
                if (reading == Text::Value)
                    value += xml.text();
                else if (reading == Text::Inline && phonetic == 0)
                    inlineText += xml.text();
                return true;
            }
            if (!xml.isEndElement())
                return true;
            const QStringView name = xml.name();
            if (name == u"v" || name == u"t") {
                reading = Text::None;
            } else if (name == u"rPh") {
                --phonetic;
            } else if (name == u"row") {
                inRow = false;
            } else if (name == u"c" && inCell) {
                inCell = false;
                if (!wantedCell)
                    return true;
                if (type == u"inlineStr") {
                    if (hasInline && !inlineText.isEmpty())
                        out.set(row, column, {DecodeEscapes(inlineText), false});
                    return true;
                }
                if (!hasValue || value.isEmpty())
                    return true;
                if (type == u"s") {
                    bool ok = false;
                    const int index = value.trimmed().toInt(&ok);
                    if (!ok || index < 0) {
                        broken = QStringLiteral("chybný odkaz na text v bunke %1").arg(cellName());
                        return false;
                    }
                    pending << Pending{row, column, index};
                    wanted.insert(index, QString());
                } else if (type == u"str") {
                    out.set(row, column, {DecodeEscapes(value), false});
                } else if (type == u"b") {
                    out.set(row, column, {IsOn(value), false});
                } else if (type == u"e") {
                    out.set(row, column, {value, true});
                } else if (type == u"d") {
                    const QDateTime at = QDateTime::fromString(value.trimmed(), Qt::ISODate);
                    if (at.isValid())
                        out.set(row, column,
                                {at.time() == QTime(0, 0) ? QVariant(at.date()) : QVariant(at),
                                 false});
                    else if (const QDate d = QDate::fromString(value.trimmed(), Qt::ISODate);
                             d.isValid())
                        out.set(row, column, {d, false});
                    else
                        out.set(row, column, {value, true});
                } else {
                    bool ok = false;
                    const SheetCell cell = numberCell(value, style, &ok);
                    if (!ok) {
                        broken = QStringLiteral("chybné číslo v bunke %1").arg(cellName());
                        return false;
                    }
                    out.set(row, column, cell);
                }
            }
            return true;
        },
        error);
    if (!streamed)
        return false;
    if (!broken.isEmpty()) {
        if (error)
            *error = QStringLiteral("Súbor %1 nie je platný zošit .xlsx (%2).").arg(path_, broken);
        return false;
    }
    if (!fillSharedStrings(wanted, error))
        return false;
    for (const Pending& p : pending) {
        const QString text = wanted.value(p.index);
        if (!text.isEmpty())
            out.set(p.row, p.column, {text, false});
    }
    return true;
}

} // namespace

char DateKindOfFormat(int formatId, const QString& formatCode) {
    if ((formatId >= 14 && formatId <= 17) || (formatId >= 27 && formatId <= 36) ||
        (formatId >= 50 && formatId <= 58))
        return 'D';
    if ((formatId >= 18 && formatId <= 21) || (formatId >= 45 && formatId <= 47))
        return 'T';
    if (formatId == 22)
        return 'X';
    if (formatId < 164 || formatCode.isEmpty())
        return 0;
    // The first section without quoted texts, escaped characters and brackets; an elapsed time
    // ("[h]:mm") is a time.
    QString code;
    bool elapsed = false;
    for (qsizetype i = 0; i < formatCode.size(); ++i) {
        const QChar ch = formatCode[i];
        if (ch == u';')
            break;
        if (ch == u'"') {
            const qsizetype end = formatCode.indexOf(u'"', i + 1);
            if (end < 0)
                break;
            i = end;
        } else if (ch == u'\\' || ch == u'_' || ch == u'*') {
            ++i;
        } else if (ch == u'[') {
            const qsizetype end = formatCode.indexOf(u']', i + 1);
            if (end < 0)
                break;
            const QString inside = formatCode.mid(i + 1, end - i - 1).toLower();
            if (!inside.isEmpty() && QStringLiteral("hms").contains(inside[0]))
                elapsed = true;
            i = end;
        } else {
            code += ch.toLower();
        }
    }
    const bool date = code.contains(u'y') || code.contains(u'd') ||
                      (code.contains(u'm') && !elapsed && !code.contains(u'h') &&
                       !code.contains(u's') && !code.contains(u'0') && !code.contains(u'#'));
    const bool time = elapsed || code.contains(u'h') || code.contains(u's');
    if (date && time)
        return 'X';
    if (date)
        return 'D';
    if (time)
        return 'T';
    return 0;
}

std::unique_ptr<Workbook> OpenXlsxWorkbook(const QByteArray& bytes, const QString& path,
                                           QString* error) {
    auto book = std::make_unique<XlsxWorkbook>(bytes, path);
    if (!book->load(error))
        return nullptr;
    return book;
}

} // namespace vidoraw
