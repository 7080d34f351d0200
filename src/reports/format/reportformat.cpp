#include "reports/format/reportformat.h"

#include "core/base/codepage.h"
#include "core/base/numbertext.h"

#include <QFile>
#include <QFileInfo>
#include <QByteArrayView>
#include <QHash>
#include <QDir>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace vidoraw {

namespace {

enum F {
    X1, Y1, X2, Y2, W, H, CX1, CY1, CX2, CY2, PEN, PENCOL, FILL, TEXTCOL, SECOND, LH, FACE, B, I,
    U, S, FMT, ANGLE, POS, N, BASE, HAL, VAL, CW, CH, PT, PB, PL, PR, LSTYLE, PAT, FILLED, FILE,
    TEXT
};

// Argument order of every command.
const QVector<F>& Fields(int kind) {
    static const QVector<F> none;
    static const QVector<QVector<F>> table = {
        /* 0 */ {X1, Y1, X2, Y2, PEN, PENCOL},
        /* 1 */ {X1, Y1, X2, Y2, PEN, PENCOL, FILL},
        /* 2 */ {X1, Y1, LH, FACE, B, I, U, S, TEXTCOL, TEXT},
        /* 3 */ {X1, Y1, X2, Y2, LH, FACE, B, I, U, S, TEXTCOL, FMT, TEXT},
        /* 4 */ {X1, Y1, X2, Y2, PEN, PENCOL},
        /* 5 */ {X1, Y1, X2, Y2, PEN, PENCOL, FILL},
        /* 6 */ {X1, Y1, X2, Y2, LH, FACE, B, I, U, S, TEXTCOL, FMT, PENCOL, FILL, PEN, TEXT},
        /* 7 */ {X1, Y1, X2, Y2, N, BASE, PEN, PENCOL, FILL},
        /* 8 */ {FILE, X1, Y1, W, H},
        /* 9 */ {X1, Y1, LH, FACE, B, I, U, S, TEXTCOL, ANGLE, TEXT},
        /* 10 */ {X1, Y1, LH, FACE, B, I, U, S, POS, TEXTCOL, TEXT},
        /* 11 */ {X1, Y1, X2, Y2, N, HAL, VAL},
        /* 12 */ {X1, Y1, X2, Y2, CX1, CY1, CX2, CY2, LH, FACE, B, I, U, S, TEXTCOL, FMT, TEXT},
        /* 13 */ {X1, Y1, X2, Y2, LH, FACE, B, I, U, S, TEXTCOL, FMT, TEXT},
        /* 14 */ {X1, Y1, X2, Y2, PEN, PENCOL},
        /* 15 */ {X1, Y1, X2, Y2, PEN, PENCOL},
        /* 16 */ {N},
        /* 17 */ {X1, Y1, X2, Y2, CW, CH, PEN, PENCOL, FILL},
        /* 18 */ {TEXT},
        /* 19 */ {X1, Y1, X2, Y2, PEN, PENCOL, SECOND, LSTYLE, PAT, FILLED},
        /* 20 */ {X1, Y1, X2, Y2, PEN, CW, CH, PT, PB, PL, PR, LH, FACE, B, I, U, S, PENCOL, SECOND,
                  FILL, FMT, TEXT},
    };
    return kind >= 0 && kind < table.size() ? table[kind] : none;
}

double* NumberField(ReportObject& o, F f) {
    switch (f) {
    case X1: return &o.x1;
    case Y1: return &o.y1;
    case X2: return &o.x2;
    case Y2: return &o.y2;
    case W: return &o.width;
    case H: return &o.height;
    case CX1: return &o.cx1;
    case CY1: return &o.cy1;
    case CX2: return &o.cx2;
    case CY2: return &o.cy2;
    case PEN: return &o.penWidth;
    case LH: return &o.letterHeight;
    case CW: return &o.cornerWidth;
    case CH: return &o.cornerHeight;
    case PT: return &o.padTop;
    case PB: return &o.padBottom;
    case PL: return &o.padLeft;
    case PR: return &o.padRight;
    default: return nullptr;
    }
}

ReportColour* ColourField(ReportObject& o, F f) {
    switch (f) {
    case PENCOL: return &o.penColour;
    case FILL: return &o.fillColour;
    case TEXTCOL: return &o.textColour;
    case SECOND: return &o.secondColour;
    default: return nullptr;
    }
}

int* IntField(ReportObject& o, F f) {
    switch (f) {
    case FMT: return &o.format;
    case ANGLE: return &o.angle;
    case POS: return &o.position;
    case N: return &o.count;
    case HAL: return &o.hAlign;
    case VAL: return &o.vAlign;
    case LSTYLE: return &o.lineStyle;
    case PAT: return &o.fillPattern;
    default: return nullptr;
    }
}

bool* BoolField(ReportObject& o, F f) {
    switch (f) {
    case B: return &o.bold;
    case I: return &o.italic;
    case U: return &o.underline;
    case S: return &o.strikeout;
    case BASE: return &o.baseline;
    case FILLED: return &o.filled;
    default: return nullptr;
    }
}

// The kind a command line starts with and where its arguments begin; -1 for no command.
int KindOf(const QString& line, int& argStart) {
    if (line.isEmpty() || !line[0].isDigit() || line[0].unicode() > '9')
        return -1;
    int kind = line[0].digitValue();
    argStart = 2;
    if (line.size() > 1 && line[1].isDigit() && line[1].unicode() <= '9') {
        const int two = kind * 10 + line[1].digitValue();
        if (two >= 10 && two <= 20) {
            kind = two;
            argStart = 3;
        }
    }
    return kind;
}

QImage LoadPicture(const QString& name, const QString& dir) {
    if (name.trimmed().isEmpty())
        return {};
    QFileInfo fi(name);
    if (fi.isRelative() && !dir.isEmpty())
        fi = QFileInfo(QDir(dir), name);
    if (!fi.isFile() || fi.size() < 26 || fi.size() > ReportLimits::kMaxPictureBytes)
        return {};
    QFile f(fi.filePath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    if (!bytes.startsWith("BM"))
        return {};
    const quint32 stored = quint32(uchar(bytes[2])) | quint32(uchar(bytes[3])) << 8 |
                           quint32(uchar(bytes[4])) << 16 | quint32(uchar(bytes[5])) << 24;
    if (qint64(stored) != bytes.size())
        return {};
    return QImage::fromData(bytes, "BMP");
}

QString Cut(const QString& s, int n) { return s.size() > n ? s.left(n) : s; }

// Face names repeat on every text line: share one string per name.
QString InternFace(QStringView face) {
    static QHash<QString, QString> faces;
    auto it = faces.constFind(face.toString());
    if (it != faces.constEnd())
        return *it;
    const QString f = face.toString();
    if (faces.size() < 256)
        faces.insert(f, f);
    return f;
}

QStringView CutView(QStringView s, int n) { return s.size() > n ? s.left(n) : s; }

void ParseArguments(ReportObject& o, const QString& line, int start, const QString& pictureDir) {
    const QVector<F>& fields = Fields(o.kind);
    const QStringView all(line);
    qsizetype pos = start;
    for (F f : fields) {
        if (pos > all.size())
            break;
        QStringView arg;
        if (f == TEXT) {
            arg = all.mid(pos);
            pos = all.size() + 1;
        } else {
            qsizetype comma = all.indexOf(u',', pos);
            if (comma < 0)
                comma = all.size();
            arg = all.mid(pos, comma - pos);
            pos = comma + 1;
        }
        arg = CutView(arg, ReportLimits::kArgumentLength);
        if (double* d = NumberField(o, f)) {
            *d = ReadReportNumber(arg);
        } else if (ReportColour* c = ColourField(o, f)) {
            *c = ReadReportColour(arg);
        } else if (int* i = IntField(o, f)) {
            const double v = ReadReportNumber(arg);
            *i = v > 2e9 ? 2000000000 : (v < -2e9 ? -2000000000 : int(v));
        } else if (bool* b = BoolField(o, f)) {
            *b = ReadReportNumber(arg) != 0;
        } else if (f == FACE) {
            o.face = InternFace(CutView(arg, ReportLimits::kFaceLength));
        } else if (f == FILE) {
            o.text = CutView(arg, ReportLimits::kFileNameLength).toString();
        } else if (f == TEXT) {
            o.text = arg.toString();
        }
    }
    if (o.kind == kRoundedText)
        o.textColour = o.penColour;
    if (o.kind == kPassive)
        o.text = line;
    if (o.kind == kPicture)
        o.picture = LoadPicture(o.text, pictureDir);
}

struct LineReader {
    const QStringList& lines;
    int next = 0;
    const QString& pictureDir;

    bool atEnd() const { return next >= lines.size(); }
    QString take() { return Cut(lines[next++], ReportLimits::kLineLength); }

    // A command with the lines that belong to it. forcedKind reads the line with that kind's
    // rules whatever its number says.
    ReportObject read(const QString& line, int forcedKind, int depth) {
        int start = 0;
        int kind = KindOf(line, start);
        if (kind < 0)
            return {};
        if (forcedKind >= 0)
            kind = forcedKind;
        ReportObject o = DefaultObject(kind);
        ParseArguments(o, line, start, pictureDir);
        if (kind == kCellRow || kind == kComposedLine || kind == kGroup) {
            const int available = int(lines.size()) - next;
            o.count = std::clamp(o.count, 0, available);
            const int childKind = kind == kCellRow ? kCell : kind == kComposedLine ? kTextPiece : -1;
            for (int i = 0; i < o.count && !atEnd(); ++i) {
                const QString childLine = take();
                if (kind == kGroup && depth >= ReportLimits::kMaxDepth) {
                    skipBlock(childLine); // too deep: read over, not kept
                    continue;
                }
                ReportObject child = read(childLine, childKind, depth + 1);
                if (child.kind >= 0)
                    o.children << std::move(child);
            }
        }
        return o;
    }

    // Reads over the lines that belong to a command without keeping anything, so that a
    // group nested too deep still takes all its lines with it. No recursion: the count of
    // lines still owed is kept in a counter.
    void skipBlock(const QString& first) {
        qint64 owed = 0;
        QString line = first;
        for (;;) {
            int start = 0;
            const int kind = KindOf(line, start);
            if (kind == kCellRow || kind == kComposedLine || kind == kGroup) {
                ReportObject header = DefaultObject(kind);
                ParseArguments(header, line, start, QString());
                const int n = std::clamp(header.count, 0, int(lines.size()) - next);
                if (kind == kGroup)
                    owed += n;
                else
                    next += n; // cells and pieces are never blocks themselves
            }
            if (owed <= 0 || atEnd())
                return;
            --owed;
            line = take();
        }
    }
};

void AppendField(QStringList& out, const ReportObject& o, F f, bool pad) {
    ReportObject& m = const_cast<ReportObject&>(o);
    if (double* d = NumberField(m, f))
        out << ReportNumber(*d);
    else if (ReportColour* c = ColourField(m, f))
        out << ReportColourText(*c, pad);
    else if (int* i = IntField(m, f))
        out << QString::number(f == N ? int(o.children.size()) : *i);
    else if (bool* b = BoolField(m, f))
        out << QString(*b ? QStringLiteral("1") : QStringLiteral("0"));
    else if (f == FACE)
        out << CleanReportText(o.face).remove(',');
    else if (f == FILE)
        out << CleanReportText(o.text).remove(',');
    else if (f == TEXT)
        out << CleanReportText(o.text);
}

} // namespace

bool ReportObject::isText() const {
    switch (kind) {
    case kPointText:
    case kBoxText:
    case kCell:
    case kTurnedText:
    case kTextPiece:
    case kClippedText:
    case kFittedText:
    case kRoundedText:
        return true;
    default:
        return false;
    }
}

QStringList ReportObject::searchTexts() const {
    switch (kind) {
    case kPointText:
    case kBoxText:
    case kCell:
    case kTurnedText:
    case kTextPiece:
    case kClippedText:
    case kFittedText:
        return {text};
    case kCellRow: {
        QStringList out;
        for (const ReportObject& c : children)
            out << c.text;
        return out;
    }
    case kComposedLine: {
        QStringList out;
        QString joined;
        for (const ReportObject& c : children) {
            out << c.text;
            joined += c.text;
        }
        out << joined;
        return out;
    }
    default:
        return {};
    }
}

ReportObject DefaultObject(int kind) {
    ReportObject o;
    o.kind = kind;
    switch (kind) {
    case kCell:
        o.format = 5;
        o.penWidth = 0.2;
        break;
    case kCellRow:
        o.penWidth = 0;
        o.fillColour = kBlack;
        break;
    case kFittedText:
    case kClippedText:
        o.format = 5;
        break;
    case kPicture:
    case kComposedLine:
        o.penWidth = 0;
        break;
    default:
        break;
    }
    return o;
}

double ReadReportNumber(QStringView field) {
    // The longest number at the start of the field, after blanks: [+-]digits[.digits][e[+-]digits]
    // (or .digits); anything else reads as 0, and so does a value out of range.
    auto blank = [](QChar c) { return c == u' ' || (c.unicode() >= 9 && c.unicode() <= 13); };
    auto digit = [&](qsizetype i) { return i < field.size() && field[i] >= u'0' && field[i] <= u'9'; };
    qsizetype i = 0;
    while (i < field.size() && blank(field[i]))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == u'+' || field[i] == u'-')) {
        negative = field[i] == u'-';
        ++i;
    }
    const qsizetype start = i;
    while (digit(i))
        ++i;
    const bool intDigits = i > start;
    if (i < field.size() && field[i] == u'.') {
        const qsizetype dot = i++;
        while (digit(i))
            ++i;
        if (!intDigits && i == dot + 1)
            return 0; // a lone "."
    } else if (!intDigits) {
        return 0;
    }
    qsizetype end = i;
    if (i < field.size() && (field[i] == u'e' || field[i] == u'E')) {
        qsizetype e = i + 1;
        if (e < field.size() && (field[e] == u'+' || field[e] == u'-'))
            ++e;
        if (digit(e)) {
            while (digit(e))
                ++e;
            end = e;
        }
    }
    // The characters are ASCII here; convert without any locale.
    char buffer[320];
    const qsizetype n = end - start;
    if (n >= qsizetype(sizeof buffer))
        return 0;
    for (qsizetype k = 0; k < n; ++k)
        buffer[k] = char(field[start + k].unicode());
    double v = 0;
    const auto result = std::from_chars(buffer, buffer + n, v);
    if (result.ec != std::errc() || !std::isfinite(v))
        return 0;
    return negative ? -v : v;
}

