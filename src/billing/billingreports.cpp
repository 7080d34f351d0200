#include "billing/billingreports.h"

#include "billing/batches.h"
#include "billing/batchfile.h"
#include "billing/batchlist.h"
#include "core/base/numbertext.h"
#include "core/interaction.h"
#include "core/values.h"
#include "framework/formrows.h"
#include "framework/tfdbform.h"
#include "reports/reportwriter.h"
#include "shell/vlastnikd.h"
#include "vouchers/vouchertotals.h"

#include <QDate>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

namespace vidoraw {

namespace {

enum Align { Left = 36, Centre = 37, Right = 38 };

// One page drawer: texts in cells narrowed by the inset, black, the report's font.
struct Page {
    ReportWriter& w;
    double inset = 0.2;
    void text(double x1, double y1, double x2, double y2, const QString& s, int align,
              double height = 4, bool bold = false) {
        w.ReportText(w.ReportFontName(), bold, false, false, false, x1 + inset, y1, x2 - inset, y2,
                     height, kBlack, align, s);
    }
    void box(double x1, double y1, double x2, double y2, double pen) {
        w.ReportBox(kBlack, kWhite, x1, y1, x2, y2, pen);
    }
};

QString Amount(double v) { return FormatFixed(v, 2, u','); }
QString Today() { return QDate::currentDate().toString(QStringLiteral("d.M.yyyy")); }
QString Now() { return Today() + ' ' + QTime::currentTime().toString(QStringLiteral("H:mm:ss")); }

struct HeadingRow {
    const char* label;
    QString value;
};

// Label and bold value pairs of a summary heading, from y = 11 down, 5 mm apart; left column
// at x 10/50, right column at 105/145.
void SummaryHeading(Page& p, const QString& title, const QList<HeadingRow>& left,
                    const QList<HeadingRow>& right) {
    p.text(10, 5, 105, 11, title, Left, 5, true);
    p.text(105, 6, 190, 11, QStringLiteral("Stav ku :"), Left);
    p.text(145, 6, 190, 11, Now(), Left, 4, true);
    double y = 11;
    for (const HeadingRow& r : left) {
        p.text(10, y, 105, y + 5, QString::fromUtf8(r.label), Left);
        p.text(50, y, 105, y + 5, r.value, Left, 4, true);
        y += 5;
    }
    y = 11;
    for (const HeadingRow& r : right) {
        if (r.label) {
            p.text(105, y, 190, y + 5, QString::fromUtf8(r.label), Left);
            p.text(145, y, 190, y + 5, r.value, Left, 4, true);
        }
        y += 5;
    }
}

void ColumnHeading(Page& p, double y0, const QList<std::pair<double, double>>& cells,
                   const QStringList& upper, const QStringList& lower) {
    for (int i = 0; i < cells.size(); ++i) {
        p.text(cells[i].first, y0, cells[i].second, y0 + 5, upper[i], Centre, 4, true);
        p.text(cells[i].first, y0 + 5, cells[i].second, y0 + 10, lower[i], Centre, 4, true);
    }
}

void ValueRow(Page& p, double y, double width, double x0, const QStringList& values, bool bold) {
    for (int i = 0; i < values.size(); ++i)
        p.text(x0 + i * width, y, x0 + (i + 1) * width, y + 5, values[i], Right, 4, bold);
}

struct InvoiceData {
    InvoiceHeader header;
    QString ownerIco;
};

InvoiceData InvoiceDataOf(AppContext& app, qint64 invoiceCode) {
    return {InvoiceHeaderOf(app, invoiceCode), OwnerField(app, QStringLiteral("ICO"))};
}

} // namespace

bool PrintInvoiceSummary(AppContext& app, qint64 invoiceCode, const QString& fileName) {
    ReportWriter& w = app.reports;
    const InvoiceData d = InvoiceDataOf(app, invoiceCode);
    const QList<BatchRef> batches = BatchesOf(app, invoiceCode);
    if (!w.ReportBegin(fileName))
        return false;
    const double h = w.printerMetrics().printableHeight;
    Page p{w};
    SummaryHeading(p, QStringLiteral("SUMÁR FAKTÚRY"),
                   {{"Číslo faktúry:", d.header.number},
                    {"Účtovné obdobie:", d.header.obdmm + '.' + d.header.obdrr},
                    {"Číslo zmluvy:", d.header.contractNumber}},
                   {{"IČO odosielateľa:", d.ownerIco}, {"IČO prijímateľa:", d.header.ico}});
    const QList<std::pair<double, double>> cells = {{10, 40},   {40, 70},   {70, 100},
                                                    {100, 130}, {130, 160}, {160, 190}};
    const QStringList upper = {"Číslo", "Počet", "Počet", "Úhrada", "Úhrada", "Úhrada"};
    const QStringList lower = {"dávky", "dokladov", "pomôcok", "pacienta", "poisťovne", "spolu"};
    ColumnHeading(p, 31, cells, upper, lower);
    double y = 41;
    BatchTotals sum;
    int k = 0;
    for (const BatchRef& b : batches) {
        const BatchTotals t = TotalsOfBatch(app, invoiceCode, b.code);
        sum += t;
        ++k;
        ValueRow(p, y, 30, 0,
                 {QString::number(k), QString::number(t.vouchers), QString::number(t.aids),
                  Amount(t.patient), Amount(t.insurer), Amount(t.patient + t.insurer)},
                 false);
        y += 4;
        if (y + 15 > h) {
            w.ReportNewPage();
            ColumnHeading(p, 0, cells, upper, lower);
            y = 10;
        }
    }
    p.text(10, y, 30, y + 5, QStringLiteral("SPOLU:"), Left, 4, true);
    ValueRow(p, y + 5, 30, 0,
             {QString::number(k), QString::number(sum.vouchers), QString::number(sum.aids),
              Amount(sum.patient), Amount(sum.insurer), Amount(sum.patient + sum.insurer)},
             true);
    return w.ReportEnd();
}

bool PrintBatchSummary(AppContext& app, qint64 batchCode, const QString& fileName) {
    ReportWriter& w = app.reports;
    QStringList b;
    LookupFields(app, module::kDavka, QStringLiteral("KOD"), {batchCode},
                 {QStringLiteral("KODFA"), QStringLiteral("CISDAV")}, b);
    qint64 invoiceCode = 0;
    IntegerFromText(b.value(0), invoiceCode);
    const InvoiceData d = InvoiceDataOf(app, invoiceCode);
    // The vouchers' totals in KOD order, numbered as the batch file numbers them.
    QList<VoucherTotals> rows;
    Table vouchers;
    if (OpenModuleCursor(app, module::kPoukaz, vouchers) &&
        vouchers.setOrder(QStringLiteral("KODFA;KODDAV;KOD")) &&
        vouchers.findKey({invoiceCode, batchCode})) {
        for (; !vouchers.eof() && vouchers.field(QStringLiteral("KODFA")).asInteger() == invoiceCode &&
               vouchers.field(QStringLiteral("KODDAV")).asInteger() == batchCode;
             vouchers.next())
            rows << TotalsOf(vouchers);
    }
    if (!w.ReportBegin(fileName))
        return false;
    const double h = w.printerMetrics().printableHeight;
    Page p{w};
    SummaryHeading(p, QStringLiteral("SUMÁR DÁVKY"),
                   {{"Číslo dávky:", b.value(1)},
                    {"Číslo faktúry:", d.header.number},
                    {"Účtovné obdobie:", d.header.obdmm + '.' + d.header.obdrr},
                    {"Číslo zmluvy:", d.header.contractNumber}},
                   {{"Počet dokladov:", QString::number(rows.size())},
                    {"IČO odosielateľa:", d.ownerIco},
                    {"IČO prijímateľa:", d.header.ico}});
    const QList<std::pair<double, double>> cells = {{10, 45}, {45, 80}, {80, 115}, {115, 150}, {150, 185}};
    const QStringList upper = {"Číslo", "Počet", "Úhrada", "Úhrada", "Úhrada"};
    const QStringList lower = {"dokladu", "pomôcok", "pacienta", "poisťovne", "spolu"};
    ColumnHeading(p, 36, cells, upper, lower);
    double y = 46;
    VoucherTotals sum;
    int k = 0;
    for (const VoucherTotals& t : rows) {
        ++k;
        sum.aids += t.aids;
        sum.patient += t.patient;
        sum.insurer += t.insurer;
        ValueRow(p, y, 35, 0,
                 {QString::number(k), QString::number(t.aids), Amount(t.patient),
                  Amount(t.insurer), Amount(t.patient + t.insurer)},
                 false);
        y += 4;
        if (y + 15 > h) {
            w.ReportNewPage();
            ColumnHeading(p, 0, cells, upper, lower);
            y = 10;
        }
    }
    p.text(10, y, 45, y + 5, QStringLiteral("Spolu:"), Left, 4, true);
    ValueRow(p, y + 5, 35, 0,
             {QString::number(k), QString::number(sum.aids), Amount(sum.patient),
              Amount(sum.insurer), Amount(sum.patient + sum.insurer)},
             true);
    return w.ReportEnd();
}

namespace {

// One character per 8 mm cell, cut to the cells.
void CharacterCells(Page& p, double y, double x0, int count, const QString& value) {
    for (int i = 0; i < count; ++i) {
        const double x = x0 + 8 * i;
        p.box(x, y - 1, x + 8, y + 7, 0.2);
        if (i < value.size())
            p.text(x, y, x + 8, y + 6, value.mid(i, 1), Centre);
    }
}

} // namespace

bool PrintBatchProtocol(AppContext& app, qint64 invoiceCode, const QString& fileName) {
    ReportWriter& w = app.reports;
    const InvoiceData d = InvoiceDataOf(app, invoiceCode);
    const QString ownerName = OwnerField(app, QStringLiteral("NAZOV"));
    struct Row {
        QString file, type;
        BatchTotals totals;
    };
    // The files and types as the export writes them, from the batches themselves.
    QList<Row> rows;
    const QString period = BatchPeriod(d.header.obdmm, d.header.obdrr);
    const QString code = VariantOfPeriod(period) == BatchVariant::C ? QStringLiteral("738")
                                                                    : QStringLiteral("138");
    BatchReader reader(app);
    for (const BatchRef& b : BatchesOf(app, invoiceCode)) {
        BatchFileHeader header;
        QList<BatchVoucher> vouchers;
        reader.collect(invoiceCode, b.code, header, vouchers);
        rows << Row{BatchFileName(b.number), BatchType(vouchers) + ' ' + code,
                    TotalsOfBatch(app, invoiceCode, b.code)};
    }
    if (!w.ReportBegin(fileName))
        return false;
    Page p{w};
    p.text(10, 5, 190, 11, QStringLiteral("Sprievodný protokol k zúčtovacím dokladom na disketách"),
           Centre, 5, true);
    p.text(10, 21, 60, 25, QStringLiteral("Kód poisťovne, pobočky:"), Left);
    CharacterCells(p, 20, 78, 4, d.header.insurer);
    p.text(10, 31, 60, 35, QStringLiteral("Názov PZS:"), Left);
    p.box(50, 29, 160, 37, 0.2);
    p.text(52, 30, 158, 35, ownerName, Left, 4, true);
    p.text(10, 41, 60, 45, QStringLiteral("IČO PZS:"), Left);
    CharacterCells(p, 40, 50, 8, d.ownerIco);
    p.text(10, 51, 90, 55, QStringLiteral("Zúčtovacie obdobie dávok (RRRRMM):"), Left);
    const QString month = d.header.obdmm.size() == 1 ? '0' + d.header.obdmm : d.header.obdmm;
    CharacterCells(p, 50, 90, 6, d.header.obdrr + month);
    p.text(10, 61, 80, 65, QStringLiteral("Disketa č. / počet dávok :"), Left);
    CharacterCells(p, 60, 90, 2, QStringLiteral("1") + QString::number(rows.size()));

    const double xs[] = {10, 45, 80, 115, 150};
    const QStringList upper = {"Disketa", "Číslo dávky", "Typ", "Počet riadkov", "Suma"};
    const QStringList lower = {"číslo", "(súboru)", "dokladu", "v dávke", "Sk"};
    for (int i = 0; i < 5; ++i) {
        p.box(xs[i], 70, xs[i] + 35, 80, 0.2);
        p.text(xs[i], 70, xs[i] + 35, 75, upper[i], Centre);
        p.text(xs[i], 75, xs[i] + 35, 80, lower[i], Centre);
    }
    double y = 80;
    double insurerSum = 0;
    int aids = 0;
    for (const Row& r : rows) {
        const QStringList values = {QStringLiteral("1"), r.file, r.type,
                                    QString::number(r.totals.vouchers), Amount(r.totals.insurer)};
        for (int i = 0; i < 5; ++i) {
            p.box(xs[i], y, xs[i] + 35, y + 7, 0.2);
            p.text(xs[i], y, xs[i] + 35, y + 7, values[i], Centre);
        }
        insurerSum += r.totals.insurer;
        aids += r.totals.aids;
        y += 7;
    }
    p.box(115, y, 150, y + 7, 0.2);
    p.box(150, y, 185, y + 7, 0.2);
    p.text(115, y, 150, y + 7, QStringLiteral("Spolu Sk"), Centre);
    p.text(150, y, 185, y + 7, Amount(insurerSum), Centre);
    const QStringList notes = {
        QStringLiteral("* Typ dokladu: N 137 - RP, N 138 - Poukazy očná optika,"),
        QStringLiteral("N 139 - Zdravotné poukazy"),
        QStringLiteral("** Počet riadkov v dávke: počet RP, počet ZP"),
        QString(),
        QStringLiteral("Poskytovateľ zdravotnej starostlivosti prehlasuje, že na disketách"),
        QStringLiteral("(v súboroch) sa nachádzajú len dávky určené k zúčtovaniu v zmluvne"),
        QStringLiteral("dohodnutom zúčtovacom období.")};
    double v = y + 10;
    for (const QString& n : notes) {
        p.text(10, v, 190, v + 5, n, Left);
        v += 5;
    }
    const double a = v + 10;
    p.text(11, a, 59, a + 7, QStringLiteral("Prílohy:"), Left);
    p.text(61, a, 79, a + 7, QStringLiteral("Počet"), Left);
    const std::pair<QString, QString> attachments[] = {
        {QStringLiteral("Disketa:"), QStringLiteral("1")},
        {QStringLiteral("Počet RP"), QString()},
        {QStringLiteral("Počet ZP"), QString::number(aids)}};
    double r = a + 7;
    for (const auto& [label, value] : attachments) {
        p.box(10, r, 60, r + 7, 0.2);
        p.box(60, r, 80, r + 7, 0.2);
        p.text(11, r, 59, r + 7, label, Left);
        p.text(61, r, 79, r + 7, value, Right);
        r += 7;
    }
    const double dd = a + 28;
    p.text(110, dd, 159, dd + 7, Today(), Centre);
    w.ReportLine(kBlack, 110, dd + 7, 159, dd + 7, 0.2);
    p.text(110, dd + 7, 159, dd + 14, QStringLiteral("Dátum vyhotovenia"), Centre);
    return w.ReportEnd();
}

PeriodCounts CountPeriod(AppContext& app, int month, int year) {
    PeriodCounts c;
    Table invoices;
    if (!OpenModuleCursor(app, module::kFaktura, invoices))
        return c;
    for (invoices.first(); !invoices.eof(); invoices.next()) {
        qint64 m = 0, y = 0;
        if (!IntegerFromText(invoices.field(QStringLiteral("OBDMM")).asString(), m) ||
            !IntegerFromText(invoices.field(QStringLiteral("OBDRR")).asString(), y) || m != month ||
            y != year)
            continue;
        const qint64 code = invoices.field(QStringLiteral("KOD")).asInteger();
        ++c.invoices;
        for (const BatchRef& b : BatchesOf(app, code)) {
            ++c.batches;
            c.vouchers += TotalsOfBatch(app, code, b.code).vouchers;
        }
    }
    return c;
}

void ShowPeriodStatistics(AppContext&, const PeriodCounts& counts, QWidget* owner) {
    QDialog dialog(owner);
    dialog.setWindowTitle(QStringLiteral("Štatistika za obdobie"));
    auto* body = new QWidget(&dialog);
    FormRows rows(body);
    const std::pair<QString, int> lines[] = {{QStringLiteral("Počet faktúr:"), counts.invoices},
                                             {QStringLiteral("Počet dávok:"), counts.batches},
                                             {QStringLiteral("Počet dokladov:"), counts.vouchers}};
    for (const auto& [label, value] : lines) {
        QLineEdit* e = rows.addRow(label, 0, 10);
        e->setText(QString::number(value));
        e->setObjectName(label);
        FormRows::makeDisplayOnly(e);
    }
    auto* back = new QPushButton(QStringLiteral("Späť"));
    QObject::connect(back, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* outer = new QVBoxLayout(&dialog);
    outer->addWidget(body);
    outer->addWidget(back, 0, Qt::AlignCenter);
    RunDialog(dialog);
}

} // namespace vidoraw
