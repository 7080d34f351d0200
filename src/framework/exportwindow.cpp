#include "framework/exportwindow.h"

#include "core/base/codepage.h"
#include "core/engine/collation.h"
#include "core/interaction.h"
#include "core/modulenumbers.h"
#include "core/settings.h"
#include "framework/desktopfile.h"
#include "framework/grids.h"
#include "framework/tablemodel.h"
#include "framework/tfbrowse.h"
#include "framework/tfdbform.h"
#include "framework/views.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vidoraw {

namespace {

const QString kSection = QStringLiteral("EXPEXC");
constexpr int kLastStartRow = 1048575; // the heading needs a row below it

QTableWidget* makeColumnList(QWidget* parent) {
    auto* list = new EditGrid(0, 2, parent);
    list->setHorizontalHeaderLabels({QStringLiteral("Pole"), QStringLiteral("Popis poľa")});
    list->setColumnWidth(0, 90);
    list->horizontalHeader()->setStretchLastSection(true);
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setMinimumSize(240, 200);
    return list;
}

void setRows(QTableWidget* list, const QList<ExportColumn>& rows) {
    list->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        list->setItem(r, 0, new QTableWidgetItem(rows[r].name));
        list->setItem(r, 1, new QTableWidgetItem(rows[r].description));
    }
}

void setCurrent(QTableWidget* list, int row) {
    if (list->rowCount() == 0)
        return;
    const int r = std::clamp(row, 0, list->rowCount() - 1);
    list->setCurrentCell(r, std::max(0, list->currentColumn()));
}

QPushButton* arrowButton(const QString& text, const QString& hint, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    b->setFixedWidth(44);
    return b;
}

} // namespace

