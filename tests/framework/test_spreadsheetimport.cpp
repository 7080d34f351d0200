#include "filterfixture.h"
#include "testmain.h"

#include "core/base/codepage.h"
#include "framework/importwindow.h"
#include "framework/xlsxreader.h"

#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// The fields of every record of a table in code order, joined by "|".
QStringList Records(Database* db, const QString& table, const QStringList& fields) {
    Table t(db, table);
    if (!t.open())
        return {"not open"};
    QStringList out;
    for (t.first(); !t.eof(); t.next()) {
        QStringList values;
        for (const QString& f : fields)
            values << t.field(f).asString();
        out << values.join('|');
    }
    return out;
}

const QStringList kFruitFields{"KOD", "NAZOV", "CENA"};
const QStringList kPeopleFields{"KOD", "PRIEZ", "OBEC", "DATNAR", "POCET", "CENA"};

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(bytes);
    return path;
}

// Opens the workbook and imports rows first..last of the sheet; answers the count.
int Import(TfImpexcm& w, const QString& path, const QString& sheet, const QString& first,
           const QString& last) {
    w.eMenoSub->setText(path);
    w.eMenoList->setText(sheet);
    w.eRiadokOd->setText(first);
    w.eRiadokDo->setText(last);
    if (!w.startExcel())
        return -1;
    return w.runImport();
}

int GridRowOf(TfImpexcm& w, const QString& field) {
    for (int r = 0; r < w.sgImport->rowCount(); ++r)
        if (w.cellText(r, TfImpexcm::cMeno) == field)
            return r;
    return -1;
}

const QString kDone = "Import ukončený, importovali sme: %1 záznamov!";
const QString kNothing = "\nNeimportovali sme žiadny záznam!";

// The people of the workbooks that other programs wrote, as the table holds them afterwards
// (the table has four records already; the empty row is a record too).
const QStringList kImportedPeople{"5|Šťastný|Žilina|15.3.1955|2|2,5", "6|Ďurčo|12345|1.1.2000|0|3",
                                  "7|||||", "8|Ľudová Ňa|2,75|29.2.2024|7|0,1",
                                  "9|Äčô|Trenčín|||"};

} // namespace

class TestSpreadsheetImport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void columnLetters_data();
    void columnLetters();
    void tenRowsWithEmptyOnesNumbered();
    void numberingAndConstants_data();
    void numberingAndConstants();
    void refusedRunWritesNothing_data();
    void refusedRunWritesNothing();
    void sameRowsFromEveryFormat_data();
    void sameRowsFromEveryFormat();
    void cellKinds_data();
    void cellKinds();
    void dateFormats_data();
    void dateFormats();
    void refusedWorkbooks_data();
    void refusedWorkbooks();
    void sheetClaimingHugeSize();
    void windowFromTheList();

private:
    // The workbooks of spreadsheets.py; empty when Python or its packages are missing.
    QString book(const QString& name) const {
        return books_.isEmpty() ? QString() : QDir(books_).filePath(name);
    }
    QTemporaryDir booksDir_;
    QString books_;
    QString booksMissing_;
};

void TestSpreadsheetImport::initTestCase() {
    for (const QString& python : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess p;
        p.start(python, {SPREADSHEET_SCRIPT, booksDir_.path()});
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
            booksMissing_ = "python3 did not run";
            continue;
        }
        if (p.exitCode() == 0) {
            books_ = booksDir_.path();
            return;
        }
        booksMissing_ = QString::fromUtf8(p.readAllStandardError()).trimmed().section('\n', -1);
    }
}

void TestSpreadsheetImport::columnLetters_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name"); // what the spreadsheet calls that column
    QTest::newRow("first field") << 0 << "A" << 1 << "A";
    QTest::newRow("26th field") << 25 << "Z" << 26 << "Z";
    QTest::newRow("the character after Z") << 26 << "[" << 27 << "AA";
    QTest::newRow("position 27") << 27 << "\\" << 28 << "AB";
    QTest::newRow("small letters come later") << 32 << "a" << 33 << "AG";
    QTest::newRow("position 51") << 51 << "t" << 52 << "AZ";
    QTest::newRow("position 52") << 52 << "u" << 53 << "BA";
}

