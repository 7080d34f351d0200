#pragma once
// The voucher form on a fresh data directory: the system record, the code lists a voucher names,
// the tax levels, two clients (one insured abroad) and the scripted interaction.
#include "codelists/codelists.h"
#include "codelists/obecd.h"
#include "core/engine/tableops.h"
#include "core/settings.h"
#include "framework/systemrecord.h"
#include "framework/tfbrowse.h"
#include "invoicing/invoicing.h"
#include "shell/program.h"
#include "shell/systemd.h"
#include "shop/shop.h"
#include "ui/scriptedinteraction.h"
#include "vouchers/eyedatagrid.h"
#include "vouchers/poukazvd.h"
#include "vouchers/vouchers.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

struct VoucherFormFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;
    std::unique_ptr<Database> db;

    VoucherFormFixture() {
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
        app.reports.setLauncher([](const QString&, const QStringList&) { return true; });
        app.openOnDesktop = [](const QUrl&) { return true; };
        EnsureSystemRecord(app);
        seed();
    }
    ~VoucherFormFixture() {
        app.registry.ReleaseAll();
        SetSettingsDirectory(QString());
    }

    TfPoukazvd& vouchers() {
        auto* m = dynamic_cast<TfPoukazvd*>(app.registry.module(module::kPoukazv));
        Q_ASSERT(m);
        m->OpenTable();
        return *m;
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
        addRow(5, {{"PSC", "81101"}, {"POSTA", "Bratislava 1"}, {"KOD", "1"}});
        addRow(6, {{"KOD", "1"}, {"NAZOV", "Bratislava"}, {"PSC", "81101"},
                   {"NAZOVPSC", MunicipalityKey("Bratislava", "81101")}});
        addRow(11, {{"KOD", "1"}, {"CPOI", "25"}, {"NAZOV", "Všeobecná poisťovňa"}});
        // Aids with the VAT rates 10 and 20, one free of charge, one at a rate no longer in force.
        addRow(13, {{"KOD", "1"}, {"KODPOM", "00001"}, {"NAZOV", "Okuliare"}, {"CENA", "10"},
                    {"DPH", "10"}});
        addRow(13, {{"KOD", "2"}, {"KODPOM", "10001"}, {"NAZOV", "Šošovka"}, {"CENA", "5,5"},
                    {"DPH", "20"}});
        addRow(13, {{"KOD", "3"}, {"KODPOM", "00123"}, {"NAZOV", "Rám"}, {"CENA", "12,5"},
                    {"DPH", "20"}});
        addRow(13, {{"KOD", "4"}, {"KODPOM", "00007"}, {"NAZOV", "Zadarmo"}, {"CENA", "0"},
                    {"DPH", "0"}});
        addRow(13, {{"KOD", "5"}, {"KODPOM", "00006"}, {"NAZOV", "Stará sadzba"}, {"CENA", "3"},
                    {"DPH", "6"}});
        addRow(9, {{"KOD", "1"}, {"KODD", "H52"}, {"NAZOV", "Refrakčné chyby"}, {"DLZKA", "3"}});
        addRow(14, {{"KOD", "1"}, {"MENO", "Ján"}, {"PRIEZVISK", "Lekár"}, {"KODPOI", "25"},
                    {"KODP", "1234-56-789"}, {"KODNEW", "A12345678"},
                    {"KODPZSNEW", "P12345678901"}});
        addRow(14, {{"KOD", "2"}, {"MENO", "Eva"}, {"PRIEZVISK", "Očná"}, {"KODPOI", "25"}});
        addRow(52, {{"KOD", "1"}, {"NAZOV", "Číre"}});
        addRow(53, {{"KOD", "1"}, {"NAZOV", "Kovový"}});
        addRow(44, {{"KOD", "1"}, {"NAZOV", "Optika Sever"}});
        addRow(56, {{"KOD", "1"}, {"NAZOV", "Mesačné"}, {"KODF", "1"}});
        addRow(45, {{"KOD", "1"}, {"RODCIS", "800101/1007"}, {"STATPOI", ""}, {"ICPOI", ""},
                    {"POHLPOI", ""}, {"KODPOI", "25"}, {"TITUL", "Ing."}, {"MENO", "Ján"},
                    {"PRIEZVISK", "Novák"}, {"ULICA", "Hlavná"}, {"CISLO", "12"},
                    {"OBEC", "Bratislava"}, {"PSC", "81101"}, {"DODPOSTA", "Bratislava 1"},
                    {"MAIL", "jan@novak.sk"}, {"TEL", "02123"}, {"MOBIL", "0905"}});
        addRow(45, {{"KOD", "2"}, {"RODCIS", ""}, {"STATPOI", "AT"}, {"ICPOI", "X123"},
                    {"POHLPOI", "M"}, {"KODPOI", "25"}, {"MENO", "Hans"},
                    {"PRIEZVISK", "Berger"}, {"OBEC", "Bratislava"}, {"PSC", "81101"}});
    }

    // The rates of the tax levels from a month on.
    bool addVatRates(int year, int month, int r1, int r2, int r3) {
        RecordModule* levels = app.registry.module(module::kDane);
        if (!levels || !levels->OpenTable())
            return false;
        const int code = levels->table().recordCount() + 1;
        return addRow(module::kDane, {{"KOD", QString::number(code)},
                                      {"ROK", QString::number(year)},
                                      {"MESIAC", QString::number(month)},
                                      {"SADZBA1", QString::number(r1)},
                                      {"SADZBA2", QString::number(r2)},
                                      {"SADZBA3", QString::number(r3)}});
    }

    // The batch context a voucher list would hand over: invoice 7, batch 3, March 2024.
    static VoucherBatchContext batch() {
        VoucherBatchContext c;
        c.invoiceCode = 7;
        c.batchCode = 3;
        c.prescriptionDate = QDate(2024, 3, 1);
        c.dispensingDate = QDate(2024, 3, 31);
        c.mayChange = true;
        return c;
    }
};

