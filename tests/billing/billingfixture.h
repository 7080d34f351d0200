#pragma once
// A fresh data directory with every module the billing reaches, a contract with its insurer,
// an aid, a doctor, the shop's provider codes and owner, and the scripted interaction.
#include "billing/batches.h"
#include "billing/billing.h"
#include "codelists/codelists.h"
#include "core/engine/tableops.h"
#include "core/settings.h"
#include "framework/systemrecord.h"
#include "framework/tfbrowse.h"
#include "invoicing/invoicing.h"
#include "shell/program.h"
#include "shell/systemd.h"
#include "shell/vlastnikd.h"
#include "shop/shop.h"
#include "ui/scriptedinteraction.h"
#include "vouchers/vouchers.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

struct BillingFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;
    std::unique_ptr<Database> db;
    QStringList started; // programs the code under test started (program first)

    BillingFixture() {
        SetSettingsDirectory(configDir.path());
        QString error;
        db = Database::open(dataDir.path(), &error);
        app.db = db.get();
        app.registry.setDatabase(db.get());
        RegisterShellModules(app);
        RegisterCodeListModules(app);
        RegisterInvoicingModules(app);
        RegisterVoucherModules(app);
        RegisterShopModules(app);
        RegisterBillingModules(app);
        app.reports.setLauncher([](const QString&, const QStringList&) { return true; });
        app.reports.setReportFileName(dataDir.filePath("zost1.zst"));
        app.openOnDesktop = [](const QUrl&) { return true; };
        app.startProgram = [this](const QString& program, const QStringList& args) {
            started = QStringList{program} + args;
            return true;
        };
        EnsureSystemRecord(app);
        EnsureOwnerRecord(app);
        seed();
    }
    ~BillingFixture() {
        app.registry.ReleaseAll();
        SetSettingsDirectory(QString());
    }

    // Appends a row straight through the engine (fields by name, values as typed).
    bool addRow(int number, const QList<QPair<QString, QString>>& values) {
        RecordModule* m = app.registry.module(number);
        if (!m || !m->OpenTable())
            return false;
        Table& t = m->table();
        WriteLock lock(*db);
        if (!lock.ok() || !t.append())
            return false;
        for (const auto& [field, value] : values)
            if (!t.field(field).setAsString(value))
                return false;
        return t.post() && lock.commit();
    }

    void seed() {
        addRow(11, {{"KOD", "1"}, {"CPOI", "25"}, {"NAZOV", "Všeobecná poisťovňa"},
                    {"MAIL", "davky@vszp.sk"}, {"ICO", "35937874"}});
        addRow(10, {{"KOD", "1"}, {"KODPOI", "25"}, {"PLATNOST", "1.1.2004"},
                    {"ICOPOI", "35937874"}, {"CISZML", "Z-1"}});
        addRow(13, {{"KOD", "1"}, {"KODPOM", "00001"}, {"NAZOV", "Okuliare"}, {"CENA", "10"},
                    {"DPH", "0"}});
        addRow(14, {{"KOD", "1"}, {"MENO", "Ján"}, {"PRIEZVISK", "Lekár"}, {"KODPOI", "25"},
                    {"KODNEW", "A12345678"}, {"KODPZSNEW", "P12345678901"}});
        QVERIFY(WriteSystemFields(app, {{"KODPZS", "P99999999999"}, {"IDENTPZS", "ID77"}}));
        QVERIFY(WriteOwnerFields(app, {{"ICO", " 12345678 "}, {"NAZOV", "Optika Šťastná"}}));
    }

    qint64 addInvoice(qint64 code, const QString& number, const QString& month,
                      const QString& year, const QString& contract = "1") {
        addRow(15, {{"KOD", QString::number(code)}, {"CISFAK", number}, {"OBDMM", month},
                    {"OBDRR", year}, {"KODZML", contract}});
        return code;
    }
    qint64 addBatch(qint64 code, qint64 invoice, qint64 number) {
        addRow(16, {{"KOD", QString::number(code)}, {"KODFA", QString::number(invoice)},
                    {"CISDAV", QString::number(number)}});
        return code;
    }
    // A voucher of the batch with the given fields on top of a plain one with one aid.
    void addVoucher(qint64 code, qint64 invoice, qint64 batch,
                    const QList<QPair<QString, QString>>& extra = {}) {
        QList<QPair<QString, QString>> v = {
            {"KOD", QString::number(code)}, {"KODFA", QString::number(invoice)},
            {"KODDAV", QString::number(batch)}, {"RODCIS", "800101/1007"}, {"KODPOIKL", "25"},
            {"KODLEK", "1"}, {"KODPEC", "1234-56-789"}, {"KODPOILEK", "25"}, {"KODDIAG", "H52 0"},
            {"KODODLEK", "X1"}, {"KODOP1", "00001"}, {"POCET1", "1"}, {"SUMAPOI1", "10"},
            {"DATUM", "1.3.2007"}, {"DATUMVYD", "15.3.2007"}};
        for (const auto& e : extra) {
            bool replaced = false;
            for (auto& x : v)
                if (x.first == e.first) {
                    x.second = e.second;
                    replaced = true;
                }
            if (!replaced)
                v << e;
        }
        QVERIFY(addRow(17, v));
    }
    int count(int number) {
        RecordModule* m = app.registry.module(number);
        if (!m || !m->OpenTable())
            return -1;
        m->table().refresh();
        return m->table().recordCount();
    }
};

template <class T> T& As(QDialog& d) { return dynamic_cast<T&>(d); }

} // namespace vidoraw::test