void TestSpreadsheetImport::columnLetters() {
    QFETCH(int, position);
    QFETCH(QString, letter);
    QFETCH(int, column);
    QFETCH(QString, name);
    QCOMPARE(ProposedColumnLetter(position), letter);
    QCOMPARE(ColumnOfLetter(letter), column);
    QCOMPARE(SpreadsheetColumnName(column), name);
    // No column: nothing, two letters, a character before A.
    for (const QString& none : {QString(), QStringLiteral("AB"), QStringLiteral("@")})
        QCOMPARE(ColumnOfLetter(none), 0);
    QCOMPARE(SpreadsheetColumnName(702), QStringLiteral("ZZ"));
    QCOMPARE(SpreadsheetColumnName(703), QStringLiteral("AAA"));
}

// Rows 2 to 11 make ten records, the empty rows and the rows past the file's end too; in an
// empty table the codes are 1 to 10.
void TestSpreadsheetImport::tenRowsWithEmptyOnesNumbered() {
    FrameworkFixture f;
    const QString table = f.fruit().table().tableName();
    QString error;
    QVERIFY2(f.db->emptyTable(table, &error), qPrintable(error));
    f.fruit().table().refresh();
    QTemporaryDir dir;
    const QString csv = WriteFile(dir, "ovocie.csv",
                                  QString("Kód;Názov;Cena\r\n"
                                          "x;Jablko;1,5\r\n"
                                          "x;Hruška;2\r\n"
                                          ";;\r\n"
                                          "x;Čerešňa;4,75\r\n"
                                          "x;Slivka;0.5\r\n"
                                          "\r\n"
                                          "x;Marhuľa;3\r\n"
                                          "x;Broskyňa;1\r\n")
                                      .toUtf8());
    TfImpexcm w(f.fruit());
    w.cbAutoInc->setChecked(true);
    QCOMPARE(Import(w, csv, "List1", "2", "11"), 10);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kDone.arg(10)});
    QCOMPARE(w.lPocet->text(), QStringLiteral("Počet importovaných záznamov: 10"));
    QCOMPARE(Records(f.db.get(), table, kFruitFields),
             (QStringList{"1|Jablko|1,5", "2|Hruška|2", "3||", "4|Čerešňa|4,75", "5|Slivka|0,5",
                          "6||", "7|Marhuľa|3", "8|Broskyňa|1", "9||", "10||"}));
    // The last row before the first imports nothing.
    QCOMPARE(Import(w, csv, "List1", "5", "4"), 0);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kDone.arg(0)});
    QCOMPARE(Records(f.db.get(), table, {"KOD"}).size(), 10);
    // A workbook saved again after it was opened is read anew.
    QVERIFY(!WriteFile(dir, "ovocie.csv", QString("Kód;Názov;Cena\nx;Figa;7\n").toUtf8()).isEmpty());
    w.eRiadokOd->setText("2");
    w.eRiadokDo->setText("2");
    QCOMPARE(w.runImport(), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kDone.arg(1)});
    QCOMPARE(Records(f.db.get(), table, kFruitFields).last(), QStringLiteral("11|Figa|7"));
}

void TestSpreadsheetImport::numberingAndConstants_data() {
    QTest::addColumn<bool>("autoNumber");
    QTest::addColumn<bool>("importCode");
    QTest::addColumn<QString>("nameLetter");
    QTest::addColumn<bool>("importName");
    QTest::addColumn<QString>("nameConstant");
    QTest::addColumn<bool>("importPrice");
    QTest::addColumn<QString>("priceConstant");
    QTest::addColumn<QStringList>("added"); // records after the three there are
    QTest::newRow("numbered after the last code")
        << true << true << "B" << true << "" << true << ""
        << QStringList{"4|Slivka|0,5", "5|Marhuľa|1"};
    QTest::newRow("codes from the sheet") << false << true << "B" << true << "" << true << ""
                                          << QStringList{"7|Slivka|0,5", "8|Marhuľa|1"};
    QTest::newRow("constant instead of the column")
        << true << true << "B" << false << "Ovocie" << true << ""
        << QStringList{"4|Ovocie|0,5", "5|Ovocie|1"};
    QTest::newRow("a constant of an imported field is not used")
        << true << true << "B" << true << "Ovocie" << true << "9"
        << QStringList{"4|Slivka|0,5", "5|Marhuľa|1"};
    QTest::newRow("constant number") << true << false << "B" << true << "" << false << "2,25"
                                     << QStringList{"4|Slivka|2,25", "5|Marhuľa|2,25"};
    QTest::newRow("neither imported nor constant: blank")
        << true << true << "B" << true << "" << false << ""
        << QStringList{"4|Slivka|", "5|Marhuľa|"};
    QTest::newRow("another column") << true << true << "D" << true << "" << true << ""
                                    << QStringList{"4|Žltá|0,5", "5|Oranžová|1"};
}

