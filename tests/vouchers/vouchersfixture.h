#pragma once
// A fresh data directory with the voucher code lists and the general code lists registered, a
// few rows to look up and the scripted interaction in place of the windows.
#include "codelists/codelists.h"
#include "core/engine/tableops.h"
#include "core/settings.h"
#include "framework/tfbrowse.h"
#include "ui/scriptedinteraction.h"
#include "vouchers/dgd.h"
#include "vouchers/lekard.h"
#include "vouchers/optpomd.h"
#include "vouchers/poistovd.h"
#include "vouchers/pzsd.h"
#include "vouchers/vouchers.h"
#include "vouchers/zmluvad.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

struct VouchersFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;
    std::unique_ptr<Database> db;

    VouchersFixture() {
        SetSettingsDirectory(configDir.path());
        QString error;
        db = Database::open(dataDir.path(), &error);
        app.db = db.get();
        app.registry.setDatabase(db.get());
        RegisterCodeListModules(app);
        RegisterVoucherModules(app);
        app.reports.setLauncher([](const QString&, const QStringList&) { return true; });
    }
    ~VouchersFixture() {
        app.registry.ReleaseAll();
        SetSettingsDirectory(QString());
    }

    template <class Form> Form& module(int number) {
        auto* m = dynamic_cast<Form*>(app.registry.module(number));
        Q_ASSERT(m);
        m->OpenTable();
        return *m;
    }

    // Appends a row straight through the engine (fields by name, values as typed).
    bool addRow(int number, const QList<QPair<QString, QString>>& values) {
        RecordModule* m = app.registry.module(number);
        return m && m->OpenTable() && AppendTypedRow(m->table(), values);
    }

    // Post offices, two insurers, two aids, a diagnosis, a doctor, a contract.
    void seed() {
        addRow(5, {{"PSC", "81101"}, {"POSTA", "Bratislava 1"}, {"KOD", "1"}});
        addRow(5, {{"PSC", "04001"}, {"POSTA", "Košice 1"}, {"KOD", "2"}});
        addRow(11, {{"KOD", "1"}, {"CPOI", "25"}, {"NAZOV", "Všeobecná poisťovňa"},
                    {"ICO", "35937874"}});
        addRow(11, {{"KOD", "2"}, {"CPOI", "2400"}, {"NAZOV", "Dôvera"}, {"ICO", "35942436"}});
        addRow(13, {{"KOD", "1"}, {"KODPOM", "00001"}, {"NAZOV", "Okuliare"},
                    {"DOPLNOK", "na diaľku"}, {"CENA", "10"}});
        addRow(13, {{"KOD", "2"}, {"KODPOM", "10001"}, {"NAZOV", "Šošovka"}, {"CENA", "5,5"}});
        addRow(9, {{"KOD", "1"}, {"KODD", "H52"}, {"NAZOV", "Refrakčné chyby"}, {"DLZKA", "3"}});
        addRow(14, {{"KOD", "1"}, {"MENO", "Ján"}, {"PRIEZVISK", "Lekár"}, {"KODPOI", "25"},
                    {"KODNEW", "A12345678"}, {"KODPZSNEW", "P12345678901"}});
        addRow(10, {{"KOD", "1"}, {"KODPOI", "25"}, {"PLATNOST", "1.1.2024"},
                    {"ICOPOI", "35937874"}, {"CISZML", "Z-1"}});
    }
};

// The dialog a script receives, as the form it is.
template <class T> T& As(QDialog& d) { return dynamic_cast<T&>(d); }

inline TfDbForm& Form(QDialog& d) { return dynamic_cast<TfDbForm&>(d); }

inline QLineEdit* Edit(TfDbForm& form, const QString& field) {
    return qobject_cast<QLineEdit*>(form.controlOf(field));
}

} // namespace vidoraw::test
