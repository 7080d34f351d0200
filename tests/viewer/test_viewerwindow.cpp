// zorode's window driven through its methods: navigation states, search with the mark and
// scrolling, adjustments, printing a range, and ZORODE.KFG read at start and written at end.
#include "viewer/viewerwindow.h"

#include "core/base/codepage.h"
#include "reports/format/reportpainter.h"
#include "testmain.h"
#include "viewer/pageview.h"
#include "viewer/viewerdialogs.h"
#include "viewer/viewernotice.h"
#include "viewer/viewersettings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vidoraw;

namespace {

bool Write(const QString& path, const QString& text) {
    QFile f(path);
    const QByteArray bytes = ToCp1250(text);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString Pages(int n) {
    QString text;
    for (int i = 1; i <= n; ++i) {
        text += "[STRANA]\r\n[STOJATO]\r\n";
        text += QString("3,10,10,100,20,6,Arial,0,0,0,0,0x000000,36,Strana %1\r\n").arg(i);
        if (i == 2)
            text += "3,150,280,200,290,5,Arial,0,0,0,0,0x000000,36,dole vpravo\r\n";
    }
    return text;
}

int PdfPageCount(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression re("/Type\\s*/Page(?!s)");
    int n = 0;
    auto it = re.globalMatch(QString::fromLatin1(f.readAll()));
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

} // namespace

class ViewerWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QStringList notices;

    QString report(const QString& name, const QString& text) {
        const QString path = tmp.filePath(name);
        Write(path, text);
        return path;
    }

    bool enabled(ViewerWindow& w, const char* name) { return w.action(name)->isEnabled(); }

private slots:
    void initTestCase() {
        QVERIFY(tmp.isValid());
        SetViewerConfigDirectory(tmp.filePath("config"));
        SetViewerNoticeHandler([this](const QString& title, const QString& text) {
            notices << title + ": " + text;
        });
    }

    void init() {
        notices.clear();
        QFile::remove(ViewerSettingsPath());
    }

    void cleanupTestCase() {
        SetViewerNoticeHandler({});
        SetViewerConfigDirectory(QString());
    }

    void onePage() {
        ViewerWindow w;
        QVERIFY(w.openReport(report("one.zst", Pages(1))));
        QCOMPARE(w.pageIndicator(), QString("1 z 1"));
        for (const char* a : {"mPrva", "mPredosla", "mDalsia", "mPosledna", "mKonkretna"})
            QVERIFY2(!enabled(w, a), a);
        QVERIFY(!enabled(w, "mPokracuj"));
        QVERIFY(w.windowTitle().startsWith("Prezerač zostavy ["));
        QVERIFY(w.windowTitle().endsWith("one.zst]"));
    }

    void navigation() {
        ViewerWindow w;
        QVERIFY(w.openReport(report("three.zst", Pages(3))));
        QVERIFY(!enabled(w, "mPrva") && !enabled(w, "mPredosla"));
        QVERIFY(enabled(w, "mDalsia") && enabled(w, "mPosledna") && enabled(w, "mKonkretna"));
        w.pageView()->setScroll(40, 50);
        w.nextPage();
        QCOMPARE(w.pageIndicator(), QString("2 z 3"));
        QCOMPARE(w.pageView()->scrollX(), 40); // a page change keeps the scroll positions
        QVERIFY(enabled(w, "mPrva") && enabled(w, "mDalsia"));
        w.lastPage();
        QCOMPARE(w.currentPageNumber(), 3);
        QVERIFY(!enabled(w, "mDalsia") && !enabled(w, "mPosledna"));
        w.nextPage();
        QCOMPARE(w.currentPageNumber(), 3);
        w.firstPage();
        w.previousPage();
        QCOMPARE(w.currentPageNumber(), 1);
        QVERIFY(!w.goToPageNumber(4));
        QCOMPARE(notices, QStringList{"Oznam: Nesprávne číslo stránky!"});
        QVERIFY(w.goToPageNumber(2));
        QCOMPARE(w.pageIndicator(), QString("2 z 3"));
        // The page dialog keeps its check and stays open on a wrong number.
        PageNumberDialog d(3, 2, &w);
        QCOMPARE(d.field()->text(), QString("2"));
        d.field()->setText("0");
        QCOMPARE(d.check(), 0);
        d.field()->setText("3");
        QCOMPARE(d.check(), 3);
    }

    void openingAnotherReport() {
        ViewerWindow w;
        QVERIFY(w.openReport(report("three.zst", Pages(3))));
        w.lastPage();
        QVERIFY(w.openReport(report("one.zst", Pages(1))));
        // The page index stays: nothing is shown until the user moves.
        QCOMPARE(w.session().currentIndex(), 2);
        QVERIFY(!w.session().currentPage());
        w.firstPage();
        QVERIFY(w.session().currentPage());
        QVERIFY(!w.openReport(report("bad.zst", "[STOJATO]\r\n")));
        QCOMPARE(notices, QStringList{"Oznam: Zostavu sa nepodarilo načítať."});
        QCOMPARE(w.session().pageCount(), 0);
        QCOMPARE(w.pageIndicator(), QString("0 z 0"));
    }

    void searchMarksAndScrolls() {
        ViewerWindow w;
        w.resize(700, 500);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.openReport(report("three.zst", Pages(3))));
        w.setZoomIndex(2); // 200 %: the bottom of the page is far outside the view
        QVERIFY(w.findText("DOLE", false));
        QCOMPARE(w.currentPageNumber(), 2);
        QVERIFY(enabled(w, "mPokracuj"));
        PageView* v = w.pageView();
        const QRect mark = v->markRect();
        QVERIFY(!mark.isEmpty());
        // The found object is fully inside the view now.
        const QRect visible(QPoint(v->scrollX(), v->scrollY()), v->viewport()->size());
        QVERIFY2(visible.contains(mark), qPrintable(QString("%1,%2 %3x%4 in %5,%6")
                                                        .arg(mark.x()).arg(mark.y()).arg(mark.width())
                                                        .arg(mark.height()).arg(visible.x()).arg(visible.y())));
        // Its area is inverted in what the view shows: the white page turned black.
        const QImage shown = v->render();
        const QPoint inside = mark.topLeft() - visible.topLeft() + QPoint(mark.width() - 3, 2);
        QCOMPARE(shown.pixel(inside), qRgb(0, 0, 0));
        QVERIFY(!w.findNext());
        QCOMPARE(notices, QStringList{"Oznam: Ďalší výskyt hľadaného reťazca sa nenašiel!"});
        QVERIFY(v->markRect().isEmpty());
        QVERIFY(enabled(w, "mPokracuj"));
        // Through all pages with "strana".
        QVERIFY(w.findText("strana", false));
        QCOMPARE(w.currentPageNumber(), 1);
        QVERIFY(w.findNext());
        QCOMPARE(w.currentPageNumber(), 2);
        QVERIFY(!w.findText("STRANA", true));
        QVERIFY(!w.findText("", false));
        QCOMPARE(notices.last(), QString("Oznam: Hľadaný reťazec nesmie byť prázdny!"));
        QCOMPARE(w.currentSettings().searchText, QString("STRANA"));
        QCOMPARE(w.currentSettings().caseSensitive, true);
    }

