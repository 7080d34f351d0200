#include "reports/format/reportpainter.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace vidoraw {

namespace {

// Device coordinates are kept far inside int and inside what the rasteriser handles well;
// a page at 1200 dpi is about 20 000 pixels.
constexpr double kCoordinateLimit = 4.0e6;
// Glyphs above this cell height are of no use and only cost memory.
constexpr int kMaxCellPixels = 16384;

// trunc() of the millimetre arithmetic. A hair is added away from zero so that values which
// are whole in decimal (25.4 mm at 96 dpi is 96 pixels) do not fall one pixel short in binary.
int Trunc(double v) {
    if (!std::isfinite(v))
        return 0;
    v += v >= 0 ? 1e-7 : -1e-7;
    v = std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
    return int(v);
}

QPointF Centre(QPoint p) { return {p.x() + 0.5, p.y() + 0.5}; }

// Curves far larger than any page are drawn as polygons of bounded size: the painter's own
// curve flattening grows with the curve's length and a stray coordinate would take seconds.
constexpr int kLargeShape = 8192;
constexpr int kShapePoints = 20000;

bool IsLarge(const QRectF& r) { return r.width() > kLargeShape || r.height() > kLargeShape; }

// A pen wider than this is of no use on any page and makes stroking crawl.
constexpr int kMaxPenPixels = 4096;

// The part of a closed polygon inside a rectangle (Sutherland-Hodgman). Edges the cut adds
// run along the rectangle, which the caller puts outside what can be seen.
QPolygonF ClipPolygon(const QPolygonF& polygon, const QRectF& r) {
    QPolygonF in = polygon;
    for (int side = 0; side < 4 && !in.isEmpty(); ++side) {
        auto inside = [&](const QPointF& p) {
            switch (side) {
            case 0: return p.x() >= r.left();
            case 1: return p.x() <= r.right();
            case 2: return p.y() >= r.top();
            default: return p.y() <= r.bottom();
            }
        };
        auto cross = [&](const QPointF& a, const QPointF& b) {
            double t;
            switch (side) {
            case 0: t = (r.left() - a.x()) / (b.x() - a.x()); break;
            case 1: t = (r.right() - a.x()) / (b.x() - a.x()); break;
            case 2: t = (r.top() - a.y()) / (b.y() - a.y()); break;
            default: t = (r.bottom() - a.y()) / (b.y() - a.y()); break;
            }
            return a + (b - a) * t;
        };
        QPolygonF out;
        out.reserve(in.size() + 4);
        for (qsizetype i = 0; i < in.size(); ++i) {
            const QPointF& cur = in[i];
            const QPointF& prev = in[(i + in.size() - 1) % in.size()];
            if (inside(cur)) {
                if (!inside(prev))
                    out << cross(prev, cur);
                out << cur;
            } else if (inside(prev)) {
                out << cross(prev, cur);
            }
        }
        in = out;
    }
    return in;
}

// Points on the ellipse in r, or on the rounded rectangle with corner radii rx, ry.
QPolygonF CurvePolygon(const QRectF& r, double rx = -1, double ry = -1) {
    QPolygonF out;
    const bool ellipse = rx < 0;
    if (ellipse) {
        rx = r.width() / 2;
        ry = r.height() / 2;
    }
    rx = std::min(rx, r.width() / 2);
    ry = std::min(ry, r.height() / 2);
    const QPointF centres[4] = {{r.right() - rx, r.bottom() - ry}, {r.left() + rx, r.bottom() - ry},
                                {r.left() + rx, r.top() + ry}, {r.right() - rx, r.top() + ry}};
    // Enough points that the chords stay within a fraction of a pixel of the curve.
    const int perQuarter =
        std::clamp(int(std::max(r.width(), r.height()) / 256), 64, kShapePoints / 4);
    out.reserve(4 * perQuarter + 4);
    for (int q = 0; q < 4; ++q)
        for (int i = 0; i <= perQuarter; ++i) {
            const double a = (q + double(i) / perQuarter) * M_PI / 2;
            out << QPointF(centres[q].x() + rx * std::cos(a), centres[q].y() + ry * std::sin(a));
        }
    return out;
}

// The corners of a pixel rectangle, so that boundingRect() gives the rectangle back.
QPolygon RectPolygon(const QRect& r) {
    if (r.isEmpty())
        return {};
    return QPolygon({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()});
}

// The text DrawText shows: with prefix processing "&&" is one "&" and a single "&" marks the
// next character (it is not printed itself).
QString ShownText(const QString& text, int qtFlags) {
    if (!(qtFlags & Qt::TextShowMnemonic) || !text.contains(u'&'))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                out += u'&';
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

struct FaceKey {
    QString family;
    bool bold;
    bool italic;
    bool operator==(const FaceKey& o) const {
        return family == o.family && bold == o.bold && italic == o.italic;
    }
};
size_t qHash(const FaceKey& k, size_t seed = 0) {
    return ::qHash(k.family, seed) ^ (k.bold ? 0x9e37u : 0u) ^ (k.italic ? 0x7f4au : 0u);
}

// Pixel size per pixel of cell height of a face (measured once at a large size, where
// hinting does not distort the ratio).
double CellRatio(const QString& family, bool bold, bool italic) {
    static QHash<FaceKey, double> cache;
    const FaceKey key{family, bold, italic};
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QFont f(family);
    f.setPixelSize(200);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    f.setItalic(italic);
    const QFontMetricsF fm(f);
    const double cell = fm.ascent() + fm.descent();
    const double ratio = cell > 1 ? 200.0 / cell : 1.0;
    cache.insert(key, ratio);
    return ratio;
}

void InstallSubstitutions() {
    static bool done = false;
    if (done)
        return;
    done = true;
    const QString sans = QStringLiteral("Liberation Sans");
    for (const char* name : {"System", "MS Sans Serif", "Arial", "Tahoma", "Helvetica"})
        QFont::insertSubstitution(QString::fromLatin1(name), sans);
    QFont::insertSubstitution(QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Mapping

ReportMapping ReportMapping::screen(double dpiX, double dpiY, int zoom, int scrollX, int scrollY) {
    ReportMapping m;
    m.dpiX = dpiX;
    m.dpiY = dpiY;
    m.zoom = zoom;
    m.originX = screenMargin(dpiX) - scrollX;
    m.originY = screenMargin(dpiY) - scrollY;
    return m;
}

ReportMapping ReportMapping::device(double dpiX, double dpiY) {
    ReportMapping m;
    m.dpiX = dpiX;
    m.dpiY = dpiY;
    return m;
}

int ReportMapping::screenMargin(double dpi) { return Trunc(dpi * 8 / 25.4); }

int ReportMapping::x(double mm) const { return originX + sizeX(mm); }
int ReportMapping::y(double mm) const { return originY + sizeY(mm); }
int ReportMapping::sizeX(double mm) const { return Trunc(dpiX * mm * zoom / 2540); }
int ReportMapping::sizeY(double mm) const { return Trunc(dpiY * mm * zoom / 2540); }

int ReportMapping::pen(double mm) const { return std::max(1, std::min(sizeX(mm), sizeY(mm))); }

QRect ReportMapping::rect(double x1, double y1, double x2, double y2) const {
    int l = x(x1), t = y(y1), r = x(x2), b = y(y2);
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    return QRect(l, t, r - l, b - t);
}

// ---------------------------------------------------------------------------------------------
// Fonts, flags, colours

QString ReportFontFamily(const QString& face) {
    InstallSubstitutions();
    const QString f = face.trimmed();
    static const QStringList sans{QStringLiteral("system"), QStringLiteral("ms sans serif"),
                                  QStringLiteral("arial"), QStringLiteral("tahoma"),
                                  QString()};
    const QString lower = f.toLower();
    if (sans.contains(lower))
        return QStringLiteral("Liberation Sans");
    if (lower == QLatin1String("arial narrow"))
        return QStringLiteral("Liberation Sans Narrow");
    if (lower == QLatin1String("times new roman"))
        return QStringLiteral("Liberation Serif");
    if (lower == QLatin1String("courier new"))
        return QStringLiteral("Liberation Mono");
    return f;
}

QFont ReportFont(const QString& face, int cellPixels, bool bold, bool italic, bool underline,
                 bool strikeout) {
    const QString family = ReportFontFamily(face);
    QFont f(family);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeout);
    f.setKerning(false); // widths add up piece by piece, as the old printing did
    f.setStyleStrategy(QFont::PreferDefault);
    const int cell = std::clamp(cellPixels, 1, kMaxCellPixels);
    f.setPixelSize(std::max(1, int(std::lround(cell * CellRatio(family, bold, italic)))));
    return f;
}

int ReportTextFlags(int format) {
    int flags = Qt::TextSingleLine;
    // Centre wins over right when both are set, as DrawText does.
    if (format & kAlignCentre)
        flags |= Qt::AlignHCenter;
    else if (format & kAlignRight)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    // Vertical placement only applies to single-line drawing; otherwise the text is at the top.
    if ((format & kSingleLine) && (format & kAlignVCentre))
        flags |= Qt::AlignVCenter;
    else if ((format & kSingleLine) && (format & 8))
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    if (format & 256)
        flags |= Qt::TextDontClip;
    if (!(format & kNoPrefix))
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QColor ReportQColor(ReportColour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

ReportColour ReportColourOf(const QColor& c) {
    return ReportColour(c.red()) | ReportColour(c.green()) << 8 | ReportColour(c.blue()) << 16;
}

QSizeF ReportPaperSize(int orientation, int paper) {
    const QSizeF portrait = paper == 1 ? QSizeF(297, 420) : QSizeF(210, 297);
    return orientation == 1 ? portrait.transposed() : portrait;
}

// ---------------------------------------------------------------------------------------------
// Painter

ReportPainter::ReportPainter(QPainter& painter, const ReportMapping& mapping, ReportTarget target)
    : p(painter), map(mapping), tgt(target) {
    InstallSubstitutions();
}

bool ReportPainter::drawsKind(int kind) const {
    switch (tgt) {
    case ReportTarget::Screen:
        return kind >= kLine && kind <= kGroup;
    case ReportTarget::ViewerPrint:
        return kind >= kLine && kind <= kGroup && kind != kScreenLine && kind != kScreenFrame;
    case ReportTarget::DirectPrint:
        switch (kind) {
        case kLine: case kBox: case kPointText: case kBoxText: case kFrame: case kEllipse:
        case kPicture: case kFittedText: case kScreenLine: case kRoundedBox:
        case kPatternedBox: case kRoundedText:
            return true;
        default:
            return false;
        }
    }
    return false;
}

void ReportPainter::setPen(double widthMm, ReportColour colour) {
    penPx = std::min(map.pen(widthMm), kMaxPenPixels);
    p.setPen(QPen(ReportQColor(colour), penPx, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void ReportPainter::setFillColour(ReportColour colour) {
    fill = ReportQColor(colour);
    p.setBrush(fill);
}

QFont ReportPainter::font(const ReportObject& o, double letterHeightMm) const {
    return font(o, map.sizeY(std::fabs(letterHeightMm)));
}

QFont ReportPainter::font(const ReportObject& o, int cellPixels) const {
    return ReportFont(o.face, cellPixels, o.bold, o.italic, o.underline, o.strikeout);
}

void ReportPainter::textInBox(const QRect& box, const QString& text, int flags, const QFont& f,
                              ReportColour colour, double xScale) {
    if (text.isEmpty())
        return;
    p.save();
    p.setFont(f);
    p.setPen(ReportQColor(colour));
    if (tgt == ReportTarget::DirectPrint) {
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(fill);
    } else {
        p.setBackgroundMode(Qt::TransparentMode);
    }
    if (xScale != 1.0 && xScale > 0) {
        // Forced character width: draw narrower by a horizontal scale about the box's left
        // edge; the box is widened by the same factor so alignment stays right.
        if (!(flags & Qt::TextDontClip))
            p.setClipRect(box, Qt::IntersectClip);
        p.translate(box.left(), 0);
        p.scale(xScale, 1.0);
        p.drawText(QRectF(0, box.top(), box.width() / xScale, box.height()), flags, text);
    } else {
        p.drawText(box, flags, text);
    }
    p.restore();
}

void ReportPainter::textAt(QPoint topLeft, const QString& text, const QFont& f,
                           ReportColour colour) {
    if (text.isEmpty())
        return;
    p.save();
    p.setFont(f);
    p.setPen(ReportQColor(colour));
    if (tgt == ReportTarget::DirectPrint) {
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(fill);
    } else {
        p.setBackgroundMode(Qt::TransparentMode);
    }
    const QFontMetrics fm(f, p.device());
    p.drawText(QPoint(topLeft.x(), topLeft.y() + fm.ascent()), text);
    p.restore();
}

// A rectangle as GDI draws it: the fill covers the pixels from the first corner up to, not
// including, the second; the outline runs through the outermost pixels.
void ReportPainter::box(const QRect& r, bool outline, bool filled) {
    if (filled && !r.isEmpty())
        p.fillRect(r, p.brush());
    if (!outline || r.width() <= 0 || r.height() <= 0)
        return;
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (r.width() == 1 || r.height() == 1) {
        p.drawLine(Centre(r.topLeft()), Centre(r.bottomRight()));
    } else {
        p.drawRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, r.height() - 1));
    }
    p.restore();
}

// Only the part of a huge outline near the device is handed to the painter, the cut well
// outside what can be seen, so the pen never strokes the artificial edges visibly.
void ReportPainter::drawLargePolygon(const QPolygonF& polygon) {
    QRectF visible(0, 0, 1, 1);
    if (p.device())
        visible = QRectF(0, 0, p.device()->width(), p.device()->height());
    visible = p.transform().inverted().mapRect(visible);
    const double margin = p.pen().widthF() + 4;
    const QPolygonF part = ClipPolygon(polygon, visible.adjusted(-margin, -margin, margin, margin));
    if (part.size() >= 3)
        p.drawPolygon(part);
}

void ReportPainter::line(QPoint a, QPoint b) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    if (a == b)
        p.drawPoint(Centre(a));
    else
        p.drawLine(Centre(a), Centre(b));
    p.restore();
}

void ReportPainter::drawPage(const ReportPage& page) {
    for (const ReportObject& o : page.objects)
        draw(o);
}

void ReportPainter::draw(const ReportObject& o) {
    if (!drawsKind(o.kind))
        return;
    switch (o.kind) {
    case kLine: drawLine(o); break;
    case kBox: drawBox(o); break;
    case kPointText: drawPointText(o); break;
    case kBoxText: drawBoxText(o); break;
    case kFrame: drawFrame(o); break;
    case kEllipse: drawEllipse(o); break;
    case kCell: drawCell(o); break;
    case kCellRow: drawCellRow(o); break;
    case kPicture: drawPicture(o); break;
    case kTurnedText: drawTurnedText(o); break;
    case kTextPiece: drawTextPiece(o); break;
    case kComposedLine: drawComposedLine(o); break;
    case kClippedText: drawClippedText(o); break;
    case kFittedText: drawFittedText(o); break;
    case kScreenLine:
        if (tgt == ReportTarget::DirectPrint)
            setPen(o.penWidth, o.penColour); // the pen only: a later patterned box keeps its width
        else
            drawLine(o);
        break;
    case kScreenFrame: drawFrame(o); break;
    case kGroup:
        for (const ReportObject& m : o.children)
            draw(m);
        break;
    case kRoundedBox: drawRoundedBox(o); break;
    case kPatternedBox: drawPatternedBox(o); break;
    case kRoundedText: drawRoundedText(o); break;
    default: break;
    }
}

void ReportPainter::drawLine(const ReportObject& o) {
    setPen(o.penWidth, o.penColour);
    line(map.point(o.x1, o.y1), map.point(o.x2, o.y2));
}

void ReportPainter::drawBox(const ReportObject& o) {
    setPen(o.penWidth, o.penColour);
    setFillColour(o.fillColour);
    box(map.rect(o.x1, o.y1, o.x2, o.y2), true, true);
}

void ReportPainter::drawPointText(const ReportObject& o) {
    const int cell = map.sizeY(std::fabs(o.letterHeight));
    if (cell < 1)
        return;
    textAt(map.point(o.x1, o.y1), o.text, font(o, cell), o.textColour);
}

void ReportPainter::drawBoxText(const ReportObject& o) {
    const int cell = map.sizeY(std::fabs(o.letterHeight));
    if (cell < 1)
        return;
    int format = o.format;
    if (tgt == ReportTarget::DirectPrint)
        format |= kNoPrefix;
    textInBox(map.rect(o.x1, o.y1, o.x2, o.y2), o.text, ReportTextFlags(format), font(o, cell),
              o.textColour);
}

void ReportPainter::drawFrame(const ReportObject& o) {
    setPen(o.penWidth, o.penColour);
    const QPoint a = map.point(o.x1, o.y1), b = map.point(o.x2, o.y2);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush); // an outline only: whatever fill the last box left stays unused
    const QPointF pts[] = {Centre(a), Centre({b.x(), a.y()}), Centre(b), Centre({a.x(), b.y()})};
    p.drawPolygon(pts, 4);
    p.restore();
}

void ReportPainter::drawEllipse(const ReportObject& o) {
    setPen(o.penWidth, o.penColour);
    setFillColour(o.fillColour);
    const QRect r = map.rect(o.x1, o.y1, o.x2, o.y2);
    if (r.width() < 1 || r.height() < 1)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF shape(r.left() + 0.5, r.top() + 0.5, r.width() - 1, r.height() - 1);
    if (IsLarge(shape))
        drawLargePolygon(CurvePolygon(shape));
    else
        p.drawEllipse(shape);
    p.restore();
}

void ReportPainter::drawCell(const ReportObject& o) {
    setPen(o.penWidth, o.penColour);
    setFillColour(o.fillColour);
    box(map.rect(o.x1, o.y1, o.x2, o.y2), true, true);
    const int cell = map.sizeY(std::fabs(o.letterHeight));
    if (cell < 1)
        return;
    textInBox(map.rect(o.x1 + 1.0, o.y1 + 0.5, o.x2 - 1.0, o.y2 - 0.5), o.text,
              ReportTextFlags(o.format), font(o, cell), o.textColour);
}

void ReportPainter::drawCellRow(const ReportObject& o) {
    setPen(o.penWidth, o.penColour);
    setFillColour(o.fillColour);
    box(map.rect(o.x1, o.y1, o.x2, o.y2), true, true);
    if (!o.baseline) {
        for (const ReportObject& c : o.children)
            drawCell(c);
        return;
    }
    // Common baseline: every cell's text sits on the line of the tallest font.
    int maxH = 0, maxA = 0;
    QVector<QFont> fonts;
    fonts.reserve(o.children.size());
    for (const ReportObject& c : o.children) {
        const QFont f = font(c, std::max(1, map.sizeY(std::fabs(c.letterHeight))));
        const QFontMetrics fm(f, p.device());
        maxH = std::max(maxH, fm.height());
        maxA = std::max(maxA, fm.ascent());
        fonts << f;
    }
    const int h = tgt == ReportTarget::Screen ? map.y(o.y2) - map.y(o.y1) : map.sizeY(o.y2 - o.y1);
    const int pad = map.sizeY(0.5);
    const int v = (h - 2 * pad - maxH) / 2;
    for (int i = 0; i < o.children.size(); ++i) {
        const ReportObject& c = o.children[i];
        setPen(c.penWidth, c.penColour);
        setFillColour(c.fillColour);
        box(map.rect(c.x1, c.y1, c.x2, c.y2), true, true);
        if (map.sizeY(std::fabs(c.letterHeight)) < 1)
            continue;
        const QFontMetrics fm(fonts[i], p.device());
        const int left = map.x(c.x1 + 1.0), right = map.x(c.x2 - 1.0);
        const int top = map.y(c.y1 + 0.5) + v + maxA - fm.ascent();
        textInBox(QRect(left, top, right - left, fm.height()), c.text, ReportTextFlags(c.format),
                  fonts[i], c.textColour);
    }
}

void ReportPainter::drawPicture(const ReportObject& o) {
    if (o.picture.isNull())
        return;
    const QRect r = map.rect(o.x1, o.y1, o.x1 + o.width, o.y1 + o.height);
    if (r.isEmpty())
        return;
    p.drawImage(r, o.picture);
}

void ReportPainter::drawTurnedText(const ReportObject& o) {
    const int cell = map.sizeY(std::fabs(o.letterHeight));
    if (cell < 1 || o.text.isEmpty())
        return;
    const QFont f = font(o, cell);
    const QFontMetrics fm(f, p.device());
    const QPoint at = map.point(o.x1, o.y1);
    p.save();
    p.setFont(f);
    p.setPen(ReportQColor(o.textColour));
    p.setBackgroundMode(Qt::TransparentMode);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.translate(at);
    p.rotate(-o.angle / 10.0);
    p.drawText(QPoint(0, fm.ascent()), o.text);
    p.restore();
}

void ReportPainter::drawTextPiece(const ReportObject& o) {
    const int nominal = map.sizeY(std::fabs(o.letterHeight));
    const int cell = o.position == 1 || o.position == 2 ? nominal / 2 : nominal;
    if (cell < 1)
        return;
    QPoint at = map.point(o.x1, o.y1);
    if (o.position == 2)
        at.ry() += nominal / 2;
    textAt(at, o.text, font(o, cell), o.textColour);
}

void ReportPainter::drawComposedLine(const ReportObject& o) {
    struct Piece {
        QFont drawn;
        int width = 0;
        int nominalAscent = 0;
        int nominal = 0;
        bool visible = false;
    };
    QVector<Piece> pieces;
    pieces.reserve(o.children.size());
    int total = 0, maxH = 0, maxA = 0;
    for (const ReportObject& c : o.children) {
        Piece pc;
        pc.nominal = map.sizeY(std::fabs(c.letterHeight));
        const bool half = c.position == 1 || c.position == 2;
        const int cell = half ? pc.nominal / 2 : pc.nominal;
        pc.visible = cell >= 1;
        pc.drawn = font(c, std::max(1, cell));
        const QFontMetrics fm(pc.drawn, p.device());
        if (pc.visible) {
            pc.width = fm.horizontalAdvance(c.text);
            maxH = std::max(maxH, fm.height());
            maxA = std::max(maxA, fm.ascent());
        }
        pc.nominalAscent = QFontMetrics(font(c, std::max(1, pc.nominal)), p.device()).ascent();
        total += pc.width;
        pieces << pc;
    }
    const int X1 = map.x(o.x1), X2 = map.x(o.x2), Y1 = map.y(o.y1), Y2 = map.y(o.y2);
    int y = Y1;
    if (o.vAlign == 1)
        y = Y2 - maxH;
    else if (o.vAlign == 2)
        y = Y1 + (Y2 - maxH - Y1) / 2;
    int x0 = X1;
    if (o.hAlign == 1)
        x0 = X2 - total;
    else if (o.hAlign == 2)
        x0 = X1 + (X2 - total - X1) / 2;
    const int n = int(pieces.size());
    const int spare = X2 - total - X1;
    int before = 0;
    for (int i = 0; i < n; ++i) {
        const ReportObject& c = o.children[i];
        const Piece& pc = pieces[i];
        int spread = 0;
        if (o.hAlign == 3 && n > 1)
            spread = int(qint64(i) * spare / (n - 1));
        int top = y + maxA - pc.nominalAscent;
        if (c.position == 2)
            top += pc.nominal / 2;
        if (pc.visible)
            textAt(QPoint(x0 + spread + before, top), c.text, pc.drawn, c.textColour);
        before += pc.width;
    }
}

void ReportPainter::drawClippedText(const ReportObject& o) {
    const int cell = map.sizeY(std::fabs(o.letterHeight));
    if (cell < 1)
        return;
    p.save();
    p.setClipRect(map.rect(o.cx1, o.cy1, o.cx2, o.cy2), Qt::IntersectClip);
    textInBox(map.rect(o.x1, o.y1, o.x2, o.y2), o.text, ReportTextFlags(o.format), font(o, cell), o.textColour);
    p.restore();
}

void ReportPainter::drawFittedText(const ReportObject& o) {
    const int cell = map.sizeY(std::fabs(o.letterHeight));
    if (cell < 1 || o.text.isEmpty())
        return;
    const QFont f = font(o, cell);
    const int flags = ReportTextFlags(o.format);
    const QRect r = map.rect(o.x1, o.y1, o.x2, o.y2);
    const QFontMetricsF fm(f, p.device());
    const double natural = fm.horizontalAdvance(ShownText(o.text, flags));
    const double average = fm.averageCharWidth();
    double scale = 1.0;
    if (natural > r.width() && average > 0) {
        // Force the average character width down from box width / characters until the
        // text fits; a width of 0 means the face's own width.
        const bool inclusive = tgt == ReportTarget::DirectPrint;
        int w = r.width() / int(o.text.size());
        for (; w > 0; --w) {
            const double width = natural * w / average;
            if (inclusive ? width <= r.width() : width < r.width())
                break;
        }
        if (w > 0)
            scale = w / average;
    }
    textInBox(r, o.text, flags, f, o.textColour, scale);
}

void ReportPainter::drawRoundedBox(const ReportObject& o) {
    setPen(o.penWidth, o.penColour);
    setFillColour(o.fillColour);
    const QRect r = map.rect(o.x1, o.y1, o.x2, o.y2);
    if (r.width() < 1 || r.height() < 1)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF shape(r.left() + 0.5, r.top() + 0.5, r.width() - 1, r.height() - 1);
    const double rx = std::fabs(map.sizeX(o.cornerWidth) / 2.0), ry = std::fabs(map.sizeY(o.cornerHeight) / 2.0);
    if (IsLarge(shape))
        drawLargePolygon(CurvePolygon(shape, rx, ry));
    else
        p.drawRoundedRect(shape, rx, ry);
    p.restore();
}

void ReportPainter::drawPatternedBox(const ReportObject& o) {
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine};
    static const Qt::BrushStyle patterns[] = {Qt::SolidPattern,    Qt::BDiagPattern,
                                              Qt::CrossPattern,    Qt::DiagCrossPattern,
                                              Qt::FDiagPattern,    Qt::HorPattern};
    const QColor colour = ReportQColor(o.penColour);
    const Qt::PenStyle penStyle =
        o.lineStyle >= 0 && o.lineStyle <= 4 ? styles[o.lineStyle] : Qt::NoPen;
    const Qt::BrushStyle brushStyle =
        o.fillPattern >= 0 && o.fillPattern <= 5 ? patterns[o.fillPattern] : Qt::VerPattern;
    // The pen keeps the width the previous command left.
    fill = colour;
    const QRect r = map.rect(o.x1, o.y1, o.x2, o.y2);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    // Hatches on a transparent ground: on a ground of their own colour they would vanish.
    p.setBackgroundMode(Qt::TransparentMode);
    p.setPen(QPen(colour, penPx, penStyle, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(QBrush(colour, brushStyle));
    if (o.filled) {
        box(r, penStyle != Qt::NoPen, true);
    } else if (penStyle != Qt::NoPen) {
        const QPoint a = r.topLeft(), b(r.right() + 1, r.bottom() + 1);
        line(a, {b.x(), a.y()});
        line({b.x(), a.y()}, b);
        line(b, {a.x(), b.y()});
        line({a.x(), b.y()}, a);
    }
    if (o.lineStyle > 4) {
        const int f = penPx > 0 ? penPx : 1;
        const int step = 4 * f;
        p.setPen(QPen(colour, 1));
        p.setBrush(colour);
        p.setRenderHint(QPainter::Antialiasing, o.lineStyle == 5);
        const QRect device(0, 0, p.device() ? p.device()->width() : 0,
                           p.device() ? p.device()->height() : 0);
        auto mark = [&](int x, int y) {
            const QRect m(x - f, y - f, 2 * f, 2 * f);
            if (!device.isEmpty() && !m.intersects(device.adjusted(-1, -1, 1, 1)))
                return;
            if (o.lineStyle == 5)
                p.drawEllipse(m);
            else
                p.drawRect(m);
        };
        const int X1 = map.x(o.x1), X2 = map.x(o.x2), Y1 = map.y(o.y1), Y2 = map.y(o.y2);
        // Only the marks that can be seen are visited: a stray coordinate must not mean
        // millions of marks.
        auto first = [&](int from, int lo) {
            if (from >= lo - f)
                return from;
            const qint64 skip = (qint64(lo - f) - from) / step;
            return int(from + skip * step);
        };
        const int lastX = device.isEmpty() ? X2 : std::min(X2, device.right() + f + 1);
        for (int x = first(X1, device.isEmpty() ? X1 : device.left()); x <= lastX; x += step) {
            mark(x, Y1);
            mark(x, Y2);
        }
        const int lastY = device.isEmpty() ? Y2 : std::min(Y2, device.bottom() + f + 1);
        for (int y = first(Y1, device.isEmpty() ? Y1 : device.top()); y <= lastY; y += step) {
            mark(X1, y);
            mark(X2, y);
        }
    }
    p.restore();
    p.setPen(QPen(colour, penPx, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(colour);
}

void ReportPainter::drawRoundedText(const ReportObject& o) {
    drawRoundedBox(o);
    const int cell = map.sizeY(std::fabs(o.letterHeight));
    if (cell < 1)
        return;
    textInBox(map.rect(o.x1 + o.padLeft, o.y1 + o.padTop, o.x2 - o.padRight, o.y2 - o.padBottom),
              o.text, ReportTextFlags(o.format), font(o, cell), o.textColour);
}

// ---------------------------------------------------------------------------------------------
// Search marks

QPolygon ReportPainter::markArea(const ReportObject& o, int child) const {
    switch (o.kind) {
    case kPointText:
    case kTextPiece: {
        const int nominal = map.sizeY(std::fabs(o.letterHeight));
        const bool half = o.kind == kTextPiece && (o.position == 1 || o.position == 2);
        const QFontMetrics fm(font(o, std::max(1, half ? nominal / 2 : nominal)), p.device());
        QPoint at = map.point(o.x1, o.y1);
        if (o.kind == kTextPiece && o.position == 2)
            at.ry() += nominal / 2;
        return RectPolygon(QRect(at, QSize(fm.horizontalAdvance(o.text), fm.height())));
    }
    case kBoxText:
    case kCell:
    case kFittedText:
    case kComposedLine:
        return RectPolygon(map.rect(o.x1, o.y1, o.x2, o.y2));
    case kCellRow:
        if (child >= 0 && child < o.children.size()) {
            const ReportObject& c = o.children[child];
            return RectPolygon(map.rect(c.x1, c.y1, c.x2, c.y2));
        }
        return RectPolygon(map.rect(o.x1, o.y1, o.x2, o.y2));
    case kClippedText:
        return RectPolygon(map.rect(o.cx1, o.cy1, o.cx2, o.cy2));
    case kTurnedText: {
        const QFontMetrics fm(font(o, std::max(1, map.sizeY(std::fabs(o.letterHeight)))),
                              p.device());
        QTransform t;
        t.translate(map.x(o.x1), map.y(o.y1));
        t.rotate(-o.angle / 10.0);
        return t.map(QPolygon(QRect(0, 0, fm.horizontalAdvance(o.text), fm.height())));
    }
    default:
        return {};
    }
}

void ReportPainter::invert(const QPolygon& area) {
    if (area.isEmpty())
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect bounds = area.boundingRect();
    if (area == RectPolygon(bounds))
        p.fillRect(bounds, Qt::white);
    else
        p.drawPolygon(area);
    p.restore();
}

// ---------------------------------------------------------------------------------------------
// Whole pages

void DrawPageOnScreen(QPainter& painter, const ScreenPageView& view, const ReportPage* page,
                      int markObject, int markChild) {
    const QRect area(QPoint(0, 0), view.area);
    painter.save();
    painter.fillRect(area, QColor(192, 192, 192));
    if (page) {
        const ReportMapping m =
            ReportMapping::screen(view.dpiX, view.dpiY, view.zoom, view.scrollX, view.scrollY);
        const int left = m.x(0), top = m.y(0);
        const int right = left + m.sizeX(view.pageMm.width());
        const int bottom = top + m.sizeY(view.pageMm.height());
        const int s = m.sizeX(1.5);
        const QRect inner = area.adjusted(1, 1, -1, -1);
        painter.setClipRect(inner);
        const QColor shadow(128, 128, 128);
        painter.fillRect(QRect(QPoint(right, top + s), QPoint(right + s - 1, bottom + s - 1)), shadow);
        painter.fillRect(QRect(QPoint(left + s, bottom), QPoint(right + s - 1, bottom + s - 1)), shadow);
        const QRect pageRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
        painter.fillRect(pageRect, Qt::white);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(pageRect.adjusted(0, 0, -1, -1));
        painter.setClipRect(inner.intersected(pageRect));
        ReportPainter rp(painter, m, ReportTarget::Screen);
        painter.save();
        rp.drawPage(*page);
        painter.restore();
        if (markObject >= 0 && markObject < page->objects.size()) {
            painter.setClipRect(inner);
            rp.invert(rp.markArea(page->objects[markObject], markChild));
        }
    }
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
}

void DrawPageOnPrinter(QPainter& painter, double dpiX, double dpiY, const ReportPage& page) {
    painter.save();
    ReportPainter rp(painter, ReportMapping::device(dpiX, dpiY), ReportTarget::ViewerPrint);
    rp.drawPage(page);
    painter.restore();
}

} // namespace vidoraw
