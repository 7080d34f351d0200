#pragma once
// The report file (.zst): pages of drawing commands in millimetres, one command per line,
// code page 1250 with CR LF. One model, one reader and one line writer shared by vidoraw and
// zorode, so the two programs can never disagree on a command.
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>

namespace vidoraw {

// Command numbers.
enum ReportKind {
    kLine = 0,
    kBox = 1,
    kPointText = 2,
    kBoxText = 3,
    kFrame = 4,
    kEllipse = 5,
    kCell = 6,
    kCellRow = 7,
    kPicture = 8,
    kTurnedText = 9,
    kTextPiece = 10,
    kComposedLine = 11,
    kClippedText = 12,
    kFittedText = 13,
    kScreenLine = 14,
    kScreenFrame = 15,
    kGroup = 16,
    kRoundedBox = 17,
    kPassive = 18,
    kPatternedBox = 19,
    kRoundedText = 20,
};

// Text format flags (the values the files carry).
enum ReportTextFlag {
    kAlignCentre = 1,
    kAlignRight = 2,
    kAlignVCentre = 4,
    kSingleLine = 32,
    kNoPrefix = 2048,
};

// Colours are 0x00BBGGRR (red in the low byte).
using ReportColour = quint32;
inline constexpr ReportColour kBlack = 0x000000;
inline constexpr ReportColour kWhite = 0xFFFFFF;

// One command with every field any kind has; a field the line does not give keeps the
// default of its kind (see DefaultObject).
struct ReportObject {
    int kind = -1;
    // Corners (x1, y1)-(x2, y2); point kinds keep their point in x1, y1; a picture its size in
    // width, height.
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double width = 0, height = 0;
    double cx1 = 0, cy1 = 0, cx2 = 0, cy2 = 0; // clip box (12)
    double penWidth = 0.1;
    ReportColour penColour = kBlack;  // lines, outlines (19: also the hatch; 20: also the text)
    ReportColour fillColour = kWhite;
    ReportColour textColour = kBlack; // every text kind
    ReportColour secondColour = kBlack; // 19, 20: unused second colour
    double letterHeight = 10;
    QString face = QStringLiteral("System");
    bool bold = false, italic = false, underline = false, strikeout = false;
    int format = 37;
    int angle = 0;     // 9, tenths of a degree
    int position = 0;  // 10: 0 normal, 1 raised, 2 lowered
    int count = 0;     // 7, 11, 16: lines that follow
    bool baseline = false; // 7
    int hAlign = 0, vAlign = 0; // 11
    double cornerWidth = 0, cornerHeight = 0; // 17, 20
    double padTop = 0, padBottom = 0, padLeft = 0, padRight = 0; // 20
    int lineStyle = 0, fillPattern = 0; // 19
    bool filled = false; // 19
    QString text;      // text kinds; file name of a picture; the whole line of kind 18
    QImage picture;    // 8, loaded when read; null when not accepted
    QVector<ReportObject> children; // cells (7), pieces (11), members (16)

    bool isText() const;
    // Texts a search can find in it (kind 7: each cell; 11: each piece, then all joined).
    QStringList searchTexts() const;
};

struct ReportPage {
    int orientation = 0; // 0 portrait, 1 landscape
    int paper = 0;       // 0 A4, 1 A3
    QString printer;
    QVector<ReportObject> objects;
};

struct ReportDocument {
    QVector<ReportPage> pages;
    int current = 0;
};

// Limits of the reader: what a file can make it do.
struct ReportLimits {
    static constexpr int kLineLength = 1023;
    static constexpr int kArgumentLength = 255;
    static constexpr int kFaceLength = 31;
    static constexpr int kFileNameLength = 127;
    static constexpr int kPrinterLength = 255;
    static constexpr int kMaxDepth = 16;             // nesting of groups
    static constexpr qint64 kMaxFileBytes = 512LL << 20;
    static constexpr qint64 kMaxPictureBytes = 64LL << 20;
};

ReportObject DefaultObject(int kind);

// Reads a report file: false (with a message) when it cannot be opened, is not a regular
// file, is too large, or its first line is not "[STRANA]".
bool LoadReport(const QString& fileName, ReportDocument& doc, QString* error = nullptr);
// The bytes of a report file and its folder (pictures are found there); false with a message
// when it is missing, not a regular file, too large or unreadable.
bool ReadReportFile(const QString& fileName, QByteArray& bytes, QString& dir, QString* error);
// The same on text already decoded into lines.
bool ParseReport(const QStringList& lines, ReportDocument& doc, QString* error = nullptr,
                 const QString& pictureDir = QString());
// One command line (blocks: the following lines are not read); kind -1 when the line is no
// command. Pictures are loaded relative to pictureDir when given.
ReportObject ParseCommandLine(const QString& line, const QString& pictureDir = QString());
// Lines of a report file as bytes (code page 1250, CR LF or LF).
QStringList SplitReportText(const QByteArray& bytes);

// Where the pages of a report file's bytes lie, found without reading their commands: the
// bytes of each page's lines after its "[STRANA]" line. A block (7, 11, 16) takes its lines
// with it, a "[STRANA]" among them too, exactly as ParseReport reads it. Empty when the first
// line is not "[STRANA]".
struct ReportPageSpan {
    qsizetype begin = 0;
    qsizetype end = 0;
};
QVector<ReportPageSpan> ReportPageSpans(const QByteArray& bytes);
// One page's lines (its markers and commands, without the "[STRANA]" that starts it), read
// as ParseReport reads a page.
ReportPage ParseReportPage(const QStringList& lines, const QString& pictureDir = QString());

// Writing.
QString ReportNumber(double mm);                       // 12.5, 210, -0.2
QString ReportColourText(ReportColour c, bool pad6);   // "0x000000" or "0x0"
// The command lines of an object (a block gives its own line and those of its children).
// Text arguments have control characters replaced by blanks.
QStringList FormatObject(const ReportObject& o, bool padColours = true);
QString CleanReportText(const QString& text);
// A whole document, markers included ("[STRANA]", "[STOJATO]"/"[LEZATO]", "[A3]", printer).
QStringList FormatDocument(const ReportDocument& doc);

// Reading numbers and colours as the files carry them.
double ReadReportNumber(const QString& field);
double ReadReportNumber(QStringView field);
ReportColour ReadReportColour(const QString& field);
ReportColour ReadReportColour(QStringView field);

} // namespace vidoraw