TfExportm::TfExportm(TfDbForm& form, TfBrowse* browser, QWidget* parent)
    : TfMojForm(form.app(), parent), exportDirectory(DefaultExportDirectory()), form_(form),
      browser_(browser) {
    setWindowTitle(QStringLiteral("Export pre Excel"));
    auto* layout = new QVBoxLayout(this);

    auto* lists = new QGridLayout;
    sgPolia = makeColumnList(this);
    sgExport = makeColumnList(this);
    auto* lPolia = new QLabel(QStringLiteral("Zoznam &polí:"), this);
    lPolia->setBuddy(sgPolia);
    auto* lExport = new QLabel(QStringLiteral("Exportované po&lia"), this);
    lExport->setBuddy(sgExport);
    lists->addWidget(lPolia, 0, 0);
    lists->addWidget(lExport, 0, 2);
    lists->addWidget(sgPolia, 1, 0);
    auto* arrows = new QVBoxLayout;
    bVpravo = arrowButton(QStringLiteral(">"), QStringLiteral("Pridá pole medzi exportované"), this);
    bVlavo = arrowButton(QStringLiteral("<"), QStringLiteral("Vráti pole medzi nevybraté"), this);
    bVsetkyVpravo = arrowButton(QStringLiteral(">>"), QStringLiteral("Pridá všetky polia"), this);
    bVsetkyVlavo = arrowButton(QStringLiteral("<<"), QStringLiteral("Vráti všetky polia"), this);
    bHore = arrowButton(QStringLiteral("↑"), QStringLiteral("Posunie pole vyššie"), this);
    bDole = arrowButton(QStringLiteral("↓"), QStringLiteral("Posunie pole nižšie"), this);
    arrows->addStretch(1);
    for (QPushButton* b : {bVpravo, bVlavo, bVsetkyVpravo, bVsetkyVlavo, bHore, bDole})
        arrows->addWidget(b);
    arrows->addStretch(1);
    lists->addLayout(arrows, 1, 1);
    lists->addWidget(sgExport, 1, 2);
    layout->addLayout(lists, 2);

    auto* lookup = new QHBoxLayout;
    eInaTabulka = new QLineEdit(this);
    ePopis = new QLineEdit(this);
    bPridaj = new QPushButton(QStringLiteral("Prid&aj"), this);
    bPridaj->setAutoDefault(false);
    auto* lIna = new QLabel(QStringLiteral("&Z inej tabuľky:"), this);
    lIna->setBuddy(eInaTabulka);
    lookup->addWidget(lIna);
    lookup->addWidget(eInaTabulka, 3);
    lookup->addWidget(new QLabel(QStringLiteral("Popis:"), this));
    lookup->addWidget(ePopis, 2);
    lookup->addWidget(bPridaj);
    layout->addLayout(lookup);

    auto* commands = new QHBoxLayout;
    eOdRiadku = new QLineEdit(this);
    eOdRiadku->setMaxLength(7);
    eOdRiadku->setFixedWidth(70);
    cbOdStlpca = new QComboBox(this);
    for (char c = 'A'; c <= 'Z'; ++c)
        cbOdStlpca->addItem(QString(QLatin1Char(c)));
    commands->addWidget(new QLabel(QStringLiteral("Od riadku:"), this));
    commands->addWidget(eOdRiadku);
    commands->addWidget(new QLabel(QStringLiteral("Od stlpca:"), this));
    commands->addWidget(cbOdStlpca);
    commands->addStretch(1);
    bSpustExcel = new QPushButton(QStringLiteral("Spusť E&xcel"), this);
    bExport = new QPushButton(QStringLiteral("&Export pre Excel"), this);
    bUkoncExcel = new QPushButton(QStringLiteral("&Ukonč Excel"), this);
    bCsv = new QPushButton(QStringLiteral("Export v tvare &csv"), this);
    bTlac = new QPushButton(QStringLiteral("&Tlač zostavu"), this);
    for (QPushButton* b : {bSpustExcel, bExport, bUkoncExcel, bCsv, bTlac}) {
        b->setAutoDefault(false);
        commands->addWidget(b);
    }
    layout->addLayout(commands);

    auto* grid = new ListGrid(this);
    dgUdaje = grid;
    dgUdaje->setAccessibleName(QStringLiteral("Údaje"));
    dgUdaje->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dgUdaje->setSelectionMode(QAbstractItemView::NoSelection);
    dgUdaje->verticalHeader()->hide();
    dgUdaje->setMinimumHeight(150);
    model_ = new TableModel(this);
    model_->rowColours = [this](int row) {
        return ListRowColours(app().listColours, row, row == form_.table().recNo(), false);
    };
    dgUdaje->setModel(model_);
    auto* lUdaje = new QLabel(QStringLiteral("Údaje"), this);
    layout->addWidget(lUdaje);
    layout->addWidget(dgUdaje, 1);
    layout->addWidget(makeButtonStrip());
    bbSpat->hide(); // the window closes with OK only, as a list does
    resize(720, 560);

    // The grids use the arrow keys themselves.
    upArrowMoves = false;
    downArrowMoves = false;
    sgPolia->installEventFilter(this);
    sgExport->installEventFilter(this);

    connect(bVpravo, &QPushButton::clicked, this, &TfExportm::moveToExport);
    connect(bVlavo, &QPushButton::clicked, this, &TfExportm::moveBack);
    connect(bVsetkyVpravo, &QPushButton::clicked, this, &TfExportm::moveAllToExport);
    connect(bVsetkyVlavo, &QPushButton::clicked, this, &TfExportm::moveAllBack);
    connect(bHore, &QPushButton::clicked, this, &TfExportm::moveUp);
    connect(bDole, &QPushButton::clicked, this, &TfExportm::moveDown);
    connect(bPridaj, &QPushButton::clicked, this, [this] { addLookupColumn(); });
    connect(sgPolia, &QTableWidget::cellDoubleClicked, this, [this] { moveToExport(); });
    connect(sgExport, &QTableWidget::cellDoubleClicked, this, [this] { moveBack(); });
    connect(sgPolia->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TfExportm::sortFields);
    connect(bSpustExcel, &QPushButton::clicked, this, &TfExportm::startSpreadsheet);
    connect(bUkoncExcel, &QPushButton::clicked, this, &TfExportm::endSpreadsheet);
    connect(bExport, &QPushButton::clicked, this, [this] { exportToSpreadsheet(); });
    connect(bCsv, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(bTlac, &QPushButton::clicked, this, [this] { printReport(); });

    const IniFile ini(QString::fromLatin1(kMainSettingsFile));
    eOdRiadku->setText(ini.readString(kSection, QStringLiteral("RIADOKOD")));
    cbOdStlpca->setCurrentIndex(
        std::clamp(ini.readInteger(kSection, QStringLiteral("STLPECOD")), 0, 25));
    setSpreadsheetButtons(false);
    (void)form_.OpenTable();
    fillFieldList();
    showColumns();
    setCurrent(sgPolia, 0);
}

TfExportm::~TfExportm() {
    // The grid must not read the list's table once the window is going.
    model_->setTable(nullptr);
}

QString TfExportm::fieldDescription(const QString& field) const {
    QString title;
    if (LookupField(app(), module::kPohlad, QStringLiteral("UZIV;TAB;POLE"),
                    {app().userName, form_.listKey(), field}, QStringLiteral("POPIS"), title) &&
        !title.trimmed().isEmpty())
        return title;
    return field;
}

void TfExportm::fillFieldList() {
    const int row = sgPolia->currentRow();
    QList<ExportColumn> fields;
    for (const FieldDef& def : form_.table().fieldDefs()) {
        const bool chosen = std::any_of(columns_.begin(), columns_.end(),
                                        [&](const ExportColumn& c) { return c.name == def.name; });
        if (!chosen)
            fields << ExportColumn{def.name, fieldDescription(def.name)};
    }
    if (sortColumn_ >= 0)
        std::stable_sort(fields.begin(), fields.end(),
                         [this](const ExportColumn& a, const ExportColumn& b) {
                             const QString& x = sortColumn_ == 0 ? a.name : a.description;
                             const QString& y = sortColumn_ == 0 ? b.name : b.description;
                             return CompareSlovak(x, y, true) < 0;
                         });
    setRows(sgPolia, fields);
    setCurrent(sgPolia, row < 0 ? 0 : row);
}

void TfExportm::showColumns() {
    const int row = sgExport->currentRow();
    setRows(sgExport, columns_);
    setCurrent(sgExport, row);
    // The data grid shows the export columns that are fields of the table, in export order.
    Table& t = form_.table();
    QStringList fields;
    QStringList titles;
    for (const ExportColumn& c : columns_)
        if (!IsLookupColumnName(c.name) && t.hasField(c.name)) {
            fields << c.name;
            titles << c.description;
        }
    model_->setTable(fields.isEmpty() ? nullptr : &t, fields);
    for (int i = 0; i < titles.size(); ++i)
        model_->setHeaderTitle(i, titles[i]);
    if (t.recNo() >= 0 && t.recNo() < model_->rowCount())
        dgUdaje->scrollTo(model_->index(t.recNo(), 0));
}

void TfExportm::moveToExport() {
    const int r = sgPolia->currentRow();
    if (r < 0 || r >= sgPolia->rowCount())
        return;
    columns_ << ExportColumn{sgPolia->item(r, 0)->text(), sgPolia->item(r, 1)->text()};
    fillFieldList();
    showColumns();
    setCurrent(sgExport, int(columns_.size()) - 1);
}

void TfExportm::moveBack() {
    const int r = sgExport->currentRow();
    if (r < 0 || r >= columns_.size())
        return;
    columns_.removeAt(r);
    fillFieldList();
    showColumns();
    setCurrent(sgExport, r);
}

void TfExportm::moveAllToExport() {
    for (int r = 0; r < sgPolia->rowCount(); ++r)
        columns_ << ExportColumn{sgPolia->item(r, 0)->text(), sgPolia->item(r, 1)->text()};
    fillFieldList();
    showColumns();
}

void TfExportm::moveAllBack() {
    columns_.clear();
    fillFieldList();
    showColumns();
}

void TfExportm::moveUp() {
    const int r = sgExport->currentRow();
    if (r <= 0 || r >= columns_.size())
        return;
    columns_.swapItemsAt(r, r - 1);
    fillFieldList();
    showColumns();
    setCurrent(sgExport, r - 1);
}

void TfExportm::moveDown() {
    const int r = sgExport->currentRow();
    if (r < 0 || r + 1 >= columns_.size())
        return;
    columns_.swapItemsAt(r, r + 1);
    fillFieldList();
    showColumns();
    setCurrent(sgExport, r + 1);
}

bool TfExportm::addLookupColumn() {
    const QString column = trimmedText(eInaTabulka);
    const QString description = trimmedText(ePopis);
    if (column.isEmpty() || description.isEmpty() || !ParseLookupColumn(column))
        return false;
    columns_ << ExportColumn{column, description};
    fillFieldList();
    showColumns();
    setCurrent(sgExport, int(columns_.size()) - 1);
    return true;
}

void TfExportm::sortFields(int column) {
    if (column < 0 || column > 1)
        return;
    sortColumn_ = column;
    fillFieldList();
}

bool TfExportm::fieldKeyPress(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        search_.clear();
        return false; // the grid moves
    case Qt::Key_Backspace:
        search_.clear();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            return false;
        search_.clear(); // the next field is looked for anew
        moveToExport();
        return true;
    default:
        break;
    }
    if (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))
        return false;
    const QString typed = event->text();
    if (typed.size() != 1)
        return false;
    const QChar ch = typed.at(0);
    if (!((ch.unicode() >= 32 && ch.unicode() <= 128) || HasDiacritics(ch)))
        return false;
    search_ += ch;
    const int column = std::max(0, sgPolia->currentColumn());
    for (int r = 0; r < sgPolia->rowCount(); ++r)
        if (sgPolia->item(r, column)->text().startsWith(search_, Qt::CaseInsensitive)) {
            sgPolia->setCurrentCell(r, column);
            break;
        }
    return true;
}