void TestSpreadsheetImport::numberingAndConstants() {
    QFETCH(bool, autoNumber);
    QFETCH(bool, importCode);
    QFETCH(QString, nameLetter);
    QFETCH(bool, importName);
    QFETCH(QString, nameConstant);
    QFETCH(bool, importPrice);
    QFETCH(QString, priceConstant);
    QFETCH(QStringList, added);
    FrameworkFixture f;
    QTemporaryDir dir;
    const QString csv = WriteFile(dir, "ovocie.csv",
                                  QString("Kód;Názov;Cena;Farba\n7;Slivka;0,5;Žltá\n"
                                          "8;Marhuľa;1;Oranžová\n")
                                      .toUtf8());
    TfImpexcm w(f.fruit());
    w.cbAutoInc->setChecked(autoNumber);
    const int code = GridRowOf(w, "KOD"), name = GridRowOf(w, "NAZOV"), price = GridRowOf(w, "CENA");
    if (!importCode)
        w.toggleImported(code);
    w.setCellText(name, TfImpexcm::cStlpec, nameLetter);
    if (!importName)
        w.toggleImported(name);
    w.setCellText(name, TfImpexcm::cKonstanta, nameConstant);
    if (!importPrice)
        w.toggleImported(price);
    w.setCellText(price, TfImpexcm::cKonstanta, priceConstant);
    QCOMPARE(Import(w, csv, "List1", "2", "3"), 2);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kDone.arg(2)});
    const QString table = f.fruit().table().tableName();
    QCOMPARE(Records(f.db.get(), table, kFruitFields),
             QStringList({"1|Jablko|1,5", "2|Hruška|2", "3|Čerešňa|4,75"}) + added);
}

void TestSpreadsheetImport::refusedRunWritesNothing_data() {
    QTest::addColumn<QString>("csv");
    QTest::addColumn<bool>("autoNumber");
    QTest::addColumn<bool>("importPrice");
    QTest::addColumn<QString>("priceConstant");
    QTest::addColumn<QString>("firstRow");
    QTest::addColumn<QString>("message"); // the start of the message
    const QString fruit = "Kód;Názov;Cena\n9;Slivka;0,5\n10;Marhuľa;lacná\n";
    QTest::newRow("text in a number field")
        << fruit << true << true << "" << "2"
        << "Riadok 3, stĺpec C (pole CENA): 'lacná' nie je platné číslo." + kNothing;
    QTest::newRow("letter that code page 1250 lacks")
        << "Kód;Názov;Cena\n9;Жaba;0,5\n" << true << true << "" << "2"
        << "Riadok 2, stĺpec B (pole NAZOV): text obsahuje znaky, ktoré kódová stránka 1250 "
           "nemá: Ж" + kNothing;
    QTest::newRow("constant that is no number")
        << fruit << true << false << "lacné" << "2"
        << "Konštanta poľa CENA: 'lacné' nie je platné číslo." + kNothing;
    // Row 2 was written already when row 3 is refused: it goes too.
    QTest::newRow("code there already") << "Kód;Názov;Cena\n9;Slivka;0,5\n1;Marhuľa;1\n"
                                        << false << true << "" << "2" << "Riadok 3: ";
    QTest::newRow("empty row without a code") << "Kód;Názov;Cena\n9;Slivka;0,5\n;;\n" << false
                                              << true << "" << "2" << "Riadok 3: ";
    QTest::newRow("row 0") << fruit << true << true << "" << "0"
                           << "Riadky zošita sú od 1 do 1048576!" + kNothing;
    QTest::newRow("row that is no number") << fruit << true << true << "" << "dva"
                                           << " Nesprávne celé číslo! ";
}

