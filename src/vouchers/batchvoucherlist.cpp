#include "vouchers/batchvoucherlist.h"

#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "core/values.h"
#include "framework/formrows.h"
#include "framework/orderdialogs.h"
#include "framework/tablemodel.h"
#include "framework/tfbrowse.h"
#include "framework/views.h"
#include "vouchers/birthnumber.h"
#include "framework/systemrecord.h"
#include "vouchers/poukazvd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <functional>

namespace vidoraw {

namespace {

const QString kListKey = QStringLiteral("POUKAZ");
const QString kPlacement = QStringLiteral("POLOHA");
constexpr int kMinWidth = 632;
constexpr int kMinHeight = 400;

} // namespace

const QStringList& TfZoznamPoukazov::orders() {
    static const QStringList o = {QStringLiteral("KODFA;KODDAV;KOD"),
                                  QStringLiteral("KODFA;KODDAV;RODCIS"),
                                  QStringLiteral("KODFA;KODDAV;PRIEZVISK")};
    return o;
}

TfZoznamPoukazov::TfZoznamPoukazov(AppContext& app, qint64 invoiceCode, qint64 batchCode,
                                   qint64 batchNumber, QWidget* parent)
    : QDialog(parent), app_(app), invoice_(invoiceCode), batch_(batchCode),
      cursor_(std::make_unique<Table>()) {
    setWindowTitle(QStringLiteral("Zoznam poukazov dávky"));
    setMinimumSize(kMinWidth, kMinHeight);

    // The invoice as its own tables hold it, reached by module number.
    QStringList inv;
    LookupFields(app, module::kFaktura, QStringLiteral("KOD"), {invoiceCode},
                 {QStringLiteral("CISFAK"), QStringLiteral("OBDMM"), QStringLiteral("OBDRR"),
                  QStringLiteral("KODZML")},
                 inv);
    QStringList contract;
    if (!inv.value(3).isEmpty())
        LookupFields(app, module::kZmluva, QStringLiteral("KOD"), {inv.value(3)},
                     {QStringLiteral("CISZML"), QStringLiteral("ICOPOI"), QStringLiteral("KODPOI")},
                     contract);
    QString insurerName;
    if (!contract.value(2).isEmpty())
        LookupField(app, module::kPoist, QStringLiteral("CPOI"), {contract.value(2)},
                    QStringLiteral("NAZOV"), insurerName);
    qint64 month = 0, year = 0;
    IntegerFromText(inv.value(1), month);
    IntegerFromText(inv.value(2), year);
    first_ = QDate(int(year), int(month), 1);
    last_ = first_.isValid() ? first_.addMonths(1).addDays(-1) : QDate();

    auto* outer = new QVBoxLayout(this);
    // The invoice in two columns, so that the grid keeps most of the window.
    auto* frame = new QGroupBox(QStringLiteral(" Definícia faktúry "));
    auto* columns = new QHBoxLayout(frame);
    auto* leftColumn = new QWidget(frame);
    auto* rightColumn = new QWidget(frame);
    columns->addWidget(leftColumn);
    columns->addWidget(rightColumn, 1);
    FormRows leftRows(leftColumn);
    FormRows rightRows(rightColumn);
    auto shown = [](FormRows& rows, const QString& label, const QString& text, int width) {
        QLineEdit* e = rows.addRow(label, 0, width);
        e->setText(text);
        FormRows::makeDisplayOnly(e);
        return e;
    };
    eKod = shown(leftRows, QStringLiteral("Kód:"), QString::number(invoiceCode), 8);
    eCisfak = shown(leftRows, QStringLiteral("Číslo faktúry:"), inv.value(0), 12);
    eObdobie = shown(leftRows, QStringLiteral("Účtovné obdobie:"), inv.value(1) + '.' + inv.value(2), 8);
    eDavka = shown(leftRows, QStringLiteral("Dávka:"), QString::number(batchNumber), 8);
    eKodDavky = shown(leftRows, QStringLiteral("Kód dávky:"), QString::number(batchCode), 8);
    eZmluva = shown(rightRows, QStringLiteral("Zmluva:"), inv.value(3), 8);
    eCiszml = shown(rightRows, QStringLiteral("Číslo zmluvy:"), contract.value(0), 25);
    eIco = shown(rightRows, QStringLiteral("IČO:"), contract.value(1), 12);
    ePoistovna = shown(rightRows, QStringLiteral("Poisťovňa:"), contract.value(2) + ' ' + insurerName, 30);
    outer->addWidget(frame);

    grid = new QTableView;
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The row header is the PC column: the voucher's position in the list as ordered.
    grid->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->installEventFilter(this);
    outer->addWidget(grid, 1);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& text, std::function<void()> run) {
        auto* b = new QPushButton(text);
        b->setAutoDefault(false);
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, run);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* add = button(QStringLiteral("Pridaj"), [this] {
        const bool alt = altClick_;
        altClick_ = false;
        commandAdd(alt);
    });
    add->installEventFilter(this);
    add->setObjectName(QStringLiteral("Pridaj"));
    button(QStringLiteral("Kópia"), [this] { commandCopy(); });
    button(QStringLiteral("Zmaž"), [this] { commandDelete(); });
    button(QStringLiteral("Oprav"), [this] { commandEdit(); });
    button(QStringLiteral("Index"), [this] { commandIndex(); });
    button(QStringLiteral("Hľadaj"), [this] { commandSearch(); });
    button(QStringLiteral("Ukáž"), [this] { commandShow(); });
    button(QStringLiteral("Späť"), [this] { reject(); });
    outer->addLayout(buttons);