void TfExportm::showEvent(QShowEvent* event) {
    TfMojForm::showEvent(event);
    sgPolia->setFocus(Qt::OtherFocusReason);
}

bool TfExportm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (watched == sgPolia && fieldKeyPress(k))
            return true;
        if (watched == sgExport && k->modifiers() == Qt::NoModifier &&
            (k->key() == Qt::Key_Delete || k->key() == Qt::Key_Backspace)) {
            moveBack();
            return true;
        }
    }
    return TfMojForm::eventFilter(watched, event);
}

void TfExportm::setSpreadsheetButtons(bool started) {
    bSpustExcel->setEnabled(!started);
    bExport->setEnabled(started);
    bUkoncExcel->setEnabled(started);
}

void TfExportm::startSpreadsheet() {
    book_ = std::make_unique<SpreadsheetWorkbook>(QStringLiteral("List1"));
    // A file of its own for each workbook: one the spreadsheet program still shows is never
    // written over by the next workbook.
    const QString base = QFileInfo(form_.table().tableName()).completeBaseName() +
                         QDateTime::currentDateTime().toString(QStringLiteral("-yyyyMMdd-HHmmss"));
    const QDir dir(exportDirectory);
    bookPath_ = dir.filePath(base + QStringLiteral(".xlsx"));
    for (int n = 2; QFileInfo::exists(bookPath_); ++n)
        bookPath_ = dir.filePath(base + QStringLiteral("-%1.xlsx").arg(n));
    setSpreadsheetButtons(true);
}

