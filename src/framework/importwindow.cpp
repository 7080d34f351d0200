#include "framework/importwindow.h"

#include "core/base/codepage.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "framework/celleditbox.h"
#include "framework/grids.h"
#include "framework/pairedrowspainter.h"
#include "framework/tfbrowse.h"
#include "framework/tfdbform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>

namespace vidoraw {

namespace {

const QString kSection = QStringLiteral("IMPEXC");
constexpr int kFlagRole = Qt::UserRole + 1;

bool IsEnter(const QKeyEvent* k) {
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
           (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// The two pictures of "Importuj": a green tick for "A", a red cross for "N".
QIcon FlagPicture(bool on) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(on ? QColor(0, 150, 0) : QColor(200, 0, 0), 2.5);
    p.setPen(pen);
    if (on) {
        p.drawLine(QPointF(3, 8.5), QPointF(6.5, 12));
        p.drawLine(QPointF(6.5, 12), QPointF(13, 4));
    } else {
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    }
    return QIcon(picture);
}

// "Importuj" as its picture only.
class ImportCellPainter : public PairedRowsPainter {
public:
    using PairedRowsPainter::PairedRowsPainter;

protected:
    void adjust(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        if (index.column() == TfImpexcm::cImportuj) {
            option->text.clear();
            option->decorationAlignment = Qt::AlignCenter;
            option->displayAlignment = Qt::AlignCenter;
        }
    }
};

} // namespace

TfImpexcm::TfImpexcm(TfDbForm& form, QWidget* parent) : TfMojForm(form.app(), parent), form_(form) {
    setWindowTitle(QStringLiteral("Import údajov z Excelu"));
    eMenoSub = rows().newEdit(0, 40);
    bVyber = new QPushButton(QStringLiteral("..."), this);
    bVyber->setAutoDefault(false);
    bVyber->setFixedWidth(30);
    auto* fileRow = new QHBoxLayout;
    fileRow->setContentsMargins(0, 0, 0, 0);
    fileRow->addWidget(eMenoSub, 1);
    fileRow->addWidget(bVyber);
    rows().addRow(QStringLiteral("Meno súboru:"), fileRow);
    eMenoList = rows().addRow(QStringLiteral("Meno listu:"), 31, 20);
    eRiadokOd = rows().newEdit(7, 8);
    eRiadokDo = rows().newEdit(7, 8);
    rows().addPairRow(QStringLiteral("Riadok od:"), eRiadokOd, QStringLiteral("Riadok do:"),
                      eRiadokDo);
    cbAutoInc = new QCheckBox(QStringLiteral("Automaticky inkrementuj pole KOD"), this);
    rows().addRow(QString(), cbAutoInc);

    sgImport = new EditGrid(0, 4, this);
    sgImport->setHorizontalHeaderLabels({QStringLiteral("Meno poľa"),
                                         QStringLiteral("Stĺpec v Exceli"),
                                         QStringLiteral("Importuj"), QStringLiteral("Konštanta")});
    for (auto [c, w] : {std::pair{cMeno, 100}, {cStlpec, 100}, {cImportuj, 40}, {cKonstanta, 100}})
        sgImport->setColumnWidth(c, w);
    sgImport->verticalHeader()->hide();
    sgImport->horizontalHeader()->setStretchLastSection(true);
    // Cells change only through the drop-down, the toggle and the box below.
    sgImport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgImport->setSelectionMode(QAbstractItemView::SingleSelection);
    sgImport->setSelectionBehavior(QAbstractItemView::SelectItems);
    // The arrows move between cells; Tab goes on to the buttons, which have no letters.
    sgImport->setTabKeyNavigation(false);
    sgImport->setItemDelegate(new ImportCellPainter(app().listColours, sgImport));
    sgImport->setMinimumSize(380, 220);
    sgImport->installEventFilter(this);
    rows().addWide(sgImport);
    cbStlpec = new QComboBox(sgImport->viewport());
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        cbStlpec->addItem(QString(QChar(c)));
    cbStlpec->hide();
    cbStlpec->installEventFilter(this);
    connect(cbStlpec, &QComboBox::activated, this, [this](int) { closeLetterList(true); });
    eBunka = new CellEditBox(sgImport, [this](int r, int c, const QString& text) {
        setCellText(r, c, text);
    });

    bSpustExcel = new QPushButton(QStringLiteral("Spusť Excel"), this);
    bUkoncExcel = new QPushButton(QStringLiteral("Ukonč Excel"), this);
    bImport = new QPushButton(QStringLiteral("Spusť import údajov"), this);
    auto* commands = new QWidget(this);
    auto* line = new QHBoxLayout(commands);
    line->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : {bSpustExcel, bUkoncExcel, bImport}) {
        b->setAutoDefault(false);
        line->addWidget(b);
    }
    line->addStretch(1);
    rows().addWide(commands);
    lPocet = new QLabel(this);
    rows().addWide(lPocet);
    finishLayout();
    bbOk->hide();
    bbSpat->setText(QStringLiteral("&Návrat"));
    enableImport(false);