void TestSpreadsheetImport::refusedRunWritesNothing() {
    QFETCH(QString, csv);
    QFETCH(bool, autoNumber);
    QFETCH(bool, importPrice);
    QFETCH(QString, priceConstant);
    QFETCH(QString, firstRow);
    QFETCH(QString, message);
    FrameworkFixture f;
    QTemporaryDir dir;
    const QString table = f.fruit().table().tableName();
    const QStringList before = Records(f.db.get(), table, kFruitFields);
    TfImpexcm w(f.fruit());
    w.cbAutoInc->setChecked(autoNumber);
    const int price = GridRowOf(w, "CENA");
    if (!importPrice)
        w.toggleImported(price);
    w.setCellText(price, TfImpexcm::cKonstanta, priceConstant);
    QCOMPARE(Import(w, WriteFile(dir, "ovocie.csv", csv.toUtf8()), "List1", firstRow, "3"), 0);
    const QList<RecordedNotice> notices = f.ui.takeNotices();
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices[0].kind, NoticeKind::Error);
    QVERIFY2(notices[0].text.startsWith(message), qPrintable(notices[0].text));
    QCOMPARE(Records(f.db.get(), table, kFruitFields), before);
    f.fruit().table().refresh();
    QCOMPARE(f.fruit().table().recordCount(), 3);
    // Nothing marked for import: the message and nothing read.
    for (int r = 0; r < w.sgImport->rowCount(); ++r)
        if (w.imported(r))
            w.toggleImported(r);
    QCOMPARE(w.runImport(), 0);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Nie je označené ani jedno pole pre import!"});
}

void TestSpreadsheetImport::sameRowsFromEveryFormat_data() {
    QTest::addColumn<QString>("file"); // a workbook of spreadsheets.py, or one written here
    QTest::addColumn<QString>("sheet");
    QTest::newRow("xlsx by openpyxl") << "openpyxl.xlsx" << "Údaje";
    QTest::newRow("xlsx with ISO dates, sheet named in capitals") << "openpyxl-iso.xlsx" << "ÚDAJE";
    QTest::newRow("xls by xlwt, sheet in small letters") << "xlwt.xls" << "údaje";
    QTest::newRow("csv in UTF-8") << "utf8.csv" << "List1";
    QTest::newRow("csv in code page 1250") << "cp1250.csv" << "List1";
    QTest::newRow("csv with commas and quotes, UTF-8 mark") << "quoted.csv" << "List1";
    QTest::newRow("tab separated UTF-16") << "utf16.txt" << "List1";
}

void TestSpreadsheetImport::sameRowsFromEveryFormat() {
    QFETCH(QString, file);
    QFETCH(QString, sheet);
    QTemporaryDir dir;
    const QString lines = "Kód;Priezvisko;Obec;Narodený;Počet;Cena\r\n"
                          "10;Šťastný;Žilina;15.03.1955;2;2,5\r\n"
                          "11;Ďurčo;12345;1.1.2000;0;3\r\n"
                          ";;;;;\r\n"
                          "13;Ľudová Ňa;2,75;2024-02-29;7;0.1\r\n"
                          "14;Äčô;Trenčín\r\n";
    QString path;
    if (file == "utf8.csv") {
        path = WriteFile(dir, file, lines.toUtf8());
    } else if (file == "cp1250.csv") {
        path = WriteFile(dir, file, ToCp1250(lines));
    } else if (file == "quoted.csv") {
        QString commas = lines;
        commas.replace(',', '.').replace(';', ',').replace("2.5", "\"2,5\"");
        commas.replace("Ďurčo", "\"Ďurčo\"").replace("2.75", "\"2,75\"");
        path = WriteFile(dir, file, "\xEF\xBB\xBF" + commas.toUtf8());
    } else if (file == "utf16.txt") {
        QString tabs = lines;
        tabs.replace(';', '\t');
        QByteArray bytes("\xFF\xFE");
        bytes.append(reinterpret_cast<const char*>(tabs.utf16()), tabs.size() * 2);
        path = WriteFile(dir, file, bytes);
    } else {
        if (books_.isEmpty())
            QSKIP(qPrintable("no workbooks from Python: " + booksMissing_));
        path = book(file);
    }
    FilterFixture f;
    TfImpexcm w(f.people());
    w.cbAutoInc->setChecked(true);
    QCOMPARE(Import(w, path, sheet, "2", "6"), 5);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kDone.arg(5)});
    const QStringList all = Records(f.db.get(), f.people().table().tableName(), kPeopleFields);
    QCOMPARE(all.mid(4), kImportedPeople);
}

