#include "reportfixture.h"
#include "testmain.h"

#include <QImage>
#include <QPrinter>
#include <QRegularExpression>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// 100 x 100 mm at 10 pixels per millimetre (254 dpi).
QImage Page() {
    QImage image(1000, 1000, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    return image;
}

QColor At(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

bool IsDark(const QColor& c) {
    return c.red() < 80 && c.green() < 80 && c.blue() < 80;
}

int Count(const QImage& image, QRect area, const std::function<bool(QColor)>& match) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += match(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);
const QColor kPaper(255, 255, 255);

} // namespace

class TestDirectPrint : public QObject {
    Q_OBJECT
private slots:
    void drawingOperations();
    void textStandsOnCurrentFill();
    void play();
    void playNeedsPrinter();
    void printJobToPdf();
};

void TestDirectPrint::drawingOperations() {
    QImage image = Page();
    WriterFixture f;
    f.writer.setPrintDevice(&image);
    QVERIFY(f.writer.ReportBegin(QString()));
    QCOMPARE(f.writer.output(), ReportOutput::Printer);
    f.writer.ReportBox(kBlack, 0x0000FF, 10, 10, 30, 30, 0.2);   // red fill (0x00BBGGRR)
    f.writer.ReportLine(0xFF0000, 10, 50, 90, 50, 1.0);          // blue, 10 px wide
    f.writer.ReportFrame(kBlack, 40, 10, 60, 30, 0.5);           // outline only
    f.writer.ReportLine(kBlack, 10.09, 60, 10.09, 90, 0.01);     // x = trunc(100.9), 1 px
    QVERIFY(f.writer.ReportEnd());
    QCOMPARE(f.writer.output(), ReportOutput::None);
    QVERIFY(!QFileInfo::exists(f.file()));

    QCOMPARE(At(image, 200, 200), kRed);
    QVERIFY(IsDark(At(image, 100, 200))); // the box's outline
    QCOMPARE(At(image, 500, 500), kBlue);
    QCOMPARE(At(image, 500, 497), kBlue);
    QCOMPARE(At(image, 500, 520), kPaper);
    QVERIFY(IsDark(At(image, 400, 200))); // frame side
    QCOMPARE(At(image, 500, 200), kPaper); // a frame is not filled
    QVERIFY(IsDark(At(image, 100, 750)));
    QCOMPARE(At(image, 102, 750), kPaper);
    QCOMPARE(At(image, 98, 750), kPaper);
}

void TestDirectPrint::textStandsOnCurrentFill() {
    QImage image = Page();
    WriterFixture f;
    f.writer.setPrintDevice(&image);
    QVERIFY(f.writer.ReportBegin(QString()));
    f.writer.ReportText(QStringLiteral("Arial"), false, false, false, false, 10, 10, 90, 20, 8,
                        kBlack, 36, QStringLiteral("MMMM"));
    f.writer.ReportBox(kBlack, 0x00FF00, 70, 40, 90, 45, 0.2); // green becomes the text fill
    f.writer.ReportText(QStringLiteral("Arial"), false, false, false, false, 10, 60, 90, 70, 8,
                        kBlack, 36, QStringLiteral("MMMM"));
    QVERIFY(f.writer.ReportEnd());

    const QRect first(100, 100, 800, 100);
    const QRect second(100, 600, 800, 100);
    auto green = [](QColor c) { return c == QColor(0, 255, 0); };
    QVERIFY(Count(image, first, IsDark) > 100);
    QCOMPARE(Count(image, first, green), 0);
    QVERIFY(Count(image, second, IsDark) > 100);
    QVERIFY(Count(image, second, green) > 100);
}

void TestDirectPrint::play() {
    QImage image = Page();
    WriterFixture f;
    f.writer.setPrintDevice(&image);
    QVERIFY(f.writer.ReportBegin(QString()));
    const QStringList tpl{
        "[STRANA]",
        "[STOJATO]",
        // Kinds the viewer owns draw nothing here: a cell over the whole page, a text piece.
        "6,0,0,100,100,4,Arial,0,0,0,0,0x0,5,0x0,0x0000FF,0.2,bunka",
        "10,0,0,4,Arial,0,0,0,0,0,0x0000FF,kúsok",
        // Screen line and screen frame: shown by the viewer, never printed.
        "14,0,80,100,80,2,0x0000FF",
        "15,0,85,100,95,0.5,0x0000FF",
        // Printed but not shown by the viewer.
        "17,10,80,30,95,2,2,0.3,0x000000,0xFF0000",
        "19,40,80,60,95,0.3,0x00FF00,0x0,0,0,1",
        "20,70,80,95,95,0.3,1,1,0,0,0,0,4,Arial,0,0,0,0,0x000000,0x0,0x00FFFF,37,X",
        "1,10,10,30,30,0.2,0x000000,0x0000FF",
    };
    QVERIFY(f.writer.ReportPlay(tpl));
    QVERIFY(f.writer.ReportEnd());

    QCOMPARE(At(image, 950, 50), kPaper); // no cell
    QCOMPARE(At(image, 50, 800), kPaper); // no screen line
    QCOMPARE(At(image, 50, 850), kPaper); // no screen frame
    QCOMPARE(At(image, 200, 875), kBlue);
    QCOMPARE(At(image, 500, 875), kGreen);
    QCOMPARE(At(image, 720, 810), kYellow);
    QCOMPARE(At(image, 200, 200), kRed);
}

void TestDirectPrint::playNeedsPrinter() {
    WriterFixture f;
    QVERIFY(!f.writer.ReportPlay({"0,1,1,2,2,0.2,0x0"}));
    QVERIFY(f.writer.ReportBegin(f.file()));
    QVERIFY(!f.writer.ReportPlay({"0,1,1,2,2,0.2,0x0"})); // the screen writes, not plays
    QVERIFY(f.writer.ReportEnd());
    QCOMPARE(ReadLines(f.file()).size(), 2);
}

void TestDirectPrint::printJobToPdf() {
    WriterFixture f;
    const QString pdf = f.path(QStringLiteral("tlac.pdf"));
    f.writer.printer().setOutputFormat(QPrinter::PdfFormat);
    f.writer.printer().setOutputFileName(pdf);
    QVERIFY(f.writer.ReportBegin(QString()));
    f.writer.ReportText(QStringLiteral("Arial"), true, false, false, false, 10, 10, 100, 20, 5,
                        kBlack, 37, QStringLiteral("Strana jedna"));
    QVERIFY(f.writer.ReportNewPage());
    f.writer.ReportLine(kBlack, 10, 10, 100, 10, 0.5);
    QVERIFY(f.writer.ReportEnd());
    const QString bytes = QString::fromLatin1(ReadBytes(pdf));
    QVERIFY(bytes.startsWith(QStringLiteral("%PDF")));
    QCOMPARE(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))), 2);
}

VIDORAW_TEST(TestDirectPrint)
#include "test_directprint.moc"