    // A cursor of its own over the batch's vouchers.
    TfPoukazvd* f = form();
    if (f && f->OpenTable()) {
        cursor_->setDatabase(f->table().database());
        cursor_->setTableName(f->table().tableName());
        if (cursor_->open() &&
            cursor_->setFilterText(QStringLiteral("KODFA = %1 and KODDAV = %2").arg(invoiceCode).arg(batchCode))) {
            cursor_->setFiltered(true);
            (void)cursor_->setOrder(orders()[0]);
        }
    }
    model_ = new TableModel(this);
    model_->setTable(cursor_.get());
    grid->setModel(model_);
    const bool markBirthNumbers = SystemFlag(app, QStringLiteral("RCMOD11"));
    const int rodcis = model_->columnOf(QStringLiteral("RODCIS"));
    model_->rowColours = [this](int row) {
        const bool current = grid->currentIndex().row() == row;
        return ListRowColours(app_.listColours, row, current, false);
    };
    model_->cellColours = [this, markBirthNumbers, rodcis](int row, int column) -> std::optional<TableModel::RowColours> {
        if (!markBirthNumbers || column != rodcis || grid->currentIndex().row() == row)
            return std::nullopt;
        const QString number = model_->data(model_->index(row, column), Qt::DisplayRole).toString();
        if (BirthNumberValid(number))
            return std::nullopt;
        return MarkedCellColours();
    };
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid->viewport(),
            [this] { grid->viewport()->update(); });
    ApplyView(app, kListKey, *grid);

    // Position and size as last left.
    IniFile ini(QString::fromLatin1(kMainSettingsFile));
    const int w = std::max(kMinWidth, ini.readInteger(kPlacement, QStringLiteral("WIDTH_POUKAZY")));
    const int h = std::max(kMinHeight, ini.readInteger(kPlacement, QStringLiteral("HEIGHT_POUKAZY")));
    int left = ini.readInteger(kPlacement, QStringLiteral("LEFT_POUKAZY"));
    int top = ini.readInteger(kPlacement, QStringLiteral("TOP_POUKAZY"));
    resize(w, h);
    if (left < 0 || top < 0) {
        const QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry()
                                                           : QRect(0, 0, 1024, 768);
        left = screen.x() + (screen.width() - w) / 2;
        top = screen.y() + (screen.height() - h) / 2;
    }
    move(left, top);
    if (voucherCount() > 0)
        grid->selectRow(0);
}

TfZoznamPoukazov::~TfZoznamPoukazov() {
    grid->setModel(nullptr);
    cursor_->close();
}

int TfZoznamPoukazov::showModal() { return RunDialog(*this); }

TfPoukazvd* TfZoznamPoukazov::form() {
    return dynamic_cast<TfPoukazvd*>(app_.registry.module(module::kPoukazv));
}

void TfZoznamPoukazov::saveGeometrySettings() {
    IniFile ini(QString::fromLatin1(kMainSettingsFile));
    ini.writeInteger(kPlacement, QStringLiteral("LEFT_POUKAZY"), x());
    ini.writeInteger(kPlacement, QStringLiteral("TOP_POUKAZY"), y());
    ini.writeInteger(kPlacement, QStringLiteral("WIDTH_POUKAZY"), width());
    ini.writeInteger(kPlacement, QStringLiteral("HEIGHT_POUKAZY"), height());
    SaveView(app_, kListKey, *grid);
}