    connect(bVyber, &QPushButton::clicked, this, &TfImpexcm::chooseFile);
    connect(bSpustExcel, &QPushButton::clicked, this, [this] { startExcel(); });
    connect(bUkoncExcel, &QPushButton::clicked, this, &TfImpexcm::endExcel);
    connect(bImport, &QPushButton::clicked, this, [this] { runImport(); });
    connect(sgImport, &QTableWidget::cellClicked, this, [this](int r, int c) {
        if (c == cImportuj && r >= 0)
            toggleImported(r);
    });
    connect(sgImport, &QTableWidget::cellDoubleClicked, this, [this](int r, int c) {
        if (r < 0)
            return;
        if (c == cStlpec)
            openLetterList();
        else if (c == cKonstanta)
            openCellBox(cellText(r, c), false);
    });
    connect(sgImport, &QTableWidget::currentCellChanged, this, [this] {
        closeLetterList(true);
    });
    upArrowMoves = false;
    downArrowMoves = false;
    fillGrid();
}

TfImpexcm::~TfImpexcm() = default;

void TfImpexcm::fillGrid() {
    sgImport->setRowCount(0);
    if (!form_.OpenTable())
        return;
    const Table& t = form_.table();
    const FieldDefs& defs = t.fieldDefs();
    sgImport->setRowCount(t.tableFieldCount());
    for (int p = 0; p < t.tableFieldCount(); ++p) {
        const QString letter = ProposedColumnLetter(p);
        for (int c = 0; c < 4; ++c)
            sgImport->setItem(p, c, new QTableWidgetItem);
        sgImport->item(p, cMeno)->setText(defs[p].name);
        setCellText(p, cStlpec, letter);
        sgImport->item(p, cImportuj)->setData(kFlagRole, false);
        toggleImported(p);
    }
    if (sgImport->rowCount() > 0)
        sgImport->setCurrentCell(0, cStlpec);
}

QString TfImpexcm::cellText(int row, int column) const {
    if (column == cImportuj)
        return imported(row) ? QStringLiteral("A") : QStringLiteral("N");
    const QTableWidgetItem* item = sgImport->item(row, column);
    return item ? item->text() : QString();
}

void TfImpexcm::setCellText(int row, int column, const QString& text) {
    QTableWidgetItem* item = sgImport->item(row, column);
    if (!item)
        return;
    if (column == cImportuj) {
        if ((text == QLatin1String("A")) != imported(row))
            toggleImported(row);
        return;
    }
    item->setText(text);
    if (column == cStlpec) {
        // Past Z the letter is a character of its own; the spreadsheet calls that column AA, ...
        const int n = ColumnOfLetter(text);
        item->setToolTip(n > 26 ? QStringLiteral("Stĺpec %1").arg(SpreadsheetColumnName(n))
                                : QString());
    }
}

bool TfImpexcm::imported(int row) const {
    const QTableWidgetItem* item = sgImport->item(row, cImportuj);
    return item && item->data(kFlagRole).toBool();
}

void TfImpexcm::toggleImported(int row) {
    QTableWidgetItem* item = sgImport->item(row, cImportuj);
    if (!item)
        return;
    const bool on = !item->data(kFlagRole).toBool();
    item->setData(kFlagRole, on);
    item->setIcon(FlagPicture(on));
    item->setToolTip(on ? QStringLiteral("A") : QStringLiteral("N"));
}

ImportRun TfImpexcm::currentRun() const {
    ImportRun run;
    for (int r = 0; r < sgImport->rowCount(); ++r)
        run.columns << ImportColumn{cellText(r, cMeno), cellText(r, cStlpec), imported(r),
                                    cellText(r, cKonstanta)};
    run.sheet = eMenoList->text().trimmed();
    run.autoNumber = cbAutoInc->isChecked();
    return run;
}

void TfImpexcm::loadSettings() {
    const IniFile ini(QString::fromLatin1(kMainSettingsFile));
    eMenoSub->setText(ini.readString(kSection, QStringLiteral("MENOSUB")));
    eMenoList->setText(ini.readString(kSection, QStringLiteral("MENOLIST")));
    eRiadokOd->setText(ini.readString(kSection, QStringLiteral("RIADOKOD")));
    eRiadokDo->setText(ini.readString(kSection, QStringLiteral("RIADOKDO")));
    cbAutoInc->setChecked(ini.readString(kSection, QStringLiteral("AUTOINC")) ==
                          QLatin1String("A"));
}

void TfImpexcm::saveSettings() const {
    IniFile ini(QString::fromLatin1(kMainSettingsFile));
    ini.writeString(kSection, QStringLiteral("MENOSUB"), eMenoSub->text());
    ini.writeString(kSection, QStringLiteral("MENOLIST"), eMenoList->text());
    ini.writeString(kSection, QStringLiteral("RIADOKOD"), eRiadokOd->text());
    ini.writeString(kSection, QStringLiteral("RIADOKDO"), eRiadokDo->text());
    ini.writeString(kSection, QStringLiteral("AUTOINC"),
                    cbAutoInc->isChecked() ? QStringLiteral("A") : QStringLiteral("N"));
}

void TfImpexcm::showEvent(QShowEvent* event) {
    loadSettings();
    TfMojForm::showEvent(event);
}

void TfImpexcm::hideEvent(QHideEvent* event) {
    saveSettings();
    TfMojForm::hideEvent(event);
}

void TfImpexcm::enableImport(bool on) {
    bImport->setEnabled(on);
    bUkoncExcel->setEnabled(on);
}

void TfImpexcm::chooseFile() {
    QFileDialog dialog(this, QStringLiteral("Import údajov z Excelu"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Excelovské súbroy (*.xlsx *.xls *.csv)"),
                           QStringLiteral("Všetky súbory (*)")});
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    const QFileInfo start(eMenoSub->text().trimmed());
    dialog.setDirectory(start.absoluteDir().exists() ? start.absolutePath() : QDir::homePath());
    if (start.isFile())
        dialog.selectFile(start.absoluteFilePath());
    if (RunDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    eMenoSub->setText(dialog.selectedFiles().constFirst());
    focusField(eMenoSub);
}

bool TfImpexcm::startExcel() {
    endExcel();
    const QString path = eMenoSub->text().trimmed();
    QString error;
    std::unique_ptr<Workbook> book = Workbook::open(path, &error);
    if (!book) {
        ShowNotice(QStringLiteral("Chyba"), error, NoticeKind::Error, this);
        return false;
    }
    book_ = std::move(book);
    const QFileInfo info(path);
    bookPath_ = path;
    bookModified_ = info.lastModified();
    bookSize_ = info.size();
    enableImport(true);
    return true;
}

void TfImpexcm::endExcel() {
    book_.reset();
    bookPath_.clear();
    enableImport(false);
}

bool TfImpexcm::closeWithBack() {
    endExcel();
    return true;
}

bool TfImpexcm::wholeNumber(QLineEdit* box, int& value) {
    const QString text = trimmedText(box);
    bool ok = false;
    value = text.toInt(&ok);
    if (ok)
        return true;
    ShowNotice(QStringLiteral("Chyba"), QStringLiteral(" Nesprávne celé číslo! "),
               NoticeKind::Error, this);
    failField(box);
    return false;
}

int TfImpexcm::runImport() {
    closeCellBox(false);
    closeLetterList(true);
    ImportRun run = currentRun();
    if (std::none_of(run.columns.begin(), run.columns.end(),
                     [](const ImportColumn& c) { return c.import; })) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Nie je označené ani jedno pole pre import!"),
                   NoticeKind::Information, this);
        return 0;
    }
    if (!wholeNumber(eRiadokOd, run.firstRow) || !wholeNumber(eRiadokDo, run.lastRow))
        return 0;
    if (!book_)
        return 0;
    // A workbook saved again since it was opened is read anew: the user may have corrected it.
    const QFileInfo info(bookPath_);
    if (info.lastModified() != bookModified_ || info.size() != bookSize_) {
        const QString path = bookPath_;
        const QString typed = eMenoSub->text();
        eMenoSub->setText(path);
        const bool reopened = startExcel();
        eMenoSub->setText(typed);
        if (!reopened)
            return 0;
    }
    Database* db = form_.table().database();
    if (!db)
        return 0;
    lPocet->setText(QStringLiteral("Počet importovaných záznamov: 0"));
    const ImportResult result = ImportSheetRows(
        *db, form_.table().tableName(), *book_, run, [this](int count) {
            lPocet->setText(QStringLiteral("Počet importovaných záznamov: %1").arg(count));
            lPocet->repaint();
        });
    lPocet->setText(QStringLiteral("Počet importovaných záznamov: %1").arg(result.imported));
    form_.table().refresh();
    if (!result.ok) {
        ShowNotice(QStringLiteral("Chyba"),
                   result.error + QStringLiteral("\nNeimportovali sme žiadny záznam!"),
                   NoticeKind::Error, this);
        return 0;
    }
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Import ukončený, importovali sme: %1 záznamov!").arg(result.imported),
               NoticeKind::Information, this);
    return result.imported;
}

