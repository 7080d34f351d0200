// A workstation adding batches and vouchers to one insurer invoice, for the soak test.
//   soak DIR INVOICE STEPS   each step: a batch through the batch list's own save, then two
//                            vouchers of that batch in one transaction (codes taken inside the
//                            write lock, as the voucher form does). A lost server is reported on
//                            stderr and the step tried again once it answers. After the last
//                            step it prints DONE and waits for a line on stdin, then checks its
//                            vouchers once more before it ends (so every writer meets a server
//                            restarted meanwhile).
//   Vouchers carry the writer ("P" and its process id) in PRIEZVISK and the step in CISLO.
#include "billing/batches.h"
#include "billing/billing.h"
#include "core/engine/tableops.h"
#include "core/modulenumbers.h"
#include "framework/appcontext.h"
#include "vouchers/vouchers.h"

#include "workermain.h"
#include <QDeadlineTimer>
#include <QThread>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

using namespace vidoraw;

namespace {

QDeadlineTimer deadline(240000);

void Report(const QString& name, const QString& what, const QString& why) {
    std::fprintf(stderr, "%s: %s: %s\n", qPrintable(name), qPrintable(what), qPrintable(why));
}

bool AddVoucherPair(Table& v, qint64 invoice, qint64 batch, const QString& name, int step,
                    QString& why) {
    WriteLock lock(*v.database());
    if (!lock.ok()) {
        why = lock.error();
        return false;
    }
    const qint64 code = LastValue(v, "KOD", "KOD") + 1;
    for (int k = 0; k < 2; ++k) {
        if (!v.append() || !v.field("KOD").setValue(code + k) ||
            !v.field("KODFA").setValue(invoice) || !v.field("KODDAV").setValue(batch) ||
            !v.field("PRIEZVISK").setAsString(name) ||
            !v.field("CISLO").setAsString(QString::number(step)) || !v.post()) {
            why = v.lastError();
            v.cancel();
            return false;
        }
    }
    if (!lock.commit()) {
        why = lock.error();
        return false;
    }
    return true;
}

// The steps of this writer found in the vouchers; nothing while the server is away.
std::optional<QList<int>> StoredSteps(Table& v, const QString& name) {
    QList<int> steps;
    const int who = v.fieldIndex("PRIEZVISK"), step = v.fieldIndex("CISLO");
    if (!v.scanFields("PRIEZVISK", {name}, {"PRIEZVISK", "CISLO"},
                      [&](qint64, const QVector<QVariant>& row) {
                          if (row[who].toString() != name) return false;
                          steps << row[step].toString().toInt();
                          return true;
                      }))
        return std::nullopt;
    return steps;
}

// Waits until the server answers again; false when it stays away too long.
bool ReadSteps(Table& v, const QString& name, QList<int>& steps) {
    for (;;) {
        if (std::optional<QList<int>> s = StoredSteps(v, name)) {
            steps = *s;
            return true;
        }
        Report(name, "check", v.lastError());
        if (deadline.hasExpired()) return false;
        QThread::msleep(200);
    }
}

} // namespace

int main(int argc, char** argv) {
    return test::RunWorker(
        argc, argv, "soak", 5,
        [](AppContext& app) {
            RegisterVoucherModules(app);
            RegisterBillingModules(app);
        },
        [](AppContext& app, const QStringList& args) {
            QString error;
            const qint64 invoice = args[3].toLongLong();
            const int steps = args[4].toInt();
            const QString name = QStringLiteral("P%1").arg(QCoreApplication::applicationPid());
            Table vouchers, batches;
            if (!OpenModuleCursor(app, module::kPoukaz, vouchers) ||
                !OpenModuleCursor(app, module::kDavka, batches)) {
                std::fprintf(stderr, "open: %s %s\n", qPrintable(vouchers.lastError()),
                             qPrintable(batches.lastError()));
                return 4;
            }
            if (steps == 0) return 0; // the tables are made
            int result = 0;
            for (int i = 0; i < steps && result == 0; ++i) {
                qint64 batch = 0, number = 0;
                // A batch whose commit went unanswered may be in: an empty batch, complete in
                // itself.
                while (!AddBatch(app, invoice, batch, number, &error)) {
                    Report(name, QStringLiteral("batch %1").arg(i), error);
                    QList<int> ignored;
                    if (!ReadSteps(vouchers, name, ignored)) return 5;
                }
                QString why;
                while (!AddVoucherPair(vouchers, invoice, batch, name, i, why)) {
                    Report(name, QStringLiteral("vouchers %1").arg(i), why);
                    QList<int> stored;
                    if (!ReadSteps(vouchers, name, stored)) return 5;
                    if (stored.contains(i)) break; // in, though its commit went unanswered
                }
            }
            std::printf("DONE\n");
            std::fflush(stdout);
            std::string line;
            std::getline(std::cin, line);
            QList<int> stored;
            if (!ReadSteps(vouchers, name, stored)) return 5;
            if (stored.size() != 2 * steps) {
                std::fprintf(stderr, "%s: %lld vouchers of %d\n", qPrintable(name),
                             static_cast<long long>(stored.size()), 2 * steps);
                return 6;
            }
            return 0;
        });
}