void TfZoznamPoukazov::closeEvent(QCloseEvent* event) {
    saveGeometrySettings();
    QDialog::closeEvent(event);
}

void TfZoznamPoukazov::reject() {
    saveGeometrySettings();
    QDialog::reject();
}

int TfZoznamPoukazov::voucherCount() { return cursor_->isOpen() ? cursor_->recordCount() : 0; }

int TfZoznamPoukazov::currentPc() const {
    if (!model_ || model_->rowCount() == 0)
        return 0;
    const int row = grid->currentIndex().row();
    return row < 0 ? 0 : row + 1;
}

qint64 TfZoznamPoukazov::currentCode() {
    const int row = grid->currentIndex().row();
    if (row < 0 || row >= model_->rowCount() || !cursor_->gotoRecNo(row))
        return 0;
    return cursor_->field(QStringLiteral("KOD")).asInteger();
}

// Re-read, staying on the voucher that was current (or the first one when it is gone).
void TfZoznamPoukazov::reload() { moveTo(currentCode()); }

void TfZoznamPoukazov::moveTo(qint64 voucherCode) {
    cursor_->refresh();
    model_->reload();
    for (int r = 0; r < model_->rowCount(); ++r) {
        if (cursor_->gotoRecNo(r) && cursor_->field(QStringLiteral("KOD")).asInteger() == voucherCode) {
            grid->selectRow(r);
            return;
        }
    }
    if (model_->rowCount() > 0)
        grid->selectRow(0);
}

bool TfZoznamPoukazov::setOrderIndex(int order) {
    if (order < 0 || order >= orders().size())
        return false;
    const qint64 code = currentCode();
    if (!cursor_->setOrder(orders()[order]))
        return false;
    order_ = order;
    moveTo(code);
    return true;
}

void TfZoznamPoukazov::handOver(bool mayChange, int sequenceNumber) {
    VoucherBatchContext c;
    c.invoiceCode = invoice_;
    c.batchCode = batch_;
    c.prescriptionDate = first_;
    c.dispensingDate = last_;
    c.mayChange = mayChange;
    c.sequenceNumber = sequenceNumber;
    form()->setBatchContext(c);
}

bool TfZoznamPoukazov::formOnCurrent() {
    const qint64 code = currentCode();
    TfPoukazvd* f = form();
    return code != 0 && f && f->OpenTable() && FindByKey(f->table(), QStringLiteral("KOD"), code);
}

void TfZoznamPoukazov::commandAdd(bool continuous) {
    TfPoukazvd* f = form();
    if (!f)
        return;
    f->beginAddingSeries();
    for (;;) {
        handOver(true, voucherCount() + 1);
        const int saved = f->AddRecord();
        f->leaveBatch();
        if (saved != 1)
            break;
        moveTo(f->table().field(QStringLiteral("KOD")).asInteger());
        if (!continuous)
            break;
    }
    reload();
}

void TfZoznamPoukazov::commandCopy() {
    if (!formOnCurrent())
        return;
    TfPoukazvd* f = form();
    handOver(true, voucherCount() + 1);
    const int saved = f->CopyRecord();
    f->leaveBatch();
    if (saved == 1)
        moveTo(f->table().field(QStringLiteral("KOD")).asInteger());
    else
        reload();
}

void TfZoznamPoukazov::commandEdit() {
    if (!formOnCurrent())
        return;
    TfPoukazvd* f = form();
    handOver(true, currentPc());
    const int saved = f->EditRecord();
    f->leaveBatch();
    if (saved == 1)
        moveTo(f->table().field(QStringLiteral("KOD")).asInteger());
    else
        reload();
}

void TfZoznamPoukazov::commandShow() {
    if (!formOnCurrent())
        return;
    TfPoukazvd* f = form();
    handOver(false, currentPc());
    f->ShowRecord();
    f->leaveBatch();
}

