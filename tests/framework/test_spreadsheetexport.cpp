#include "filterfixture.h"
#include "testmain.h"

#include "core/base/codepage.h"
#include "framework/exportwindow.h"
#include "framework/spreadsheetexport.h"

#include <QComboBox>
#include <QFile>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

using namespace vidoraw;
using namespace vidoraw::test;

namespace {

// A Python with openpyxl, the reader the workbooks are checked with; empty when none.
QString OpenpyxlPython() {
    for (const QString& candidate :
         {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable("python3")}) {
        if (candidate.isEmpty() || !QFile::exists(candidate))
            continue;
        QProcess p;
        p.start(candidate, {"-c", "import openpyxl"});
        if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return candidate;
    }
    return QString();
}

// The workbook as openpyxl reads it: {"sheets": [...], "cells": {"A1": {type, value, format}},
// "widths": {"A": width}}.
QJsonObject ReadBack(const QString& path) {
    static const QString python = OpenpyxlPython();
    if (python.isEmpty())
        return {};
    QProcess p;
    p.start(python, {XLSX_CELLS_SCRIPT, path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning("openpyxl could not read %s: %s", qPrintable(path),
                 p.readAllStandardError().constData());
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// "type value format" of a cell as read back; "-" for a cell that is not there.
QString CellText(const QJsonObject& book, const QString& name) {
    const QJsonObject cells = book["cells"].toObject();
    if (!cells.contains(name))
        return "-";
    const QJsonObject c = cells[name].toObject();
    const QJsonValue v = c["value"];
    const QString value = v.isDouble() ? QString::number(v.toDouble()) : v.toString();
    return c["type"].toString() + ' ' + value + ' ' + c["format"].toString();
}

// Stores the user's title of a field of the people's list.
void StoreTitle(FilterFixture& f, int code, const QString& field, const QString& title,
                const QString& shown = "A") {
    RecordModule* views = f.app.registry.module(module::kPohlad);
    QVERIFY(views && views->OpenTable());
    Table& t = views->table();
    QVERIFY(t.append());
    QVERIFY(t.field("KOD").setValue(code));
    QVERIFY(t.field("UZIV").setAsString(f.app.userName));
    QVERIFY(t.field("TAB").setAsString(kPeopleKey));
    QVERIFY(t.field("POLE").setAsString(field));
    QVERIFY(t.field("POPIS").setAsString(title));
    QVERIFY(t.field("SIR").setValue(90));
    QVERIFY(t.field("ZOBRAZ").setAsString(shown));
    QVERIFY(t.post());
}

void SetPerson(FilterFixture& f, int code, const QString& field, const QString& value) {
    Table& t = f.people().table();
    QVERIFY(t.findKey({code}) || (t.setOrder("") && t.findKey({code})));
    QVERIFY(t.edit());
    QVERIFY(t.field(field).setAsString(value));
    QVERIFY(t.post());
}

// Chooses the fields in the window's field list, in order.
void Choose(TfExportm& w, const QStringList& fields) {
    for (const QString& name : fields) {
        const QList<QTableWidgetItem*> found = w.sgPolia->findItems(name, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        w.sgPolia->setCurrentCell(found.first()->row(), 0);
        w.moveToExport();
    }
}

QStringList Names(const QList<ExportColumn>& columns) {
    QStringList out;
    for (const ExportColumn& c : columns)
        out << c.name;
    return out;
}

QStringList ListRows(QTableWidget* list, int column = 0) {
    QStringList out;
    for (int r = 0; r < list->rowCount(); ++r)
        out << list->item(r, column)->text();
    return out;
}

// The fruit list's look-up by the people's count: 2 -> "Hruška".
QString FruitByCount(FilterFixture& f) {
    return "XXX_" + f.fruit().listKey() + "_KOD_POCET_NAZOV";
}

struct ExportWindowFixture : FilterFixture {
    QTemporaryDir out;
    QStringList opened;
    ExportWindowFixture() {
        app.openOnDesktop = [this](const QUrl& url) {
            opened << url.toLocalFile();
            return true;
        };
    }
    std::unique_ptr<TfExportm> window() {
        auto w = std::make_unique<TfExportm>(people(), nullptr);
        w->exportDirectory = out.path();
        return w;
    }
};

const QString kDone = "Export údajov ukončený! Exportovali sme: %1 záznamov !";

} // namespace

class TestSpreadsheetExport : public QObject {
    Q_OBJECT
private slots:
    void cellNames_data();
    void cellNames();
    void lookupColumns_data();
    void lookupColumns();
    void workbookReadBack_data();
    void workbookReadBack();
    void listOrderFilterAndRecordKept();
    void lookupValues();
    void cellsThatCannotBeWritten();
    void csvBytes();
    void csvRefusesWhatCodePage1250CannotHold();
    void nothingChosen_data();
    void nothingChosen();
    void startRowRefused_data();
    void startRowRefused();
    void spreadsheetButtons();
    void fieldListAndMoves();
    void fieldListSortAndSearch();
    void settingsKept();
    void printedReport();
    void menuCommand();
    void listWindowComesBack();
};

void TestSpreadsheetExport::cellNames_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::newRow("A1") << 1 << 1 << "A1";
    QTest::newRow("last single letter") << 26 << 5 << "Z5";
    QTest::newRow("first two letters") << 27 << 1 << "AA1";
    QTest::newRow("column 28 row 3") << 28 << 3 << "AB3";
    QTest::newRow("A then Z") << 52 << 1 << "AZ1";
    QTest::newRow("B then A") << 53 << 1 << "BA1";
    QTest::newRow("last two letters") << 702 << 12 << "ZZ12";
    QTest::newRow("three letters") << 703 << 1 << "AAA1";
    QTest::newRow("last cell of a sheet") << 16384 << 1048576 << "XFD1048576";
    QTest::newRow("no column") << 0 << 1 << "";
    QTest::newRow("no row") << 1 << 0 << "";
}

void TestSpreadsheetExport::cellNames() {
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, name);
    QCOMPARE(SpreadsheetCellName(column, row), name);
}

void TestSpreadsheetExport::lookupColumns_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QStringList>("parts"); // empty: not a look-up column
    QTest::newRow("plain") << "XXX_LEKAR_KOD_KODLEK_PRIEZ"
                           << QStringList{"LEKAR", "KOD", "KODLEK", "PRIEZ"};
    QTest::newRow("result field with _") << "XXX_LEKAR_KOD_KODLEK_DAT_VYS"
                                         << QStringList{"LEKAR", "KOD", "KODLEK", "DAT_VYS"};
    QTest::newRow("remark after a space") << "XXX_LEKAR_KOD_KODLEK_PRIEZ lekár_a jeho meno"
                                          << QStringList{"LEKAR", "KOD", "KODLEK", "PRIEZ"};
    QTest::newRow("order of two fields") << "XXX_POUKAZ_KODFA;KODDAV_KODFA_SUMAPOI"
                                         << QStringList{"POUKAZ", "KODFA;KODDAV", "KODFA", "SUMAPOI"};
    QTest::newRow("no result field") << "XXX_LEKAR_KOD_KODLEK" << QStringList{};
    QTest::newRow("empty result field") << "XXX_LEKAR_KOD_KODLEK_" << QStringList{};
    QTest::newRow("empty list key") << "XXX__KOD_KODLEK_PRIEZ" << QStringList{};
    QTest::newRow("space cuts the parts") << "XXX_LEKAR_KOD KODLEK_PRIEZ" << QStringList{};
    QTest::newRow("no prefix") << "LEKAR_KOD_KODLEK_PRIEZ" << QStringList{};
    QTest::newRow("lower-case prefix") << "xxx_LEKAR_KOD_KODLEK_PRIEZ" << QStringList{};
}

void TestSpreadsheetExport::lookupColumns() {
    QFETCH(QString, column);
    QFETCH(QStringList, parts);
    const std::optional<LookupColumn> c = ParseLookupColumn(column);
    QCOMPARE(c.has_value(), !parts.isEmpty());
    if (c)
        QCOMPARE((QStringList{c->listKey, c->orderFields, c->keyField, c->resultField}), parts);
}

void TestSpreadsheetExport::workbookReadBack_data() {
    QTest::addColumn<QString>("startRow");
    QTest::addColumn<int>("startColumn"); // 0 = A
    QTest::addColumn<QStringList>("letters"); // the columns the six export columns land in
    QTest::addColumn<int>("headingRow");
    QTest::newRow("defaults") << "2" << 0 << QStringList{"A", "B", "C", "D", "E", "F"} << 2;
    QTest::newRow("column C row 2") << "2" << 2 << QStringList{"C", "D", "E", "F", "G", "H"} << 2;
    QTest::newRow("past Z") << "7" << 23 << QStringList{"X", "Y", "Z", "AA", "AB", "AC"} << 7;
    QTest::newRow("first row") << "1" << 0 << QStringList{"A", "B", "C", "D", "E", "F"} << 1;
}

// Every kind of value is read back by another program as what it is: texts as texts (with
// Slovak letters), numbers as numbers, dates as dates, blanks as blanks; headings from the
// user's view of the list, widths from the fields.
void TestSpreadsheetExport::workbookReadBack() {
    QFETCH(QString, startRow);
    QFETCH(int, startColumn);
    QFETCH(QStringList, letters);
    QFETCH(int, headingRow);
    if (OpenpyxlPython().isEmpty())
        QSKIP("python3-openpyxl is not installed");
    ExportWindowFixture f;
    StoreTitle(f, 1, "DATNAR", "Dátum narodenia");
    StoreTitle(f, 2, "PRIEZ", "Priezvisko a šľachtický titul");
    SetPerson(f, 2, "PRIEZ", "Ďurčíková-Ťažká | Ôňa");
    SetPerson(f, 4, "POCET", "3");
    SetPerson(f, 2, "CENA", "");
    auto w = f.window();
    w->eOdRiadku->setText(startRow);
    w->cbOdStlpca->setCurrentIndex(startColumn);
    Choose(*w, {"PRIEZ", "DATNAR", "POCET", "CENA", "OBEC"});
    w->eInaTabulka->setText(FruitByCount(f));
    w->ePopis->setText("Ovocie");
    QVERIFY(w->addLookupColumn());
    w->startSpreadsheet();
    QCOMPARE(w->exportToSpreadsheet(), 4);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{kDone.arg(4)});
    QCOMPARE(f.opened, QStringList{w->workbookPath()});
    QVERIFY2(w->workbookPath().startsWith(f.out.path() + "/TITUL-"), qPrintable(w->workbookPath()));
    QVERIFY(w->workbookPath().endsWith(".xlsx"));

