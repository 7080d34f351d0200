#include "reports/format/reportadjust.h"

namespace vidoraw {

namespace {

template <typename F>
void EachObject(ReportDocument& doc, F f) {
    for (ReportPage& page : doc.pages)
        for (ReportObject& o : page.objects)
            f(o);
}

void MoveCorners(ReportObject& o, double dx, double dy) {
    o.x1 += dx;
    o.y1 += dy;
    o.x2 += dx;
    o.y2 += dy;
}

void ScaleCorners(ReportObject& o, double sx, double sy) {
    o.x1 *= sx;
    o.y1 *= sy;
    o.x2 *= sx;
    o.y2 *= sy;
}

} // namespace

void MoveObject(ReportObject& o, double dx, double dy) {
    switch (o.kind) {
    case kPointText:
    case kTurnedText:
    case kTextPiece:
    case kPicture:
        o.x1 += dx;
        o.y1 += dy;
        break;
    case kClippedText:
        MoveCorners(o, dx, dy);
        o.cx1 += dx;
        o.cy1 += dy;
        o.cx2 += dx;
        o.cy2 += dy;
        break;
    case kCellRow:
    case kComposedLine:
        MoveCorners(o, dx, dy);
        for (ReportObject& c : o.children)
            MoveObject(c, dx, dy);
        break;
    case kGroup:
        for (ReportObject& c : o.children)
            MoveObject(c, dx, dy);
        break;
    case kPassive:
        break;
    default: // lines, boxes, frames, ellipses, box texts, cells, fitted texts, 17, 19, 20
        MoveCorners(o, dx, dy);
        break;
    }
}

void ScaleObject(ReportObject& o, double sx, double sy) {
    switch (o.kind) {
    case kLine:
    case kFrame:
    case kScreenLine:
    case kScreenFrame:
    case kBox:
    case kEllipse:
    case kRoundedBox:
    case kPatternedBox:
        ScaleCorners(o, sx, sy);
        o.penWidth *= sx;
        if (o.kind == kRoundedBox) {
            o.cornerWidth *= sx;
            o.cornerHeight *= sy;
        }
        break;
    case kPointText:
    case kTurnedText:
    case kTextPiece:
        o.x1 *= sx;
        o.y1 *= sy;
        o.letterHeight *= sy;
        break;
    case kBoxText:
    case kFittedText:
        ScaleCorners(o, sx, sy);
        o.letterHeight *= sy;
        break;
    case kCell:
        ScaleCorners(o, sx, sy);
        o.letterHeight *= sy;
        o.penWidth *= sx;
        break;
    case kCellRow: // the row's own pen width stays
        ScaleCorners(o, sx, sy);
        for (ReportObject& c : o.children)
            ScaleObject(c, sx, sy);
        break;
    case kPicture:
        o.x1 *= sx;
        o.width *= sx;
        o.y1 *= sy;
        o.height *= sy;
        break;
    case kComposedLine:
        ScaleCorners(o, sx, sy);
        for (ReportObject& c : o.children)
            ScaleObject(c, sx, sy);
        break;
    case kClippedText:
        ScaleCorners(o, sx, sy);
        o.cx1 *= sx;
        o.cy1 *= sy;
        o.cx2 *= sx;
        o.cy2 *= sy;
        o.letterHeight *= sy;
        break;
    case kGroup:
        for (ReportObject& c : o.children)
            ScaleObject(c, sx, sy);
        break;
    case kRoundedText:
        ScaleCorners(o, sx, sy);
        o.penWidth *= sx;
        o.cornerWidth *= sx;
        o.cornerHeight *= sy;
        o.padLeft *= sx;
        o.padRight *= sx;
        o.padTop *= sy;
        o.padBottom *= sy;
        o.letterHeight *= sy;
        break;
    default:
        break;
    }
}

void SetObjectFont(ReportObject& o, const QString& face) {
    switch (o.kind) {
    case kPointText:
    case kBoxText:
    case kCell:
    case kTurnedText:
    case kTextPiece:
    case kClippedText:
    case kFittedText:
    case kRoundedText:
        o.face = face;
        break;
    case kCellRow:
    case kComposedLine:
    case kGroup:
        for (ReportObject& c : o.children)
            SetObjectFont(c, face);
        break;
    default:
        break;
    }
}

void SetObjectLineColour(ReportObject& o, ReportColour colour) {
    switch (o.kind) {
    case kLine:
    case kFrame:
    case kScreenLine:
    case kScreenFrame:
    case kBox:
    case kEllipse:
    case kRoundedBox:
    case kPatternedBox:
        o.penColour = colour;
        break;
    case kPointText:
    case kBoxText:
    case kTurnedText:
    case kTextPiece:
    case kClippedText:
    case kFittedText:
        o.textColour = colour;
        break;
    case kCell:
    case kRoundedText:
        o.textColour = colour;
        o.penColour = colour;
        break;
    case kCellRow:
        o.penColour = colour;
        for (ReportObject& c : o.children)
            SetObjectLineColour(c, colour);
        break;
    case kComposedLine: // only the pieces: the line itself has no pen
    case kGroup:
        for (ReportObject& c : o.children)
            SetObjectLineColour(c, colour);
        break;
    default:
        break;
    }
}

void SetObjectFillColour(ReportObject& o, ReportColour colour) {
    switch (o.kind) {
    case kBox:
    case kEllipse:
    case kCell:
    case kRoundedBox:
    case kRoundedText:
        o.fillColour = colour;
        break;
    case kCellRow:
        o.fillColour = colour;
        for (ReportObject& c : o.children)
            SetObjectFillColour(c, colour);
        break;
    case kGroup:
        for (ReportObject& c : o.children)
            SetObjectFillColour(c, colour);
        break;
    default:
        break;
    }
}

void MoveObjects(ReportDocument& doc, double dx, double dy) {
    EachObject(doc, [&](ReportObject& o) { MoveObject(o, dx, dy); });
}

void ScaleObjects(ReportDocument& doc, double sx, double sy) {
    EachObject(doc, [&](ReportObject& o) { ScaleObject(o, sx, sy); });
}

void SetObjectsFont(ReportDocument& doc, const QString& face) {
    EachObject(doc, [&](ReportObject& o) { SetObjectFont(o, face); });
}

void SetObjectsLineColour(ReportDocument& doc, ReportColour colour) {
    EachObject(doc, [&](ReportObject& o) { SetObjectLineColour(o, colour); });
}

void SetObjectsFillColour(ReportDocument& doc, ReportColour colour) {
    EachObject(doc, [&](ReportObject& o) { SetObjectFillColour(o, colour); });
}

} // namespace vidoraw
