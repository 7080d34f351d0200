#include "billing/batches.h"

#include "core/engine/tableops.h"
#include "core/modulenumbers.h"
#include "framework/appcontext.h"
#include "vouchers/vouchertotals.h"

#include <algorithm>

namespace vidoraw {

namespace {

const QString kVoucherOrder = QStringLiteral("KODFA;KODDAV;KOD");

// Puts the cursor on the first voucher of the batch; false when it has none.
bool FirstVoucher(Table& vouchers, qint64 invoiceCode, qint64 batchCode) {
    return vouchers.setOrder(kVoucherOrder) && vouchers.findKey({invoiceCode, batchCode});
}

bool InBatch(Table& vouchers, qint64 invoiceCode, qint64 batchCode) {
    return !vouchers.eof() && vouchers.field(QStringLiteral("KODFA")).asInteger() == invoiceCode &&
           vouchers.field(QStringLiteral("KODDAV")).asInteger() == batchCode;
}

} // namespace

bool OpenModuleCursor(AppContext& app, int moduleNumber, Table& cursor) {
    RecordModule* m = app.registry.module(moduleNumber);
    if (!m || !m->OpenTable())
        return false;
    cursor.setDatabase(m->table().database());
    cursor.setTableName(m->table().tableName());
    return cursor.open();
}

QList<BatchRef> BatchesOf(AppContext& app, qint64 invoiceCode) {
    QList<BatchRef> out;
    Table batches;
    if (!OpenModuleCursor(app, module::kDavka, batches))
        return out;
    const int kod = batches.fieldIndex(QStringLiteral("KOD"));
    const int kodfa = batches.fieldIndex(QStringLiteral("KODFA"));
    const int cisdav = batches.fieldIndex(QStringLiteral("CISDAV"));
    batches.scanOrder(QStringLiteral("KODFA"), {invoiceCode}, false,
                      [&](qint64, const QVector<QVariant>& row) {
                          if (ValueAsInteger(row[kodfa]) != invoiceCode)
                              return false;
                          out << BatchRef{ValueAsInteger(row[kod]), ValueAsInteger(row[cisdav])};
                          return true;
                      });
    return out;
}

qint64 NextBatchNumber(AppContext& app, qint64 invoiceCode) {
    qint64 highest = 0;
    for (const BatchRef& b : BatchesOf(app, invoiceCode))
        highest = std::max(highest, b.number);
    return highest + 1;
}

bool AddBatch(AppContext& app, qint64 invoiceCode, qint64& code, qint64& number, QString* error) {
    Table batches;
    if (!OpenModuleCursor(app, module::kDavka, batches)) {
        if (error)
            *error = batches.lastError();
        return false;
    }
    WriteLock lock(*batches.database());
    auto failed = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (!lock.ok())
        return failed(lock.error());
    // Inside the lock: another workstation's batch is either fully counted or not yet begun.
    number = NextBatchNumber(app, invoiceCode);
    code = LastValue(batches, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
    if (!batches.append() || !batches.field(QStringLiteral("KOD")).setValue(code) ||
        !batches.field(QStringLiteral("KODFA")).setValue(invoiceCode) ||
        !batches.field(QStringLiteral("CISDAV")).setValue(number) || !batches.post())
        return failed(batches.lastError());
    if (!lock.commit())
        return failed(lock.error());
    return true;
}

BatchTotals& BatchTotals::operator+=(const BatchTotals& o) {
    vouchers += o.vouchers;
    aids += o.aids;
    patient += o.patient;
    insurer += o.insurer;
    for (int i = 0; i < 3; ++i)
        vat[i] += o.vat[i];
    unmatchedAids << o.unmatchedAids;
    return *this;
}

BatchTotals TotalsOfBatch(AppContext& app, qint64 invoiceCode, qint64 batchCode, bool withVat,
                          const VatRates* rates) {
    BatchTotals t;
    Table vouchers;
    if (!OpenModuleCursor(app, module::kPoukaz, vouchers) ||
        !FirstVoucher(vouchers, invoiceCode, batchCode))
        return t;
    for (; InBatch(vouchers, invoiceCode, batchCode); vouchers.next()) {
        const VoucherTotals v = TotalsOf(vouchers);
        ++t.vouchers;
        t.aids += v.aids;
        t.patient += v.patient;
        t.insurer += v.insurer;
        if (withVat) {
            const VatSplit split =
                rates ? SplitByVat(app, vouchers, *rates) : SplitByVat(app, vouchers);
            for (int i = 0; i < 3; ++i)
                t.vat[i] += split.parts[i];
            t.unmatchedAids << split.unmatchedAids;
        }
    }
    return t;
}

BatchTotals TotalsOfInvoice(AppContext& app, qint64 invoiceCode, bool withVat,
                            const VatRates* rates) {
    BatchTotals t;
    for (const BatchRef& b : BatchesOf(app, invoiceCode))
        t += TotalsOfBatch(app, invoiceCode, b.code, withVat, rates);
    return t;
}

bool DeleteBatchVouchers(AppContext& app, qint64 invoiceCode, qint64 batchCode, QString* error) {
    Table vouchers;
    bool ok = OpenModuleCursor(app, module::kPoukaz, vouchers) && vouchers.setOrder(kVoucherOrder);
    while (ok && vouchers.findKey({invoiceCode, batchCode}))
        ok = vouchers.remove();
    if (!ok && error)
        *error = vouchers.lastError();
    return ok;
}

bool DeleteInvoiceBatches(AppContext& app, qint64 invoiceCode, QString* error) {
    Table batches;
    if (!OpenModuleCursor(app, module::kDavka, batches) || !batches.setOrder(QStringLiteral("KOD"))) {
        if (error)
            *error = batches.lastError();
        return false;
    }
    for (const BatchRef& b : BatchesOf(app, invoiceCode)) {
        if (!DeleteBatchVouchers(app, invoiceCode, b.code, error))
            return false;
        if (batches.findKey({b.code}) && !batches.remove()) {
            if (error)
                *error = batches.lastError();
            return false;
        }
    }
    return true;
}

} // namespace vidoraw
