#include "billing/batchlist.h"

#include "billing/billingreports.h"
#include "billing/davkad.h"
#include "billing/fakturad.h"
#include "core/interaction.h"
#include "framework/formrows.h"
#include "framework/tfdbform.h"
#include "vouchers/batchvoucherlist.h"

#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace vidoraw {

InvoiceHeader InvoiceHeaderOf(AppContext& app, qint64 invoiceCode) {
    InvoiceHeader h;
    QStringList v;
    if (!LookupFields(app, module::kFaktura, QStringLiteral("KOD"), {invoiceCode},
                      {QStringLiteral("CISFAK"), QStringLiteral("OBDMM"), QStringLiteral("OBDRR"),
                       QStringLiteral("KODZML")},
                      v))
        return h;
    h.number = v[0];
    h.obdmm = v[1];
    h.obdrr = v[2];
    h.contractCode = v[3];
    const ContractInfo c = ContractOf(app, h.contractCode);
    h.contractNumber = c.number;
    h.ico = c.ico;
    h.insurer = c.insurer;
    h.insurerName = c.insurerName;
    return h;
}

TfZoznamDavok::TfZoznamDavok(AppContext& app, qint64 invoiceCode, QWidget* parent)
    : QDialog(parent), app_(app), invoice_(invoiceCode) {
    setWindowTitle(QStringLiteral("Zoznam dávok pre faktúru"));
    auto* outer = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral(" Definícia faktúry "));
    FormRows rows(frame);
    const InvoiceHeader h = InvoiceHeaderOf(app, invoiceCode);
    auto shown = [&](const QString& label, const QString& text, int width) {
        QLineEdit* e = rows.addRow(label, 0, width);
        e->setText(text);
        FormRows::makeDisplayOnly(e);
        return e;
    };
    eKod = shown(QStringLiteral("Kód:"), QString::number(invoiceCode), 8);
    eCisfak = shown(QStringLiteral("Číslo faktúry:"), h.number, 12);
    eObdobie = shown(QStringLiteral("Účtovné obdobie:"), h.obdmm + '.' + h.obdrr, 8);
    eKodzml = shown(QStringLiteral("Zmluva:"), h.contractCode, 8);
    eCiszml = shown(QStringLiteral("Číslo zmluvy:"), h.contractNumber, 25);
    eIco = shown(QStringLiteral("IČO:"), h.ico, 12);
    ePoistovna = shown(QStringLiteral("Poisťovňa:"), h.insurer + ' ' + h.insurerName, 40);
    outer->addWidget(frame);

    outer->addWidget(new QLabel(QStringLiteral("Zoznam dávok")));
    grid = new QTableWidget(0, 3);
    grid->setHorizontalHeaderLabels({QStringLiteral("Kód"), QStringLiteral("Kód faktúry"),
                                     QStringLiteral("Číslo dávky")});
    for (int c = 0; c < 3; ++c)
        grid->setColumnWidth(c, 80);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->setAlternatingRowColors(false);
    outer->addWidget(grid);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& text, void (TfZoznamDavok::*run)()) {
        auto* b = new QPushButton(text);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, run);
        buttons->addWidget(b);
        return b;
    };
    bPridaj = button(QStringLiteral("Pridaj"), &TfZoznamDavok::commandAdd);
    bZmaz = button(QStringLiteral("Zmaž"), &TfZoznamDavok::commandDelete);
    bPoukazy = button(QStringLiteral("Poukazy"), &TfZoznamDavok::commandVouchers);
    bTlac = button(QStringLiteral("Tlač sumár"), &TfZoznamDavok::commandPrintSummary);
    bSpat = new QPushButton(QStringLiteral("Späť"));
    bSpat->setAutoDefault(false);
    connect(bSpat, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(bSpat);
    outer->addLayout(buttons);
    reload();
}

int TfZoznamDavok::showModal() { return RunDialog(*this); }

