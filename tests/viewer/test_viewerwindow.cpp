// zorode's window driven through its methods: navigation states, search with the mark and
// scrolling, adjustments, printing a range, stopping a printout, the print dialog, and
// ZORODE.KFG read at start and written at end.
#include "viewer/viewerwindow.h"

#include "core/base/codepage.h"
#include "reports/format/reportpainter.h"
#include "testmain.h"
#include "viewer/pageview.h"
#include "viewer/viewerdialogs.h"
#include "viewer/viewernotice.h"
#include "viewer/viewersettings.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

// Records every dialog that is shown and closes it, so that a command that should not open one
// cannot hang the test in its modal loop. `handle` may work the dialog instead (true: done).
class DialogCatcher : public QObject {
public:
    QStringList shown;
    std::function<bool(QDialog*)> handle;
    DialogCatcher() { qApp->installEventFilter(this); }
    ~DialogCatcher() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* d = qobject_cast<QDialog*>(o);
        if (e->type() != QEvent::Show || !d || !d->isWindow() || qobject_cast<PrintProgressDialog*>(d))
            return false;
        shown << d->metaObject()->className();
        QPointer<QDialog> guard(d);
        QTimer::singleShot(0, d, [this, guard] {
            if (guard && !(handle && handle(guard)))
                guard->reject();
        });
        return false;
    }
};

// A PDF writer that tells when it starts another page (numbered from 1).
class StoppableWriter : public QPdfWriter {
public:
    using QPdfWriter::QPdfWriter;
    std::function<void(int page)> atPage;
    bool newPage() override {
        const bool ok = QPdfWriter::newPage();
        if (atPage)
            atPage(++started);
        return ok;
    }

private:
    int started = 1;
};

// Remembers, for each time it is abandoned, whether its painter was still active.
class RecordingJob : public PrintJob {
public:
    explicit RecordingJob(QPagedPaintDevice& d) : PrintJob(d) {}
    QList<bool> abandoned;
    void abandon() override { abandoned << device().paintingActive(); }
};

} // namespace

