#include "billing/davkad.h"

#include "billing/batches.h"
#include "core/interaction.h"
#include "core/values.h"

#include <QLineEdit>

namespace vidoraw {

TfDavkad::TfDavkad(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eKodfa = rows().addRow(QStringLiteral("Kód faktúry:"), 0, 8);
    eCisdav = rows().addRow(QStringLiteral("Číslo dávky:"), 0, 8);
    finishLayout();
    bind(eKodfa, QStringLiteral("KODFA"));
    bind(eCisdav, QStringLiteral("CISDAV"));
    checkedFields = {eCisdav};
    DefineList();
}

TableSchema TfDavkad::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"KODFA", 'F', 0}, {"CISDAV", 'F', 0}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Kodfa", {"KODFA"}, true)};
    return s;
}

void TfDavkad::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "KODFA"};
    list.orderTitles = {"Kód", "Kód faktúry"};
    list.printFields = {"KOD", "KODFA", "CISDAV"};
    list.printTitles = {"Kód", "Kód faktúry", "Číslo dávky"};
    list.listTitle = QStringLiteral("Zoznam dávok");
    list.printHeading = {list.listTitle};
    list.finish();
}

bool TfDavkad::checkField(QWidget* control) {
    if (control != eCisdav || recordMode == ModeAdd)
        return true;
    // A changed number must not take another batch's number of the same invoice.
    qint64 invoice = 0, number = 0;
    if (!IntegerFromText(eKodfa->text(), invoice) || !IntegerFromText(eCisdav->text(), number))
        return true;
    const qint64 own = eKod->text().toLongLong();
    for (const BatchRef& b : BatchesOf(app(), invoice)) {
        if (b.number == number && b.code != own) {
            complain(QStringLiteral("Duplicitné číslo dávky!"));
            return false;
        }
    }
    return true;
}

void TfDavkad::StoreFields() {
    TfDbForm::StoreFields();
    if (recordMode != ModeAdd)
        return;
    // Inside the save's write lock: a new batch never takes a number its invoice already has.
    const qint64 invoice = table_.field(QStringLiteral("KODFA")).asInteger();
    const qint64 typed = table_.field(QStringLiteral("CISDAV")).asInteger();
    bool taken = typed <= 0;
    for (const BatchRef& b : BatchesOf(app(), invoice))
        taken = taken || b.number == typed;
    if (taken) {
        const qint64 next = NextBatchNumber(app(), invoice);
        table_.field(QStringLiteral("CISDAV")).setValue(next);
        eCisdav->setText(QString::number(next));
    }
}

bool ConfirmBatchVouchersGo(AppContext& app, qint64 invoiceCode, qint64 batchCode, QWidget* owner) {
    const int n = TotalsOfBatch(app, invoiceCode, batchCode).vouchers;
    if (n == 0)
        return true;
    return AskConfirm(QStringLiteral("Dávka obsahuje %1 poukazov. Mám ich vymazať spolu s dávkou?")
                          .arg(n),
                      owner) == 1;
}

int TfDavkad::DeleteRecord() {
    if (!TfDbForm::DeleteRecord())
        return 0;
    const qint64 invoice = table_.field(QStringLiteral("KODFA")).asInteger();
    const qint64 batch = table_.field(codeField).asInteger();
    if (!ConfirmBatchVouchersGo(app(), invoice, batch, ownerBrowser ? ownerBrowser.data() : this))
        return result = 0;
    return result;
}

bool TfDavkad::removeCurrentRecord() {
    // Under the caller's write lock: the batch and its vouchers go together or not at all.
    QString error;
    return DeleteBatchVouchers(app(), table_.field(QStringLiteral("KODFA")).asInteger(),
                               table_.field(codeField).asInteger(), &error) &&
           table_.remove();
}

} // namespace vidoraw