// The dialog a script receives, as the form it is.
template <class T> T& As(QDialog& d) { return dynamic_cast<T&>(d); }

inline QLineEdit* Edit(TfDbForm& form, const QString& field) {
    return qobject_cast<QLineEdit*>(form.controlOf(field));
}

// FIELD=value for each bound box.
inline void Type(TfDbForm& form, const QStringList& assignments) {
    for (const QString& assignment : assignments) {
        QLineEdit* e = Edit(form, assignment.section('=', 0, 0));
        QVERIFY2(e, qPrintable(assignment));
        e->setText(assignment.section('=', 1));
    }
}

// Everything a voucher needs to pass its checks: the client Novák, one aid.
inline QStringList ValidVoucher() {
    return {"RODCIS=800101/1007", "KODPOIKL=25", "DIALKY=64",     "BLIZKO=62",
            "KODS=",              "KODR=",       "KODKS=",        "KODLEK=1",
            "KODDIAG=H52",        "KODOP1=00001", "POCET1=1",     "SUMAPOI1=10",
            "SUMAPAC1=",          "DATUM=1.3.2024", "DATUMVYD=31.3.2024"};
}

// Closes a pick list with or without a choice; the form under it is the active window again,
// as it is when a real list closes.
inline void LeaveList(QDialog& d, bool pick) {
    QWidget* owner = d.parentWidget() ? d.parentWidget()->window() : nullptr;
    if (pick)
        As<TfBrowse>(d).commandPick();
    else
        As<TfBrowse>(d).commandBack();
    if (owner) {
        owner->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(owner));
    }
}
inline void CloseList(QDialog& d) { LeaveList(d, false); }
inline void PickFromList(QDialog& d) { LeaveList(d, true); }

} // namespace vidoraw::test