void TestSpreadsheetImport::cellKinds_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("cell"); // column letter and row
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("error");
    const QString inl = "inline.xlsx";
    QTest::newRow("inline string in parts") << inl << "list1" << "A2" << QVariant("Kováč") << false;
    QTest::newRow("formula text") << inl << "List1" << "B2" << QVariant("Nitra") << false;
    QTest::newRow("own date format, 1904 system")
        << inl << "List1" << "C2" << QVariant(QDate(2004, 1, 1)) << false;
    QTest::newRow("logical value") << inl << "List1" << "D2" << QVariant(true) << false;
    QTest::newRow("a quoted d is no date") << inl << "List1" << "E2" << QVariant(12.0) << false;
    QTest::newRow("date and time")
        << inl << "List1" << "F2" << QVariant(QDateTime(QDate(1904, 1, 1), QTime(18, 0))) << false;
    QTest::newRow("shared string in parts, reading aid left out")
        << inl << "List1" << "A3" << QVariant("Nové Zámky") << false;
    QTest::newRow("shared string, cell without reference")
        << inl << "List1" << "B3" << QVariant("Nitra") << false;
    QTest::newRow("elapsed time") << inl << "List1" << "C3" << QVariant(QTime(12, 0)) << false;
    QTest::newRow("error value") << inl << "List1" << "D3" << QVariant("#N/A") << true;
    QTest::newRow("escaped character") << inl << "List1" << "E3" << QVariant("a\rb") << false;
    QTest::newRow("ISO date") << inl << "List1" << "F3" << QVariant(QDate(2024, 2, 29)) << false;
    QTest::newRow("openpyxl: whole number")
        << "openpyxl.xlsx" << "Údaje" << "A2" << QVariant(10.0) << false;
    QTest::newRow("openpyxl: text with Slovak letters")
        << "openpyxl.xlsx" << "Údaje" << "B5" << QVariant("Ľudová Ňa") << false;
    QTest::newRow("openpyxl: date") << "openpyxl.xlsx" << "Údaje" << "D2"
                                    << QVariant(QDate(1955, 3, 15)) << false;
    QTest::newRow("openpyxl: text after an empty cell") << "openpyxl.xlsx" << "Údaje" << "C6"
                                          << QVariant("Trenčín") << false;
    QTest::newRow("openpyxl: missing cell") << "openpyxl.xlsx" << "Údaje" << "D6" << QVariant()
                                            << false;
    QTest::newRow("xlwt: date") << "xlwt.xls" << "Údaje" << "D3" << QVariant(QDate(2000, 1, 1))
                                << false;
    QTest::newRow("xlwt: text") << "xlwt.xls" << "Údaje" << "B2" << QVariant("Šťastný") << false;
    QTest::newRow("xlwt: number") << "xlwt.xls" << "Údaje" << "F5" << QVariant(0.1) << false;
}

void TestSpreadsheetImport::cellKinds() {
    QFETCH(QString, file);
    QFETCH(QString, sheet);
    QFETCH(QString, cell);
    QFETCH(QVariant, value);
    QFETCH(bool, error);
    if (books_.isEmpty())
        QSKIP(qPrintable("no workbooks from Python: " + booksMissing_));
    QString why;
    std::unique_ptr<Workbook> wb = Workbook::open(book(file), &why);
    QVERIFY2(wb, qPrintable(why));
    const int column = ColumnOfLetter(cell.left(1));
    const int row = cell.mid(1).toInt();
    SheetRequest request{sheet, 2, 6, {column}};
    SheetCells cells;
    QVERIFY2(wb->readCells(request, cells, &why), qPrintable(why));
    const SheetCell got = cells.at(row, column);
    QCOMPARE(got.value, value);
    QCOMPARE(got.error, error);
}