void TfExportm::endSpreadsheet() {
    book_.reset();
    bookPath_.clear();
    setSpreadsheetButtons(false);
}

int TfExportm::exportToSpreadsheet() {
    if (!book_)
        return 0;
    if (columns_.isEmpty()) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Nie sú vybraté žiadne polia. Niet čo exportovať!"),
                   NoticeKind::Information, this);
        return 0;
    }
    bool isNumber = false;
    const int firstRow = eOdRiadku->text().trimmed().toInt(&isNumber);
    if (!isNumber || firstRow < 1 || firstRow > kLastStartRow) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Od riadku: zadajte celé číslo od 1 do %1!").arg(kLastStartRow),
                   NoticeKind::Error, this);
        failField(eOdRiadku);
        return 0;
    }
    const int firstColumn = cbOdStlpca->currentIndex() + 1;
    Table& t = form_.table();
    QList<ExportRecord> records;
    QString error;
    if (!CollectExportRecords(app(), t, columns_, records, &error)) {
        ShowNotice(QStringLiteral("Chyba"), error, NoticeKind::Error, this);
        return 0;
    }
    const QStringList failed =
        WriteExportCells(*book_, t.fieldDefs(), columns_, records, firstRow, firstColumn);
    if (!book_->save(bookPath_, &error)) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Zošit sa nepodarilo zapísať: %1").arg(error),
                   NoticeKind::Error, this);
        return 0;
    }
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Export údajov ukončený! Exportovali sme: %1 záznamov !")
                   .arg(records.size()),
               NoticeKind::Information, this);
    if (!failed.isEmpty()) {
        const QString list = QDir(exportDirectory).filePath(QStringLiteral("chyby.txt"));
        // The list is the user's own values: characters code page 1250 cannot hold are
        // written as "?" and named in the message.
        QString lost;
        QString text = QStringLiteral("Nepodarilo sa prekonvertovať: %1 hodnôt! Zoznam je v súbore %2 !")
                           .arg(failed.size())
                           .arg(QDir::toNativeSeparators(list));
        if (!WriteCp1250Lines(list, failed, &lost, &error, false))
            text = error;
        else if (!lost.isEmpty())
            text += QStringLiteral(" Znaky %1 sú v ňom zapísané ako \"?\".").arg(lost);
        ShowNotice(QStringLiteral("Oznam"), text, NoticeKind::Information, this);
    }
    if (!ShowOnDesktop(app(), bookPath_))
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Zošit %1 sa nepodarilo otvoriť tabuľkovým programom.")
                       .arg(QDir::toNativeSeparators(bookPath_)),
                   NoticeKind::Error, this);
    return int(records.size());
}

