#pragma once
// A fresh data directory with the lens lists registered, beside the optical aids and the post
// offices they look up, a few rows in them and the scripted interaction in place of windows.
#include "codelists/codelists.h"
#include "codelists/obecd.h"
#include "core/engine/tableops.h"
#include "core/settings.h"
#include "framework/tfbrowse.h"
#include "shop/diopd.h"
#include "shop/firmaod.h"
#include "shop/priemerd.h"
#include "shop/shop.h"
#include "shop/sortimd.h"
#include "shop/typksd.h"
#include "shop/typramd.h"
#include "shop/typskld.h"
#include "shop/upravad.h"
#include "ui/scriptedinteraction.h"
#include "vouchers/vouchers.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace vidoraw::test {

struct ShopFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;
    std::unique_ptr<Database> db;

    ShopFixture() {
        SetSettingsDirectory(configDir.path());
        QString error;
        db = Database::open(dataDir.path(), &error);
        app.db = db.get();
        app.registry.setDatabase(db.get());
        RegisterCodeListModules(app);
        RegisterVoucherModules(app);
        RegisterShopModules(app);
        app.reports.setLauncher([](const QString&, const QStringList&) { return true; });
        app.openOnDesktop = [this](const QUrl& url) {
            opened << url.toLocalFile();
            return true;
        };
    }
    ~ShopFixture() {
        app.registry.ReleaseAll();
        SetSettingsDirectory(QString());
    }

    TfDbForm& module(int number) {
        auto* m = dynamic_cast<TfDbForm*>(app.registry.module(number));
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

    // Files shown with the desktop's program.
    QStringList opened;

    // Post offices, municipalities (Košice twice), an insurer, a title and two clients, one of
    // them insured abroad.
    void seedClients() {
        addRow(5, {{"PSC", "81101"}, {"POSTA", "Bratislava 1"}, {"KOD", "1"}});
        addRow(5, {{"PSC", "04001"}, {"POSTA", "Košice 1"}, {"KOD", "2"}});
        addRow(6, {{"KOD", "1"}, {"NAZOV", "Bratislava"}, {"PSC", "81101"},
                   {"NAZOVPSC", MunicipalityKey("Bratislava", "81101")}});
        addRow(6, {{"KOD", "2"}, {"NAZOV", "Košice"}, {"PSC", "04001"},
                   {"NAZOVPSC", MunicipalityKey("Košice", "04001")}});
        addRow(6, {{"KOD", "3"}, {"NAZOV", "Košice"}, {"PSC", "04011"},
                   {"NAZOVPSC", MunicipalityKey("Košice", "04011")}});
        addRow(8, {{"KOD", "1"}, {"NAZOV", "Ing."}});
        addRow(11, {{"KOD", "1"}, {"CPOI", "25"}, {"NAZOV", "Všeobecná poisťovňa"}});
        addRow(45, {{"KOD", "1"}, {"RODCIS", "800101/1007"}, {"STATPOI", ""}, {"ICPOI", ""},
                    {"POHLPOI", ""}, {"KODPOI", "25"}, {"MENO", "Ján"}, {"PRIEZVISK", "Novák"},
                    {"OBEC", "Bratislava"}, {"PSC", "81101"}, {"DODPOSTA", "Bratislava 1"}});
        addRow(45, {{"KOD", "2"}, {"RODCIS", ""}, {"STATPOI", "AT"}, {"ICPOI", "X123"},
                    {"POHLPOI", "M"}, {"KODPOI", "25"}, {"MENO", "Hans"}, {"PRIEZVISK", "Berger"},
                    {"OBEC", "Bratislava"}, {"PSC", "81101"}});
    }

    // A post office, an aid, a supplier, and one named record in each lens list.
    void seed() {
        addRow(5, {{"PSC", "81101"}, {"POSTA", "Bratislava 1"}, {"KOD", "1"}});
        addRow(13, {{"KOD", "1"}, {"KODPOM", "00001"}, {"NAZOV", "Okuliare"},
                    {"DOPLNOK", "na diaľku"}});
        addRow(13, {{"KOD", "2"}, {"KODPOM", "00002"}, {"NAZOV", "Šošovka"}});
        addRow(44, {{"KOD", "1"}, {"NAZOV", "Optika Sever"}, {"PSC", "81101"},
                    {"DODPOSTA", "Bratislava 1"}});
        addRow(44, {{"KOD", "2"}, {"NAZOV", "Lens Juh"}});
        for (int n : {40, 41, 42, 52, 53})
            addRow(n, {{"KOD", "1"}, {"NAZOV", "Číre"}});
        addRow(56, {{"KOD", "1"}, {"NAZOV", "Číre"}, {"KODF", "2"}});
        for (int n : {40, 41, 42, 52, 53})
            addRow(n, {{"KOD", "2"}, {"NAZOV", "Tónované"}});
        addRow(43, {{"KOD", "1"}, {"KODP", "00001"}, {"NAZOV", "Číre"}});
        addRow(43, {{"KOD", "2"}, {"KODP", "00002"}, {"NAZOV", "Tónované"}});
        addRow(56, {{"KOD", "2"}, {"NAZOV", "Mesačné"}, {"KODF", "1"}});
    }
};

// The dialog a script receives, as the form it is.
template <class T> T& As(QDialog& d) { return dynamic_cast<T&>(d); }

inline TfDbForm& Form(QDialog& d) { return dynamic_cast<TfDbForm&>(d); }

inline QLineEdit* Edit(TfDbForm& form, const QString& field) {
    return qobject_cast<QLineEdit*>(form.controlOf(field));
}

// Closes a pick list without a choice; the form under it is the active window again, as it is
// when a real list closes.
inline void CloseList(QDialog& d) {
    QWidget* owner = d.parentWidget() ? d.parentWidget()->window() : nullptr;
    As<TfBrowse>(d).commandBack();
    if (owner) {
        owner->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(owner));
    }
}

inline void Type(TfDbForm& form, const QStringList& assignments) {
    for (const QString& assignment : assignments) {
        QLineEdit* e = Edit(form, assignment.section('=', 0, 0));
        QVERIFY2(e, qPrintable(assignment));
        e->setText(assignment.section('=', 1));
    }
}

} // namespace vidoraw::test