    const QJsonObject book = ReadBack(w->workbookPath());
    QCOMPARE(book["sheets"].toVariant().toStringList(), QStringList{"List1"});
    auto at = [&](int column, int row) {
        return CellText(book, letters[column] + QString::number(row));
    };
    const int h = headingRow;
    const QStringList heading{at(0, h), at(1, h), at(2, h), at(3, h), at(4, h), at(5, h)};
    QCOMPARE(heading, (QStringList{"str Priezvisko a šľachtický titul @", "str Dátum narodenia @",
                                   "str POCET @", "str CENA @", "str OBEC @", "str Ovocie @"}));
    // Person 1: a date, a count, a price, a look-up found.
    QCOMPARE(at(0, h + 1), "str Novák @");
    QCOMPARE(at(1, h + 1), "date 15.03.1955 dd.mm.yyyy");
    QCOMPARE(at(2, h + 1), "str 2 @");
    QCOMPARE(at(3, h + 1), "number 1.5 General");
    QCOMPARE(at(4, h + 1), "str Nitra @");
    QCOMPARE(at(5, h + 1), "str Hruška @");
    // Person 2: Slovak letters and a "|" as they are; count 0 finds no fruit: an empty text.
    QCOMPARE(at(0, h + 2), "str Ďurčíková-Ťažká | Ôňa @");
    QCOMPARE(at(5, h + 2), "empty  @");
    QCOMPARE(at(3, h + 2), "-"); // no price: no value, no format
    QCOMPARE(at(3, h + 3), "number 4.75 General");
    QCOMPARE(at(5, h + 3), "empty  @"); // no fruit 5
    // Person 4: no birth date is an empty text cell; price 0 is the number 0.
    QCOMPARE(at(0, h + 4), "str O'Neil @");
    QCOMPARE(at(1, h + 4), "empty  @");
    QCOMPARE(at(3, h + 4), "number 0 General");
    QCOMPARE(at(2, h + 4), "str 3 @");
    QCOMPARE(at(4, h + 4), "str Žilina @");
    QCOMPARE(at(5, h + 4), "str Čerešňa @");
    QCOMPARE(at(0, h + 5), "-");
    // Nothing above the heading or left of the first column.
    if (h > 1)
        QCOMPARE(at(0, h - 1), "-");
    const QJsonObject widths = book["widths"].toObject();
    const QList<std::pair<int, double>> expected{{0, 30}, {1, 10}, {2, 10}, {3, 10}, {4, 30}, {5, 10}};
    for (auto [column, width] : expected) {
        const double read = widths[letters[column]].toDouble();
        QVERIFY2(read >= width && read < width + 1,
                 qPrintable(QString("%1: %2").arg(letters[column]).arg(read)));
    }
    QVERIFY(f.ui.verifyNoSurprises());
}

