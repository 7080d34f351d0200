#pragma once
// Changes to every object of a document at once, applied by the viewer before printing onto
// pre-printed forms. They act on the document in memory only; the file stays as written.
#include "reports/format/reportformat.h"

namespace vidoraw {

// Every operation reaches the members of groups, the cells of cell rows and the pieces of
// composed lines.
void MoveObjects(ReportDocument& doc, double dx, double dy);
// x and widths times sx, y and heights times sy; pen widths times sx, letter heights times sy.
// The pen width of a cell row and the angle of a turned text never change.
void ScaleObjects(ReportDocument& doc, double sx, double sy);
void SetObjectsFont(ReportDocument& doc, const QString& face);
// Line colour: pens and texts. Fill colour: boxes, ellipses, cells and cell rows.
void SetObjectsLineColour(ReportDocument& doc, ReportColour colour);
void SetObjectsFillColour(ReportDocument& doc, ReportColour colour);

// The same on one object (and what belongs to it).
void MoveObject(ReportObject& o, double dx, double dy);
void ScaleObject(ReportObject& o, double sx, double sy);
void SetObjectFont(ReportObject& o, const QString& face);
void SetObjectLineColour(ReportObject& o, ReportColour colour);
void SetObjectFillColour(ReportObject& o, ReportColour colour);

} // namespace vidoraw
