#include "billing/batches.h"
#include "billing/billing.h"
#include "codelists/codelists.h"
#include "core/settings.h"
#include "core/values.h"
#include "demoshop.h"
#include "invoicing/invoicing.h"
#include "invoicing/invoicingstart.h"
#include "shell/program.h"
#include "shop/shop.h"
#include "testmain.h"
#include "ui/scriptedinteraction.h"
#include "users/users.h"
#include "vouchers/vouchers.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vidoraw;

namespace {

// A demo shop made in a fresh directory, as tools/demoshop makes it.
struct DemoShop {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;
    Program program{app};

    explicit DemoShop(const DemoOptions& options) {
        SetSettingsDirectory(configDir.path());
        RegisterShellModules(app);
        RegisterCodeListModules(app);
        RegisterUserModules(app);
        RegisterInvoicingModules(app);
        RegisterVoucherModules(app);
        RegisterShopModules(app);
        RegisterBillingModules(app);
        RegisterInvoicingStart(program, app);
        QString error;
        QVERIFY2(program.create(dataDir.path(), &error), qPrintable(error));
        QVERIFY2(MakeDemoShop(app, options, &error), qPrintable(error));
        ui.takeNotices();
    }
    ~DemoShop() {
        app.registry.ReleaseAll();
        SetSettingsDirectory(QString());
    }
    Table& table(int number) {
        RecordModule* m = app.registry.module(number);
        Q_ASSERT(m && m->OpenTable());
        m->table().refresh();
        return m->table();
    }
    // Every row of a table as text, in code order.
    QStringList dump(int number) {
        Table& t = table(number);
        QStringList rows;
        for (t.first(); !t.eof(); t.next()) {
            QStringList cells;
            for (int i = 0; i < t.tableFieldCount(); ++i)
                cells << t.field(i).asString();
            rows << cells.join('|');
        }
        return rows;
    }
};

} // namespace

// The generator's shop: the counts asked for, indexes as each module defines them, batches
// that the billing finds, and the same shop again for the same seed.
class TestDemoShop : public QObject {
    Q_OBJECT
private slots:
    void shopHoldsWhatWasAskedFor();
};

void TestDemoShop::shopHoldsWhatWasAskedFor() {
    DemoOptions o;
    o.seed = 7;
    o.aids = 20;
    o.doctors = 5;
    o.clients = 40;
    o.vouchers = 130;
    DemoShop a(o);
    QCOMPARE(a.table(module::kKlient).recordCount(), 40);
    QCOMPARE(a.table(module::kFaktura).recordCount(), 6);
    QCOMPARE(a.table(module::kPoukaz).recordCount(), 130);
    int vouchers = 0;
    for (qint64 invoice = 1; invoice <= 6; ++invoice) {
        const QList<BatchRef> batches = BatchesOf(a.app, invoice);
        QVERIFY(!batches.isEmpty());
        QCOMPARE(batches.first().number, 1);
        vouchers += TotalsOfInvoice(a.app, invoice).vouchers;
    }
    QCOMPARE(vouchers, 130);
    for (int number : {module::kKlient, module::kFaktura, module::kDavka, module::kPoukaz}) {
        const IndexDefs stored = a.app.db->indexDefs(a.table(number).tableName());
        const IndexDefs defined = a.app.registry.schema(number)->indexes;
        QCOMPARE(stored.size(), defined.size());
        for (int i = 0; i < stored.size(); ++i) {
            QCOMPARE(stored[i].fields, defined[i].fields);
            QCOMPARE(stored[i].caseInsensitive, defined[i].caseInsensitive);
        }
    }
    // One invoice to an insurer, made from the first insurer's February invoice: its total is
    // the vouchers' (within a cent a rate, as the net prices are rounded).
    Table& general = a.table(module::kFak);
    int fromInsurer = 0;
    for (general.first(); !general.eof(); general.next()) {
        if (general.field("KDEODB").asString() != "1")
            continue;
        ++fromInsurer;
        QCOMPARE(general.field("DOPLNOK").asString().isEmpty(), false);
        QVERIFY(qAbs(general.field("SUMA").asFloat() - TotalsOfInvoice(a.app, 4).insurer) <= 0.03);
    }
    QCOMPARE(fromInsurer, 1);
    // Every client's birth number passes modulo 11.
    Table& clients = a.table(module::kKlient);
    for (clients.first(); !clients.eof(); clients.next())
        QVERIFY(BirthNumberValid(clients.field("RODCIS").asString()));

    DemoShop b(o);
    QCOMPARE(b.dump(module::kPoukaz), a.dump(module::kPoukaz));
    QCOMPARE(b.dump(module::kKlient), a.dump(module::kKlient));
}

VIDORAW_TEST(TestDemoShop)
#include "test_demoshop.moc"
