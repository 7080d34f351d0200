// A report read page by page gives the pages the whole-file reader gives, keeps the changes
// applied to it however often a page is read again, and finds texts on pages it never reads.
#include "reports/format/reportpages.h"

#include "core/base/codepage.h"
#include "reports/format/reportadjust.h"
#include "testmain.h"
#include "viewer/viewercore.h"

#include <QTest>

using namespace vidoraw;

namespace {

QStringList Lines(const ReportPage& page) {
    QStringList out{QString::number(page.orientation), QString::number(page.paper), page.printer};
    for (const ReportObject& o : page.objects)
        out << FormatObject(o);
    return out;
}

QByteArray Pages(int n) {
    QString text;
    for (int i = 1; i <= n; ++i)
        text += QString("[STRANA]\r\n[STOJATO]\r\n3,10,10,100,20,5,Arial,0,0,0,0,0x0,36,Strana %1\r\n").arg(i);
    return ToCp1250(text);
}

} // namespace

class LazyReportTest : public QObject {
    Q_OBJECT
private slots:
    void samePagesAsTheWholeFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << QByteArray("[STRANA]\r\n0,1,2,3,4\r\n[STRANA]\r\n[LEZATO]\r\n1,1\r\n");
        QTest::newRow("only the first line") << QByteArray("[STRANA]");
        QTest::newRow("LF only, no last break") << QByteArray("[STRANA]\n0,1\n[STRANA]\n2,1,1,4,Arial,0,0,0,0,0x0,x");
        QTest::newRow("empty lines before a page") << QByteArray("[STRANA]\r\n\r\n\r\n[STRANA]\r\n\r\n");
        QTest::newRow("last line a lone CR") << QByteArray("[STRANA]\r\n16,1\r\n\r");
        QTest::newRow("group swallows a page line")
            << QByteArray("[STRANA]\r\n16,2\r\n[STRANA]\r\n0,1\r\n[STRANA]\r\n0,2\r\n");
        QTest::newRow("cell row swallows a page line")
            << QByteArray("[STRANA]\r\n7,0,0,1,1,2\r\n[STRANA]\r\n16,5\r\n[STRANA]\r\n");
        QTest::newRow("nested groups over pages")
            << QByteArray("[STRANA]\r\n16,2\r\n16,2\r\n[STRANA]\r\n11,0,0,1,1,1\r\n[STRANA]\r\n[STRANA]\r\n0,9\r\n");
        QTest::newRow("count beyond the end") << QByteArray("[STRANA]\r\n16,99\r\n[STRANA]\r\n0,1\r\n");
        QTest::newRow("count with odd digits") << QByteArray("[STRANA]\r\n16, 1.9e0x\r\n[STRANA]\r\n16,-3\r\n[STRANA]\r\n");
        QByteArray deep("[STRANA]\r\n");
        for (int i = 0; i < 40; ++i)
            deep += "16,2\r\n[STRANA]\r\n";
        deep += "0,1\r\n[STRANA]\r\n0,2\r\n";
        QTest::newRow("groups deeper than kept") << deep;
        QByteArray longLine = "[STRANA]\r\n16,1" + QByteArray(2000, ' ') + "\r\n[STRANA]\r\n";
        QTest::newRow("long block line") << longLine;
    }

    void samePagesAsTheWholeFile() {
        QFETCH(QByteArray, bytes);
        ReportDocument doc;
        QVERIFY(ParseReport(SplitReportText(bytes), doc));
        LazyReport lazy;
        QVERIFY(lazy.setBytes(bytes));
        QCOMPARE(lazy.pageCount(), doc.pages.size());
        for (int i = 0; i < doc.pages.size(); ++i)
            QCOMPARE(Lines(*lazy.page(i)), Lines(doc.pages[i]));
        QVERIFY(!lazy.page(doc.pages.size()));
        QVERIFY(!lazy.page(-1));
    }

    void refused() {
        LazyReport lazy;
        QString error;
        QVERIFY(!lazy.setBytes("[STOJATO]\r\n[STRANA]\r\n", &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(lazy.isEmpty());
        QVERIFY(!lazy.setBytes(""));
        QVERIFY(!lazy.load("/nonexistent/zost1.zst", &error));
    }

    void changesSurviveRereading() {
        LazyReport lazy;
        QVERIFY(lazy.setBytes(Pages(LazyReport::kKeptPages * 3)));
        const ReportPagePtr before = lazy.page(0);
        lazy.apply([](ReportObject& o) { MoveObject(o, 5, 0); });
        lazy.apply([](ReportObject& o) { ScaleObject(o, 2, 1); });
        // Read every page, so page 0 drops out of the kept ones, then read it again.
        for (int i = 0; i < lazy.pageCount(); ++i)
            QCOMPARE(lazy.page(i)->objects[0].x1, 30.0);
        QCOMPARE(lazy.page(0)->objects[0].x1, 30.0);
        QCOMPARE(lazy.page(0)->objects[0].x2, 210.0);
        QCOMPARE(before->objects[0].x1, 10.0); // a page taken earlier stays as it was
        // A new report forgets the changes.
        QVERIFY(lazy.setBytes(Pages(1)));
        QCOMPARE(lazy.page(0)->objects[0].x1, 10.0);
        // Pages given as a document change at once.
        ReportDocument doc;
        QVERIFY(ParseReport(SplitReportText(Pages(2)), doc));
        lazy.setDocument(doc);
        lazy.apply([](ReportObject& o) { MoveObject(o, 0, 1); });
        QCOMPARE(lazy.page(1)->objects[0].y1, 11.0);
        QCOMPARE(lazy.toDocument().pages.size(), 2);
    }

    void searchPassesOverPagesWithoutTheText() {
        QString text;
        for (int i = 1; i <= 50; ++i)
            text += QString("[STRANA]\r\n3,1,1,9,9,5,Arial,0,0,0,0,0x0,36,riadok %1\r\n").arg(i);
        text += "[STRANA]\r\n11,0,0,50,5,2,0,0\r\n10,0,0,5,Arial,0,0,0,0,0,0x0,Žlt\r\n"
                "10,0,0,5,Arial,0,0,0,0,0,0x0,ý kôň\r\n";
        text += "[STRANA]\r\n3,1,1,9,9,5,Arial,0,0,0,0,0x0,36,ŽLTÝ KÔŇ\r\n";
        LazyReport lazy;
        QVERIFY(lazy.setBytes(ToCp1250(text)));
        // Found across the pieces of a composed line, and without case by the page's bytes.
        FoundPlace f = FindText(lazy, "žltý kôň", false, {});
        QCOMPARE(f.page, 50);
        f = FindText(lazy, "žltý kôň", false, PlaceAfter(f));
        QCOMPARE(f.page, 51);
        QVERIFY(!FindText(lazy, "žltý kôň", true, PlaceAfter(f)).valid());
        QCOMPARE(FindText(lazy, "RIADOK 37", false, {}).page, 36);
        QVERIFY(!FindText(lazy, "riadok 37€", false, {}).valid());
        QVERIFY(!FindText(lazy, "chýba", false, {}).valid());
    }
};

VIDORAW_TEST(LazyReportTest)
#include "test_lazyreport.moc"
