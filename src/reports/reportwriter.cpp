#include "reports/reportwriter.h"

#include "core/base/codepage.h"
#include "core/interaction.h"
#include "reports/format/reportpainter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

namespace vidoraw {

namespace {

ReportObject Shape(int kind, double x1, double y1, double x2, double y2, double penWidth,
                   ReportColour pen) {
    ReportObject o = DefaultObject(kind);
    o.x1 = x1;
    o.y1 = y1;
    o.x2 = x2;
    o.y2 = y2;
    o.penWidth = penWidth;
    o.penColour = pen;
    return o;
}

bool DefaultLaunch(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

} // namespace

ReportWriter::ReportWriter(const ReportSettings& settings)
    : set(settings), fileName(DefaultReportFileName()) {}

ReportWriter::~ReportWriter() {
    if (mode == ReportOutput::Printer)
        endPrinter();
    closeFile();
}

QString ReportWriter::DefaultReportFileName() {
    // "zost" + workstation number 1 + ".zst"
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/vidoraw/zost1.zst");
}

QPrinter& ReportWriter::printer() {
    if (!printerObject)
        printerObject = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printerObject;
}

PrinterMetrics ReportWriter::printerMetrics() {
    if (fixedMetrics)
        return *fixedMetrics;
    QPrinter& p = printer();
    const bool real = p.outputFormat() == QPrinter::PdfFormat
                          ? !p.outputFileName().isEmpty()
                          : p.isValid() && !p.printerName().isEmpty();
    if (!real) {
        // No printer installed: A4 (or A3) without any offset.
        const int orientation = p.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
        const QSizeF size = ReportPaperSize(orientation, paperA3 ? 1 : 0);
        return PrinterMetrics{0, 0, size.width(), size.height()};
    }
    // The painter's origin is the corner of the printable area.
    const QRectF paint = p.pageLayout().paintRect(QPageLayout::Millimeter);
    return PrinterMetrics{paint.left(), paint.top(), paint.width(), paint.height()};
}

void ReportWriter::setPrinterLayout(bool landscapeOn) {
    QPrinter& p = printer();
    p.setPageOrientation(landscapeOn ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (paperA3)
        p.setPageSize(QPageSize(QPageSize::A3));
}

bool ReportWriter::ReportBegin(const QString& name) {
    // A report left open is closed first: one report at a time.
    if (mode == ReportOutput::Printer)
        endPrinter();
    closeFile();
    mode = ReportOutput::None;
    // A template's own orientation counts for this report only.
    reportLandscape = templateLandscape.value_or(landscape);
    templateLandscape.reset();
    return name.isEmpty() ? beginPrinter() : beginFile(name);
}

bool ReportWriter::beginFile(const QString& name) {
    lost.clear();
    writeFailed = false;
    QDir().mkpath(QFileInfo(name).absolutePath());
    file = std::make_unique<QFile>(name);
    if (QFileInfo(name).isDir() || !file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.reset();
        ShowNotice(QStringLiteral("Chyba"), QStringLiteral("Nemôžem otvoriť súbor so zostavou !"));
        return false;
    }
    mode = ReportOutput::File;
    setPrinterLayout(reportLandscape);
    writeLine(QStringLiteral("[STRANA]"));
    writeLine(reportLandscape ? QStringLiteral("[LEZATO]") : QStringLiteral("[STOJATO]"));
    return true;
}

bool ReportWriter::beginPrinter() {
    QPaintDevice* device = printDevice;
    if (!device) {
        QPrinter& p = printer();
        setPrinterLayout(reportLandscape);
        p.setFullPage(false); // origin at the printable area's corner
        if (p.docName().isEmpty())
            p.setDocName(QStringLiteral("vidoraw"));
        device = &p;
    }
    painter = std::make_unique<QPainter>();
    if (!painter->begin(device)) {
        painter.reset();
        ShowNotice(QStringLiteral("Chyba"), QStringLiteral("Tlač sa nedá začať !"));
        return false;
    }
    activeDevice = device;
    drawer = std::make_unique<ReportPainter>(
        *painter, ReportMapping::device(device->logicalDpiX(), device->logicalDpiY()),
        ReportTarget::DirectPrint);
    mode = ReportOutput::Printer;
    return true;
}

bool ReportWriter::ReportNewPage() {
    if (mode == ReportOutput::File) {
        writeLine(QStringLiteral("[STRANA]"));
        writeLine(reportLandscape ? QStringLiteral("[LEZATO]") : QStringLiteral("[STOJATO]"));
    } else if (mode == ReportOutput::Printer) {
        if (auto* paged = dynamic_cast<QPagedPaintDevice*>(activeDevice))
            paged->newPage();
    }
    return true;
}

bool ReportWriter::ReportEnd() {
    if (mode == ReportOutput::Printer) {
        endPrinter();
        mode = ReportOutput::None;
        return true;
    }
    if (mode != ReportOutput::File)
        return true;
    closeFile();
    mode = ReportOutput::None;
    if (writeFailed) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Chyba pri zápise súboru so zostavou !"));
        return false;
    }
    if (!lost.isEmpty())
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Tieto znaky sa v zostave nedajú zobraziť, namiesto nich je "
                                  "v nej znak „?“: %1")
                       .arg(lost),
                   NoticeKind::Warning);
    return true;
}