double ReadReportNumber(const QString& field) { return ReadReportNumber(QStringView(field)); }

ReportColour ReadReportColour(QStringView field) {
    qsizetype b = 0, e = field.size();
    while (b < e && field[b].isSpace())
        ++b;
    while (e > b && field[e - 1].isSpace())
        --e;
    const QStringView t = field.mid(b, e - b);
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        quint32 v = 0;
        for (qsizetype i = 2; i < t.size() && i < 10; ++i) {
            const char16_t c = t[i].unicode();
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                break;
            v = v * 16 + quint32(d);
        }
        return v;
    }
    const double d = ReadReportNumber(t);
    return d < 0 || d > 4294967295.0 ? 0 : ReportColour(d);
}

ReportColour ReadReportColour(const QString& field) { return ReadReportColour(QStringView(field)); }

QString ReportNumber(double mm) { return FloatAsText(mm, u'.'); }

QString ReportColourText(ReportColour c, bool pad6) {
    QString hex = QString::number(c, 16).toUpper();
    if (pad6 && hex.size() < 6)
        hex = QString(6 - hex.size(), u'0') + hex;
    return QStringLiteral("0x") + hex;
}

QString CleanReportText(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c.unicode() < 32 || c.unicode() == 127)
            c = u' ';
    return out;
}

