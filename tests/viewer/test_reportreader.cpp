// Reading report files: what the writer writes comes back command for command, missing
// fields keep their defaults, and no file can make the reader misbehave.
#include "reports/format/reportformat.h"

#include "core/base/codepage.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace vidoraw;

Q_DECLARE_METATYPE(vidoraw::ReportObject)

namespace {

ReportDocument Parse(const QStringList& lines, bool* ok = nullptr) {
    ReportDocument doc;
    const bool read = ParseReport(lines, doc);
    if (ok)
        *ok = read;
    return doc;
}

ReportObject Only(const QStringList& commandLines) {
    const ReportDocument doc = Parse(QStringList{"[STRANA]"} + commandLines);
    if (doc.pages.size() != 1 || doc.pages[0].objects.size() != 1)
        return {};
    return doc.pages[0].objects[0];
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(bytes) == bytes.size();
}

// Every field the writer knows, compared one by one so a failure names the field.
void CompareObjects(const ReportObject& a, const ReportObject& b) {
    QCOMPARE(a.kind, b.kind);
    QCOMPARE(a.x1, b.x1);
    QCOMPARE(a.y1, b.y1);
    QCOMPARE(a.x2, b.x2);
    QCOMPARE(a.y2, b.y2);
    QCOMPARE(a.width, b.width);
    QCOMPARE(a.height, b.height);
    QCOMPARE(a.cx1, b.cx1);
    QCOMPARE(a.cy2, b.cy2);
    QCOMPARE(a.penWidth, b.penWidth);
    QCOMPARE(a.penColour, b.penColour);
    QCOMPARE(a.fillColour, b.fillColour);
    QCOMPARE(a.textColour, b.textColour);
    QCOMPARE(a.letterHeight, b.letterHeight);
    QCOMPARE(a.face, b.face);
    QCOMPARE(a.bold, b.bold);
    QCOMPARE(a.italic, b.italic);
    QCOMPARE(a.underline, b.underline);
    QCOMPARE(a.strikeout, b.strikeout);
    QCOMPARE(a.format, b.format);
    QCOMPARE(a.angle, b.angle);
    QCOMPARE(a.position, b.position);
    QCOMPARE(a.baseline, b.baseline);
    QCOMPARE(a.hAlign, b.hAlign);
    QCOMPARE(a.vAlign, b.vAlign);
    QCOMPARE(a.cornerWidth, b.cornerWidth);
    QCOMPARE(a.padRight, b.padRight);
    QCOMPARE(a.lineStyle, b.lineStyle);
    QCOMPARE(a.fillPattern, b.fillPattern);
    QCOMPARE(a.filled, b.filled);
    QCOMPARE(a.text, b.text);
    QCOMPARE(a.children.size(), b.children.size());
    for (int i = 0; i < a.children.size(); ++i)
        CompareObjects(a.children[i], b.children[i]);
}

ReportObject Text(int kind, const QString& text) {
    ReportObject o = DefaultObject(kind);
    o.x1 = -3.25;
    o.y1 = 12.5;
    if (kind != kPointText && kind != kTurnedText && kind != kTextPiece) {
        o.x2 = 80;
        o.y2 = 17.125;
    }
    o.letterHeight = 4.5;
    o.face = "Arial Narrow";
    o.bold = true;
    o.underline = true;
    o.textColour = 0x0000FF;
    if (kind != kPointText && kind != kTurnedText && kind != kTextPiece)
        o.format = 2086;
    o.text = text;
    return o;
}

} // namespace

