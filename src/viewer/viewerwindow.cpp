#include "viewer/viewerwindow.h"

#include "core/base/numbertext.h"
#include "reports/format/reportadjust.h"
#include "reports/format/reportpainter.h"
#include "viewer/pageview.h"
#include "viewer/printspool.h"
#include "viewer/viewerdialogs.h"
#include "viewer/viewernotice.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QColorDialog>
#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace vidoraw {

namespace {

const QString kOznam = QStringLiteral("Oznam");
const QString kJobName = QStringLiteral("TLAČ ZOSTAVY");

enum Button { bFirst, bPrevious, bNext, bLast, bChosen, bPrint, bSearch, bContinue, bEnd };

// Pictures of the quick-control buttons, drawn rather than shipped.
QPixmap ButtonPicture(int which, QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    p.scale(w / 32.0, h / 30.0);
    const QColor ink(0, 70, 140);
    p.setPen(QPen(ink, 2));
    p.setBrush(ink);
    auto triangle = [&](double x, bool right) {
        QPolygonF t;
        if (right)
            t << QPointF(x, 6) << QPointF(x + 10, 15) << QPointF(x, 24);
        else
            t << QPointF(x + 10, 6) << QPointF(x, 15) << QPointF(x + 10, 24);
        p.drawPolygon(t);
    };
    switch (which) {
    case bFirst:
        p.drawRect(QRectF(6, 6, 3, 18));
        triangle(11, false);
        triangle(19, false);
        break;
    case bPrevious: triangle(11, false); break;
    case bNext: triangle(11, true); break;
    case bLast:
        triangle(3, true);
        triangle(11, true);
        p.drawRect(QRectF(23, 6, 3, 18));
        break;
    case bChosen: {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3, 18, 24));
        QFont f;
        f.setPixelSize(14);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(7, 3, 18, 24), Qt::AlignCenter, QStringLiteral("#"));
        break;
    }
    case bPrint:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 19, 14, 8));
        break;
    case bSearch:
    case bContinue:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 3));
        p.drawEllipse(QRectF(5, 4, 14, 14));
        p.drawLine(QPointF(17, 16), QPointF(26, 26));
        if (which == bContinue) {
            p.setPen(QPen(QColor(0, 140, 0), 2));
            p.setBrush(QColor(0, 140, 0));
            QPolygonF t;
            t << QPointF(22, 2) << QPointF(30, 7) << QPointF(22, 12);
            p.drawPolygon(t);
        }
        break;
    case bEnd:
        p.setBrush(QColor(160, 110, 60));
        p.drawRect(QRectF(8, 3, 16, 24));
        p.setBrush(Qt::yellow);
        p.drawEllipse(QRectF(19, 14, 3, 3));
        break;
    }
    return pm;
}

QIcon ButtonIcon(int which) {
    QIcon icon;
    icon.addPixmap(ButtonPicture(which, QSize(32, 30)));
    icon.addPixmap(ButtonPicture(which, QSize(16, 15)));
    return icon;
}

} // namespace

ViewerWindow::ViewerWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Prezerač zostavy [%1]").arg(QString()));
    setMinimumSize(550, 300);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize(1024, 768);
    settings = ReadViewerSettings(ViewerSettingsPath(), screenSize);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    quickBar = new QWidget(central);
    quickBar->setAutoFillBackground(true);
    layout->addWidget(quickBar);
    view = new PageView(state, central);
    layout->addWidget(view, 1);
    setCentralWidget(central);

    auto* status = new QStatusBar(this);
    status->setFixedHeight(20);
    status->setSizeGripEnabled(false);
    QPalette pal = status->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    status->setPalette(pal);
    status->setAutoFillBackground(true);
    QFont statusFont(ReportFontFamily(QStringLiteral("Tahoma")));
    statusFont.setPixelSize(12);
    status->setFont(statusFont);
    greeting = new QLabel(QStringLiteral("Prezerač zostavy - vitajte!"), status);
    sizeLabel = new QLabel(status);
    status->addWidget(greeting, 1);
    status->addPermanentWidget(sizeLabel);
    setStatusBar(status);

    buildMenu();
    buildQuickBar();

    action(QStringLiteral("mRychly"))->setChecked(settings.showSpeed);
    action(QStringLiteral("mStatus"))->setChecked(settings.showStatus);
    action(QStringLiteral("mIkony"))->setChecked(settings.largeIcons);
    quickBar->setVisible(settings.showSpeed);
    statusBar()->setVisible(settings.showStatus);
    layoutQuickBar();
    action(QStringLiteral("mPokracuj"))->setEnabled(false);
    setZoomIndex(settings.zoomIndex);
    documentChanged();
    view->setFocus();
}