    void adjustments() {
        ViewerWindow w;
        QVERIFY(w.openReport(report("one.zst", Pages(1))));
        w.applyShift(5, 0);
        w.applyShift(5, 0);
        QCOMPARE(w.session().report().page(0)->objects[0].x1, 20.0);
        QVERIFY(!w.applyScale(0.05, 1));
        QVERIFY(!w.applyScale(1, 0.0999));
        QCOMPARE(notices, (QStringList{"Oznam: Príliš malý koeficient zmenšenia v smere x!",
                                       "Oznam: Príliš malý koeficient zmenšenia v smere y!"}));
        QVERIFY(w.applyScale(2, 0.1));
        QCOMPARE(w.session().report().page(0)->objects[0].x2, 220.0);
        w.applyFont("Tahoma");
        w.applyLineColour(Qt::red);
        w.applyFillColour(Qt::blue);
        QCOMPARE(w.session().report().page(0)->objects[0].face, QString("Tahoma"));
        QCOMPARE(w.session().report().page(0)->objects[0].textColour, 0x0000FFu);
        // The dialogs are preset with what was applied last and check as the window does.
        TwoNumbersDialog scale(TwoNumbersDialog::Scale, 2, 0.1, &w);
        QCOMPARE(scale.fieldX()->text(), QString("2"));
        QCOMPARE(scale.fieldY()->text(), QString("0,1"));
        scale.fieldX()->setText("0.05");
        QVERIFY(!scale.check());
        scale.fieldX()->setText("1,5");
        QCOMPARE(scale.x(), 1.5);
        QVERIFY(scale.check());
        SearchDialog search("", false, &w);
        QVERIFY(!search.check());
        // Opening the file again shows it as written.
        QVERIFY(w.openReport(w.session().fileName()));
        QCOMPARE(w.session().report().page(0)->objects[0].x1, 10.0);
    }

