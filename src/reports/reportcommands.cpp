// Command lists: report templates loaded as lines, moved, given a font, written into the
// report file or played on the printer.
#include "reports/reportwriter.h"

#include "reports/format/reportpainter.h"

#include <QPrinter>
#include <QRegularExpression>

namespace vidoraw {

namespace {

bool IsPageMarker(const QString& line) {
    return line == QLatin1String("[STRANA]") || line == QLatin1String("[LEZATO]") ||
           line == QLatin1String("[STOJATO]") || line == QLatin1String("[A4]") ||
           line == QLatin1String("[A3]") || line.contains(QLatin1String("[TLACIAREN="));
}

// A whole field that is a number in the files' form.
bool ReadNumber(const QString& field, double& value) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!re.match(field).hasMatch())
        return false;
    value = ReadReportNumber(field);
    return true;
}

// Moves the arguments at the given positions (x at even, y at odd steps) and keeps every
// other character of the line as it was. False when one of them is no number.
bool MoveFields(QString& line, int firstField, int count, double dx, double dy) {
    QStringList parts = line.split(u',');
    if (parts.size() < 1 + firstField + count)
        return false;
    QStringList moved = parts;
    for (int i = 0; i < count; ++i) {
        double v = 0;
        if (!ReadNumber(parts[1 + firstField + i], v))
            return false;
        moved[1 + firstField + i] = ReportNumber(v + (i % 2 == 0 ? dx : dy));
    }
    line = moved.join(u',');
    return true;
}

// Rewrites a command whose corners (x1, y1, x2, y2, or only x, y) move and whose other fields
// are written again with the same values.
bool MoveAndRewrite(QString& line, int kind, int coordinates, double dx, double dy) {
    const QStringList parts = line.split(u',');
    if (parts.size() < 1 + coordinates)
        return false;
    for (int i = 0; i < coordinates; ++i) {
        double v = 0;
        if (!ReadNumber(parts[1 + i], v))
            return false;
    }
    ReportObject o = ParseCommandLine(line);
    if (o.kind != kind)
        return false;
    o.x1 += dx;
    o.y1 += dy;
    if (coordinates == 4) {
        o.x2 += dx;
        o.y2 += dy;
    }
    line = FormatObject(o, false).first();
    return true;
}

int CommandOf(const QString& line) {
    const int comma = int(line.indexOf(u','));
    bool ok = false;
    const int kind = (comma < 0 ? line : line.left(comma)).toInt(&ok);
    return ok ? kind : -1;
}

} // namespace

bool ReportShift(QStringList& list, double dx, double dy) {
    bool all = true;
    for (QString& line : list) {
        if (IsPageMarker(line))
            continue;
        const int comma = int(line.indexOf(u','));
        if (comma >= 0) {
            const QString rest = line.mid(comma + 1);
            double x = 0, y = 0;
            if (!rest.isEmpty() && !rest.contains(u',') && ReadNumber(line.left(comma), x) &&
                ReadNumber(rest, y)) {
                // A bare coordinate pair.
                line = ReportNumber(x + dx) + u',' + ReportNumber(y + dy);
                continue;
            }
        }
        bool ok = true;
        const int kind = CommandOf(line);
        switch (kind) {
        case kLine:
        case kBox:
        case kBoxText:
        case kFrame:
        case kEllipse:
        case kFittedText:
        case kScreenLine:
        case kScreenFrame:
        case kRoundedBox:
            ok = MoveAndRewrite(line, kind, 4, dx, dy);
            break;
        case kTurnedText:
            ok = MoveAndRewrite(line, kind, 2, dx, dy);
            break;
        case kPointText:
            ok = MoveFields(line, 0, 2, dx, dy);
            break;
        case kPicture:
            ok = MoveFields(line, 1, 2, dx, dy);
            break;
        case kPatternedBox:
        case kRoundedText:
            ok = MoveFields(line, 0, 4, dx, dy);
            break;
        default:
            // 18 stays as it is; the kinds templates do not carry (6, 7, 10, 11, 12, 16)
            // are left alone too.
            break;
        }
        all = all && ok;
    }
    return all;
}

void ReportSetFont(QStringList& list, const QString& fontName) {
    QString face = CleanReportText(fontName);
    face.remove(u',');
    for (QString& line : list) {
        if (!line.startsWith(u'3'))
            continue;
        QStringList parts = line.split(u',');
        if (parts.size() < 7)
            continue;
        parts[6] = face;
        line = parts.join(u',');
    }
}

void ReportWriter::ReportOrientation(const QStringList& list) {
    std::optional<bool> found;
    for (const QString& line : list) {
        if (line == QLatin1String("[LEZATO]"))
            found = true;
        else if (line == QLatin1String("[STOJATO]"))
            found = false;
    }
    if (!found)
        return;
    // Held for the next ReportBegin, which would otherwise put back the writer's own
    // orientation and lose the template's.
    templateLandscape = found;
    printer().setPageOrientation(*found ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool ReportWriter::ReportWriteLines(const QStringList& list, bool keepPageLines) {
    if (mode != ReportOutput::File)
        return false;
    for (const QString& line : list) {
        if (!keepPageLines && line == QLatin1String("[STRANA]"))
            continue;
        if (line.startsWith(QLatin1String("3,")) || line.startsWith(QLatin1String("13,"))) {
            ReportObject o = ParseCommandLine(line);
            o.format |= kNoPrefix;
            writeLine(FormatObject(o, false).first());
        } else {
            writeLine(CleanReportText(line));
        }
    }
    return true;
}

bool ReportWriter::ReportPlay(const QStringList& list, const QString& pictureDir) {
    if (mode != ReportOutput::Printer || !drawer)
        return false;
    for (const QString& line : list) {
        if (IsPageMarker(line))
            continue;
        const ReportObject o = ParseCommandLine(line, pictureDir);
        switch (o.kind) {
        case kLine:
        case kBox:
        case kPointText:
        case kBoxText:
        case kFrame:
        case kEllipse:
        case kPicture:
        case kFittedText:
        case kScreenLine:
        case kScreenFrame:
        case kRoundedBox:
        case kPatternedBox:
        case kRoundedText:
            drawer->draw(o);
            break;
        default:
            // Cells, turned texts, composed lines, clipped texts, groups and passive lines
            // are the viewer's; a template for the printer does not carry them.
            break;
        }
    }
    return true;
}

} // namespace vidoraw
