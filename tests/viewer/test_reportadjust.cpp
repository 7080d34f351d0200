// Changing every object of a report at once (shift, scale, font, colours).
#include "reports/format/reportadjust.h"

#include "testmain.h"

#include <QTest>

using namespace vidoraw;

namespace {

ReportObject Make(int kind) {
    ReportObject o = DefaultObject(kind);
    o.x1 = 10;
    o.y1 = 20;
    o.x2 = 30;
    o.y2 = 40;
    o.cx1 = 1;
    o.cy1 = 2;
    o.cx2 = 3;
    o.cy2 = 4;
    o.width = 50;
    o.height = 60;
    o.penWidth = 0.5;
    o.letterHeight = 4;
    o.angle = 450;
    o.face = "Arial";
    o.text = "t";
    return o;
}

ReportDocument Document(const QVector<ReportObject>& objects) {
    ReportDocument doc;
    doc.pages << ReportPage{} << ReportPage{};
    doc.pages[1].objects = objects;
    return doc;
}

} // namespace

class ReportAdjustTest : public QObject {
    Q_OBJECT
private slots:
    void shiftTwiceMovesTwice() {
        ReportDocument doc = Document({Make(kBoxText), Make(kPointText), Make(kPicture)});
        MoveObjects(doc, 5, 0);
        MoveObjects(doc, 5, 0);
        const QVector<ReportObject>& o = doc.pages[1].objects;
        QCOMPARE(o[0].x1, 20.0);
        QCOMPARE(o[0].x2, 40.0);
        QCOMPARE(o[0].y1, 20.0);
        QCOMPARE(o[1].x1, 20.0);
        QCOMPARE(o[1].x2, 30.0); // a point text has no second corner to move
        QCOMPARE(o[2].x1, 20.0);
        QCOMPARE(o[2].width, 50.0);
    }

    void shiftReachesEveryPart() {
        ReportObject row = Make(kCellRow);
        row.children = {Make(kCell), Make(kCell)};
        ReportObject line = Make(kComposedLine);
        line.children = {Make(kTextPiece)};
        ReportObject group = Make(kGroup);
        ReportObject inner = Make(kGroup);
        inner.children = {Make(kLine)};
        group.children = {inner, row};
        ReportDocument doc = Document({row, line, group, Make(kClippedText)});
        MoveObjects(doc, 1, -100);
        const QVector<ReportObject>& o = doc.pages[1].objects;
        QCOMPARE(o[0].y1, -80.0);
        QCOMPARE(o[0].children[1].y2, -60.0);
        QCOMPARE(o[1].x2, 31.0);
        QCOMPARE(o[1].children[0].x1, 11.0);
        QCOMPARE(o[2].children[0].children[0].y2, -60.0);
        QCOMPARE(o[2].children[1].children[0].x1, 11.0);
        QCOMPARE(o[3].cx1, 2.0);
        QCOMPARE(o[3].cy2, -96.0);
        QCOMPARE(o[3].x2, 31.0);
    }