void TestSpreadsheetImport::dateFormats_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("kind"); // D date, T time, X both, "" a number
    QTest::newRow("built-in date") << 14 << "" << "D";
    QTest::newRow("built-in time") << 20 << "" << "T";
    QTest::newRow("built-in date and time") << 22 << "" << "X";
    QTest::newRow("built-in number") << 2 << "" << "";
    QTest::newRow("own date") << 164 << "dd.mm.yyyy" << "D";
    QTest::newRow("own date and time") << 165 << "yyyy-mm-dd h:mm:ss" << "X";
    QTest::newRow("month name only") << 164 << "mmmm" << "D";
    QTest::newRow("minutes and seconds") << 164 << "mm:ss" << "T";
    QTest::newRow("elapsed hours") << 164 << "[h]:mm" << "T";
    QTest::newRow("12-hour clock") << 164 << "h:mm AM/PM" << "T";
    QTest::newRow("locale and escapes") << 164 << "[$-41B]d\\. mmmm\\ yyyy" << "D";
    QTest::newRow("quoted text") << 164 << "0.00\" dní\"" << "";
    QTest::newRow("colour and currency") << 164 << "[Red]#,##0 [$€-1]" << "";
    QTest::newRow("text") << 164 << "@" << "";
    QTest::newRow("a date only in the second section") << 164 << "0;dd.mm.yyyy" << "";
}

void TestSpreadsheetImport::dateFormats() {
    QFETCH(int, id);
    QFETCH(QString, code);
    QFETCH(QString, kind);
    const char got = DateKindOfFormat(id, code);
    QCOMPARE(got ? QString(QChar(got)) : QString(), kind);
}

void TestSpreadsheetImport::refusedWorkbooks_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("firstRow");
    QTest::addColumn<QString>("part"); // a part of the message
    const QString notXlsx = "nie je platný zošit .xlsx";
    QTest::newRow("cut in half") << "truncated.xlsx" << "Údaje" << "2" << notXlsx;
    QTest::newRow("random bytes") << "garbage.xlsx" << "List1" << "2" << notXlsx;
    QTest::newRow("zip header, random bytes") << "zipheader.xlsx" << "List1" << "2"
                                              << "poškodený zip";
    QTest::newRow("empty file") << "empty.xlsx" << "List1" << "2" << notXlsx;
    QTest::newRow("zip of something else") << "noworkbook.xlsx" << "List1" << "2"
                                           << "chýba časť xl/workbook.xml";
    QTest::newRow("broken XML") << "badxml.xlsx" << "List1" << "2"
                                << "chybné XML v časti xl/worksheets/sheet1.xml";
    QTest::newRow("document type with entities") << "dtd.xlsx" << "List1" << "2"
                                                 << "definíciu typu dokumentu";
    QTest::newRow("cell below the last row") << "badref.xlsx" << "List1" << "2"
                                             << "chybný odkaz na bunku A1048577";
    QTest::newRow("negative row") << "badrow.xlsx" << "List1" << "2" << "chybné číslo riadku -5";
    QTest::newRow("text that is not there") << "badsst.xlsx" << "List1" << "2"
                                            << "odkazuje na neexistujúci text";
    QTest::newRow("number that is none") << "badnumber.xlsx" << "List1" << "2"
                                         << "chybné číslo v bunke B2";
    QTest::newRow("xls cut short") << "truncated.xls" << "Údaje" << "2"
                                   << "nie je platný zošit .xls";
    QTest::newRow("xls of random bytes") << "garbage.xls" << "Údaje" << "2"
                                         << "nie je platný zošit .xls";
    QTest::newRow("text named .xls") << "text.xls" << "List1" << "2"
                                     << "nie je platný zošit .xls.";
    QTest::newRow("no such file") << "nie.xlsx" << "List1" << "2" << "neexistuje!";
    const QString noList1 = "V zošite nie je list \"List1\"! Listy zošita: Prvý, Údaje.";
    QTest::newRow("xlsx without the sheet") << "openpyxl.xlsx" << "List1" << "2" << noList1;
    QTest::newRow("xls without the sheet") << "xlwt.xls" << "List1" << "2" << noList1;
    QTest::newRow("error value in a cell")
        << "inline.xlsx" << "List1" << "3"
        << "Riadok 3, stĺpec D (pole DATNAR): bunka obsahuje chybu #N/A.";
    QTest::newRow("logical value in a date")
        << "inline.xlsx" << "List1" << "2"
        << "Riadok 2, stĺpec D (pole DATNAR): logická hodnota sa nedá zapísať";
}