class ReportReaderTest : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data() {
        QTest::addColumn<ReportObject>("object");
        ReportObject line = DefaultObject(kLine);
        line.x1 = -0.2;
        line.y1 = 1e-3;
        line.x2 = 210;
        line.y2 = 297;
        line.penWidth = 0.6;
        line.penColour = 0x00FF00;
        QTest::newRow("line, negative coordinate") << line;
        ReportObject box = DefaultObject(kBox);
        box.x1 = 10;
        box.y1 = 20;
        box.x2 = 30;
        box.y2 = 40;
        box.penColour = 0x123456;
        box.fillColour = 0xC0C0C0;
        QTest::newRow("box") << box;
        QTest::newRow("box text with commas") << Text(kBoxText, "Suma: 1,50 Sk, spolu 3,00");
        QTest::newRow("point text") << Text(kPointText, "a,b,,c");
        QTest::newRow("fitted text") << Text(kFittedText, "Bratislava, Slovensko");
        QTest::newRow("text with diacritics") << Text(kBoxText, "Žltý kôň úpel ďábelské ódy");
        ReportObject turned = Text(kTurnedText, "otočený");
        turned.angle = 900;
        QTest::newRow("turned text") << turned;
        ReportObject clipped = Text(kClippedText, "orezaný, text");
        clipped.cx1 = 1;
        clipped.cy1 = 2;
        clipped.cx2 = 3;
        clipped.cy2 = 4;
        QTest::newRow("clipped text") << clipped;
        ReportObject picture = DefaultObject(kPicture);
        picture.text = "logo.bmp";
        picture.x1 = 5;
        picture.y1 = 6;
        picture.width = 40;
        picture.height = 20;
        QTest::newRow("picture") << picture;

        ReportObject row = DefaultObject(kCellRow);
        row.x1 = 10;
        row.x2 = 100;
        row.y2 = 5;
        row.baseline = true;
        row.penWidth = 0.3;
        row.fillColour = 0xFFFFFF;
        for (int i = 0; i < 3; ++i) {
            ReportObject cell = Text(kCell, QString("bunka %1, s čiarkou").arg(i));
            cell.penColour = 0xFF0000;
            cell.fillColour = 0xEEEEEE;
            cell.penWidth = 0.2;
            row.children << cell;
        }
        QTest::newRow("cell row") << row;

        ReportObject composed = DefaultObject(kComposedLine);
        composed.x2 = 50;
        composed.y2 = 8;
        composed.hAlign = 3;
        composed.vAlign = 2;
        for (int pos : {0, 1, 2}) {
            ReportObject piece = Text(kTextPiece, QString("kus %1,").arg(pos));
            piece.position = pos;
            composed.children << piece;
        }
        QTest::newRow("composed line") << composed;

        ReportObject group = DefaultObject(kGroup);
        ReportObject inner = DefaultObject(kGroup);
        inner.children << line << Text(kBoxText, "vnútri");
        group.children << inner << box << row;
        QTest::newRow("nested groups") << group;