QString TfExportm::exportCsv() {
    if (columns_.isEmpty()) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Nie sú vybraté žiadne polia. Nie je čo exportovať!"),
                   NoticeKind::Information, this);
        return QString();
    }
    Table& t = form_.table();
    QList<ExportRecord> records;
    QString error;
    if (!CollectExportRecords(app(), t, columns_, records, &error)) {
        ShowNotice(QStringLiteral("Chyba"), error, NoticeKind::Error, this);
        return QString();
    }
    const QString path = QDir(exportDirectory).filePath(ExportCsvFileName(t.tableName()));
    QString lost;
    if (!WriteCp1250Lines(path, ExportCsvLines(columns_, records), &lost, &error)) {
        ShowNotice(QStringLiteral("Chyba"),
                   lost.isEmpty()
                       ? error
                       : QStringLiteral("Súbor %1 sme nezapísali: znaky %2 sa v kódovej stránke "
                                        "1250 nedajú zapísať!")
                             .arg(QDir::toNativeSeparators(path), lost),
                   NoticeKind::Error, this);
        return QString();
    }
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Údaje sú v súbore: %1!").arg(QDir::toNativeSeparators(path)),
               NoticeKind::Information, this);
    return path;
}

bool TfExportm::printReport() {
    // Only fields of the table can be printed.
    QStringList fields;
    QStringList captions;
    Table& t = form_.table();
    for (const ExportColumn& c : columns_)
        if (!IsLookupColumnName(c.name) && t.hasField(c.name)) {
            fields << c.name;
            captions << c.description;
        }
    if (fields.isEmpty()) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Nie sú vybraté žiadne polia. Nie je čo tlačiť!"),
                   NoticeKind::Information, this);
        return false;
    }
    return RunReport(
        app().reports,
        [&](ReportWriter& w, const QString& file) {
            return w.ReportDataSet(t, fields, {QStringLiteral("Exportované údaje")}, captions, 0,
                                   0, 10, 10, file);
        },
        this);
}

void TfExportm::saveSettings() {
    IniFile ini(QString::fromLatin1(kMainSettingsFile));
    ini.writeString(kSection, QStringLiteral("RIADOKOD"), eOdRiadku->text().trimmed());
    ini.writeInteger(kSection, QStringLiteral("STLPECOD"), cbOdStlpca->currentIndex());
}

bool TfExportm::closeWithOk() {
    endSpreadsheet();
    saveSettings();
    return true;
}

bool TfExportm::closeWithBack() {
    endSpreadsheet();
    saveSettings();
    return true;
}

void RunExport(TfDbForm& form, TfBrowse* browser) {
    form.ownerBrowser = browser;
    if (!form.OpenTable())
        return;
    Table& t = form.table();
    const bool positioned = t.recNo() >= 0;
    const qint64 mark = t.bookmark();
    QWidget* owner = browser ? static_cast<QWidget*>(browser) : form.app().mainWindow;
    {
        TfExportm dialog(form, browser, owner);
        dialog.centreOver(owner);
        dialog.showModal();
    }
    // The list comes back as it was: its record, and its columns as the user's view sets them.
    if (positioned && t.bookmark() != mark)
        (void)t.gotoBookmark(mark);
    if (browser) {
        browser->syncGridToTable();
        ApplyView(form.app(), form.listKey(), *browser->grid);
    }
}

} // namespace vidoraw