QStringList FormatObject(const ReportObject& o, bool padColours) {
    if (o.kind == kPassive)
        return {CleanReportText(o.text)};
    QStringList args;
    for (F f : Fields(o.kind))
        AppendField(args, o, f, padColours);
    QStringList lines{QString::number(o.kind) + ',' + args.join(',')};
    for (const ReportObject& c : o.children)
        lines << FormatObject(c, padColours);
    return lines;
}

QStringList FormatDocument(const ReportDocument& doc) {
    QStringList out;
    for (const ReportPage& p : doc.pages) {
        out << QStringLiteral("[STRANA]");
        out << (p.orientation == 1 ? QStringLiteral("[LEZATO]") : QStringLiteral("[STOJATO]"));
        if (p.paper == 1)
            out << QStringLiteral("[A3]");
        if (!p.printer.isEmpty())
            out << QStringLiteral("[TLACIAREN=") + CleanReportText(p.printer) + ']';
        for (const ReportObject& o : p.objects)
            out << FormatObject(o);
    }
    return out;
}

ReportObject ParseCommandLine(const QString& line, const QString& pictureDir) {
    QStringList one{line};
    LineReader r{one, 1, pictureDir};
    return r.read(Cut(line, ReportLimits::kLineLength), -1, 0);
}

QStringList SplitReportText(const QByteArray& bytes) {
    const QString text = FromCp1250(bytes);
    QStringList lines = text.split('\n');
    for (QString& l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

namespace {

// The markers and commands of one page, up to a "[STRANA]" line or the end; true when it
// stopped at a "[STRANA]" (which is taken).
bool ReadPageBody(LineReader& r, ReportPage& page) {
    while (!r.atEnd()) {
        const QString line = r.take();
        if (line == QLatin1String("[STRANA]")) {
            return true;
        } else if (line == QLatin1String("[STOJATO]")) {
            page.orientation = 0;
        } else if (line == QLatin1String("[LEZATO]")) {
            page.orientation = 1;
        } else if (line == QLatin1String("[A4]")) {
            page.paper = 0;
        } else if (line == QLatin1String("[A3]")) {
            page.paper = 1;
        } else if (line.startsWith(QLatin1String("[TLACIAREN="))) {
            page.printer = Cut(line.mid(11, line.size() - 12), ReportLimits::kPrinterLength);
        } else {
            ReportObject o = r.read(line, -1, 0);
            if (o.kind >= 0)
                page.objects << std::move(o);
        }
    }
    return false;
}

// Lines of a report file's bytes as SplitReportText gives them (LF or CR LF; a last empty
// line dropped), each cut to the line limit, without decoding them.
struct ByteLines {
    const char* data;
    qsizetype size;
    qsizetype pos = 0;
    qsizetype lineStart = 0; // where the line last given starts

    bool next(QByteArrayView& line) {
        while (pos < size) {
            lineStart = pos;
            const char* nl = static_cast<const char*>(std::memchr(data + pos, '\n', size_t(size - pos)));
            const qsizetype end = nl ? nl - data : size;
            pos = nl ? end + 1 : size;
            qsizetype len = end - lineStart;
            if (len > 0 && data[lineStart + len - 1] == '\r')
                --len;
            if (!nl && len == 0)
                return false; // the empty piece after the last line break
            line = QByteArrayView(data + lineStart, std::min<qsizetype>(len, ReportLimits::kLineLength));
            return true;
        }
        return false;
    }
};

// The count of a block header line (7, 11 or 16), read as the full reader reads it.
int BlockCount(QByteArrayView line, int kind) {
    ReportObject header = DefaultObject(kind);
    const QString text = FromCp1250(line.toByteArray());
    int start = 0;
    KindOf(text, start);
    ParseArguments(header, text, start, QString());
    return std::max(0, header.count);
}

int ByteKind(QByteArrayView line) {
    if (line.isEmpty() || line[0] < '0' || line[0] > '9')
        return -1;
    int kind = line[0] - '0';
    if (line.size() > 1 && line[1] >= '0' && line[1] <= '9') {
        const int two = kind * 10 + (line[1] - '0');
        if (two >= 10 && two <= 20)
            kind = two;
    }
    return kind;
}

} // namespace

bool ParseReport(const QStringList& lines, ReportDocument& doc, QString* error,
                 const QString& pictureDir) {
    doc = ReportDocument{};
    if (lines.isEmpty() || lines.first() != QLatin1String("[STRANA]")) {
        if (error)
            *error = QStringLiteral("Súbor nie je zostava (chýba úvodný riadok [STRANA]).");
        return false;
    }
    LineReader r{lines, 1, pictureDir};
    for (;;) {
        ReportPage page;
        const bool more = ReadPageBody(r, page);
        doc.pages << std::move(page);
        if (!more)
            break;
    }
    return true;
}

ReportPage ParseReportPage(const QStringList& lines, const QString& pictureDir) {
    LineReader r{lines, 0, pictureDir};
    ReportPage page;
    ReadPageBody(r, page);
    return page;
}

QVector<ReportPageSpan> ReportPageSpans(const QByteArray& bytes) {
    QVector<ReportPageSpan> spans;
    ByteLines lines{bytes.constData(), bytes.size()};
    QByteArrayView line;
    if (!lines.next(line) || line != "[STRANA]")
        return spans;
    spans << ReportPageSpan{lines.pos, bytes.size()};
    while (lines.next(line)) {
        if (line == "[STRANA]") {
            spans.last().end = lines.lineStart;
            spans << ReportPageSpan{lines.pos, bytes.size()};
            continue;
        }
        // A command takes the lines that belong to it, page markers included, exactly as the
        // reader does: cells and pieces are single lines, group members may be blocks again.
        qint64 owed = 0;
        for (;;) {
            const int kind = ByteKind(line);
            if (kind == kCellRow || kind == kComposedLine || kind == kGroup) {
                const int n = BlockCount(line, kind);
                if (kind == kGroup) {
                    owed += n;
                } else {
                    QByteArrayView skipped;
                    for (int i = 0; i < n && lines.next(skipped); ++i) {
                    }
                }
            }
            if (owed <= 0 || !lines.next(line))
                break;
            --owed;
        }
    }
    return spans;
}

bool ReadReportFile(const QString& fileName, QByteArray& bytes, QString& dir, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QFileInfo fi(fileName);
    if (!fi.exists())
        return fail(QStringLiteral("Súbor %1 neexistuje.").arg(fileName));
    if (!fi.isFile())
        return fail(QStringLiteral("%1 nie je súbor.").arg(fileName));
    if (fi.size() > ReportLimits::kMaxFileBytes)
        return fail(QStringLiteral("Súbor %1 je príliš veľký.").arg(fileName));
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Súbor %1 sa nedá otvoriť.").arg(fileName));
    bytes = f.readAll();
    dir = fi.absolutePath();
    return true;
}

bool LoadReport(const QString& fileName, ReportDocument& doc, QString* error) {
    doc = ReportDocument{};
    QByteArray bytes;
    QString dir;
    if (!ReadReportFile(fileName, bytes, dir, error))
        return false;
    return ParseReport(SplitReportText(bytes), doc, error, dir);
}

} // namespace vidoraw
