#pragma once
// A fresh data directory with the six code-list modules registered, a few rows in them and the
// scripted interaction in place of the windows.
#include "codelists/codelists.h"
#include "codelists/obecd.h"
#include "codelists/okresd.h"
#include "codelists/osobad.h"
#include "codelists/pscd.h"
#include "codelists/statd.h"
#include "codelists/tituld.h"
#include "core/engine/tableops.h"
#include "core/settings.h"
#include "framework/registermodule.h"
#include "framework/tfbrowse.h"
#include "framework/views.h"
#include "ui/scriptedinteraction.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

struct CodeListsFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;
    std::unique_ptr<Database> db;

    CodeListsFixture() {
        SetSettingsDirectory(configDir.path());
        QString error;
        db = Database::open(dataDir.path(), &error);
        app.db = db.get();
        app.registry.setDatabase(db.get());
        RegisterCodeListModules(app);
        RegisterModule<TfPohladd>(app);
        app.reports.setLauncher([](const QString&, const QStringList&) { return true; });
    }
    ~CodeListsFixture() { app.registry.ReleaseAll(); }

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

    // Two post offices, a title and a municipality to check against.
    void seed() {
        addRow(5, {{"PSC", "81101"}, {"POSTA", "Bratislava 1"}, {"KOD", "1"}});
        addRow(5, {{"PSC", "04001"}, {"POSTA", "Košice 1"}, {"KOD", "2"}});
        addRow(8, {{"KOD", "1"}, {"NAZOV", "Ing."}});
        addRow(6, {{"KOD", "1"}, {"NAZOV", "Bratislava"}, {"PSC", "81101"}, {"OKRES", "Bratislava"},
                   {"NAZOVPSC", MunicipalityKey("Bratislava", "81101")}});
    }
};

// The dialog a script receives, as the form it is.
template <class T> T& As(QDialog& d) { return dynamic_cast<T&>(d); }

inline TfDbForm& Form(QDialog& d) { return dynamic_cast<TfDbForm&>(d); }

inline QLineEdit* Edit(TfDbForm& form, const QString& field) {
    return qobject_cast<QLineEdit*>(form.controlOf(field));
}

} // namespace vidoraw::test
