// Drawing report objects: pixel probes at the places the millimetre arithmetic gives, and
// what each target draws or leaves out.
#include "reports/format/reportpainter.h"

#include "testmain.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <functional>

using namespace vidoraw;

namespace {

constexpr QRgb kWhitePx = 0xFFFFFFFF;

QImage Blank(int w = 900, int h = 700) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    // 96 dpi, so that QFontMetrics on the image agree with the mapping.
    img.setDotsPerMeterX(3780);
    img.setDotsPerMeterY(3780);
    return img;
}

QImage Draw(const QVector<ReportObject>& objects, ReportTarget target, int zoom = 100,
            QSize size = QSize(900, 700)) {
    QImage img = Blank(size.width(), size.height());
    QPainter p(&img);
    const ReportMapping m = target == ReportTarget::Screen
                                ? ReportMapping::screen(96, 96, zoom, 0, 0)
                                : ReportMapping::device(96, 96);
    ReportPainter rp(p, m, target);
    for (const ReportObject& o : objects)
        rp.draw(o);
    return img;
}

// Bounding box of the pixels that are not white (or that match `ink`) inside an area.
QRect InkRect(const QImage& img, QRect area = QRect(), std::function<bool(QRgb)> ink = {}) {
    if (area.isNull())
        area = img.rect();
    area = area.intersected(img.rect());
    if (!ink)
        ink = [](QRgb c) { return c != kWhitePx; };
    int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (ink(img.pixel(x, y))) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    return l == INT_MAX ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

bool Blank(const QImage& img) { return InkRect(img).isNull(); }

ReportObject Line(double x1, double y1, double x2, double y2, double pen, ReportColour c) {
    ReportObject o = DefaultObject(kLine);
    o.x1 = x1;
    o.y1 = y1;
    o.x2 = x2;
    o.y2 = y2;
    o.penWidth = pen;
    o.penColour = c;
    return o;
}

ReportObject Box(double x1, double y1, double x2, double y2, ReportColour pen, ReportColour fill) {
    ReportObject o = DefaultObject(kBox);
    o.x1 = x1;
    o.y1 = y1;
    o.x2 = x2;
    o.y2 = y2;
    o.penWidth = 0.1;
    o.penColour = pen;
    o.fillColour = fill;
    return o;
}

ReportObject BoxText(int kind, double x1, double y1, double x2, double y2, double height,
                     const QString& text, int format) {
    ReportObject o = DefaultObject(kind);
    o.x1 = x1;
    o.y1 = y1;
    o.x2 = x2;
    o.y2 = y2;
    o.letterHeight = height;
    o.face = "Arial";
    o.format = format;
    o.text = text;
    return o;
}

ReportObject Piece(const QString& text, double height, int position = 0) {
    ReportObject o = DefaultObject(kTextPiece);
    o.letterHeight = height;
    o.face = "Arial";
    o.position = position;
    o.text = text;
    return o;
}

} // namespace

class ReportPainterTest : public QObject {
    Q_OBJECT
private slots:
    void mapping_data() {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("scroll");
        QTest::addColumn<double>("mm");
        QTest::addColumn<int>("pixel");
        QTest::newRow("25.4 mm at 100 %, 96 dpi") << 96.0 << 100 << 0 << 25.4 << 30 + 96;
        QTest::newRow("scrolled") << 96.0 << 100 << 50 << 25.4 << 30 + 96 - 50;
        QTest::newRow("200 %") << 96.0 << 200 << 0 << 25.4 << 30 + 192;
        QTest::newRow("10 %") << 96.0 << 10 << 0 << 210.0 << 30 + 79;
        QTest::newRow("origin") << 96.0 << 100 << 0 << 0.0 << 30;
        QTest::newRow("negative") << 96.0 << 100 << 0 << -1.0 << 30 - 3;
        QTest::newRow("120 dpi") << 120.0 << 75 << 0 << 100.0 << 37 + 354;
    }

