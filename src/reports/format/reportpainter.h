#pragma once
// Drawing report objects onto a QPainter. One set of rules serves the viewer's page view, the
// viewer's printout and vidoraw's direct printing; what differs between them is chosen by a
// ReportTarget, never by separate copies of the drawing code.
#include "reports/format/reportformat.h"

#include <QColor>
#include <QFont>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QSizeF>

class QPainter;

namespace vidoraw {

// Who the drawing is for.
//  Screen       zorode's page view: kinds 0-16 (14 and 15 included); 17-20 draw nothing.
//  ViewerPrint  zorode's printout and PDF: kinds 0-13 and 16; 14, 15 and 17-20 draw nothing.
//  DirectPrint  vidoraw drawing straight on the printer: kinds 0-5, 8, 13, 17, 19 and 20;
//               14 only takes its pen (a later 19 keeps that width), 15 and the other
//               kinds draw nothing. Texts stand on an opaque background in the current fill
//               colour; kind 3 always gets "no prefix" added to its format.
enum class ReportTarget { Screen, ViewerPrint, DirectPrint };

// Millimetres to device pixels:
//   X(x) = originX + trunc(dpiX * x * zoom / 2540), Y(y) likewise,
//   a size s is trunc(dpi * s * zoom / 2540) (no origin).
// Screen: origin = trunc(dpi * 8 / 25.4) - scroll (the page lies 8 mm inside the view).
// Printer or PDF: zoom 100, origin 0 at the printable area's corner.
struct ReportMapping {
    double dpiX = 96;
    double dpiY = 96;
    int zoom = 100; // percent
    int originX = 0;
    int originY = 0;

    static ReportMapping screen(double dpiX, double dpiY, int zoom, int scrollX, int scrollY);
    static ReportMapping device(double dpiX, double dpiY);
    // The 8 mm margin around the page on the screen, in pixels: trunc(dpi * 8 / 25.4).
    static int screenMargin(double dpi);

    int x(double mm) const;
    int y(double mm) const;
    int sizeX(double mm) const;
    int sizeY(double mm) const;
    // Pen width: the smaller of both conversions, at least one pixel.
    int pen(double mm) const;
    QPoint point(double xmm, double ymm) const { return {x(xmm), y(ymm)}; }
    // Device rectangle from corner (x1, y1) to corner (x2, y2), the far corner excluded
    // (x2 - x1 pixels wide); corners given the other way round are put in order.
    QRect rect(double x1, double y1, double x2, double y2) const;
};

// The family drawn for a face name of a report: the faces of the old system ("System",
// "MS Sans Serif", "Arial", "Tahoma", the empty name; "Arial Narrow") become the metric
// compatible Liberation faces; any other name is asked for as it is.
QString ReportFontFamily(const QString& face);
// A font whose character cell (ascent + descent, internal leading included) is cellPixels
// high on the device, weight 700 when bold, else 400.
QFont ReportFont(const QString& face, int cellPixels, bool bold, bool italic, bool underline,
                 bool strikeout);
// Qt alignment flags of a text format (1 centre, 2 right, 4 vertical centre, 8 bottom;
// 32 single line; 2048 no prefix, without it "&x" shows x underlined and "&&" one "&").
// Never word wrap.
int ReportTextFlags(int format);
QColor ReportQColor(ReportColour c);
ReportColour ReportColourOf(const QColor& c);

// Printable page in millimetres for an orientation (0 portrait, 1 landscape) and paper
// (0 A4, 1 A3) when no printer tells otherwise.
QSizeF ReportPaperSize(int orientation, int paper);

class ReportPainter {
public:
    ReportPainter(QPainter& painter, const ReportMapping& mapping, ReportTarget target);

    const ReportMapping& mapping() const { return map; }
    void setMapping(const ReportMapping& m) { map = m; }
    ReportTarget target() const { return tgt; }

    // One object (blocks with their children), in the target's rules.
    void draw(const ReportObject& o);
    // The page's objects in file order. Keep one ReportPainter for a whole print job: direct
    // printing carries its pen width and fill colour from page to page.
    void drawPage(const ReportPage& page);

    // Device area that marks a found object: kinds 2 and 10 their text's extent, 3, 6, 11
    // and 13 their box, 7 the box of the cell `child`, 9 the turned text's outline, 12 the
    // clip box; empty for kinds without text.
    QPolygon markArea(const ReportObject& o, int child = -1) const;
    // Inverts the pixels of an area (raster devices: QImage, QPixmap).
    void invert(const QPolygon& area);

    // Direct printing state: the colour of opaque text backgrounds (white until a box,
    // ellipse, rounded box or patterned box set another) and the pen width in pixels.
    QColor currentFill() const { return fill; }
    int currentPenWidth() const { return penPx; }

private:
    bool drawsKind(int kind) const;
    void setPen(double widthMm, ReportColour colour);
    void setFillColour(ReportColour colour);
    QFont font(const ReportObject& o, double letterHeightMm) const;
    QFont font(const ReportObject& o, int cellPixels) const;
    void textInBox(const QRect& box, const QString& text, int flags, const QFont& f,
                   ReportColour colour, double xScale = 1.0);
    void textAt(QPoint topLeft, const QString& text, const QFont& f, ReportColour colour);
    void box(const QRect& r, bool outline, bool filled);
    void line(QPoint a, QPoint b);
    void drawLargePolygon(const QPolygonF& polygon);

    void drawLine(const ReportObject& o);
    void drawBox(const ReportObject& o);
    void drawPointText(const ReportObject& o);
    void drawBoxText(const ReportObject& o);
    void drawFrame(const ReportObject& o);
    void drawEllipse(const ReportObject& o);
    void drawCell(const ReportObject& o);
    void drawCellRow(const ReportObject& o);
    void drawPicture(const ReportObject& o);
    void drawTurnedText(const ReportObject& o);
    void drawTextPiece(const ReportObject& o);
    void drawComposedLine(const ReportObject& o);
    void drawClippedText(const ReportObject& o);
    void drawFittedText(const ReportObject& o);
    void drawRoundedBox(const ReportObject& o);
    void drawPatternedBox(const ReportObject& o);
    void drawRoundedText(const ReportObject& o);

    QPainter& p;
    ReportMapping map;
    ReportTarget tgt;
    QColor fill = Qt::white;
    int penPx = 1;
};

// What the viewer's page view shows: the grey area with its frame, the page with its shadow
// 8 mm inside it, the page's objects clipped to the page, and the found object inverted.
struct ScreenPageView {
    QSize area;         // drawing area in pixels
    double dpiX = 96;
    double dpiY = 96;
    int zoom = 100;
    int scrollX = 0;
    int scrollY = 0;
    QSizeF pageMm{210, 297}; // W x H
};
// page may be null (no page to show: only the grey area and its frame); markObject indexes
// page->objects, markChild the cell of a cell row (-1 otherwise); -1: nothing marked.
void DrawPageOnScreen(QPainter& painter, const ScreenPageView& view, const ReportPage* page,
                      int markObject = -1, int markChild = -1);
// A page of the viewer's printout (or PDF) at the device's resolution, origin at the
// printable area's corner.
void DrawPageOnPrinter(QPainter& painter, double dpiX, double dpiY, const ReportPage& page);

} // namespace vidoraw