    void printRangeInCopies() {
        ViewerWindow w;
        QVERIFY(w.openReport(report("four.zst", Pages(4))));
        const QString out = tmp.filePath("print.pdf");
        {
            QPdfWriter writer(out);
            QVERIFY(w.printTo(writer, PrintRange::Interval, 3, 5, 2));
        }
        QCOMPARE(PdfPageCount(out), 4); // pages 3, 4, 3, 4
        w.goToPageNumber(2);
        {
            QPdfWriter writer(out);
            QVERIFY(w.printTo(writer, PrintRange::Current, 0, 0, 1, true));
        }
        QCOMPARE(PdfPageCount(out), 1);
        QVERIFY(w.savePdf(tmp.filePath("all.pdf")));
        QCOMPARE(PdfPageCount(tmp.filePath("all.pdf")), 4);
    }

    void zoom() {
        ViewerWindow w;
        w.resize(800, 600);
        QVERIFY(w.openReport(report("one.zst", Pages(1))));
        w.setZoomIndex(6);
        QCOMPARE(w.zoomPercent(), 50);
        QVERIFY(w.action("mZoom6")->isChecked());
        QCOMPARE(w.zoomListText(), QString("50%"));
        w.setZoomIndex(kZoomPageWidth);
        const QSizeF page = w.session().pageSizeMm();
        QCOMPARE(w.zoomPercent(), PageWidthZoom(w.pageView()->viewport()->width(), w.pageView()->dpiX(), page.width()));
        QVERIFY(w.zoomListText().endsWith("%-šírka"));
        // The horizontal range covers the page with 8 mm on both sides.
        w.setZoomIndex(4);
        const ReportMapping m = ReportMapping::screen(w.pageView()->dpiX(), w.pageView()->dpiY(), 100, 0, 0);
        QCOMPARE(w.pageView()->horizontalScrollBar()->maximum() + w.pageView()->viewport()->width(),
                 2 * ReportMapping::screenMargin(w.pageView()->dpiX()) + m.sizeX(page.width()));
        if (page == QSizeF(210, 297))
            QCOMPARE(w.sizeText(), QString("X: 210.00 Y: 297.00"));
    }

    void settingsReadAtStartAndWrittenAtEnd() {
        QVERIFY(QDir().mkpath(ViewerConfigDirectory()));
        QFile f(ViewerSettingsPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("JE_STATUS=0\r\nJE_SPEED=1\r\nAKTUAL_ZOBRAZ=6\r\nROZLISOVANIE=1\r\nHLADANY_RET=\xe8\x61j\r\n"
                "VELKE_IKONY=0\r\nMAXIM=0\r\nLAVY=10\r\nHORNY=20\r\nSIRKA=640\r\nVYSKA=480\r\n");
        f.close();
        {
            ViewerWindow w;
            QCOMPARE(w.zoomIndex(), 6);
            QVERIFY(!w.action("mStatus")->isChecked());
            QVERIFY(!w.action("mIkony")->isChecked());
            QVERIFY(w.action("mRychly")->isChecked());
            QCOMPARE(w.currentSettings().searchText, QString("čaj"));
            w.setZoomIndex(2);
            w.setLargeIcons(true);
            w.setStatusLineShown(true);
        }
        const ViewerSettings s = ReadViewerSettings(ViewerSettingsPath(), QSize(5000, 5000));
        QCOMPARE(s.zoomIndex, 2);
        QCOMPARE(s.largeIcons, true);
        QCOMPARE(s.showStatus, true);
        QCOMPARE(s.searchText, QString("čaj"));
        QCOMPARE(s.caseSensitive, true);
        // A window that is told not to write leaves the file alone.
        QVERIFY(QFile::remove(ViewerSettingsPath()));
        {
            ViewerWindow w;
            w.setSettingsWritten(false);
        }
        QVERIFY(!QFile::exists(ViewerSettingsPath()));
    }

    void escapeCloses() {
        ViewerWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }
};

VIDORAW_TEST(ViewerWindowTest)
#include "test_viewerwindow.moc"
