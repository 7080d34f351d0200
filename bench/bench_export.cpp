// The batch export of one insurer invoice of 20 000 vouchers in 10 batches, beside the raw
// query that reads the same vouchers and writes the same bytes, in the same run.
//   bench_export [data directory of a demo shop]   (with DATABAZA.INI: on that server)
// Without a directory a shop of 120 000 vouchers is made first (six invoices of 20 000).
#include "billing/batches.h"
#include "billing/batchfile.h"
#include "billing/billing.h"
#include "codelists/codelists.h"
#include "demoshop.h"
#include "rawdb.h"
#include "invoicing/invoicing.h"
#include "invoicing/invoicingstart.h"
#include "shell/program.h"
#include "shop/shop.h"
#include "ui/scriptedinteraction.h"
#include "users/users.h"
#include "vouchers/vouchers.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace vidoraw;

namespace {

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

QString Date(const RawRow& r, int i) {
    const QString iso = r.text(i);
    return iso.isEmpty() ? QStringLiteral("00000000") : QString(iso).remove(u'-');
}

QString Amount(const RawRow& r, int i) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", r.number(i));
    return QString::fromLatin1(buf);
}

QString One(RawDb& db, const QString& sql) {
    QString out;
    bool first = true;
    db.each(sql.toUtf8(), [&](const RawRow& r) {
        if (first)
            out = r.text(0);
        first = false;
    });
    return out;
}