ViewerWindow::~ViewerWindow() {
    if (writeSettings)
        WriteViewerSettings(ViewerSettingsPath(), currentSettings());
}

ViewerSettings ViewerWindow::currentSettings() const {
    ViewerSettings s = settings;
    s.zoomIndex = zoomIdx;
    s.maximised = isMaximized();
    if (!isMaximized()) {
        s.left = pos().x();
        s.top = pos().y();
        s.width = width();
        s.height = height();
    }
    return s;
}

void ViewerWindow::showFromSettings() {
    if (settings.maximised) {
        showMaximized();
        return;
    }
    move(settings.left, settings.top);
    resize(std::max(settings.width, minimumWidth()), std::max(settings.height, minimumHeight()));
    show();
}

QAction* ViewerWindow::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

// ---------------------------------------------------------------------------------------------
// Building

void ViewerWindow::buildMenu() {
    auto add = [this](QMenu* menu, const char* name, const QString& text, const QString& tip,
                      const QKeySequence& key, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setStatusTip(tip);
        if (!key.isEmpty())
            a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu* report = menuBar()->addMenu(QStringLiteral("&Zostava"));
    add(report, "mOtvor", QStringLiteral("&Otvor"), QStringLiteral("Otvorí súbor so zostavou"),
        QKeySequence(Qt::Key_F3), &ViewerWindow::commandOpen);
    add(report, "mTlac", QStringLiteral("Tlač zostavu"),
        QStringLiteral("Vytlačí zostavu alebo jej časť na tlačiarni"), QKeySequence(Qt::CTRL | Qt::Key_T),
        &ViewerWindow::commandPrint);
    add(report, "mPdf", QStringLiteral("Ulož ako P&DF"), QStringLiteral("Uloží zostavu do súboru PDF"),
        QKeySequence(), &ViewerWindow::commandSavePdf);
    report->addSeparator();
    add(report, "mKoniec", QStringLiteral("&Koniec"), QStringLiteral("Ukončenie prezerania zostavy"),
        QKeySequence(Qt::ALT | Qt::Key_X), &QWidget::close);

    QMenu* search = menuBar()->addMenu(QStringLiteral("&Hľadaj"));
    add(search, "mHladaj", QStringLiteral("&Hľadaj reťazec"), QStringLiteral("Vyhľadá reťazec v zostave"),
        QKeySequence(Qt::CTRL | Qt::Key_H), &ViewerWindow::commandSearch);
    add(search, "mPokracuj", QStringLiteral("&Pokračuj v hľadaní"), QStringLiteral("Vyhľadá ďalší reťazec"),
        QKeySequence(Qt::CTRL | Qt::Key_L), &ViewerWindow::commandContinueSearch);

    QMenu* setup = menuBar()->addMenu(QStringLiteral("&Nastavenie"));
    QAction* speed = add(setup, "mRychly", QStringLiteral("&Rýchly ovládač"),
                         QStringLiteral("Zobrazí panel rýchleho ovládania"), QKeySequence(),
                         [this](bool on) { setQuickBarShown(on); });
    speed->setCheckable(true);
    QAction* status = add(setup, "mStatus", QStringLiteral("&Stavový riadok"),
                          QStringLiteral("Zobrazí stavový riadok"), QKeySequence(),
                          [this](bool on) { setStatusLineShown(on); });
    status->setCheckable(true);
    QAction* icons = add(setup, "mIkony", QStringLiteral("&Veľké ikony"),
                         QStringLiteral("Zobrazenie veľkých ikon v paneli rýchleho ovládania"),
                         QKeySequence(), [this](bool on) { setLargeIcons(on); });
    icons->setCheckable(true);
    setup->addSeparator();
    add(setup, "mFont", QStringLiteral("&Font"), QStringLiteral("Nastavenie fontu všetkýc výpisov"),
        QKeySequence(), &ViewerWindow::commandFont);
    add(setup, "mFarba", QStringLiteral("Far&ba"), QStringLiteral("Nastavá farbu čiar"), QKeySequence(),
        &ViewerWindow::commandLineColour);
    add(setup, "mVypln", QStringLiteral("Farba výpl&ne"), QStringLiteral("Nastaví farbu výplne"),
        QKeySequence(), &ViewerWindow::commandFillColour);
    add(setup, "mPosun", QStringLiteral("&Posun zostavy"),
        QStringLiteral("Posun zostavy na strane v smere x a y"), QKeySequence(), &ViewerWindow::commandShift);
    add(setup, "mZvacsenie", QStringLiteral("&Zväčšenie alebo zmenšenie"),
        QStringLiteral("Zväčšenie alebo zmenšenie zostavy"), QKeySequence(), &ViewerWindow::commandScale);

    QMenu* zoom = menuBar()->addMenu(QStringLiteral("Zo&brazenie"));
    zoomGroup = new QActionGroup(this);
    zoomGroup->setExclusive(true);
    for (int i = 0; i < kZoomCount; ++i) {
        QAction* a = zoom->addAction(ZoomMenuText(i));
        a->setObjectName(QStringLiteral("mZoom%1").arg(i));
        a->setCheckable(true);
        a->setStatusTip(i == kZoomPageWidth    ? QStringLiteral("Šírka stránky")
                        : i == kZoomPageHeight ? QStringLiteral("Výška stránky")
                                               : QStringLiteral("Zobrazenie %1 %").arg(ZoomPercent(i, 0, 0)));
        zoomGroup->addAction(a);
        zoomActions[i] = a;
        connect(a, &QAction::triggered, this, [this, i] { setZoomIndex(i); });
    }

    QMenu* page = menuBar()->addMenu(QStringLiteral("&Strana"));
    add(page, "mPrva", QStringLiteral("&Prvá"), QStringLiteral("Zobrazí prvú stranu zostavy"), QKeySequence(),
        &ViewerWindow::firstPage);
    add(page, "mPredosla", QStringLiteral("P&redošlá"), QStringLiteral("Zobrazí predchádzajúcu stranu zostavy"),
        QKeySequence(), &ViewerWindow::previousPage);
    add(page, "mDalsia", QStringLiteral("Ď&alšia"), QStringLiteral("Zobrazí nasledujúcu stranu zostavy"),
        QKeySequence(), &ViewerWindow::nextPage);
    add(page, "mPosledna", QStringLiteral("P&osledná"), QStringLiteral("Zobrazí poslednú stranu zostavy"),
        QKeySequence(), &ViewerWindow::lastPage);
    add(page, "mKonkretna", QStringLiteral("&Konkrétna "),
        QStringLiteral("Umožní vybrať konkrétnu stranu zostavy"), QKeySequence(),
        &ViewerWindow::commandPageNumber);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Pomoc"));
    add(help, "mPomoc", QStringLiteral("&Pomoc"), QStringLiteral("Zobrazí súbor s nápovednými informáciami"),
        QKeySequence(Qt::CTRL | Qt::Key_P), &ViewerWindow::commandHelp);
    add(help, "mOPrograme", QStringLiteral("&O programe"),
        QStringLiteral("Zobrazí informáciu o programe a autorovi"), QKeySequence(Qt::CTRL | Qt::Key_O),
        &ViewerWindow::commandAbout);
}

void ViewerWindow::buildQuickBar() {
    static const char* const names[9] = {"mPrva",  "mPredosla", "mDalsia",   "mPosledna", "mKonkretna",
                                         "mTlac",  "mHladaj",   "mPokracuj", "mKoniec"};
    for (int i = 0; i < 9; ++i) {
        auto* b = new QToolButton(quickBar);
        b->setObjectName(QStringLiteral("sb%1").arg(i));
        QAction* a = action(QString::fromLatin1(names[i]));
        b->setDefaultAction(a);
        a->setIcon(ButtonIcon(i));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        buttons[i] = b;
    }
    zoomList = new QComboBox(quickBar);
    zoomList->setObjectName(QStringLiteral("cbZoom"));
    zoomList->setFocusPolicy(Qt::NoFocus);
    // The list is 80 pixels wide: a small face keeps "100%-šírka" whole.
    QFont listFont(ReportFontFamily(QStringLiteral("Tahoma")));
    listFont.setPixelSize(11);
    zoomList->setFont(listFont);
    zoomList->view()->setMinimumWidth(110);
    for (int i = 0; i < kZoomCount; ++i)
        zoomList->addItem(ZoomListText(i, 100));
    connect(zoomList, &QComboBox::activated, this, [this](int i) { setZoomIndex(i); });
    indicator = new QLabel(quickBar);
    indicator->setObjectName(QStringLiteral("lStrana"));
}

void ViewerWindow::layoutQuickBar() {
    const bool large = settings.largeIcons;
    const int barHeight = large ? 44 : 29;
    quickBar->setFixedHeight(barHeight);
    const int step = large ? 42 : 27;
    const QSize icon = large ? QSize(32, 30) : QSize(16, 15);
    const int bw = large ? 40 : 25, bh = large ? 38 : 23;
    for (int i = 0; i < 9; ++i) {
        buttons[i]->setIconSize(icon);
        const int w = i == bEnd ? (large ? 58 : 28) : bw;
        buttons[i]->setGeometry(2 + i * step, (barHeight - bh) / 2, w, bh);
    }
    const int listX = large ? 410 : 260;
    zoomList->setGeometry(listX, (barHeight - 24) / 2, 80, 24);
    indicator->setGeometry(large ? 500 : 350, 0, 120, barHeight);
}

// ---------------------------------------------------------------------------------------------
// Document

bool ViewerWindow::openReport(const QString& fileName, bool tell) {
    if (printing)
        return false;
    const bool ok = state.open(fileName);
    if (!ok && tell)
        ViewerNotice(kOznam, QStringLiteral("Zostavu sa nepodarilo načítať."), this);
    setWindowTitle(QStringLiteral("Prezerač zostavy [%1]").arg(fileName));
    documentChanged();
    return ok;
}

void ViewerWindow::documentChanged() {
    sizeLabel->setText(sizeText());
    updateZoomEntries();
    view->setZoom(zoomPercent());
    pageChanged();
}

void ViewerWindow::pageChanged() {
    updateNavigation();
    repaintPage();
}

void ViewerWindow::repaintPage() { view->viewport()->update(); }

QString ViewerWindow::pageIndicator() const {
    const int n = state.pageCount();
    return QStringLiteral("%1 z %2").arg(n == 0 ? 0 : state.currentIndex() + 1).arg(n);
}

QString ViewerWindow::sizeText() const {
    const QSizeF s = state.pageSizeMm();
    return QStringLiteral("X: ") + FormatFixed(s.width(), 2, u'.') + QStringLiteral(" Y: ") +
           FormatFixed(s.height(), 2, u'.');
}

void ViewerWindow::updateNavigation() {
    const int n = state.pageCount(), i = state.currentIndex();
    const bool several = n > 1;
    action(QStringLiteral("mPrva"))->setEnabled(several && i > 0);
    action(QStringLiteral("mPredosla"))->setEnabled(several && i > 0);
    action(QStringLiteral("mDalsia"))->setEnabled(several && i < n - 1);
    action(QStringLiteral("mPosledna"))->setEnabled(several && i < n - 1);
    action(QStringLiteral("mKonkretna"))->setEnabled(several);
    action(QStringLiteral("mPokracuj"))->setEnabled(state.hasFound());
    indicator->setText(pageIndicator());
}

void ViewerWindow::firstPage() {
    if (state.pageCount() == 0)
        return;
    state.setCurrentIndex(0);
    pageChanged();
}

void ViewerWindow::previousPage() {
    if (state.currentIndex() > 0) {
        state.setCurrentIndex(std::min(state.currentIndex(), state.pageCount()) - 1);
        pageChanged();
    }
}

void ViewerWindow::nextPage() {
    if (state.currentIndex() < state.pageCount() - 1) {
        state.setCurrentIndex(state.currentIndex() + 1);
        pageChanged();
    }
}

void ViewerWindow::lastPage() {
    if (state.pageCount() == 0)
        return;
    state.setCurrentIndex(state.pageCount() - 1);
    pageChanged();
}

bool ViewerWindow::goToPageNumber(int number) {
    if (number < 1 || number > state.pageCount()) {
        ViewerNotice(kOznam, QStringLiteral("Nesprávne číslo stránky!"), this);
        return false;
    }
    state.setCurrentIndex(number - 1);
    pageChanged();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Zoom

int ViewerWindow::zoomPercent() const { return ZoomPercent(zoomIdx, widthZoom, heightZoom); }

QString ViewerWindow::zoomListText() const { return zoomList->currentText(); }

void ViewerWindow::updateZoomEntries() {
    const QSizeF page = state.pageSizeMm();
    widthZoom = std::max(1, PageWidthZoom(view->viewport()->width(), view->dpiX(), page.width()));
    heightZoom = std::max(1, PageHeightZoom(view->viewport()->height(), view->dpiY(), page.height()));
    zoomList->setItemText(kZoomPageWidth, ZoomListText(kZoomPageWidth, widthZoom));
    zoomList->setItemText(kZoomPageHeight, ZoomListText(kZoomPageHeight, heightZoom));
}

void ViewerWindow::setZoomIndex(int index) {
    if (index < 0 || index >= kZoomCount)
        index = kDefaultZoomIndex;
    zoomIdx = index;
    zoomActions[index]->setChecked(true);
    zoomList->setCurrentIndex(index);
    updateZoomEntries();
    view->setZoom(zoomPercent());
}

void ViewerWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    updateZoomEntries();
    view->setZoom(zoomPercent());
}

void ViewerWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    updateZoomEntries();
    view->setZoom(zoomPercent());
}