    void mapping() {
        QFETCH(double, dpi);
        QFETCH(int, zoom);
        QFETCH(int, scroll);
        QFETCH(double, mm);
        QFETCH(int, pixel);
        const ReportMapping m = ReportMapping::screen(dpi, dpi, zoom, scroll, scroll);
        QCOMPARE(m.x(mm), pixel);
        QCOMPARE(m.y(mm), pixel);
        // Printers: no margin, zoom 100.
        const ReportMapping d = ReportMapping::device(600, 300);
        QCOMPARE(d.x(25.4), 600);
        QCOMPARE(d.y(25.4), 300);
        QCOMPARE(d.pen(0.01), 1);       // never thinner than a pixel
        QCOMPARE(d.pen(0.6), 7);        // the smaller of both conversions
        // Stray coordinates stay inside int.
        QVERIFY(d.x(1e300) > 0 && d.x(-1e300) < 0);
        QCOMPARE(d.x(qQNaN()), 0);
    }

    void fontCellHeight_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("cell");
        for (const char* face : {"Arial", "System", "", "Arial Narrow", "Tahoma", "MS Sans Serif"})
            for (int cell : {12, 17, 60, 240})
                QTest::newRow(qPrintable(QString("%1 %2").arg(face).arg(cell))) << QString(face) << cell;
    }

    void fontCellHeight() {
        QFETCH(QString, face);
        QFETCH(int, cell);
        // The letter height is the cell (ascent + descent), not the em size.
        const QFont f = ReportFont(face, cell, false, false, false, false);
        const QFontMetrics fm(f);
        QVERIFY2(qAbs(fm.ascent() + fm.descent() - cell) <= 1 + cell / 50,
                 qPrintable(QString("%1: %2").arg(f.family()).arg(fm.ascent() + fm.descent())));
        QVERIFY(f.pixelSize() < cell);
        QCOMPARE(QFontInfo(f).family(),
                 face == "Arial Narrow" ? QString("Liberation Sans Narrow") : QString("Liberation Sans"));
    }

    void textFlags_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("flags");
        const int base = Qt::TextSingleLine;
        QTest::newRow("36") << 36 << (base | Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic);
        QTest::newRow("37") << 37 << (base | Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic);
        QTest::newRow("38") << 38 << (base | Qt::AlignRight | Qt::AlignVCenter | Qt::TextShowMnemonic);
        QTest::newRow("2084") << 2084 << (base | Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("2086") << 2086 << (base | Qt::AlignRight | Qt::AlignVCenter);
        // Vertical centring needs single-line drawing; centre wins over right.
        QTest::newRow("5") << 5 << (base | Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic);
        QTest::newRow("3") << 3 << (base | Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic);
        QTest::newRow("bottom") << 40 << (base | Qt::AlignLeft | Qt::AlignBottom | Qt::TextShowMnemonic);
    }

    void textFlags() {
        QFETCH(int, format);
        QFETCH(int, flags);
        QCOMPARE(ReportTextFlags(format), flags);
    }

    void colours() {
        QCOMPARE(ReportQColor(0x0000FF), QColor(255, 0, 0));
        QCOMPARE(ReportQColor(0xFF0000), QColor(0, 0, 255));
        QCOMPARE(ReportQColor(0xFF123456), QColor(0x56, 0x34, 0x12));
        QCOMPARE(ReportColourOf(QColor(1, 2, 3)), 0x030201u);
    }

    void lineBoxAndTextAtTheirPixels_data() {
        QTest::addColumn<int>("zoom");
        QTest::newRow("100 %") << 100;
        QTest::newRow("200 %") << 200;
        QTest::newRow("75 %") << 75;
    }

    void lineBoxAndTextAtTheirPixels() {
        QFETCH(int, zoom);
        const ReportMapping m = ReportMapping::screen(96, 96, zoom, 0, 0);
        const QImage img = Draw({Line(10, 20, 60, 20, 0.1, 0x0000FF), Box(20, 40, 50, 60, 0x000000, 0xFF0000),
                                 BoxText(kBoxText, 70, 10, 150, 20, 8, "HHHH", 36)},
                                ReportTarget::Screen, zoom);
        // The line: one pixel high at Y(20), from X(10) to X(60).
        QCOMPARE(img.pixel(m.x(30), m.y(20)), qRgb(255, 0, 0));
        QCOMPARE(img.pixel(m.x(30), m.y(20) - 1), kWhitePx);
        QCOMPARE(img.pixel(m.x(30), m.y(20) + 1), kWhitePx);
        QCOMPARE(img.pixel(m.x(10), m.y(20)), qRgb(255, 0, 0));
        QCOMPARE(img.pixel(m.x(10) - 1, m.y(20)), kWhitePx);
        // The box: outline on its first pixels, blue fill inside, nothing from X(x2) on.
        QCOMPARE(img.pixel(m.x(20), m.y(50)), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(m.x(20) + 1, m.y(50)), qRgb(0, 0, 255));
        QCOMPARE(img.pixel(m.x(35), m.y(50)), qRgb(0, 0, 255));
        QCOMPARE(img.pixel(m.x(50) - 1, m.y(50)), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(m.x(50), m.y(50)), kWhitePx);
        QCOMPARE(img.pixel(m.x(20) - 1, m.y(50)), kWhitePx);
        QCOMPARE(img.pixel(m.x(35), m.y(40)), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(m.x(35), m.y(40) - 1), kWhitePx);
        // The text: left aligned from X(70), vertically centred on the box's middle; a capital
        // H is about 0.72 of the em, and the em is cell / 1.15.
        const QRect ink = InkRect(img, m.rect(65, 5, 160, 25));
        QVERIFY(!ink.isNull());
        const int cell = m.sizeY(8);
        // The side bearing of an "H" is below a tenth of the cell.
        QVERIFY2(ink.left() >= m.x(70) && ink.left() <= m.x(70) + 1 + cell / 10,
                 qPrintable(QString::number(ink.left())));
        QVERIFY(qAbs(ink.height() - cell * 0.72 / 1.15) <= 2 + zoom / 100);
        QVERIFY(ink.top() > m.y(10) && ink.bottom() < m.y(20));
        QVERIFY(qAbs((ink.top() + ink.bottom()) / 2 - m.y(15)) <= 2 + zoom / 50);
    }

    void penWidthAndRightEdge() {
        const ReportMapping m = ReportMapping::device(96, 96);
        const QImage img = Draw({Line(10, 20, 60, 20, 0.8, 0x000000)}, ReportTarget::ViewerPrint);
        // 0.8 mm = 3 pixels, centred on the line's row.
        for (int dy : {-1, 0, 1})
            QCOMPARE(img.pixel(m.x(30), m.y(20) + dy), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(m.x(30), m.y(20) - 2), kWhitePx);
        QCOMPARE(img.pixel(m.x(30), m.y(20) + 2), kWhitePx);
    }

    void whatEachTargetDraws_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("screen");
        QTest::addColumn<bool>("viewerPrint");
        QTest::addColumn<bool>("directPrint");
        QTest::newRow("0 line") << 0 << true << true << true;
        QTest::newRow("1 box") << 1 << true << true << true;
        QTest::newRow("3 box text") << 3 << true << true << true;
        QTest::newRow("6 cell") << 6 << true << true << false;
        QTest::newRow("9 turned text") << 9 << true << true << false;
        QTest::newRow("12 clipped text") << 12 << true << true << false;
        QTest::newRow("13 fitted text") << 13 << true << true << true;
        QTest::newRow("14 screen line") << 14 << true << false << false;
        QTest::newRow("15 screen frame") << 15 << true << false << false;
        QTest::newRow("16 group") << 16 << true << true << false;
        QTest::newRow("17 rounded box") << 17 << false << false << true;
        QTest::newRow("18 passive") << 18 << false << false << false;
        QTest::newRow("19 patterned box") << 19 << false << false << true;
        QTest::newRow("20 text in rounded box") << 20 << false << false << true;
    }

    void whatEachTargetDraws() {
        QFETCH(int, kind);
        QFETCH(bool, screen);
        QFETCH(bool, viewerPrint);
        QFETCH(bool, directPrint);
        ReportObject o = BoxText(kind, 10, 10, 60, 30, 6, "Text", 37);
        o.x1 = o.cx1 = 10;
        o.y1 = o.cy1 = 10;
        o.x2 = o.cx2 = 60;
        o.y2 = o.cy2 = 30;
        o.penWidth = 0.5;
        o.penColour = 0x0000FF;
        o.fillColour = 0x00FF00;
        o.textColour = 0x0000FF;
        o.filled = true;
        o.cornerWidth = o.cornerHeight = 4;
        if (kind == kGroup)
            o.children << Box(10, 10, 60, 30, 0xFF, 0xFF00);
        if (kind == kPassive)
            o.text = "18,1,2,3";
        QCOMPARE(!Blank(Draw({o}, ReportTarget::Screen)), screen);
        QCOMPARE(!Blank(Draw({o}, ReportTarget::ViewerPrint)), viewerPrint);
        QCOMPARE(!Blank(Draw({o}, ReportTarget::DirectPrint)), directPrint);
    }

    void directPrintingState() {
        QImage img = Blank();
        QPainter p(&img);
        const ReportMapping m = ReportMapping::device(96, 96);
        ReportPainter rp(p, m, ReportTarget::DirectPrint);
        QCOMPARE(rp.currentFill(), QColor(Qt::white));
        rp.draw(Box(100, 100, 120, 120, 0, 0x00FFFF)); // yellow fill
        QCOMPARE(rp.currentFill(), QColor(Qt::yellow));
        // Text stands on an opaque ground in the current fill colour.
        rp.draw(BoxText(kBoxText, 10, 10, 100, 20, 8, "i   i", 36));
        // A screen line only takes its pen; a patterned box keeps that width.
        ReportObject screenLine = Line(0, 50, 100, 50, 1.0, 0xFF);
        screenLine.kind = kScreenLine;
        rp.draw(screenLine);
        QCOMPARE(rp.currentPenWidth(), m.pen(1.0));
        ReportObject patterned = DefaultObject(kPatternedBox);
        patterned.x1 = 10;
        patterned.y1 = 60;
        patterned.x2 = 60;
        patterned.y2 = 80;
        patterned.penWidth = 0.1; // not used: the previous pen stays
        patterned.penColour = 0xFF0000;
        patterned.lineStyle = 0;
        rp.draw(patterned);
        p.end();
        const QRect textBand = m.rect(11, 12, 30, 18);
        const QRect yellow = InkRect(img, textBand, [](QRgb c) { return c == qRgb(255, 255, 0); });
        QVERIFY(!yellow.isNull());
        QCOMPARE(img.pixel(m.x(10), m.y(50)), kWhitePx); // the screen line drew nothing
        // The patterned box's top side is as thick as the screen line's pen.
        int thick = 0;
        for (int y = m.y(60) - 5; y <= m.y(60) + 5; ++y)
            if (img.pixel(m.x(30), y) == qRgb(0, 0, 255))
                ++thick;
        QCOMPARE(thick, m.pen(1.0));
        QCOMPARE(img.pixel(m.x(30), m.y(70)), kWhitePx); // not filled
    }

    void patternedBoxMarks() {
        const ReportMapping m = ReportMapping::device(96, 96);
        ReportObject o = DefaultObject(kPatternedBox);
        o.x1 = 10;
        o.y1 = 10;
        o.x2 = 100;
        o.y2 = 50;
        o.penColour = 0x0000FF;
        o.lineStyle = 6; // no line, square marks
        o.fillPattern = 5;
        o.filled = true;
        const QImage img = Draw({o}, ReportTarget::DirectPrint);
        // Marks of 2f = 2 pixels (pen width 1) every 4 pixels along the sides.
        const int x = m.x(10), y = m.y(10);
        QCOMPARE(img.pixel(x, y), qRgb(255, 0, 0));
        QCOMPARE(img.pixel(x + 4, y), qRgb(255, 0, 0));
        QCOMPARE(img.pixel(x + 2, y - 1), kWhitePx);
        QCOMPARE(img.pixel(x, y + 4), qRgb(255, 0, 0));
        // Horizontal hatch inside.
        const QRect inside = m.rect(20, 20, 90, 40);
        int red = 0;
        for (int yy = inside.top(); yy <= inside.bottom(); ++yy)
            red += img.pixel(inside.center().x(), yy) == qRgb(255, 0, 0);
        QVERIFY(red > 0 && red < inside.height() / 2);
        // A box reaching far beyond the page still gets its marks where they can be seen.
        o.x2 = 1e12;
        o.fillPattern = 0;
        o.filled = false;
        const QImage wide = Draw({o}, ReportTarget::DirectPrint);
        QCOMPARE(wide.pixel(x + 4, y), qRgb(255, 0, 0));
        QCOMPARE(wide.pixel(x, y + 8), qRgb(255, 0, 0));
        QCOMPARE(wide.pixel(x + 2, y + 8), kWhitePx);
    }

    void curvesFarLargerThanThePage() {
        // Drawn as polygons of bounded size; the part on the page is where the curve is.
        const ReportMapping m = ReportMapping::device(96, 96);
        for (int kind : {int(kEllipse), int(kRoundedBox)}) {
            ReportObject o = Box(-1e6, 10, 1e6, 100, 0x0000FF, 0x00FF00);
            o.kind = kind;
            o.cornerWidth = o.cornerHeight = 2e4;
            const QImage img = Draw({o}, ReportTarget::DirectPrint);
            QCOMPARE(img.pixel(m.x(50), m.y(50)), qRgb(0, 255, 0));
            QCOMPARE(img.pixel(m.x(50), m.y(10) - 2), kWhitePx);
            QCOMPARE(img.pixel(m.x(50), m.y(10)), qRgb(255, 0, 0));
            QCOMPARE(img.pixel(m.x(50), m.y(100) - 1), qRgb(255, 0, 0));
            QCOMPARE(img.pixel(m.x(50), m.y(100) + 1), kWhitePx);
        }
        // An absurd pen on such a curve: capped, and the band it draws still covers the page.
        ReportObject wide = Box(-1e6, 0, 1e6, 1e3, 0x0000FF, 0x00FF00);
        wide.kind = kEllipse;
        wide.penWidth = 3e3;
        const QImage img = Draw({wide}, ReportTarget::Screen, 25, QSize(160, 220));
        QCOMPARE(img.pixel(80, 110), qRgb(255, 0, 0));
    }

    void prefixAndNoPrefix() {
        // Without "no prefix" "&&" prints one "&" and a single "&" none.
        const QImage with = Draw({BoxText(kBoxText, 10, 10, 150, 20, 8, "&&&&&&", 36)}, ReportTarget::Screen);
        const QImage without = Draw({BoxText(kBoxText, 10, 10, 150, 20, 8, "&&&&&&", 2084)}, ReportTarget::Screen);
        const QImage direct = Draw({BoxText(kBoxText, 10, 10, 150, 20, 8, "&&&&&&", 36)}, ReportTarget::DirectPrint);
        const int w1 = InkRect(with).width(), w2 = InkRect(without).width(), w3 = InkRect(direct).width();
        QVERIFY2(w2 > w1 * 3 / 2, qPrintable(QString("%1 %2").arg(w1).arg(w2)));
        QCOMPARE(w3, w2); // direct printing always adds "no prefix"
    }

    void composedLineAlignment() {
        const ReportMapping m = ReportMapping::screen(96, 96, 100, 0, 0);
        ReportObject line = DefaultObject(kComposedLine);
        line.x1 = 20;
        line.y1 = 10;
        line.x2 = 150;
        line.y2 = 30;
        line.children << Piece("HI", 8);
        // Spread with a single piece: at x1.
        line.hAlign = 3;
        QRect ink = InkRect(Draw({line}, ReportTarget::Screen));
        QVERIFY2(qAbs(ink.left() - m.x(20)) <= 2, qPrintable(QString::number(ink.left())));
        // Right alignment: ends at x2.
        line.hAlign = 1;
        ink = InkRect(Draw({line}, ReportTarget::Screen));
        QVERIFY2(qAbs(ink.right() - m.x(150)) <= 3, qPrintable(QString::number(ink.right())));
        // Bottom alignment: the line's cell ends at y2.
        line.vAlign = 1;
        ink = InkRect(Draw({line}, ReportTarget::Screen));
        QVERIFY(ink.bottom() < m.y(30) && ink.bottom() > m.y(30) - m.sizeY(8) / 2);
        // Spread over three pieces: the first at x1, the last ending at x2.
        line.hAlign = 3;
        line.vAlign = 0;
        line.children = {Piece("H", 8), Piece("H", 8), Piece("H", 8)};
        ink = InkRect(Draw({line}, ReportTarget::Screen));
        QVERIFY(qAbs(ink.left() - m.x(20)) <= 2);
        QVERIFY(qAbs(ink.right() - m.x(150)) <= 3);
    }

    void raisedAndLoweredPieces() {
        ReportObject line = DefaultObject(kComposedLine);
        line.x1 = 10;
        line.y1 = 10;
        line.x2 = 150;
        line.y2 = 40;
        line.children = {Piece("H", 10), Piece("H", 10, 1), Piece("H", 10, 2)};
        const QImage img = Draw({line}, ReportTarget::Screen);
        const ReportMapping m = ReportMapping::screen(96, 96, 100, 0, 0);
        QFontMetrics full(ReportFont("Arial", m.sizeY(10), false, false, false, false));
        const int w = full.horizontalAdvance("H");
        const QRect normal = InkRect(img, QRect(m.x(10), 0, w, img.height()));
        const QRect raised = InkRect(img, QRect(m.x(10) + w, 0, w / 2 + 1, img.height()));
        const QRect lowered = InkRect(img, QRect(m.x(10) + w + w / 2 + 1, 0, w, img.height()));
        QVERIFY(!normal.isNull() && !raised.isNull() && !lowered.isNull());
        QVERIFY(raised.height() < normal.height() * 3 / 4);
        QVERIFY(lowered.height() < normal.height() * 3 / 4);
        const QString at = QString("normal %1-%2 raised %3-%4 lowered %5-%6")
                               .arg(normal.top()).arg(normal.bottom()).arg(raised.top())
                               .arg(raised.bottom()).arg(lowered.top()).arg(lowered.bottom());
        QVERIFY2(raised.bottom() < normal.bottom() - 2, qPrintable(at));  // above the line
        QVERIFY2(lowered.bottom() > normal.bottom() + 1, qPrintable(at)); // below the line
        // A lone lowered piece is moved down by half its nominal height.
        ReportObject piece = Piece("H", 10, 2);
        piece.x1 = 10;
        piece.y1 = 10;
        ReportObject upright = piece;
        upright.position = 1;
        const int down = InkRect(Draw({piece}, ReportTarget::Screen)).top() -
                         InkRect(Draw({upright}, ReportTarget::Screen)).top();
        QCOMPARE(down, m.sizeY(10) / 2);
    }

    void fittedText() {
        const ReportMapping m = ReportMapping::screen(96, 96, 100, 0, 0);
        // Fits: drawn like a box text in the face's own width.
        const QImage fitted = Draw({BoxText(kFittedText, 10, 10, 100, 20, 6, "Text", 36)}, ReportTarget::Screen);
        const QImage plain = Draw({BoxText(kBoxText, 10, 10, 100, 20, 6, "Text", 36)}, ReportTarget::Screen);
        QCOMPARE(fitted, plain);
        // Too wide: narrowed into the box, every letter kept.
        const QString text = "MMMMMMMMMMMMMMMMMMMI";
        const QImage narrowed = Draw({BoxText(kFittedText, 10, 10, 60, 20, 6, text, 36)}, ReportTarget::Screen);
        const QImage overflow = Draw({BoxText(kBoxText, 10, 10, 60, 20, 6, text, 36 | 256)}, ReportTarget::Screen);
        const QRect n = InkRect(narrowed), o = InkRect(overflow);
        QVERIFY(o.right() > m.x(60) + 20);
        // Narrowed in steps of a pixel of average width: the text ends inside the box, at most
        // one step short of its edge.
        const int box = m.sizeX(50);
        QVERIFY2(n.right() < m.x(60) && n.width() > box * 7 / 10, qPrintable(QString::number(n.right())));
        QCOMPARE(n.height(), o.height()); // only the width changes
        // Direct printing fits it too.
        const ReportMapping d = ReportMapping::device(96, 96);
        const QRect direct = InkRect(Draw({BoxText(kFittedText, 10, 10, 60, 20, 6, text, 36)}, ReportTarget::DirectPrint));
        QVERIFY(direct.right() <= d.x(60) && direct.width() > d.sizeX(50) * 7 / 10);
    }

    void turnedText() {
        ReportObject o = BoxText(kTurnedText, 50, 100, 0, 0, 6, "Otočený text", 0);
        const ReportMapping m = ReportMapping::screen(96, 96, 100, 0, 0);
        const QRect flat = InkRect(Draw({o}, ReportTarget::Screen));
        o.angle = 900; // a quarter turn counter-clockwise: the text runs upwards from (x, y)
        const QRect up = InkRect(Draw({o}, ReportTarget::Screen));
        QVERIFY(flat.width() > flat.height());
        QVERIFY(up.height() > up.width());
        QVERIFY(qAbs(up.bottom() - m.y(100)) <= 3);
        QVERIFY(up.left() >= m.x(50) - 1 && up.right() <= m.x(50) + m.sizeY(6));
    }

    void clippedText() {
        const ReportMapping m = ReportMapping::screen(96, 96, 100, 0, 0);
        ReportObject o = BoxText(kClippedText, 10, 10, 100, 20, 8, "HHHHHHHHHHHH", 36);
        o.cx1 = 20;
        o.cy1 = 5;
        o.cx2 = 40;
        o.cy2 = 30;
        const QRect ink = InkRect(Draw({o}, ReportTarget::Screen));
        QVERIFY(ink.left() >= m.x(20) && ink.right() < m.x(40));
        QVERIFY(ink.width() > m.sizeX(15));
    }

    void cellsAndBaseline() {
        const ReportMapping m = ReportMapping::screen(96, 96, 100, 0, 0);
        ReportObject row = DefaultObject(kCellRow);
        row.x1 = 10;
        row.y1 = 10;
        row.x2 = 110;
        row.y2 = 30;
        row.penWidth = 0.1;
        row.fillColour = kWhite;
        ReportObject small = BoxText(kCell, 10, 10, 60, 30, 5, "HHH", 37);
        ReportObject big = BoxText(kCell, 60, 10, 110, 30, 12, "HHH", 37);
        small.fillColour = big.fillColour = kWhite;
        small.penColour = big.penColour = 0x00FF00;
        small.penWidth = big.penWidth = 0.1;
        row.children = {small, big};
        auto bottoms = [&](const QImage& img) {
            auto black = [](QRgb c) { return qGray(c) < 100 && qGreen(c) < 100; };
            const QRect a = InkRect(img, m.rect(12, 11, 58, 29), black);
            const QRect b = InkRect(img, m.rect(62, 11, 108, 29), black);
            return std::make_pair(a.bottom(), b.bottom());
        };
        row.baseline = true;
        const QImage aligned = Draw({row}, ReportTarget::Screen);
        auto [a1, b1] = bottoms(aligned);
        QVERIFY2(qAbs(a1 - b1) <= 1, qPrintable(QString("%1 %2").arg(a1).arg(b1)));
        row.baseline = false; // each cell on its own: format 37 centres each text
        auto [a2, b2] = bottoms(Draw({row}, ReportTarget::Screen));
        QVERIFY(qAbs(a2 - b2) > 3);
        // The cells' own pens frame them.
        QCOMPARE(aligned.pixel(m.x(30), m.y(10)), qRgb(0, 255, 0));
    }

    void screenPage() {
        ReportPage page;
        page.objects << Box(10, 10, 50, 30, 0, 0xFF) << BoxText(kBoxText, 60, 10, 150, 20, 6, "hľadaj", 36);
        QImage img = Blank(600, 500);
        QPainter p(&img);
        ScreenPageView view;
        view.area = img.size();
        view.zoom = 50;
        DrawPageOnScreen(p, view, &page, 1);
        p.end();
        const ReportMapping m = ReportMapping::screen(96, 96, 50, 0, 0);
        QCOMPARE(img.pixel(0, 0), qRgb(0, 0, 0));           // frame of the area
        QCOMPARE(img.pixel(5, 5), qRgb(192, 192, 192));     // grey around the page
        QCOMPARE(img.pixel(m.x(0), m.y(100)), qRgb(0, 0, 0)); // page outline
        QCOMPARE(img.pixel(m.x(100), m.y(100)), kWhitePx);
        const int right = m.x(0) + m.sizeX(210), s = m.sizeX(1.5);
        QCOMPARE(img.pixel(right + s / 2, m.y(100)), qRgb(128, 128, 128)); // shadow
        QCOMPARE(img.pixel(m.x(30), m.y(20)), qRgb(255, 0, 0));
        // The found text's box is inverted: white became black.
        QCOMPARE(img.pixel(m.x(140), m.y(15)), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(m.x(140), m.y(21)), kWhitePx);
        // Objects are clipped to the page.
        page.objects = {Box(-50, -50, 400, 400, 0, 0xFF)};
        img.fill(Qt::white);
        p.begin(&img);
        DrawPageOnScreen(p, view, &page);
        p.end();
        QCOMPARE(img.pixel(5, 5), qRgb(192, 192, 192));
        // No page: the grey area and its frame only.
        img.fill(Qt::white);
        p.begin(&img);
        DrawPageOnScreen(p, view, nullptr);
        p.end();
        QCOMPARE(img.pixel(m.x(100), m.y(100)), qRgb(192, 192, 192));
        QCOMPARE(img.pixel(img.width() - 1, img.height() - 1), qRgb(0, 0, 0));
    }

    void markAreas() {
        QImage img = Blank();
        QPainter p(&img);
        const ReportMapping m = ReportMapping::screen(96, 96, 100, 0, 0);
        ReportPainter rp(p, m, ReportTarget::Screen);
        const ReportObject box = BoxText(kBoxText, 10, 20, 60, 30, 5, "x", 36);
        QCOMPARE(rp.markArea(box).boundingRect(), m.rect(10, 20, 60, 30));
        ReportObject clipped = box;
        clipped.kind = kClippedText;
        clipped.cx1 = 1;
        clipped.cy1 = 2;
        clipped.cx2 = 3;
        clipped.cy2 = 4;
        QCOMPARE(rp.markArea(clipped).boundingRect(), m.rect(1, 2, 3, 4));
        ReportObject row = DefaultObject(kCellRow);
        row.children = {BoxText(kCell, 0, 0, 5, 5, 4, "a", 37), BoxText(kCell, 5, 0, 9, 5, 4, "b", 37)};
        QCOMPARE(rp.markArea(row, 1).boundingRect(), m.rect(5, 0, 9, 5));
        ReportObject point = BoxText(kPointText, 10, 20, 0, 0, 5, "Text", 0);
        const QRect r = rp.markArea(point).boundingRect();
        QCOMPARE(r.topLeft(), m.point(10, 20));
        QVERIFY(qAbs(r.height() - m.sizeY(5)) <= 1);
        QVERIFY(rp.markArea(Box(1, 1, 2, 2, 0, 0)).isEmpty());
        point.kind = kTurnedText;
        point.angle = 900;
        const QRect turned = rp.markArea(point).boundingRect();
        QVERIFY(turned.height() > turned.width());
    }
};

VIDORAW_TEST(ReportPainterTest)
#include "test_reportpainter.moc"