// The same file, straight from SQL: layout C (the demo shop bills 2025). Names are quoted for
// the server, which keeps capitals only in quoted names.
QByteArray RawBatch(RawDb& db, qint64 invoice, qint64 batch, const QString& created) {
    const QString fak = QStringLiteral("SELECT \"%1\" FROM \"FAKTURA\" WHERE \"KOD\" = %2");
    const QString cisfak = One(db, fak.arg("CISFAK").arg(invoice));
    const QString period = One(db, fak.arg("OBDRR").arg(invoice)) +
                           One(db, fak.arg("OBDMM").arg(invoice)).trimmed().rightJustified(2, u'0');
    const QString kodpoi = One(db, QStringLiteral("SELECT \"KODPOI\" FROM \"ZMLUVA\" WHERE \"KOD\" = (SELECT \"KODZML\" FROM \"FAKTURA\" WHERE \"KOD\" = %1)").arg(invoice));
    const QString ico = One(db, "SELECT \"ICO\" FROM \"VLASTN\" ORDER BY \"KOD\" LIMIT 1").trimmed();
    const QString ident = One(db, "SELECT \"IDENTPZS\" FROM \"SYSTEM\" LIMIT 1").trimmed();
    const QString kodpzs = One(db, "SELECT \"KODPZS\" FROM \"SYSTEM\" LIMIT 1").trimmed();
    const QString number = One(db, QStringLiteral("SELECT CAST(\"CISDAV\" AS INTEGER) FROM \"DAVKA\" WHERE \"KOD\" = %1").arg(batch));
    QString columns = QStringLiteral("P.\"RODCIS\", P.\"DATUM\", P.\"DATUMVYD\", L.\"KODPZSNEW\", L.\"KODNEW\", P.\"KODDIAG\", "
                                     "P.\"STATPOI\", P.\"ICPOI\", P.\"POHLPOI\"");
    for (int line = 1; line <= 4; ++line)
        columns += QStringLiteral(", P.\"KODOP%1\", P.\"POCET%1\", P.\"SUMAPOI%1\", P.\"SUMAPAC%1\"").arg(line);
    const QByteArray sql = QStringLiteral(
        "SELECT %1 FROM \"POUKAZ\" P LEFT JOIN \"LEKAR\" L ON L.\"KOD\" = P.\"KODLEK\""
        " WHERE P.\"KODFA\" = %2 AND P.\"KODDAV\" = %3 ORDER BY P.\"KODFA\", P.\"KODDAV\", P.\"KOD\"")
                               .arg(columns).arg(invoice).arg(batch).toUtf8();
    QString body;
    int n = 0;
    bool foreign = false;
    db.each(sql, [&](const RawRow& s) {
        ++n;
        const QString icpoi = s.text(7).trimmed();
        foreign = foreign || icpoi.size() > 8;
        const QString rc = icpoi.size() >= 9 ? QString() : s.text(0).remove(u'/').trimmed();
        QString diag = s.text(5);
        diag.remove(u' ');
        for (int line = 0; line < 4; ++line) {
            const int c = 9 + line * 4;
            const QString aid = s.text(c);
            if (aid.trimmed().isEmpty())
                continue;
            body += QString::number(n) + '|' + rc + '|' + Date(s, 1) + '|' + Date(s, 2) + '|' + s.text(3) + '|' +
                    s.text(4) + '|' + aid + '|' + diag + '|' + s.text(c + 1) + '|' + Amount(s, c + 2) + '|' +
                    Amount(s, c + 3) + '|' + s.text(6).trimmed() + '|' + icpoi + '|' + s.text(8).trimmed() +
                    "|\r\n";
        }
    });
    const QString head = QString(foreign ? "E" : "N") + "|738|" + ico + '|' + created + '|' + number + '|' +
                         QString::number(n) + "|1|1|" + kodpoi + "|\r\n" + cisfak.trimmed() + '|' + period + '|' +
                         ident + '|' + kodpzs + "|\r\n";
    return (head + body).toLatin1();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    ScriptedInteraction quiet;
    QTemporaryDir temp;
    QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.filePath("shop");
    const bool make = argc <= 1;
    AppContext app;
    RegisterShellModules(app);
    RegisterCodeListModules(app);
    RegisterUserModules(app);
    RegisterInvoicingModules(app);
    RegisterVoucherModules(app);
    RegisterShopModules(app);
    RegisterBillingModules(app);
    Program program(app);
    RegisterInvoicingStart(program, app);
    QString error;
    if (!program.create(dir, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (make) {
        DemoOptions o;
        o.vouchers = 120000;
        QElapsedTimer t;
        t.start();
        if (!MakeDemoShop(app, o, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        std::printf("demo shop of %d vouchers made in %.1f s\n", o.vouchers, t.elapsed() / 1000.0);
    }
    const qint64 invoice = 1;
    const QList<BatchRef> batches = BatchesOf(app, invoice);
    const int vouchers = TotalsOfInvoice(app, invoice).vouchers;
    std::printf("invoice %lld: %d vouchers in %d batches\n", invoice, vouchers, int(batches.size()));

    QTemporaryDir out;
    const double ours = MedianMs(5, [&] {
        BatchReader reader(app);
        for (const BatchRef& b : batches)
            if (!reader.writeFile(invoice, b.code, out.path(), BatchFileName(b.number), &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                std::exit(1);
            }
    });

    std::unique_ptr<RawDb> raw = MakeRawDb(*app.db);
    const QString created = QDate::currentDate().toString("yyyyMMdd");
    QTemporaryDir rawOut;
    const double rawMs = MedianMs(5, [&] {
        for (const BatchRef& b : batches) {
            QFile f(QDir(rawOut.path()).filePath(BatchFileName(b.number)));
            if (!f.open(QIODevice::WriteOnly))
                std::exit(1);
            f.write(RawBatch(*raw, invoice, b.code, created));
        }
    });
    // Both wrote the same bytes, or the comparison means nothing.
    for (const BatchRef& b : batches) {
        QFile a(QDir(out.path()).filePath(BatchFileName(b.number)));
        QFile r(QDir(rawOut.path()).filePath(BatchFileName(b.number)));
        if (!a.open(QIODevice::ReadOnly) || !r.open(QIODevice::ReadOnly) || a.readAll() != r.readAll()) {
            std::fprintf(stderr, "%s differs from the raw file\n", qPrintable(BatchFileName(b.number)));
            return 1;
        }
    }
    std::printf("%-52s %9.3f ms   raw %9.3f ms   ratio %5.2f\n", "write the batch files of the invoice", ours,
                rawMs, rawMs > 0 ? ours / rawMs : 0.0);
    app.registry.ReleaseAll();
    return 0;
}