// Whatever the file holds: one clear message and not a record written.
void TestSpreadsheetImport::refusedWorkbooks() {
    QFETCH(QString, file);
    QFETCH(QString, sheet);
    QFETCH(QString, firstRow);
    QFETCH(QString, part);
    if (books_.isEmpty())
        QSKIP(qPrintable("no workbooks from Python: " + booksMissing_));
    FilterFixture f;
    const QString table = f.people().table().tableName();
    const QStringList before = Records(f.db.get(), table, kPeopleFields);
    TfImpexcm w(f.people());
    w.cbAutoInc->setChecked(true);
    QCOMPARE(Import(w, book(file), sheet, firstRow, "3") <= 0, true);
    const QList<RecordedNotice> notices = f.ui.takeNotices();
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices[0].title, QStringLiteral("Chyba"));
    QVERIFY2(notices[0].text.contains(part), qPrintable(notices[0].text));
    QCOMPARE(Records(f.db.get(), table, kPeopleFields), before);
}

// A sheet claiming the largest size there is and filling its last cell is read only as far as
// asked.
void TestSpreadsheetImport::sheetClaimingHugeSize() {
    if (books_.isEmpty())
        QSKIP(qPrintable("no workbooks from Python: " + booksMissing_));
    FilterFixture f;
    TfImpexcm w(f.people());
    w.cbAutoInc->setChecked(true);
    w.setCellText(GridRowOf(w, "PRIEZ"), TfImpexcm::cStlpec, "A");
    QCOMPARE(Import(w, book("hugedim.xlsx"), "List1", "2", "2"), 1);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kDone.arg(1)});
    QCOMPARE(Records(f.db.get(), f.people().table().tableName(), {"KOD", "PRIEZ"}).last(),
             QStringLiteral("5|Malý"));
}