void ReportWriter::closeFile() {
    if (!file)
        return;
    if (!file->flush() || file->error() != QFileDevice::NoError)
        writeFailed = true;
    file->close();
    if (file->error() != QFileDevice::NoError)
        writeFailed = true;
    file.reset();
}

void ReportWriter::endPrinter() {
    drawer.reset();
    if (painter && painter->isActive())
        painter->end();
    painter.reset();
    activeDevice = nullptr;
}

void ReportWriter::writeLine(const QString& line) {
    if (!file)
        return;
    QString missing;
    QByteArray bytes = ToCp1250(line, &missing);
    for (QChar c : missing)
        if (!lost.contains(c))
            lost += c;
    bytes += "\r\n";
    if (file->write(bytes) != bytes.size())
        writeFailed = true;
}

void ReportWriter::put(const ReportObject& o) {
    if (mode == ReportOutput::File) {
        for (const QString& line : FormatObject(o))
            writeLine(line);
    } else if (mode == ReportOutput::Printer && drawer) {
        drawer->draw(o);
    }
}

void ReportWriter::ReportLine(ReportColour colour, double x1, double y1, double x2, double y2,
                              double penWidth) {
    put(Shape(kLine, x1, y1, x2, y2, penWidth, colour));
}

void ReportWriter::ReportBox(ReportColour penColour, ReportColour fillColour, double x1,
                             double y1, double x2, double y2, double penWidth) {
    ReportObject o = Shape(kBox, x1, y1, x2, y2, penWidth, penColour);
    o.fillColour = fillColour;
    put(o);
}

void ReportWriter::ReportFrame(ReportColour colour, double x1, double y1, double x2, double y2,
                               double penWidth) {
    put(Shape(kFrame, x1, y1, x2, y2, penWidth, colour));
}

void ReportWriter::ReportText(const QString& fontName, bool bold, bool italic, bool underline,
                              bool strikeout, double x1, double y1, double x2, double y2,
                              double letterHeight, ReportColour colour, int format,
                              const QString& text) {
    ReportObject o = DefaultObject(kBoxText);
    o.x1 = x1;
    o.y1 = y1;
    o.x2 = x2;
    o.y2 = y2;
    o.letterHeight = letterHeight;
    o.face = fontName;
    o.bold = bold;
    o.italic = italic;
    o.underline = underline;
    o.strikeout = strikeout;
    o.textColour = colour;
    o.format = format | kNoPrefix;
    // A line break in a note must never start a new command or page.
    o.text = CleanReportText(text);
    put(o);
}

QString ReportWriter::viewerProgram() const {
    if (!viewer.isEmpty())
        return viewer;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/zorode");
}

bool ReportWriter::ShowReport() {
    const QString program = viewerProgram();
    const QString report = QFileInfo(fileName).absoluteFilePath();
    if (!QFileInfo(program).isFile()) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Prehliadač zostáv %1 sa nenašiel.")
                       .arg(QDir::toNativeSeparators(program)));
        return false;
    }
    const Launcher& start = launch ? launch : Launcher(DefaultLaunch);
    if (!start(program, {report})) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Prehliadač zostáv %1 sa nedá spustiť.")
                       .arg(QDir::toNativeSeparators(program)));
        return false;
    }
    return true;
}

bool RunReport(ReportWriter& writer, const ReportBuilder& build, QWidget* owner) {
    switch (ChooseOutputDevice(owner)) {
    case 0:
        return build(writer, writer.ReportFileName()) && writer.ShowReport();
    case 1:
        return PrintDialog(writer.printer(), owner) && build(writer, QString());
    default:
        return false;
    }
}

} // namespace vidoraw