// ---------------------------------------------------------------------------------------------
// Search

void ViewerWindow::showFound() {
    const FoundPlace f = state.found();
    if (!f.valid())
        return;
    state.setCurrentIndex(f.page);
    pageChanged();
    view->bringIntoView(view->markRect());
    repaintPage();
}

bool ViewerWindow::findText(const QString& text, bool caseSensitive) {
    if (text.isEmpty()) {
        ViewerNotice(kOznam, QStringLiteral("Hľadaný reťazec nesmie byť prázdny!"), this);
        return false;
    }
    settings.searchText = text;
    settings.caseSensitive = caseSensitive;
    const FoundPlace f = state.search(text, caseSensitive);
    if (!f.valid()) {
        repaintPage();
        ViewerNotice(kOznam, QStringLiteral("Ďalší výskyt hľadaného reťazca sa nenašiel!"), this);
        return false;
    }
    showFound();
    return true;
}

bool ViewerWindow::findNext() {
    if (settings.searchText.isEmpty())
        return false;
    const FoundPlace f = state.searchAgain(settings.searchText, settings.caseSensitive);
    if (!f.valid()) {
        repaintPage();
        ViewerNotice(kOznam, QStringLiteral("Ďalší výskyt hľadaného reťazca sa nenašiel!"), this);
        return false;
    }
    showFound();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Adjustments

void ViewerWindow::applyShift(double dx, double dy) {
    lastDx = dx;
    lastDy = dy;
    state.report().apply([dx, dy](ReportObject& o) { MoveObject(o, dx, dy); });
    repaintPage();
}

bool ViewerWindow::applyScale(double sx, double sy) {
    if (sx < 0.1) {
        ViewerNotice(kOznam, QStringLiteral("Príliš malý koeficient zmenšenia v smere x!"), this);
        return false;
    }
    if (sy < 0.1) {
        ViewerNotice(kOznam, QStringLiteral("Príliš malý koeficient zmenšenia v smere y!"), this);
        return false;
    }
    lastSx = sx;
    lastSy = sy;
    state.report().apply([sx, sy](ReportObject& o) { ScaleObject(o, sx, sy); });
    repaintPage();
    return true;
}

void ViewerWindow::applyFont(const QString& face) {
    lastFace = face;
    state.report().apply([face](ReportObject& o) { SetObjectFont(o, face); });
    repaintPage();
}

void ViewerWindow::applyLineColour(const QColor& colour) {
    lastLine = colour;
    const ReportColour c = ReportColourOf(colour);
    state.report().apply([c](ReportObject& o) { SetObjectLineColour(o, c); });
    repaintPage();
}

void ViewerWindow::applyFillColour(const QColor& colour) {
    lastFill = colour;
    const ReportColour c = ReportColourOf(colour);
    state.report().apply([c](ReportObject& o) { SetObjectFillColour(o, c); });
    repaintPage();
}

// ---------------------------------------------------------------------------------------------
// Printing

bool ViewerWindow::printTo(PrintJob& job, const PrintChoice& choice, bool showProgress) {
    if (printing)
        return false;
    rememberPrintChoice(choice);
    const QVector<int> pages = PrintPageList(state.pageCount(), state.currentIndex(), choice.range,
                                             choice.from, choice.to, choice.copies);
    if (pages.isEmpty())
        return false;
    QPagedPaintDevice& device = job.device();
    if (auto* printer = dynamic_cast<QPrinter*>(&device))
        printer->setDocName(kJobName);
    const ReportPagePtr first = state.report().page(0);
    device.setPageOrientation(first->orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    device.setPageSize(QPageSize(first->paper == 1 ? QPageSize::A3 : QPageSize::A4));

    // The document must stay as it is while its pages are drawn: nothing may open another
    // report, print again or close the window until the job has ended.
    printing = true;
    std::unique_ptr<PrintProgressDialog> window;
    if (showProgress) {
        // A window of its own: a disabled main window disables its child windows too.
        window = std::make_unique<PrintProgressDialog>();
        window->setWindowModality(Qt::ApplicationModal);
        window->adjustSize();
        window->move(frameGeometry().center() - window->rect().center());
        setEnabled(false);
        window->show();
        progress = window.get();
    }
    auto before = [&](int sent) {
        if (!window)
            return true;
        window->setSent(sent + 1);
        QApplication::processEvents();
        return !window->cancelled();
    };
    const bool ok = PrintReportPages(job, state.report(), pages, before);
    progress = nullptr;
    window.reset();
    setEnabled(true);
    printing = false;
    return ok;
}

bool ViewerWindow::savePdf(const QString& fileName) {
    QString error;
    if (!SaveReportPdf(state.report(), fileName, &error)) {
        ViewerNotice(kOznam, error, this);
        return false;
    }
    return true;
}

// "Od" and "Do" are kept only from an interval; the range and the copies always.
void ViewerWindow::rememberPrintChoice(const PrintChoice& choice) {
    lastPrint.range = choice.range;
    if (choice.range == PrintRange::Interval) {
        lastPrint.from = choice.from;
        lastPrint.to = choice.to;
    }
    lastPrint.copies = choice.copies;
}

void ViewerWindow::commandPrint() {
    if (printing || state.pageCount() == 0)
        return;
    // The report's own printer when this system has it, otherwise the default one.
    QPrinter printer(QPrinter::HighResolution);
    if (PrinterExists(state.printerName()))
        printer.setPrinterName(state.printerName());
    const bool hasPrinter =
        printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty();
    PrintDialog dialog(hasPrinter ? printer.printerName() : QString(), hasPrinter ? &printer : nullptr,
                       lastPrint, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PrintChoice choice = dialog.choice();
    if (!hasPrinter) {
        // No printer to make a device for: nothing happens, but the choice is kept.
        rememberPrintChoice(choice);
        return;
    }
    // Copies are made here, collated, so every printer gives the same result.
    printer.setCopyCount(1);
    const QString printerName = printer.printerName();
    SpooledPrintJob job(printer);
    const bool drawn = job.ok() && printTo(job, choice, true);
    if (!job.finish(drawn, kJobName) && drawn)
        ViewerNotice(kOznam,
                     QStringLiteral("Zostavu sa nepodarilo odovzdať tlačiarni %1.").arg(printerName),
                     this);
}

// ---------------------------------------------------------------------------------------------
// Commands with dialogs

void ViewerWindow::commandOpen() {
    if (printing)
        return;
    QFileDialog dialog(this, QStringLiteral("Otvor"), QDir::currentPath());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Súbory so zostavou (*.ZST *.zst)"),
                           QStringLiteral("Definičné súbory zostavy (*.DSZ *.dsz)")});
    dialog.setDefaultSuffix(QStringLiteral("ZST"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    openReport(dialog.selectedFiles().first());
}

void ViewerWindow::commandSavePdf() {
    if (state.pageCount() == 0)
        return;
    QString suggested = state.fileName();
    suggested = QFileInfo(suggested).completeBaseName() + QStringLiteral(".pdf");
    const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Ulož ako PDF"),
                                                      QDir::current().filePath(suggested),
                                                      QStringLiteral("PDF (*.pdf)"));
    if (!name.isEmpty())
        savePdf(name);
}

void ViewerWindow::commandSearch() {
    SearchDialog dialog(settings.searchText, settings.caseSensitive, this);
    if (dialog.exec() == QDialog::Accepted)
        findText(dialog.text(), dialog.caseSensitive());
}

void ViewerWindow::commandContinueSearch() { findNext(); }

void ViewerWindow::commandPageNumber() {
    if (state.pageCount() <= 1)
        return;
    PageNumberDialog dialog(state.pageCount(), state.currentIndex() + 1, this);
    if (dialog.exec() == QDialog::Accepted)
        goToPageNumber(dialog.chosen());
}

void ViewerWindow::commandShift() {
    TwoNumbersDialog dialog(TwoNumbersDialog::Shift, lastDx, lastDy, this);
    if (dialog.exec() == QDialog::Accepted)
        applyShift(dialog.x(), dialog.y());
}

void ViewerWindow::commandScale() {
    TwoNumbersDialog dialog(TwoNumbersDialog::Scale, lastSx, lastSy, this);
    if (dialog.exec() == QDialog::Accepted)
        applyScale(dialog.x(), dialog.y());
}

void ViewerWindow::commandFont() {
    FontChoiceDialog dialog(lastFace, this);
    if (dialog.exec() == QDialog::Accepted && !dialog.face().isEmpty())
        applyFont(dialog.face());
}

void ViewerWindow::commandLineColour() {
    const QColor c = QColorDialog::getColor(lastLine, this);
    if (c.isValid())
        applyLineColour(c);
}

void ViewerWindow::commandFillColour() {
    const QColor c = QColorDialog::getColor(lastFill, this);
    if (c.isValid())
        applyFillColour(c);
}

void ViewerWindow::commandHelp() {
    // The print set-up dialog; its result is not used.
    QPrinter printer;
    QPageSetupDialog dialog(&printer, this);
    dialog.exec();
}

void ViewerWindow::commandAbout() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Verifikácia"),
                    QStringLiteral("PREZERAČ ZOSTAVY\nverzia 1.0"), QMessageBox::Ok, this);
    box.exec();
}

// ---------------------------------------------------------------------------------------------
// Settings switches and keys

void ViewerWindow::setStatusLineShown(bool on) {
    settings.showStatus = on;
    action(QStringLiteral("mStatus"))->setChecked(on);
    statusBar()->setVisible(on);
}

void ViewerWindow::setQuickBarShown(bool on) {
    settings.showSpeed = on;
    action(QStringLiteral("mRychly"))->setChecked(on);
    quickBar->setVisible(on);
}

void ViewerWindow::setLargeIcons(bool on) {
    settings.largeIcons = on;
    action(QStringLiteral("mIkony"))->setChecked(on);
    layoutQuickBar();
}

void ViewerWindow::closeEvent(QCloseEvent* e) {
    if (printing) {
        e->ignore();
        return;
    }
    QMainWindow::closeEvent(e);
}

void ViewerWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

} // namespace vidoraw