// The list's command opens the window with its settings; the grid's keys; the settings are
// kept when it closes and the list shows the new records.
void TestSpreadsheetImport::windowFromTheList() {
    FrameworkFixture f;
    QTemporaryDir dir;
    const QString csv =
        WriteFile(dir, "ovocie.csv", QString("Kód;Názov;Cena\n9;Slivka;0,5\n").toUtf8());
    QObject parent;
    QAction* command = nullptr;
    for (QAction* a : f.fruit().otherCommands(nullptr, &parent))
        if (a->text() == "&Import z Excelu")
            command = a;
    QVERIFY(command);
    QVERIFY(command->isEnabled());
    bool ran = false;
    f.ui.queueAnswer(1); // leaving the constant's box without keeping it
    f.ui.queueDialog([&](QDialog& d) {
        auto& w = As<TfImpexcm>(d);
        QCOMPARE(w.windowTitle(), QStringLiteral("Import údajov z Excelu"));
        QCOMPARE(w.eMenoSub->text(), QDir::homePath() + "/UDAJE.xlsx");
        QCOMPARE(w.eMenoList->text(), QStringLiteral("List1"));
        QCOMPARE(w.eRiadokOd->text(), QStringLiteral("2"));
        QCOMPARE(w.eRiadokDo->text(), QStringLiteral("2"));
        QVERIFY(w.cbAutoInc->isChecked());
        QVERIFY(!w.bImport->isEnabled());
        QVERIFY(!w.bUkoncExcel->isEnabled());
        QCOMPARE(w.sgImport->rowCount(), 3);
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(w.cellText(r, TfImpexcm::cMeno), kFruitFields[r]);
            QCOMPARE(w.cellText(r, TfImpexcm::cStlpec), ProposedColumnLetter(r));
            QCOMPARE(w.cellText(r, TfImpexcm::cImportuj), QStringLiteral("A"));
            QCOMPARE(w.cellText(r, TfImpexcm::cKonstanta), QString());
        }
        QTableWidget* grid = w.sgImport;
        // Tab leaves the grid for the buttons instead of walking its cells.
        grid->setFocus();
        grid->setCurrentCell(0, TfImpexcm::cMeno);
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(grid->currentColumn(), int(TfImpexcm::cMeno));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.bSpustExcel));
        // "Importuj": space and Enter toggle.
        grid->setFocus();
        grid->setCurrentCell(1, TfImpexcm::cImportuj);
        QTest::keyClick(grid, Qt::Key_Space);
        QCOMPARE(w.cellText(1, TfImpexcm::cImportuj), QStringLiteral("N"));
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(w.cellText(1, TfImpexcm::cImportuj), QStringLiteral("A"));
        // "Stĺpec v Exceli": Enter opens the letters preset to the cell's one.
        grid->setCurrentCell(1, TfImpexcm::cStlpec);
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(w.cbStlpec->isVisible());
        QCOMPARE(w.cbStlpec->currentText(), QStringLiteral("B"));
        w.cbStlpec->setCurrentIndex(3);
        QTest::keyClick(w.cbStlpec, Qt::Key_Return);
        QVERIFY(!w.cbStlpec->isVisible());
        QCOMPARE(w.cellText(1, TfImpexcm::cStlpec), QStringLiteral("D"));
        // "Konštanta": a typed character opens the box with it; Enter keeps the text.
        grid->setCurrentCell(2, TfImpexcm::cKonstanta);
        QTest::keyClick(grid, Qt::Key_5);
        QVERIFY(w.eBunka->isVisible());
        QCOMPARE(w.eBunka->text(), QStringLiteral("5"));
        QTest::keyClicks(w.eBunka, ",5");
        QTest::keyClick(w.eBunka, Qt::Key_Return);
        QCOMPARE(w.cellText(2, TfImpexcm::cKonstanta), QStringLiteral("5,5"));
        // Enter opens it with the cell's text; Escape asks and, on yes, keeps the old text.
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(w.eBunka->text(), QStringLiteral("5,5"));
        QTest::keyClicks(w.eBunka, "9");
        QTest::keyClick(w.eBunka, Qt::Key_Escape);
        QVERIFY(!w.eBunka->isVisible());
        QCOMPARE(w.cellText(2, TfImpexcm::cKonstanta), QStringLiteral("5,5"));
        w.setCellText(1, TfImpexcm::cStlpec, "B");

        // "..." starts at the file in the box, offers the three kinds of file and puts the
        // chosen one into the box.
        w.eMenoSub->setText(csv);
        f.ui.queueDialog([&](QDialog& d) {
            auto& files = static_cast<QFileDialog&>(d);
            QCOMPARE(files.nameFilters().first(),
                     QStringLiteral("Excelovské súbroy (*.xlsx *.xls *.csv)"));
            QCOMPARE(QFileInfo(files.directory().path()), QFileInfo(dir.path()));
            w.eMenoSub->clear();
            static_cast<QDialog&>(files).accept(); // the file dialog's own check of the choice
        });
        w.chooseFile();
        QCOMPARE(QFileInfo(w.eMenoSub->text()), QFileInfo(csv));
        w.cbAutoInc->setChecked(false);
        QVERIFY(w.startExcel());
        QVERIFY(w.bImport->isEnabled());
        QVERIFY(w.bUkoncExcel->isEnabled());
        QCOMPARE(w.runImport(), 1);
        w.endExcel();
        QVERIFY(!w.bImport->isEnabled());
        w.pressBack();
        ran = true;
    });
    command->trigger();
    QVERIFY(ran);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kDone.arg(1)});
    QCOMPARE(f.ui.questions, QStringList{"Mám ukončiť editáciu bez uchovania?"});
    QCOMPARE(Records(f.db.get(), f.fruit().table().tableName(), kFruitFields).last(),
             QStringLiteral("9|Slivka|0,5"));
    const IniFile ini("VIDORAW.INI");
    QCOMPARE(ini.readString("IMPEXC", "MENOSUB"), csv);
    QCOMPARE(ini.readString("IMPEXC", "AUTOINC"), QStringLiteral("N"));
    QCOMPARE(ini.readString("IMPEXC", "RIADOKDO"), QStringLiteral("2"));
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestSpreadsheetImport)
#include "test_spreadsheetimport.moc"