    void scale_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("x2");
        QTest::addColumn<double>("y1");
        QTest::addColumn<double>("pen");
        QTest::addColumn<double>("letter");
        QTest::newRow("line") << int(kLine) << 60.0 << 10.0 << 1.0 << 4.0;
        QTest::newRow("screen frame") << int(kScreenFrame) << 60.0 << 10.0 << 1.0 << 4.0;
        QTest::newRow("box") << int(kBox) << 60.0 << 10.0 << 1.0 << 4.0;
        QTest::newRow("point text") << int(kPointText) << 30.0 << 10.0 << 0.5 << 2.0;
        QTest::newRow("box text") << int(kBoxText) << 60.0 << 10.0 << 0.5 << 2.0;
        QTest::newRow("cell") << int(kCell) << 60.0 << 10.0 << 1.0 << 2.0;
        QTest::newRow("cell row: own pen kept") << int(kCellRow) << 60.0 << 10.0 << 0.5 << 4.0;
        QTest::newRow("clipped text") << int(kClippedText) << 60.0 << 10.0 << 0.5 << 2.0;
        QTest::newRow("fitted text") << int(kFittedText) << 60.0 << 10.0 << 0.5 << 2.0;
    }

    void scale() {
        QFETCH(int, kind);
        QFETCH(double, x2);
        QFETCH(double, y1);
        QFETCH(double, pen);
        QFETCH(double, letter);
        ReportDocument doc = Document({Make(kind)});
        ScaleObjects(doc, 2, 0.5);
        const ReportObject& o = doc.pages[1].objects[0];
        QCOMPARE(o.x2, x2);
        QCOMPARE(o.y1, y1);
        QCOMPARE(o.penWidth, pen);
        QCOMPARE(o.letterHeight, letter);
        QCOMPARE(o.angle, 450);
    }

    void scalePartsAndPictures() {
        ReportObject row = Make(kCellRow);
        row.children = {Make(kCell)};
        ReportObject line = Make(kComposedLine);
        line.children = {Make(kTextPiece)};
        ReportObject clipped = Make(kClippedText);
        ReportDocument doc = Document({row, line, Make(kPicture), clipped, Make(kTurnedText)});
        ScaleObjects(doc, 2, 0.5);
        const QVector<ReportObject>& o = doc.pages[1].objects;
        QCOMPARE(o[0].children[0].penWidth, 1.0);
        QCOMPARE(o[0].children[0].letterHeight, 2.0);
        QCOMPARE(o[1].children[0].x1, 20.0);
        QCOMPARE(o[1].children[0].letterHeight, 2.0);
        QCOMPARE(o[2].width, 100.0);
        QCOMPARE(o[2].height, 30.0);
        QCOMPARE(o[2].x1, 20.0);
        QCOMPARE(o[3].cx2, 6.0);
        QCOMPARE(o[3].cy2, 2.0);
        QCOMPARE(o[4].angle, 450);
    }

    void fontAndColours() {
        ReportObject row = Make(kCellRow);
        row.children = {Make(kCell)};
        ReportObject line = Make(kComposedLine);
        line.children = {Make(kTextPiece)};
        ReportObject group = Make(kGroup);
        group.children = {Make(kBox), Make(kBoxText)};
        ReportDocument doc =
            Document({row, line, group, Make(kLine), Make(kEllipse), Make(kPointText), Make(kPicture)});
        SetObjectsFont(doc, "Tahoma");
        SetObjectsLineColour(doc, 0x0000FF);
        SetObjectsFillColour(doc, 0x00FF00);
        const QVector<ReportObject>& o = doc.pages[1].objects;
        // Cell row: its pen and fill, the cells' text, pen and fill colours and face.
        QCOMPARE(o[0].penColour, 0xFFu);
        QCOMPARE(o[0].fillColour, 0xFF00u);
        QCOMPARE(o[0].children[0].face, QString("Tahoma"));
        QCOMPARE(o[0].children[0].textColour, 0xFFu);
        QCOMPARE(o[0].children[0].penColour, 0xFFu);
        QCOMPARE(o[0].children[0].fillColour, 0xFF00u);
        // Composed line: only the pieces.
        QCOMPARE(o[1].children[0].face, QString("Tahoma"));
        QCOMPARE(o[1].children[0].textColour, 0xFFu);
        QCOMPARE(o[1].penColour, kBlack);
        // Group members.
        QCOMPARE(o[2].children[0].penColour, 0xFFu);
        QCOMPARE(o[2].children[0].fillColour, 0xFF00u);
        QCOMPARE(o[2].children[1].face, QString("Tahoma"));
        QCOMPARE(o[2].children[1].textColour, 0xFFu);
        QCOMPARE(o[2].children[1].fillColour, kWhite); // a text has no fill
        QCOMPARE(o[3].penColour, 0xFFu);
        QCOMPARE(o[3].fillColour, kWhite);
        QCOMPARE(o[4].fillColour, 0xFF00u);
        QCOMPARE(o[5].textColour, 0xFFu);
        QCOMPARE(o[5].face, QString("Tahoma"));
        QCOMPARE(o[6].face, QString("Arial")); // pictures have no face
    }
};

VIDORAW_TEST(ReportAdjustTest)
#include "test_reportadjust.moc"
