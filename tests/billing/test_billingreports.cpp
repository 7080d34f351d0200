#include "billing/billingreports.h"
#include "billingfixture.h"
#include "reports/format/reportformat.h"
#include "testmain.h"

#include <QFile>

#include <cmath>

using namespace vidoraw;
using namespace vidoraw::test;

// The summaries and the protocol as report files: where rows and totals fall, page breaks,
// the protocol's cells, and a report that cannot be written.
class TestBillingReports : public QObject {
    Q_OBJECT
private slots:
    void invoiceSummaryWithoutBatches();
    void invoiceSummaryBreaksPages();
    void batchSummaryRows();
    void protocolNamesBatchesAsTheFiles();
    void failedReportAnswersFalse();
};

namespace {

ReportDocument Load(const QString& file) {
    ReportDocument doc;
    QString error;
    if (!LoadReport(file, doc, &error))
        qWarning("%s", qPrintable(error));
    return doc;
}

// Texts of a page whose cell begins at y (to the tenth of a millimetre), left to right.
QStringList TextsAt(const ReportPage& page, double y) {
    QList<std::pair<double, QString>> found;
    for (const ReportObject& o : page.objects)
        if (o.isText() && std::abs(o.y1 - y) < 0.05)
            found << std::pair{o.x1, o.text};
    std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.first < b.first; });
    QStringList out;
    for (const auto& f : found)
        out << f.second;
    return out;
}

} // namespace

// No batch: the heading, the column heading and SPOLU with zeros.
void TestBillingReports::invoiceSummaryWithoutBatches() {
    BillingFixture f;
    f.addInvoice(1, "F1", "3", "2009");
    QVERIFY(PrintInvoiceSummary(f.app, 1, f.app.reports.ReportFileName()));
    const ReportDocument doc = Load(f.app.reports.ReportFileName());
    QCOMPARE(doc.pages.size(), 1);
    const ReportPage& p = doc.pages[0];
    QCOMPARE(TextsAt(p, 16), QStringList({"Účtovné obdobie:", "3.2009", "IČO prijímateľa:", "35937874"}));
    QCOMPARE(TextsAt(p, 41), QStringList{"SPOLU:"});
    QCOMPARE(TextsAt(p, 46), QStringList({"0", "0", "0", "0,00", "0,00", "0,00"}));
}

// With a printable height of 287 mm the first page holds 58 rows (y = 41 … 269); the totals
// follow on the next page under a fresh column heading.
void TestBillingReports::invoiceSummaryBreaksPages() {
    BillingFixture f;
    f.app.reports.setPrinterMetrics(PrinterMetrics{0, 0, 200, 287});
    f.addInvoice(1, "F1", "1", "2007");
    for (int i = 1; i <= 58; ++i)
        f.addBatch(i, 1, i);
    QVERIFY(PrintInvoiceSummary(f.app, 1, f.app.reports.ReportFileName()));
    const ReportDocument doc = Load(f.app.reports.ReportFileName());
    QCOMPARE(doc.pages.size(), 2);
    QCOMPARE(TextsAt(doc.pages[0], 269).value(0), QString("58"));
    QCOMPARE(TextsAt(doc.pages[1], 0).value(0), QString("Číslo"));
    QCOMPARE(TextsAt(doc.pages[1], 10), QStringList{"SPOLU:"});
    QCOMPARE(TextsAt(doc.pages[1], 15).value(0), QString("58"));
}

// One row per voucher in code order with its aids and amounts; the totals below.
void TestBillingReports::batchSummaryRows() {
    BillingFixture f;
    f.addInvoice(1, "F1", "1", "2007");
    f.addBatch(5, 1, 2);
    f.addVoucher(2, 1, 5, {{"SUMAPAC1", "1,5"}, {"KODOP2", "00001"}, {"SUMAPOI2", "0,125"}});
    f.addVoucher(1, 1, 5);
    QVERIFY(PrintBatchSummary(f.app, 5, f.app.reports.ReportFileName()));
    const ReportPage p = Load(f.app.reports.ReportFileName()).pages.value(0);
    QCOMPARE(TextsAt(p, 11), QStringList({"Číslo dávky:", "2", "Počet dokladov:", "2"}));
    QCOMPARE(TextsAt(p, 46), QStringList({"1", "1", "0,00", "10,00", "10,00"}));
    QCOMPARE(TextsAt(p, 50), QStringList({"2", "2", "1,50", "10,13", "11,63"}));
    QCOMPARE(TextsAt(p, 54), QStringList{"Spolu:"});
    QCOMPARE(TextsAt(p, 59), QStringList({"2", "3", "1,50", "20,13", "21,63"}));
}

// The protocol names each batch by its file and type as the export writes them, and its
// period cells hold the year and the padded month.
void TestBillingReports::protocolNamesBatchesAsTheFiles() {
    BillingFixture f;
    f.addInvoice(1, "F1", "3", "2009");
    f.addBatch(1, 1, 1);
    f.addBatch(3, 1, 3); // batch 2 was deleted
    f.addVoucher(1, 1, 1);
    f.addVoucher(2, 1, 3, {{"ICPOI", "AT1234567"}});
    QVERIFY(PrintBatchProtocol(f.app, 1, f.app.reports.ReportFileName()));
    const ReportPage p = Load(f.app.reports.ReportFileName()).pages.value(0);
    QCOMPARE(TextsAt(p, 50), QStringList({"2", "0", "0", "9", "0", "3"}));
    QCOMPARE(TextsAt(p, 60), QStringList({"1", "2"}));
    QCOMPARE(TextsAt(p, 80), QStringList({"1", "DAVKA.01", "N 738", "1", "10,00"}));
    QCOMPARE(TextsAt(p, 87), QStringList({"1", "DAVKA.03", "E 738", "1", "10,00"}));
    QCOMPARE(TextsAt(p, 94), QStringList({"Spolu Sk", "20,00"}));
}

// A report file that cannot be made: false, so no viewer shows an older report.
void TestBillingReports::failedReportAnswersFalse() {
    BillingFixture f;
    f.addInvoice(1, "F1", "3", "2009");
    // Under a file, where no folder can be made.
    QFile blocker(f.dataDir.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString nowhere = f.dataDir.filePath("blocker/zost1.zst");
    QVERIFY(!PrintInvoiceSummary(f.app, 1, nowhere));
    QVERIFY(!PrintBatchProtocol(f.app, 1, nowhere));
    QCOMPARE(f.ui.takeNotices().size(), 2);
}

VIDORAW_TEST(TestBillingReports)
#include "test_billingreports.moc"