void TfZoznamPoukazov::commandDelete() {
    if (!formOnCurrent())
        return;
    TfPoukazvd* f = form();
    handOver(true, currentPc());
    const int confirmed = f->DeleteRecord();
    f->leaveBatch();
    if (confirmed != 1)
        return;
    {
        WriteLock lock(*f->table().database());
        if (!lock.ok() || !f->table().remove() || !lock.commit()) {
            ShowNotice(QStringLiteral("Chyba!"), TfDbForm::saveErrorText(), NoticeKind::Error, this);
            reload();
            return;
        }
    }
    // Back in the default order, on the first voucher.
    (void)cursor_->setOrder(orders()[0]);
    order_ = 0;
    reload();
    if (model_->rowCount() > 0)
        grid->selectRow(0);
}

void TfZoznamPoukazov::commandIndex() {
    TfVolbaIndexu dialog(app_, {QStringLiteral("Kód"), QStringLiteral("Rodné číslo"), QStringLiteral("Priezvisko")},
                         order_, this);
    if (dialog.showModal() != QDialog::Accepted)
        return;
    (void)setOrderIndex(dialog.chosen());
}

void TfZoznamPoukazov::commandSearch() {
    static const QStringList fields = {QStringLiteral("KOD"), QStringLiteral("RODCIS"),
                                       QStringLiteral("PRIEZVISK")};
    static const QStringList labels = {QStringLiteral("Kód:"), QStringLiteral("Rodné číslo:"),
                                       QStringLiteral("Priezvisko:")};
    TfHladanie dialog(app_, *cursor_, fields[order_], labels[order_], this);
    if (dialog.showModal() != QDialog::Accepted)
        return;
    QVariantList key = {invoice_, batch_};
    key << dialog.key();
    if (cursor_->findNearest(key)) {
        model_->reload();
        grid->selectRow(cursor_->recNo());
    }
}

bool TfZoznamPoukazov::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched->objectName() == QLatin1String("Pridaj"))
        altClick_ = QApplication::keyboardModifiers() & Qt::AltModifier;
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return event->isAccepted();
    }
    return QDialog::eventFilter(watched, event);
}

void TfZoznamPoukazov::keyPressEvent(QKeyEvent* event) {
    event->accept();
    const bool alt = event->modifiers() & Qt::AltModifier;
    switch (event->key()) {
    case Qt::Key_F2:
        // Alt+F2: one addition after another; leaving a form unsaved ends them all.
        commandAdd(alt);
        return;
    case Qt::Key_Insert:
        commandAdd(false);
        return;
    case Qt::Key_F12:
        commandCopy();
        return;
    case Qt::Key_F8:
        commandDelete();
        return;
    case Qt::Key_F6:
        commandEdit();
        return;
    case Qt::Key_F3:
        commandIndex();
        return;
    case Qt::Key_F4:
        commandSearch();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commandShow();
        return;
    case Qt::Key_Escape:
        reject();
        return;
    default:
        event->ignore();
        break;
    }
}

void OpenBatchVoucherList(AppContext& app, qint64 invoiceCode, qint64 batchCode, qint64 batchNumber,
                          QWidget* owner) {
    TfZoznamPoukazov list(app, invoiceCode, batchCode, batchNumber, owner);
    list.showModal();
}

} // namespace vidoraw

#include <QTableWidget>

namespace vidoraw {

TfKlientPoukazy::TfKlientPoukazy(AppContext& app, qint64 clientCode, QWidget* parent)
    : ClientRecordsDialog(app, clientCode, module::kPoukazv, QStringLiteral("Zoznam poukazov"),
                          BirthNumber::Second, parent) {
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this] { commandShow(); });
    auto* back = new QPushButton(QStringLiteral("Späť"));
    back->setAutoDefault(false);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    outer()->addWidget(back, 0, Qt::AlignCenter);
}

void TfKlientPoukazy::commandShow() {
    const qint64 code = currentCode();
    if (code == 0)
        return;
    auto* f = dynamic_cast<TfPoukazvd*>(app_.registry.module(module::kPoukazv));
    if (!f || !f->OpenTable())
        return;
    Table& t = f->table();
    const QString order = t.order();
    if (!FindByKey(t, QStringLiteral("KOD"), code)) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Poukaz s kódom %1 sa nenašiel!").arg(code),
                   NoticeKind::Error, this);
    } else {
        f->ShowRecord();
    }
    const qint64 at = t.bookmark();
    (void)t.setOrder(order);
    (void)t.gotoBookmark(at);
}

void TfKlientPoukazy::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        commandShow();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vidoraw
