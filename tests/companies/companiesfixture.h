#pragma once
// A fresh data directory with the company modules, their code lists, the owner record and the
// printer offsets registered, a few rows to work on, and the scripted interaction in place of
// the windows.
#include "codelists/codelists.h"
#include "core/engine/tableops.h"
#include "core/settings.h"
#include "framework/registermodule.h"
#include "framework/tfbrowse.h"
#include "invoicing/firmad.h"
#include "invoicing/invoicing.h"
#include "invoicing/smtpsettings.h"
#include "reports/reporttemplates.h"
#include "shell/program.h"
#include "ui/scriptedinteraction.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

struct CompaniesFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    QTemporaryDir reportDir;
    ScriptedInteraction ui;
    AppContext app;
    std::unique_ptr<Database> db;
    QStringList launched; // the viewer's arguments, when a report was shown

    CompaniesFixture() {
        SetSettingsDirectory(configDir.path());
        SetSecretToolProgram(QString()); // never the desktop's own secret store
        QString error;
        db = Database::open(dataDir.path(), &error);
        app.db = db.get();
        app.registry.setDatabase(db.get());
        RegisterShellModules(app);
        RegisterCodeListModules(app);
        RegisterInvoicingModules(app);
        app.reports.setReportFileName(reportDir.filePath("zost1.zst"));
        app.reports.setLauncher([this](const QString&, const QStringList& arguments) {
            launched = arguments;
            return true;
        });
    }
    ~CompaniesFixture() {
        app.registry.ReleaseAll();
        SetSettingsDirectory(QString());
        SetSecretToolProgram(QString());
    }

    template <class Form> Form& module(int number) {
        auto* m = dynamic_cast<Form*>(app.registry.module(number));
        Q_ASSERT(m);
        m->OpenTable();
        return *m;
    }
    TfFirmad& companies() { return module<TfFirmad>(module::kFirma); }
    Table& table(int number) {
        RecordModule* m = app.registry.module(number);
        Q_ASSERT(m);
        m->OpenTable();
        return m->table();
    }

    // Appends a row straight through the engine (fields by name, values as typed).
    bool addRow(int number, const QList<QPair<QString, QString>>& values) {
        Table& t = table(number);
        WriteLock lock(*db);
        if (!lock.ok() || !t.append()) return false;
        for (const auto& [field, value] : values)
            if (!t.field(field).setAsString(value)) return false;
        return t.post() && lock.commit();
    }
    // A company with the given code, IČO and more fields (its flags "A" unless given).
    bool addCompany(int code, const QString& ico, const QList<QPair<QString, QString>>& more = {}) {
        QList<QPair<QString, QString>> values{{"KOD", QString::number(code)},
                                              {"ICO", ico},
                                              {"ICOI", ico},
                                              {"PLATCADAN", "A"},
                                              {"JEODB", "A"},
                                              {"JEDOD", "A"},
                                              {"FOSOBA", "A"}};
        return addRow(module::kFirma, values + more);
    }
    // Rows of module n's table whose field holds value.
    int countWhere(int number, const QString& field, const QString& value) {
        Table& t = table(number);
        int n = 0;
        for (t.first(); !t.eof(); t.next())
            n += t.field(field).asString() == value;
        return n;
    }
};

// The dialog a script receives, as the form it is.
template <class T> T& As(QDialog& d) {
    return dynamic_cast<T&>(d);
}

inline TfDbForm& Form(QDialog& d) {
    return dynamic_cast<TfDbForm&>(d);
}

inline QLineEdit* Edit(TfDbForm& form, const QString& field) {
    return qobject_cast<QLineEdit*>(form.controlOf(field));
}

} // namespace vidoraw::test