        ReportObject rounded = DefaultObject(kRoundedBox);
        rounded.x2 = 20;
        rounded.y2 = 10;
        rounded.cornerWidth = 3;
        rounded.cornerHeight = 2;
        rounded.penWidth = 0.4;
        rounded.fillColour = 0x00FFFF;
        QTest::newRow("rounded box") << rounded;
        ReportObject patterned = DefaultObject(kPatternedBox);
        patterned.x2 = 20;
        patterned.y2 = 10;
        patterned.lineStyle = 5;
        patterned.fillPattern = 3;
        patterned.filled = true;
        patterned.penColour = 0xFF;
        QTest::newRow("patterned box") << patterned;
        ReportObject roundedText = DefaultObject(kRoundedText);
        roundedText.x2 = 60;
        roundedText.y2 = 12;
        roundedText.padLeft = 1.5;
        roundedText.padRight = 2;
        roundedText.face = "Tahoma";
        roundedText.penColour = roundedText.textColour = 0x0000FF;
        roundedText.format = 37;
        roundedText.text = "v rámiku, s čiarkou";
        QTest::newRow("text in rounded box") << roundedText;
    }

    void roundTrip() {
        QFETCH(ReportObject, object);
        for (bool pad : {true, false}) {
            ReportDocument doc;
            doc.pages << ReportPage{};
            doc.pages[0].objects << object;
            QStringList lines = FormatDocument(doc);
            if (!pad) {
                lines = QStringList{"[STRANA]", "[STOJATO]"} + FormatObject(object, false);
                for (const QString& l : lines)
                    QVERIFY2(!l.contains("0x000000"), qPrintable(l));
            }
            // Through the bytes of a file, as zorode gets them.
            const QByteArray bytes = ToCp1250(lines.join("\r\n") + "\r\n");
            const ReportDocument back = Parse(SplitReportText(bytes));
            QCOMPARE(back.pages.size(), 1);
            QCOMPARE(back.pages[0].objects.size(), 1);
            CompareObjects(back.pages[0].objects[0], object);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void missingFieldsKeepDefaults_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("format");
        QTest::addColumn<double>("penWidth");
        QTest::addColumn<quint32>("fill");
        QTest::newRow("box text after two numbers") << "3,10,20" << 37 << 0.1 << quint32(kWhite);
        QTest::newRow("fitted text") << "13,1" << 5 << 0.1 << quint32(kWhite);
        QTest::newRow("clipped text") << "12," << 5 << 0.1 << quint32(kWhite);
        QTest::newRow("cell") << "6" << 5 << 0.2 << quint32(kWhite);
        QTest::newRow("cell row") << "7,1,2,3,4,0" << 37 << 0.0 << quint32(kBlack);
        QTest::newRow("line") << "0,1,2" << 37 << 0.1 << quint32(kWhite);
    }

    void missingFieldsKeepDefaults() {
        QFETCH(QString, line);
        QFETCH(int, format);
        QFETCH(double, penWidth);
        QFETCH(quint32, fill);
        const ReportObject o = Only({line});
        QVERIFY(o.kind >= 0);
        QCOMPARE(o.format, format);
        QCOMPARE(o.penWidth, penWidth);
        QCOMPARE(o.fillColour, fill);
        QCOMPARE(o.letterHeight, 10.0);
        QCOMPARE(o.face, QString("System"));
        QCOMPARE(o.text, QString());
        QCOMPARE(o.penColour, kBlack);
        QVERIFY(!o.bold && !o.italic && !o.underline && !o.strikeout);
    }

    void boxTextEndingAfterTwoNumbers() {
        const ReportObject o = Only({"3,10,20"});
        QCOMPARE(o.kind, int(kBoxText));
        QCOMPARE(o.x1, 10.0);
        QCOMPARE(o.y1, 20.0);
        QCOMPARE(o.x2, 0.0);
        QCOMPARE(o.y2, 0.0);
    }

    void numbersAndColours_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("x1");
        QTest::addColumn<double>("y1");
        QTest::addColumn<quint32>("colour");
        QTest::newRow("padded colour") << "0,1.5,2,3,4,0.2,0x0000FF" << 1.5 << 2.0 << 0xFFu;
        QTest::newRow("colour without leading zeros") << "0,1,2,3,4,0.2,0xFF" << 1.0 << 2.0 << 0xFFu;
        QTest::newRow("black as 0x0") << "0,1,2,3,4,0.2,0x0" << 1.0 << 2.0 << 0u;
        QTest::newRow("lower case digits") << "0,1,2,3,4,0.2,0xabcdef" << 1.0 << 2.0 << 0xABCDEFu;
        QTest::newRow("decimal colour") << "0,1,2,3,4,0.2,65280" << 1.0 << 2.0 << 0xFF00u;
        QTest::newRow("negative coordinates") << "0,-12.75,-0.5,3,4,0.2,0x0" << -12.75 << -0.5 << 0u;
        QTest::newRow("garbage reads as 0") << "0,abc,--5,3,4,x,0xZZ" << 0.0 << 0.0 << 0u;
        QTest::newRow("number prefix") << "0,12abc,7.5mm,3,4,0.2,0x1G" << 12.0 << 7.5 << 1u;
        QTest::newRow("overflow reads as 0") << "0,1e999,-1e999,3,4,0.2,0xFFFFFFFFFF" << 0.0 << 0.0
                                            << 0xFFFFFFFFu;
        QTest::newRow("colour too large in decimal") << "0,1,2,3,4,0.2,99999999999" << 1.0 << 2.0 << 0u;
    }

    void numbersAndColours() {
        QFETCH(QString, line);
        QFETCH(double, x1);
        QFETCH(double, y1);
        QFETCH(quint32, colour);
        const ReportObject o = Only({line});
        QCOMPARE(o.kind, int(kLine));
        QCOMPARE(o.x1, x1);
        QCOMPARE(o.y1, y1);
        QCOMPARE(o.penColour, colour);
    }

    void pagesAndMarkers() {
        // Only "[STRANA]": one empty portrait A4 page.
        bool ok = false;
        ReportDocument doc = Parse({"[STRANA]"}, &ok);
        QVERIFY(ok);
        QCOMPARE(doc.pages.size(), 1);
        QCOMPARE(doc.pages[0].orientation, 0);
        QCOMPARE(doc.pages[0].paper, 0);
        QVERIFY(doc.pages[0].objects.isEmpty());

        // "[LEZATO]" on page 2 only; the last marker of a kind wins; printer name.
        doc = Parse({"[STRANA]", "0,1,1,2,2,0.1,0x0", "[STRANA]", "[A3]", "[LEZATO]", "[A4]",
                     "[TLACIAREN=HP LaserJet, 2. poschodie]", "[STRANA]", "[STOJATO]", "[LEZATO]",
                     "[STOJATO]", "[A3]"});
        QCOMPARE(doc.pages.size(), 3);
        QCOMPARE(doc.pages[0].orientation, 0);
        QCOMPARE(doc.pages[0].objects.size(), 1);
        QCOMPARE(doc.pages[1].orientation, 1);
        QCOMPARE(doc.pages[1].paper, 0);
        QCOMPARE(doc.pages[1].printer, QString("HP LaserJet, 2. poschodie"));
        QCOMPARE(doc.pages[2].orientation, 0);
        QCOMPARE(doc.pages[2].paper, 1);
        QCOMPARE(doc.pages[2].printer, QString());
    }

    void linesThatAreNoCommands() {
        const ReportDocument doc =
            Parse({"[STRANA]", "", "x,1,2", "[NEZNAME]", " 0,1,2,3,4", "18,čokoľvek, aj čiarky",
                   "21,1,2,3,4", "99,1", "0,1,2,3,4,0.1,0x0"});
        QCOMPARE(doc.pages.size(), 1);
        // "21" and "99" start with a digit: command 2 and 9 with odd arguments, read safely.
        QList<int> kinds;
        for (const ReportObject& o : doc.pages[0].objects)
            kinds << o.kind;
        QCOMPARE(kinds, (QList<int>{kPassive, kPointText, kTurnedText, kLine}));
        QCOMPARE(doc.pages[0].objects[0].text, QString("18,čokoľvek, aj čiarky"));
    }

    void blocksReadTheirLines() {
        // Cells and pieces are read with their own rules whatever their number says; inside a
        // group a line that is no command is skipped but counted.
        const ReportDocument doc = Parse({"[STRANA]", "7,0,0,100,5,2,1,0.3,0x0,0xFFFFFF",
                                          "3,1,1,20,5,4,Arial,0,0,0,0,0x0,36,0xFF,0xFFFFFF,0.2,A",
                                          "6,20,1,40,5,4,Arial,0,0,0,0,0x0,36,0xFF,0xFFFFFF,0.2,B",
                                          "11,0,10,50,15,1,0,0", "2,1,10,4,Arial,0,0,0,0,1,0x0,C",
                                          "16,3", "[STOJATO]", "0,1,1,2,2,0.1,0x0", "garbage",
                                          "1,0,0,1,1,0.1,0x0,0x0"});
        QCOMPARE(doc.pages.size(), 1);
        const QVector<ReportObject>& objects = doc.pages[0].objects;
        QCOMPARE(objects.size(), 4);
        QCOMPARE(objects[0].kind, int(kCellRow));
        QCOMPARE(objects[0].children.size(), 2);
        QCOMPARE(objects[0].children[0].kind, int(kCell));
        QCOMPARE(objects[0].children[0].penColour, 0xFFu);
        QCOMPARE(objects[0].children[0].text, QString("A"));
        QCOMPARE(objects[0].children[1].text, QString("B"));
        QCOMPARE(objects[1].kind, int(kComposedLine));
        QCOMPARE(objects[1].children.size(), 1);
        QCOMPARE(objects[1].children[0].kind, int(kTextPiece));
        QCOMPARE(objects[1].children[0].position, 1);
        QCOMPARE(objects[1].children[0].text, QString("C"));
        QCOMPARE(objects[2].kind, int(kGroup));
        QCOMPARE(objects[2].children.size(), 1); // marker and "garbage" counted, not kept
        QCOMPARE(objects[2].children[0].kind, int(kLine));
        QCOMPARE(objects[3].kind, int(kBox));
    }

    void truncatedAndHugeBlocks_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("children");
        QTest::addColumn<int>("pages");
        QTest::newRow("cell row cut short") << QStringList{"[STRANA]", "7,0,0,1,1,5,0", "6,1,1,2,2"} << 1 << 1;
        QTest::newRow("group with a huge count") << QStringList{"[STRANA]", "16,2000000000", "0,1"} << 1 << 1;
        QTest::newRow("negative count") << QStringList{"[STRANA]", "11,0,0,1,1,-5,0,0", "10,1,1"} << 0 << 1;
        // A block swallows the page marker that follows inside its count: that is the format.
        QTest::newRow("block over a page marker") << QStringList{"[STRANA]", "16,2", "[STRANA]", "0,1"} << 1 << 1;
        QTest::newRow("count as garbage") << QStringList{"[STRANA]", "16,x", "[STRANA]"} << 0 << 2;
    }

    void truncatedAndHugeBlocks() {
        QFETCH(QStringList, lines);
        QFETCH(int, children);
        QFETCH(int, pages);
        bool ok = false;
        const ReportDocument doc = Parse(lines, &ok);
        QVERIFY(ok);
        QCOMPARE(doc.pages.size(), pages);
        QVERIFY(!doc.pages[0].objects.isEmpty());
        QCOMPARE(doc.pages[0].objects[0].children.size(), children);
    }

    void deepNestingIsBounded() {
        QStringList lines{"[STRANA]"};
        const int depth = 20000;
        for (int i = 0; i < depth; ++i)
            lines << "16,1";
        lines << "0,1,2,3,4,0.1,0x0";
        bool ok = false;
        const ReportDocument doc = Parse(lines, &ok);
        QVERIFY(ok);
        QCOMPARE(doc.pages[0].objects.size(), 1);
        int levels = 0;
        const ReportObject* o = &doc.pages[0].objects[0];
        while (!o->children.isEmpty()) {
            o = &o->children[0];
            ++levels;
        }
        QVERIFY(levels <= ReportLimits::kMaxDepth + 1);
        // Every nested line was consumed by the groups: nothing leaked onto the page.
        QCOMPARE(doc.pages.size(), 1);
    }

    void lengthLimits() {
        const QString longText(3000, u'x');
        const ReportObject o = Only({"3,1,2,3,4,5," + QString(100, u'F') + ",0,0,0,0,0x0,36," + longText});
        QCOMPARE(o.face.size(), ReportLimits::kFaceLength);
        // The line is cut at 1023 characters, the text argument at 255.
        QCOMPARE(o.text.size(), ReportLimits::kArgumentLength);
        const ReportDocument doc = Parse({"[STRANA]", "[TLACIAREN=" + QString(600, u'p') + "]"});
        QCOMPARE(doc.pages[0].printer.size(), ReportLimits::kPrinterLength);
    }

    void refusedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other first line") << QByteArray("[STOJATO]\r\n[STRANA]\r\n");
        QTest::newRow("lower case") << QByteArray("[strana]\r\n");
        QTest::newRow("leading blank") << QByteArray(" [STRANA]\r\n");
        QTest::newRow("binary") << QByteArray("\x00\x01\x02[STRANA]", 9);
    }

    void refusedFiles() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir tmp;
        const QString path = tmp.filePath("zost1.zst");
        QVERIFY(WriteBytes(path, bytes));
        ReportDocument doc;
        doc.pages << ReportPage{};
        QString error;
        QVERIFY(!LoadReport(path, doc, &error));
        QVERIFY(doc.pages.isEmpty());
        QVERIFY(!error.isEmpty());
    }

    void filesThatAreNoReports() {
        QTemporaryDir tmp;
        ReportDocument doc;
        QString error;
        QVERIFY(!LoadReport(tmp.path(), doc, &error)); // a directory
        QVERIFY(!error.isEmpty());
        QVERIFY(!LoadReport(tmp.filePath("missing.zst"), doc, &error));
        // A huge file is refused before it is read (sparse: costs no disk).
        QFile huge(tmp.filePath("huge.zst"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        huge.write("[STRANA]\r\n");
        QVERIFY(huge.resize(ReportLimits::kMaxFileBytes + 1));
        huge.close();
        error.clear();
        QVERIFY(!LoadReport(huge.fileName(), doc, &error));
        QVERIFY(!error.isEmpty());
    }

    void fileWithLfAndCrLf() {
        QTemporaryDir tmp;
        const QString path = tmp.filePath("z.zst");
        QVERIFY(WriteBytes(path, ToCp1250("[STRANA]\r\n[LEZATO]\n3,1,2,3,4,5,Arial,0,0,0,0,0x0,36,Cena 1,50 €\r\n")));
        ReportDocument doc;
        QVERIFY(LoadReport(path, doc));
        QCOMPARE(doc.pages.size(), 1);
        QCOMPARE(doc.pages[0].orientation, 1);
        QCOMPARE(doc.pages[0].objects[0].text, QString("Cena 1,50 €"));
    }

    void pictures() {
        QTemporaryDir tmp;
        QImage image(8, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(tmp.filePath("logo.bmp"), "BMP"));
        QFile f(tmp.filePath("logo.bmp"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bmp = f.readAll();
        f.close();
        QVERIFY(WriteBytes(tmp.filePath("short.bmp"), bmp.left(bmp.size() - 1)));
        QVERIFY(WriteBytes(tmp.filePath("long.bmp"), bmp + "x"));
        QVERIFY(WriteBytes(tmp.filePath("notbm.bmp"), "XX" + bmp.mid(2)));
        QVERIFY(WriteBytes(tmp.filePath("z.zst"),
                           "[STRANA]\r\n8,logo.bmp,1,2,30,15\r\n8,short.bmp,1,2,3,4\r\n"
                           "8,long.bmp,1,2,3,4\r\n8,notbm.bmp,1,2,3,4\r\n8,missing.bmp,1,2,3,4\r\n"
                           "8," + tmp.path().toUtf8() + "\r\n"));
        ReportDocument doc;
        QVERIFY(LoadReport(tmp.filePath("z.zst"), doc));
        const QVector<ReportObject>& o = doc.pages[0].objects;
        QCOMPARE(o.size(), 6);
        QCOMPARE(o[0].picture.size(), QSize(8, 4));
        QCOMPARE(o[0].width, 30.0);
        for (int i = 1; i < 6; ++i)
            QVERIFY2(o[i].picture.isNull(), qPrintable(o[i].text));
    }
};

VIDORAW_TEST(ReportReaderTest)
#include "test_reportreader.moc"