Q_DECLARE_METATYPE(vidoraw::PrintChoice)

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
            PrintJob job(writer);
            QVERIFY(w.printTo(job, {PrintRange::Interval, 3, 5, 2}));
        }
        QCOMPARE(PdfPageCount(out), 4); // pages 3, 4, 3, 4
        w.goToPageNumber(2);
        {
            QPdfWriter writer(out);
            PrintJob job(writer);
            QVERIFY(w.printTo(job, {PrintRange::Current, 0, 0, 1}, true));
        }
        QCOMPARE(PdfPageCount(out), 1);
        // "Od" and "Do" are remembered only from an interval.
        QCOMPARE(w.lastPrintChoice(), (PrintChoice{PrintRange::Current, 3, 5, 1}));
        QVERIFY(w.savePdf(tmp.filePath("all.pdf")));
        QCOMPARE(PdfPageCount(tmp.filePath("all.pdf")), 4);
    }

    // "&Storno" while pages are drawn: the job is abandoned before its painter ends, after the
    // page in progress. Meanwhile the progress window stays whatever else is tried, and the main
    // window takes no command that would print again or replace the report being printed.
    void stoppingAPrintout() {
        ViewerWindow w;
        w.resize(700, 500);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.openReport(report("four.zst", Pages(4))));
        DialogCatcher catcher;
        auto writerPtr = std::make_unique<StoppableWriter>(tmp.filePath("stopped.pdf"));
        StoppableWriter& writer = *writerPtr;
        RecordingJob job(writer);
        QStringList during;
        writer.atPage = [&](int page) {
            if (page != 2)
                return;
            PrintProgressDialog* progress = w.printProgress();
            QVERIFY(progress && progress->isVisible());
            QCOMPARE(progress->pageLabel()->text(), QString("Strana : 2"));
            QVERIFY(w.isPrinting());
            QVERIFY(!w.isEnabled());
            QTest::keyClick(progress, Qt::Key_Escape);
            progress->close();
            QVERIFY(progress->isVisible());
            QVERIFY(!w.close());
            QVERIFY(w.isVisible());
            w.commandPrint();
            w.commandOpen();
            QVERIFY(!w.openReport(report("one.zst", Pages(1))));
            QCOMPARE(w.session().pageCount(), 4);
            QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
            QVERIFY(!progress->isVisible());
            during << "stopped";
        };
        QVERIFY(!w.printTo(job, {PrintRange::All, 1, 1, 1}, true));
        QCOMPARE(during, QStringList{"stopped"});
        QCOMPARE(catcher.shown, QStringList{});
        QCOMPARE(job.abandoned, QList<bool>{true}); // once, with the painter still active
        writerPtr.reset();
        QCOMPARE(PdfPageCount(tmp.filePath("stopped.pdf")), 2); // the page in progress was finished
        QVERIFY(w.isEnabled());
        QVERIFY(!w.isPrinting());
        QVERIFY(!w.printProgress());
        // A printout that runs to its end is not abandoned, and the window takes commands again.
        {
            StoppableWriter whole(tmp.filePath("whole.pdf"));
            RecordingJob wholeJob(whole);
            QVERIFY(w.printTo(wholeJob, {PrintRange::All, 1, 1, 1}, true));
            QVERIFY(wholeJob.abandoned.isEmpty());
        }
        QCOMPARE(PdfPageCount(tmp.filePath("whole.pdf")), 4);
        QVERIFY(w.openReport(report("one.zst", Pages(1))));
    }

    void printDialogTexts() {
        QPrinter printer;
        PrintDialog d("Kancelária", &printer, PrintChoice{}, nullptr);
        QCOMPARE(d.windowTitle(), QString("Tlač zostavy"));
        QStringList texts;
        for (QLabel* l : d.findChildren<QLabel*>())
            texts << l->text();
        for (QAbstractButton* b : d.findChildren<QAbstractButton*>())
            texts << b->text();
        for (QGroupBox* g : d.findChildren<QGroupBox*>())
            texts << g->title();
        texts.sort();
        QStringList expected{"Tlačiareň :", "Kancelária", "Rozsah tlače", "Všetko", "Aktuálna strana",
                             "Interval strán", "Od :", "Do :", "Počet kópií:", "Vlastnosti", "&Tlač",
                             "&Späť"};
        expected.sort();
        QCOMPARE(texts, expected);
        QVERIFY(d.propertiesButton()->isEnabled());
        // Without a printer there are no properties to show.
        PrintDialog none(QString(), nullptr, PrintChoice{}, nullptr);
        QVERIFY(!none.propertiesButton()->isEnabled());
        QCOMPARE(none.printerLabel()->text(), QString());
    }

    void printDialogChoice_data() {
        QTest::addColumn<PrintChoice>("preset");
        QTest::addColumn<int>("range"); // the button pressed, -1 none
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("copies");
        QTest::addColumn<PrintChoice>("expected");
        const PrintChoice start;
        QTest::newRow("start, nothing changed") << start << -1 << 0 << 0 << 0 << start;
        QTest::newRow("interval reads Od and Do")
            << start << int(PrintRange::Interval) << 3 << 5 << 2 << PrintChoice{PrintRange::Interval, 3, 5, 2};
        QTest::newRow("all keeps the last Od and Do")
            << PrintChoice{PrintRange::Interval, 2, 4, 1} << int(PrintRange::All) << 7 << 9 << 3
            << PrintChoice{PrintRange::All, 2, 4, 3};
        QTest::newRow("current page")
            << start << int(PrintRange::Current) << 7 << 9 << 1 << PrintChoice{PrintRange::Current, 1, 1, 1};
        QTest::newRow("preset interval stays chosen")
            << PrintChoice{PrintRange::Interval, 2, 4, 5} << -1 << 0 << 0 << 0
            << PrintChoice{PrintRange::Interval, 2, 4, 5};
        QTest::newRow("beyond the report is allowed")
            << start << int(PrintRange::Interval) << 90 << 120 << 1 << PrintChoice{PrintRange::Interval, 90, 120, 1};
    }

    void printDialogChoice() {
        QFETCH(PrintChoice, preset);
        QFETCH(int, range);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, copies);
        QFETCH(PrintChoice, expected);
        PrintDialog d("Kancelária", nullptr, preset, nullptr);
        // Preset with the last choice.
        QVERIFY(d.rangeButton(preset.range)->isChecked());
        QCOMPARE(d.fromField()->value(), preset.from);
        QCOMPARE(d.toField()->value(), preset.to);
        QCOMPARE(d.copiesField()->value(), preset.copies);
        if (range >= 0)
            d.rangeButton(PrintRange(range))->click();
        if (from > 0) {
            d.fromField()->setValue(from);
            d.toField()->setValue(to);
        }
        if (copies > 0)
            d.copiesField()->setValue(copies);
        QCOMPARE(d.choice(), expected);
    }

    void printDialogButtons() {
        QPrinter printer;
        PrintDialog d("Kancelária", &printer, PrintChoice{}, nullptr);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        // "Vlastnosti" shows the page set-up of the printer.
        DialogCatcher catcher;
        d.propertiesButton()->click();
        QCOMPARE(catcher.shown, QStringList{"QPageSetupDialog"});
        QVERIFY(d.isVisible());
        QTest::keyClick(&d, Qt::Key_Escape);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        d.show();
        QTest::keyClick(&d, Qt::Key_Return); // "&Tlač" is the default button
        QCOMPARE(d.result(), int(QDialog::Accepted));
        for (QPushButton* b : d.findChildren<QPushButton*>()) {
            if (b->text() == "&Späť") {
                d.show();
                b->click();
                QCOMPARE(d.result(), int(QDialog::Rejected));
            }
        }
    }

    // The print command through its dialog. Only where no printer is installed: anywhere else
    // "&Tlač" would print on a real one.
    void printCommandRemembersTheChoice() {
        if (!DefaultPrinterName().isEmpty())
            QSKIP("a printer is installed");
        ViewerWindow w;
        QVERIFY(w.openReport(report("four.zst", Pages(4))));
        DialogCatcher catcher;
        catcher.handle = [](QDialog* d) {
            auto* p = qobject_cast<PrintDialog*>(d);
            if (!p)
                return false;
            p->rangeButton(PrintRange::Interval)->click();
            p->fromField()->setValue(2);
            p->toField()->setValue(3);
            p->copiesField()->setValue(2);
            p->accept();
            return true;
        };
        w.commandPrint();
        QCOMPARE(catcher.shown, QStringList{"vidoraw::PrintDialog"});
        QCOMPARE(w.lastPrintChoice(), (PrintChoice{PrintRange::Interval, 2, 3, 2}));
        // The next dialog is preset with it; "&Späť" changes nothing.
        catcher.handle = [](QDialog* d) {
            auto* p = qobject_cast<PrintDialog*>(d);
            if (!p)
                return false;
            if (!p->rangeButton(PrintRange::Interval)->isChecked() || p->fromField()->value() != 2 ||
                p->toField()->value() != 3 || p->copiesField()->value() != 2)
                return false;
            p->rangeButton(PrintRange::All)->click();
            p->reject();
            return true;
        };
        w.commandPrint();
        QCOMPARE(catcher.shown.size(), 2);
        QCOMPARE(w.lastPrintChoice(), (PrintChoice{PrintRange::Interval, 2, 3, 2}));
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