void TfImpexcm::openLetterList() {
    const int r = sgImport->currentRow();
    if (r < 0)
        return;
    QRect at = sgImport->visualRect(sgImport->model()->index(r, cStlpec));
    at.setHeight(std::max(at.height(), cbStlpec->sizeHint().height()));
    cbStlpec->setGeometry(at);
    {
        const QSignalBlocker quiet(cbStlpec); // presetting is no choice
        cbStlpec->setCurrentIndex(cbStlpec->findText(cellText(r, cStlpec)));
    }
    cbStlpec->show();
    cbStlpec->setFocus(Qt::OtherFocusReason);
}

void TfImpexcm::closeLetterList(bool keep) {
    if (!cbStlpec->isVisible())
        return;
    const int r = sgImport->currentRow();
    // Nothing chosen from the list keeps the cell's own letter (which may lie past Z).
    if (keep && r >= 0 && cbStlpec->currentIndex() >= 0)
        setCellText(r, cStlpec, cbStlpec->currentText());
    cbStlpec->hide();
    sgImport->setFocus(Qt::OtherFocusReason);
}

void TfImpexcm::openCellBox(const QString& text, bool typed) {
    const int r = sgImport->currentRow();
    if (r < 0 || sgImport->currentColumn() != cKonstanta)
        return;
    eBunka->openOver(text, typed);
}