// The export takes the records the list shows, in its order, and leaves the list where it was.
void TestSpreadsheetExport::listOrderFilterAndRecordKept() {
    FilterFixture f;
    TfLudiad& m = f.people();
    Table& t = m.table();
    QVERIFY(t.setOrder("PRIEZ"));
    QVERIFY(m.applyFilterText("OBEC <> 'Trnava'", QString()));
    QVERIFY(t.findKey({"Novák"}));
    const qint64 mark = t.bookmark();
    const int position = t.recNo();
    QList<ExportRecord> records;
    QString error;
    QVERIFY(CollectExportRecords(f.app, t, {{"PRIEZ", "Priezvisko"}, {"KOD", "Kód"}}, records, &error));
    QStringList got;
    for (const ExportRecord& r : records)
        got << r.code + ":" + r.values[0].text + ":" + r.values[1].text;
    QCOMPARE(got, (QStringList{"3:Kováč:3", "1:Novák:1", "4:O'Neil:4"}));
    QCOMPARE(t.bookmark(), mark);
    QCOMPARE(t.recNo(), position);

    // Through the menu command, with the window's own commands run in it.
    ExportWindowFixture g;
    TfLudiad& p = g.people();
    QVERIFY(p.table().setOrder("CENA"));
    QVERIFY(p.table().findKey({2.0}));
    const qint64 before = p.table().bookmark();
    g.ui.queueDialog([&](QDialog& d) {
        auto& w = As<TfExportm>(d);
        w.exportDirectory = g.out.path();
        Choose(w, {"PRIEZ"});
        QCOMPARE(QFileInfo(w.exportCsv()).fileName(), QString("TITUL.csv"));
        w.pressOk();
    });
    RunExport(p, nullptr);
    QCOMPARE(g.ui.takeNoticeTexts().size(), 1);
    QCOMPARE(p.table().bookmark(), before);
    QFile csv(g.out.filePath("TITUL.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll(), QByteArray("PRIEZ\r\nO'Neil\r\nNov\xe1k\r\nNov\xe1kov\xe1\r\nKov\xe1\xe8\r\n"));
    QVERIFY(g.ui.verifyNoSurprises());
}

void TestSpreadsheetExport::lookupValues() {
    FilterFixture f;
    Table& t = f.people().table();
    const QList<ExportColumn> columns{{FruitByCount(f), "Ovocie"},
                                      {"XXX_NIEJE_KOD_POCET_NAZOV", "Iný zoznam"},
                                      {FruitByCount(f) + " poznámka", "S poznámkou"},
                                      {"XXX_" + f.fruit().listKey() + "_KOD_MESTO_NAZOV", "Bez poľa"}};
    QList<ExportRecord> records;
    QString error;
    QVERIFY(CollectExportRecords(f.app, t, columns, records, &error));
    QCOMPARE(records.size(), 4);
    auto kinds = [&](int record) {
        QStringList out;
        for (const ExportValue& v : records[record].values)
            out << QString::number(int(v.kind)) + "=" + v.text;
        return out;
    };
    const QString text = QString::number(int(ExportValue::Kind::Text));
    const QString none = QString::number(int(ExportValue::Kind::None));
    QCOMPARE(kinds(0), (QStringList{text + "=Hruška", none + "=", text + "=Hruška", none + "="}));
    QCOMPARE(kinds(1), (QStringList{text + "=", none + "=", text + "=", none + "="}));
    QCOMPARE(kinds(2), (QStringList{text + "=", none + "=", text + "=", none + "="}));
    // In the text file a column without its list is empty.
    QCOMPARE(ExportCsvLines(columns, records).value(1), QString("Hruška||Hruška|"));
    // In the workbook its cell is left alone.
    SpreadsheetWorkbook book;
    QCOMPARE(WriteExportCells(book, t.fieldDefs(), columns, records, 2, 1), QStringList{});
    QVERIFY(book.cell(3, 1));
    QVERIFY(!book.cell(3, 2));
    QCOMPARE(book.cell(2, 2)->text, QString("Iný zoznam"));
}

// A value the spreadsheet cannot hold is listed in chyby.txt; the export goes on.
void TestSpreadsheetExport::cellsThatCannotBeWritten() {
    ExportWindowFixture f;
    SetPerson(f, 4, "DATNAR", "01.01.1890");
    SetPerson(f, 2, "PRIEZ", "Nováková Ж");
    SetPerson(f, 2, "DATNAR", "05.05.1850");
    auto w = f.window();
    Choose(*w, {"KOD", "DATNAR", "PRIEZ"});
    w->startSpreadsheet();
    QCOMPARE(w->exportToSpreadsheet(), 4);
    const QString list = f.out.filePath("chyby.txt");
    QCOMPARE(f.ui.takeNoticeTexts(),
             (QStringList{kDone.arg(4),
                          "Nepodarilo sa prekonvertovať: 2 hodnôt! Zoznam je v súbore " + list +
                              " !"}));
    QFile file(list);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("K\xf3" "d: 2; Pole: DATNAR; Hodnota: 5.5.1850\r\n"
                                        "K\xf3" "d: 4; Pole: DATNAR; Hodnota: 1.1.1890\r\n"));
    // The other cells are there; the text with a letter outside code page 1250 too.
    const QJsonObject book = ReadBack(w->workbookPath());
    if (!book.isEmpty()) {
        QCOMPARE(CellText(book, "B3"), "date 15.03.1955 dd.mm.yyyy");
        QCOMPARE(CellText(book, "B4"), "-");
        QCOMPARE(CellText(book, "C4"), "str Nováková Ж @");
    }
    QCOMPARE(f.opened.size(), 1);
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSpreadsheetExport::csvBytes() {
    ExportWindowFixture f;
    SetPerson(f, 3, "OBEC", "Nitra|Čermáň");
    SetPerson(f, 4, "POCET", "3");
    auto w = f.window();
    Choose(*w, {"KOD", "PRIEZ", "OBEC", "DATNAR", "POCET", "CENA"});
    w->eInaTabulka->setText(FruitByCount(f));
    w->ePopis->setText("Ovocie");
    QVERIFY(w->addLookupColumn());
    const QString path = w->exportCsv();
    QCOMPARE(path, f.out.filePath("TITUL.csv"));
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Údaje sú v súbore: " + path + "!"});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected =
        "KOD|PRIEZ|OBEC|DATNAR|POCET|CENA|" + FruitByCount(f).toLatin1() + "\r\n"
        "1|Nov\xe1k|Nitra|15.3.1955|2|1,5|Hru\x9aka\r\n"
        "2|Nov\xe1kov\xe1|Trnava|1.1.1970|0|2|\r\n"
        "3|Kov\xe1\xe8|Nitra|\xc8" "erm\xe1\xf2|31.12.1960|5|4,75|\r\n"
        "4|O'Neil|\x8eilina||3|0|\xc8" "ere\x9a\xf2" "a\r\n";
    QCOMPARE(file.readAll(), expected);
    QVERIFY(f.opened.isEmpty());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSpreadsheetExport::csvRefusesWhatCodePage1250CannotHold() {
    ExportWindowFixture f;
    QFile old(f.out.filePath("TITUL.csv"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("predtym\r\n");
    old.close();
    SetPerson(f, 3, "PRIEZ", "Kováč Жук");
    auto w = f.window();
    Choose(*w, {"PRIEZ"});
    QCOMPARE(w->exportCsv(), QString());
    QCOMPARE(f.ui.takeNoticeTexts(),
             QStringList{"Súbor " + old.fileName() +
                         " sme nezapísali: znaky Жук sa v kódovej stránke 1250 nedajú zapísať!"});
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("predtym\r\n"));
}

void TestSpreadsheetExport::nothingChosen_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("lookupOnly");
    QTest::addColumn<QString>("notice");
    QTest::newRow("workbook") << "xlsx" << false << "Nie sú vybraté žiadne polia. Niet čo exportovať!";
    QTest::newRow("text file") << "csv" << false << "Nie sú vybraté žiadne polia. Nie je čo exportovať!";
    QTest::newRow("report") << "print" << false << "Nie sú vybraté žiadne polia. Nie je čo tlačiť!";
    // Only fields of the table can be printed.
    QTest::newRow("report of look-ups") << "print" << true
                                        << "Nie sú vybraté žiadne polia. Nie je čo tlačiť!";
}

void TestSpreadsheetExport::nothingChosen() {
    QFETCH(QString, command);
    QFETCH(bool, lookupOnly);
    QFETCH(QString, notice);
    ExportWindowFixture f;
    auto w = f.window();
    if (lookupOnly) {
        w->eInaTabulka->setText(FruitByCount(f));
        w->ePopis->setText("Ovocie");
        QVERIFY(w->addLookupColumn());
    }
    w->startSpreadsheet();
    if (command == "xlsx")
        QCOMPARE(w->exportToSpreadsheet(), 0);
    else if (command == "csv")
        QCOMPARE(w->exportCsv(), QString());
    else
        QVERIFY(!w->printReport());
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{notice});
    QCOMPARE(QDir(f.out.path()).entryList(QDir::Files), QStringList{});
    QVERIFY(f.opened.isEmpty());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSpreadsheetExport::startRowRefused_data() {
    QTest::addColumn<QString>("row");
    QTest::newRow("zero") << "0";
    QTest::newRow("negative") << "-3";
    QTest::newRow("not a number") << "dva";
    QTest::newRow("empty") << "";
    QTest::newRow("no row below the heading") << "1048576";
}

void TestSpreadsheetExport::startRowRefused() {
    QFETCH(QString, row);
    ExportWindowFixture f;
    auto w = f.window();
    w->eOdRiadku->setText(row);
    Choose(*w, {"PRIEZ"});
    w->startSpreadsheet();
    QCOMPARE(w->exportToSpreadsheet(), 0);
    QCOMPARE(f.ui.takeNoticeTexts(), QStringList{"Od riadku: zadajte celé číslo od 1 do 1048575!"});
    QVERIFY(!QFile::exists(w->workbookPath()));
    QVERIFY(f.opened.isEmpty());
}

void TestSpreadsheetExport::spreadsheetButtons() {
    ExportWindowFixture f;
    auto w = f.window();
    QVERIFY(w->bSpustExcel->isEnabled());
    QVERIFY(!w->bExport->isEnabled());
    QVERIFY(!w->bUkoncExcel->isEnabled());
    Choose(*w, {"PRIEZ"});
    w->bSpustExcel->click();
    QVERIFY(w->spreadsheetStarted());
    QVERIFY(w->bExport->isEnabled());
    QVERIFY(w->bUkoncExcel->isEnabled());
    QVERIFY(!w->bSpustExcel->isEnabled());
    const QString first = w->workbookPath();
    // A second export writes the same workbook again, with what the first one put there.
    w->eOdRiadku->setText("10");
    w->bExport->click();
    w->eOdRiadku->setText("20");
    w->bExport->click();
    QCOMPARE(f.ui.takeNoticeTexts(), (QStringList{kDone.arg(4), kDone.arg(4)}));
    QCOMPARE(f.opened, (QStringList{first, first}));
    w->bUkoncExcel->click();
    QVERIFY(!w->spreadsheetStarted());
    QVERIFY(!w->bExport->isEnabled());
    QVERIFY(!w->bUkoncExcel->isEnabled());
    // A new workbook never takes the file of the one before.
    w->startSpreadsheet();
    QVERIFY(w->workbookPath() != first);
    const QJsonObject book = ReadBack(first);
    if (!book.isEmpty()) {
        QCOMPARE(CellText(book, "A10"), "str PRIEZ @");
        QCOMPARE(CellText(book, "A24"), "str O'Neil @");
        QCOMPARE(CellText(book, "A14"), "str O'Neil @");
    }
    // The desktop cannot open it: the file is there and the user is told.
    f.app.openOnDesktop = [](const QUrl&) { return false; };
    QCOMPARE(w->exportToSpreadsheet(), 4);
    QCOMPARE(f.ui.takeNoticeTexts(),
             (QStringList{kDone.arg(4), "Zošit " + w->workbookPath() +
                                            " sa nepodarilo otvoriť tabuľkovým programom."}));
    QVERIFY(QFile::exists(w->workbookPath()));
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSpreadsheetExport::fieldListAndMoves() {
    ExportWindowFixture f;
    StoreTitle(f, 1, "OBEC", "Obec bydliska");
    auto w = f.window();
    QCOMPARE(ListRows(w->sgPolia), (QStringList{"KOD", "PRIEZ", "OBEC", "DATNAR", "POCET", "CENA"}));
    QCOMPARE(ListRows(w->sgPolia, 1),
             (QStringList{"KOD", "PRIEZ", "Obec bydliska", "DATNAR", "POCET", "CENA"}));
    Choose(*w, {"CENA", "OBEC", "KOD"});
    QCOMPARE(ListRows(w->sgPolia), (QStringList{"PRIEZ", "DATNAR", "POCET"}));
    QCOMPARE(ListRows(w->sgExport), (QStringList{"CENA", "OBEC", "KOD"}));
    QCOMPARE(ListRows(w->sgExport, 1), (QStringList{"CENA", "Obec bydliska", "KOD"}));
    // The data grid shows the export columns with their descriptions.
    auto gridTitles = [&] {
        QStringList out;
        for (int c = 0; c < w->dgUdaje->model()->columnCount(); ++c)
            out << w->dgUdaje->model()->headerData(c, Qt::Horizontal).toString();
        return out;
    };
    QCOMPARE(gridTitles(), (QStringList{"CENA", "Obec bydliska", "KOD"}));
    QCOMPARE(w->dgUdaje->model()->rowCount(), 4);
    QCOMPARE(w->dgUdaje->model()->index(0, 1).data().toString(), QString("Nitra"));

    w->sgExport->setCurrentCell(0, 0);
    w->moveUp(); // not above the first
    QCOMPARE(Names(w->exportColumns()), (QStringList{"CENA", "OBEC", "KOD"}));
    w->moveDown();
    QCOMPARE(Names(w->exportColumns()), (QStringList{"OBEC", "CENA", "KOD"}));
    QCOMPARE(w->sgExport->currentRow(), 1);
    w->moveDown();
    w->moveDown(); // not below the last
    QCOMPARE(Names(w->exportColumns()), (QStringList{"OBEC", "KOD", "CENA"}));
    QCOMPARE(gridTitles(), (QStringList{"Obec bydliska", "KOD", "CENA"}));
    w->sgExport->setCurrentCell(0, 0);
    w->moveBack();
    QCOMPARE(Names(w->exportColumns()), (QStringList{"KOD", "CENA"}));
    QCOMPARE(ListRows(w->sgPolia), (QStringList{"PRIEZ", "OBEC", "DATNAR", "POCET"}));

    // A look-up column needs both boxes and a valid name.
    w->eInaTabulka->setText("  " + FruitByCount(f) + " ");
    QVERIFY(!w->addLookupColumn());
    w->ePopis->setText("Ovocie");
    w->eInaTabulka->setText("XXX_OVOCIE_KOD");
    QVERIFY(!w->addLookupColumn());
    w->eInaTabulka->setText("  " + FruitByCount(f) + " ");
    QVERIFY(w->addLookupColumn());
    QCOMPARE(w->exportColumns().last(), (ExportColumn{FruitByCount(f), "Ovocie"}));
    QCOMPARE(gridTitles(), (QStringList{"KOD", "CENA"}));

    w->moveAllBack();
    QVERIFY(w->exportColumns().isEmpty());
    QCOMPARE(w->dgUdaje->model()->columnCount(), 0);
    QCOMPARE(w->sgPolia->rowCount(), 6);
    w->moveAllToExport();
    QCOMPARE(Names(w->exportColumns()), (QStringList{"KOD", "PRIEZ", "OBEC", "DATNAR", "POCET", "CENA"}));
    QCOMPARE(w->sgPolia->rowCount(), 0);
    w->moveToExport(); // nothing left: nothing happens
    QCOMPARE(w->exportColumns().size(), 6);
}

void TestSpreadsheetExport::fieldListSortAndSearch() {
    ExportWindowFixture f;
    StoreTitle(f, 1, "OBEC", "Bydlisko");
    StoreTitle(f, 2, "CENA", "čiastka");
    StoreTitle(f, 3, "KOD", "Číslo");
    auto w = f.window();
    w->sortFields(1);
    QCOMPARE(ListRows(w->sgPolia, 1),
             (QStringList{"Bydlisko", "čiastka", "Číslo", "DATNAR", "POCET", "PRIEZ"}));
    w->sortFields(0);
    QCOMPARE(ListRows(w->sgPolia), (QStringList{"CENA", "DATNAR", "KOD", "OBEC", "POCET", "PRIEZ"}));
    // The order stays after the list is filled again; the current row stays where it was.
    w->sgPolia->setCurrentCell(5, 0);
    w->moveToExport();
    QCOMPARE(ListRows(w->sgPolia), (QStringList{"CENA", "DATNAR", "KOD", "OBEC", "POCET"}));
    QCOMPARE(w->sgPolia->currentRow(), 4); // the last row of the shorter list

    w->sgPolia->setFocus();
    w->sgPolia->setCurrentCell(0, 0);
    QTest::keyClicks(w->sgPolia, "po");
    QCOMPARE(w->fieldSearch(), QString("po"));
    QCOMPARE(w->sgPolia->item(w->sgPolia->currentRow(), 0)->text(), QString("POCET"));
    QTest::keyClick(w->sgPolia, Qt::Key_Backspace);
    QCOMPARE(w->fieldSearch(), QString());
    // In the description column, a letter with diacritics too.
    w->sgPolia->setCurrentCell(0, 1);
    for (const QChar ch : QString("Čí")) { // letters QTest cannot type
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(w->sgPolia, &press);
    }
    QCOMPARE(w->sgPolia->item(w->sgPolia->currentRow(), 0)->text(), QString("KOD"));
    QTest::keyClick(w->sgPolia, Qt::Key_Home);
    QCOMPARE(w->fieldSearch(), QString());
    // Enter moves the current field to the export columns.
    QTest::keyClicks(w->sgPolia, "dat");
    QTest::keyClick(w->sgPolia, Qt::Key_Return);
    QCOMPARE(Names(w->exportColumns()), (QStringList{"PRIEZ", "DATNAR"}));
    QCOMPARE(w->fieldSearch(), QString());
    QTest::keyClicks(w->sgPolia, "ko");
    QTest::keyClick(w->sgPolia, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(Names(w->exportColumns()), (QStringList{"PRIEZ", "DATNAR", "KOD"}));
}

void TestSpreadsheetExport::settingsKept() {
    ExportWindowFixture f;
    {
        auto w = f.window();
        QCOMPARE(w->eOdRiadku->text(), QString("2"));
        QCOMPARE(w->cbOdStlpca->currentText(), QString("A"));
        w->eOdRiadku->setText("5");
        w->cbOdStlpca->setCurrentIndex(2);
        w->startSpreadsheet();
        w->pressOk();
        QVERIFY(!w->spreadsheetStarted());
    }
    const IniFile ini("VIDORAW.INI");
    QCOMPARE(ini.readString("EXPEXC", "RIADOKOD"), QString("5"));
    QCOMPARE(ini.readInteger("EXPEXC", "STLPECOD"), 2);
    auto w = f.window();
    QCOMPARE(w->eOdRiadku->text(), QString("5"));
    QCOMPARE(w->cbOdStlpca->currentText(), QString("C"));
}

void TestSpreadsheetExport::printedReport() {
    ExportWindowFixture f;
    const QString file = f.out.filePath("zost1.zst");
    f.app.reports.setReportFileName(file);
    Table& t = f.people().table();
    QVERIFY(t.findKey({3}));
    auto w = f.window();
    Choose(*w, {"PRIEZ", "OBEC"});
    w->eInaTabulka->setText(FruitByCount(f));
    w->ePopis->setText("Ovocie");
    QVERIFY(w->addLookupColumn());
    f.ui.queueOutputDevice(0);
    QVERIFY(w->printReport());
    QFile report(file);
    QVERIFY(report.open(QIODevice::ReadOnly));
    const QString text = FromCp1250(report.readAll());
    for (const char* part : {"Exportované údaje", "PRIEZ", "OBEC", "Kováč", "Žilina"})
        QVERIFY2(text.contains(part), qPrintable(part));
    QVERIFY(!text.contains("Ovocie"));
    QCOMPARE(int(t.field("KOD").asInteger()), 3);
    f.ui.queueOutputDevice(-1);
    QVERIFY(!w->printReport());
    QVERIFY(f.ui.verifyNoSurprises());
}

void TestSpreadsheetExport::menuCommand() {
    FilterFixture f;
    TfLudiad& m = f.people();
    QObject owner;
    QAction* a = Command(m.otherCommands(nullptr, &owner), "&Export pre Excel");
    QVERIFY(a);
    QVERIFY(a->isEnabled());
    f.ui.queueDialog([](QDialog& d) {
        QCOMPARE(d.windowTitle(), QString("Export pre Excel"));
        As<TfExportm>(d).pressOk();
    });
    a->trigger();
    QCOMPARE(f.ui.pendingDialogs(), 0);
    QVERIFY(f.ui.verifyNoSurprises());
}

// The list window shows the same record and the same columns after the export, whatever
// happened to its table and grid meanwhile.
void TestSpreadsheetExport::listWindowComesBack() {
    ExportWindowFixture f;
    StoreTitle(f, 1, "KOD", "Kód");
    StoreTitle(f, 2, "PRIEZ", "Priezvisko");
    StoreTitle(f, 3, "OBEC", "Obec", "N");
    bool checked = false;
    f.ui.queueDialog([&](QDialog& d) {
        auto& b = As<TfBrowse>(d);
        Table& t = b.module()->table();
        const int obec = b.model->columnOf("OBEC");
        QVERIFY(b.grid->isColumnHidden(obec));
        QVERIFY(t.findKey({3}));
        b.syncGridToTable();
        f.ui.queueDialog([&](QDialog& e) {
            auto& w = As<TfExportm>(e);
            w.exportDirectory = f.out.path();
            b.grid->setColumnHidden(obec, false);
            t.first();
            Choose(w, {"OBEC"});
            QVERIFY(!w.exportCsv().isEmpty());
            w.pressOk();
        });
        QObject owner;
        Command(b.module()->otherCommands(&b, &owner), "&Export pre Excel")->trigger();
        QCOMPARE(f.ui.takeNoticeTexts().size(), 1);
        QCOMPARE(int(t.field("KOD").asInteger()), 3);
        QCOMPARE(b.grid->currentIndex().row(), t.recNo());
        QVERIFY(b.grid->isColumnHidden(obec));
        checked = true;
        b.commandBack();
    });
    TfBrowse browser(f.app);
    browser.Browse(kPeople, TfBrowse::DefaultButtons(), false);
    QVERIFY(checked);
    QVERIFY(f.ui.verifyNoSurprises());
}

VIDORAW_TEST(TestSpreadsheetExport)
#include "test_spreadsheetexport.moc"
