#pragma once
// The program on a fresh data directory with the invoicing modules, the general code lists and
// the scripted interaction in place of the windows.
#include "codelists/codelists.h"
#include "core/engine/tableops.h"
#include "core/settings.h"
#include "framework/registermodule.h"
#include "framework/radiogroup.h"
#include "framework/tfbrowse.h"
#include "invoicing/cisradd.h"
#include "invoicing/daned.h"
#include "invoicing/dopravad.h"
#include "invoicing/invoicing.h"
#include "invoicing/invoicingstart.h"
#include "invoicing/kodbd.h"
#include "invoicing/ksd.h"
#include "invoicing/menad.h"
#include "invoicing/textfad.h"
#include "invoicing/ucetd.h"
#include "invoicing/uhradad.h"
#include "invoicing/zaokruhd.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/vlastnikd.h"
#include "ui/scriptedinteraction.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

struct InvoicingFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;
    std::unique_ptr<Program> program;
    bool created = false;

    // prepare writes into the data directory before the program starts.
    explicit InvoicingFixture(const std::function<void(Database&)>& prepare = {}) {
        SetSettingsDirectory(configDir.path());
        if (prepare) {
            QString error;
            std::unique_ptr<Database> db = Database::open(dataDir.path(), &error);
            if (db)
                prepare(*db);
            else
                qWarning() << error;
        }
        RegisterShellModules(app);
        RegisterCodeListModules(app);
        RegisterInvoicingModules(app);
        app.reports.setReportFileName(dataDir.filePath("zost1.zst"));
        app.reports.setLauncher([](const QString&, const QStringList&) { return true; });
        program = std::make_unique<Program>(app);
        RegisterInvoicingStart(*program, app);
        QString error;
        created = program->create(dataDir.path(), &error);
        if (created)
            RegisterInvoicingCommands(*program, app);
        else
            qWarning() << "program not created:" << error;
    }
    ~InvoicingFixture() {
        program.reset();
        SetSettingsDirectory(QString());
    }

    TfDbForm& module(int number) {
        auto* m = dynamic_cast<TfDbForm*>(app.registry.module(number));
        Q_ASSERT(m);
        m->OpenTable();
        return *m;
    }
    template <class Form> Form& module(int number) { return dynamic_cast<Form&>(module(number)); }

    // Appends a row straight through the engine (fields by name, values as typed).
    bool addRow(int number, const QList<QPair<QString, QString>>& values) {
        return AppendTypedRow(module(number).table(), values);
    }
    // Sets fields of a record found by its code.
    bool setFields(int number, qint64 code, const QList<QPair<QString, QString>>& values) {
        Table& t = module(number).table();
        WriteLock lock(*app.db);
        if (!lock.ok() || !FindByKey(t, "KOD", code) || !t.edit())
            return false;
        for (const auto& [field, value] : values)
            if (!t.field(field).setAsString(value))
                return false;
        return t.post() && lock.commit();
    }
    QString field(int number, qint64 code, const QString& name) {
        QString value;
        return LookupField(app, number, "KOD", {code}, name, value) ? value : "<none>";
    }
};

// The dialog a script receives, as the form it is.
template <class T> T& As(QDialog& d) { return dynamic_cast<T&>(d); }

inline QLineEdit* Edit(TfDbForm& form, const QString& field) {
    return qobject_cast<QLineEdit*>(form.controlOf(field));
}

} // namespace vidoraw::test