void TfZoznamDavok::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    grid->setFocus();
    if (!offeredFirst_) {
        offeredFirst_ = true;
        if (batches_.isEmpty())
            QTimer::singleShot(0, this, &TfZoznamDavok::commandAdd);
    }
}

void TfZoznamDavok::reload() {
    const qint64 current = currentBatch().code;
    batches_ = BatchesOf(app_, invoice_);
    grid->setRowCount(int(batches_.size()));
    int select = batches_.isEmpty() ? -1 : 0;
    for (int r = 0; r < batches_.size(); ++r) {
        const BatchRef& b = batches_[r];
        const QStringList cells = {QString::number(b.code), QString::number(invoice_),
                                   QString::number(b.number)};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            const bool second = r % 2 == 1;
            item->setBackground(second ? app_.listColours.background2 : app_.listColours.background1);
            item->setForeground(second ? app_.listColours.text2 : app_.listColours.text1);
            grid->setItem(r, c, item);
        }
        if (b.code == current)
            select = r;
    }
    if (select >= 0)
        grid->selectRow(select);
}

BatchRef TfZoznamDavok::currentBatch() const {
    const int r = grid ? grid->currentRow() : -1;
    return r >= 0 && r < batches_.size() ? batches_[r] : BatchRef{};
}

void TfZoznamDavok::commandAdd() {
    const qint64 proposed = NextBatchNumber(app_, invoice_);
    if (AskConfirm(QStringLiteral("Mám pridať ďalšiu dávku s číslom: %1?").arg(proposed), this) != 1)
        return;
    qint64 code = 0, number = 0;
    QString error;
    if (!AddBatch(app_, invoice_, code, number, &error)) {
        ShowNotice(QStringLiteral("Chyba!"), TfDbForm::saveErrorText(), NoticeKind::Error, this);
        reload();
        return;
    }
    reload();
    for (int r = 0; r < batches_.size(); ++r)
        if (batches_[r].code == code)
            grid->selectRow(r);
}

void TfZoznamDavok::commandDelete() {
    const BatchRef b = currentBatch();
    if (b.code == 0)
        return;
    if (AskConfirm(QStringLiteral("Mám naozaj vymazať aktuálny záznam?"), this) != 1 ||
        !ConfirmBatchVouchersGo(app_, invoice_, b.code, this))
        return;
    Table batches;
    if (!OpenModuleCursor(app_, module::kDavka, batches)) {
        reload();
        return;
    }
    WriteLock lock(*batches.database());
    QString error;
    if (!lock.ok()) {
        ShowNotice(QStringLiteral("Chyba!"), TfDbForm::saveErrorText(), NoticeKind::Error, this);
    } else if (!batches.findKey({b.code})) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Nenašiel som záznam s kódom: %1! Reindexujte!").arg(b.code),
                   NoticeKind::Information, this);
    } else if (!DeleteBatchVouchers(app_, invoice_, b.code, &error) || !batches.remove() ||
               !lock.commit()) {
        lock.rollback();
        ShowNotice(QStringLiteral("Chyba!"), TfDbForm::saveErrorText(), NoticeKind::Error, this);
    }
    reload();
}

void TfZoznamDavok::commandVouchers() {
    const BatchRef b = currentBatch();
    if (b.code == 0)
        return;
    OpenBatchVoucherList(app_, invoice_, b.code, b.number, this);
    reload();
}

void TfZoznamDavok::commandPrintSummary() {
    const BatchRef b = currentBatch();
    if (b.code == 0)
        return;
    RunReport(app_.reports,
              [this, b](ReportWriter&, const QString& fileName) {
                  return PrintBatchSummary(app_, b.code, fileName);
              },
              this);
}

void TfZoznamDavok::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_F2:
    case Qt::Key_Insert:
        commandAdd();
        return;
    case Qt::Key_F8:
        commandDelete();
        return;
    case Qt::Key_F7:
        commandVouchers();
        return;
    case Qt::Key_F5:
        commandPrintSummary();
        return;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vidoraw
