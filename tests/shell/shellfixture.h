#pragma once
// The program on a fresh data directory and settings directory, with the scripted interaction
// in place of the windows. Modules the shell does not own are small stand-ins.
#include "core/interaction.h"
#include "core/settings.h"
#include "framework/tfdbform.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/systemd.h"
#include "ui/scriptedinteraction.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace vidoraw::test {

// A voucher list in miniature: birth numbers and the flag INDIK.
class TfPoukazStandIn : public TfDbForm {
    Q_OBJECT
public:
    TfPoukazStandIn(AppContext& app, int number) : TfDbForm(app, number) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(makeButtonStrip());
        DefineList();
    }
    FieldDefs tableFields() const override {
        return {{"KOD", 'N', 0}, {"PRIEZV", 'A', 20}, {"RODCIS", 'A', 11}, {"INDIK", 'A', 1}};
    }
    IndexDefs tableIndexes() const override { return {IndexDef::Primary({"KOD"})}; }
    // 800101/1238 passes modulo 11, 800101/1234 does not.
    QStringList initialRows() const override {
        return {"1|Adamová|800101/1238|N", "2|Baláž|800101/1234|N", "3|Cibulová|800101/1238|A",
                "4|Dušek|800101/1234|A", "5|Erdély||"};
    }
    void DefineList() override {
        TfDbForm::DefineList();
        list.clear();
        list.orderFields = {"KOD"};
        list.orderTitles = {"Kód"};
        list.listTitle = "Poukazy";
        list.finish();
    }
};

struct ShellFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;
    std::unique_ptr<Program> program;

    // prepare runs on the settings directory before the program starts.
    explicit ShellFixture(const std::function<void()>& prepare = {}) {
        SetSettingsDirectory(configDir.path());
        if (prepare)
            prepare();
        RegisterShellModules(app);
        for (int n : {8, 17, 47})
            app.registry.setFactory(n, [this, n] { return std::make_unique<TfPoukazStandIn>(app, n); });
        app.reports.setLauncher([](const QString&, const QStringList&) { return true; });
        start();
    }
    ~ShellFixture() {
        program.reset();
        SetSettingsDirectory(QString());
    }
    void start() {
        program = std::make_unique<Program>(app);
        QString error;
        created = program->create(dataDir.path(), &error);
        if (!created)
            qWarning() << "program not created:" << error;
    }
    // Ends the program (settings are written) without the closing question.
    void stop() { program.reset(); }

    TfHlavny& window() { return *program->mainWindow(); }
    // Runs a command of the main window as a click on its menu item would.
    bool run(const QString& path) {
        QAction* a = window().command(path);
        if (!a || !a->isEnabled())
            return false;
        a->trigger();
        return true;
    }
    QString system(const char* field) { return SystemField(app, QString::fromLatin1(field)); }

    bool created = false;
};

// The dialog a script receives, as the window it is.
template <class T> T& As(QDialog& d) { return static_cast<T&>(d); }

} // namespace vidoraw::test
