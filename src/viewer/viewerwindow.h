#pragma once
// The main window of zorode: menu, quick-control bar, page view and status line around one
// ViewerSession. Every command has a method that does its work without a dialog, so tests
// (and scripts) can drive the window without a modal loop; the menu commands only add the
// dialog in front.
#include "viewer/viewercore.h"
#include "viewer/viewersettings.h"

#include <QColor>
#include <QMainWindow>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QToolButton;

namespace vidoraw {

class PageView;
class PrintProgressDialog;

class ViewerWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads ZORODE.KFG from the settings directory; the destructor writes it back.
    explicit ViewerWindow(QWidget* parent = nullptr);
    ~ViewerWindow() override;

    // Opens a report. On failure the view is empty and, with `tell`, the user is told
    // "Zostavu sa nepodarilo načítať.". Refused while a printout runs.
    bool openReport(const QString& fileName, bool tell = true);
    // Shows the window maximised or at the saved place and size.
    void showFromSettings();

    ViewerSession& session() { return state; }
    PageView* pageView() const { return view; }
    QAction* action(const QString& objectName) const;
    ViewerSettings currentSettings() const;
    // Whether the destructor writes ZORODE.KFG (not when the program ends before it starts).
    void setSettingsWritten(bool on) { writeSettings = on; }

    // Navigation; a page change repaints and keeps the scroll positions.
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    bool goToPageNumber(int number); // 1..pages, else the notice
    int currentPageNumber() const { return state.currentIndex() + 1; }
    QString pageIndicator() const;   // "%d z %d"
    QString sizeText() const;        // "X: 210.00 Y: 297.00"

    void setZoomIndex(int index);
    int zoomIndex() const { return zoomIdx; }
    int zoomPercent() const;
    QString zoomListText() const;

    // Search from the first object, and on from the last find; false (with the notice) when
    // nothing more is found. The text and the switch are remembered in the settings.
    bool findText(const QString& text, bool caseSensitive);
    bool findNext();

    // Document-wide adjustments, each remembered as the dialog's next preset.
    void applyShift(double dx, double dy);
    bool applyScale(double sx, double sy); // false (with the notice) below 0.1
    void applyFont(const QString& face);
    void applyLineColour(const QColor& colour);
    void applyFillColour(const QColor& colour);

    // Printing without the dialog: the range and copies as the dialog would give them; they
    // become the dialog's next preset. With the progress window the main window is disabled
    // until the job ends, and "&Storno" abandons the job. False when nothing was sent.
    bool printTo(PrintJob& job, const PrintChoice& choice, bool showProgress = false);
    bool isPrinting() const { return printing; }
    PrintChoice lastPrintChoice() const { return lastPrint; }
    // The open progress window while a printout runs with one, else null.
    PrintProgressDialog* printProgress() const { return progress; }
    bool savePdf(const QString& fileName);

    void setStatusLineShown(bool on);
    void setQuickBarShown(bool on);
    void setLargeIcons(bool on);

public slots:
    void commandOpen();
    void commandPrint();
    void commandSavePdf();
    void commandSearch();
    void commandContinueSearch();
    void commandPageNumber();
    void commandShift();
    void commandScale();
    void commandFont();
    void commandLineColour();
    void commandFillColour();
    void commandHelp();
    void commandAbout();

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void buildMenu();
    void buildQuickBar();
    void layoutQuickBar();
    void documentChanged();
    void pageChanged();
    void updateNavigation();
    void updateZoomEntries();
    void repaintPage();
    void showFound();
    void rememberPrintChoice(const PrintChoice& choice);

    ViewerSession state;
    ViewerSettings settings;
    PageView* view = nullptr;
    QWidget* quickBar = nullptr;
    QToolButton* buttons[9] = {};
    QComboBox* zoomList = nullptr;
    QLabel* indicator = nullptr;
    QLabel* greeting = nullptr;
    QLabel* sizeLabel = nullptr;
    QActionGroup* zoomGroup = nullptr;
    QAction* zoomActions[kZoomCount] = {};
    int zoomIdx = kDefaultZoomIndex;
    int widthZoom = 100;
    int heightZoom = 100;
    bool writeSettings = true;

    // Run-time presets of the dialogs.
    double lastDx = 0, lastDy = 0;
    double lastSx = 1, lastSy = 1;
    QString lastFace = QStringLiteral("Arial");
    QColor lastLine = Qt::black;
    QColor lastFill = Qt::white;
    PrintChoice lastPrint;
    bool printing = false;
    PrintProgressDialog* progress = nullptr;
};

} // namespace vidoraw