void TfImpexcm::closeCellBox(bool store) { eBunka->finish(store); }

bool TfImpexcm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sgImport && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const int r = sgImport->currentRow();
        const int c = sgImport->currentColumn();
        if (k->key() == Qt::Key_Escape) {
            pressBack();
            return true;
        }
        if (r < 0 || (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return TfMojForm::eventFilter(watched, event);
        const QString text = k->text();
        const bool space = k->key() == Qt::Key_Space;
        if (c == cStlpec && IsEnter(k)) {
            openLetterList();
            return true;
        }
        if (c == cImportuj && (IsEnter(k) || space)) {
            toggleImported(r);
            return true;
        }
        if (c == cKonstanta) {
            if (IsEnter(k)) {
                openCellBox(cellText(r, c), false);
                return true;
            }
            if (text.size() == 1 && OpensCellBox(text[0])) {
                openCellBox(text, true);
                return true;
            }
        }
        if (IsEnter(k))
            return true; // Enter stays in the grid
    }
    if (watched == cbStlpec) {
        if (event->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(event);
            if (IsEnter(k) || k->key() == Qt::Key_Escape) {
                closeLetterList(IsEnter(k));
                return true;
            }
        } else if (event->type() == QEvent::FocusOut &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            QTimer::singleShot(0, this, [this] {
                if (!cbStlpec->hasFocus() && !cbStlpec->view()->isVisible())
                    closeLetterList(true);
            });
        }
    }
    return TfMojForm::eventFilter(watched, event);
}

void RunSpreadsheetImport(TfDbForm& form, TfBrowse* browser) {
    form.ownerBrowser = browser;
    QWidget* owner = browser ? static_cast<QWidget*>(browser) : form.app().mainWindow;
    TfImpexcm dialog(form, owner);
    dialog.centreOver(owner);
    dialog.showModal();
    if (browser)
        browser->RefreshStep();
}

} // namespace vidoraw
