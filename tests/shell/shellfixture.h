#pragma once
// The program on a fresh data directory and settings directory, with the scripted interaction
// in place of the windows. Modules the shell does not own are small stand-ins.
#include "core/interaction.h"
#include "core/settings.h"
#include "core/values.h"
#include "framework/tfdbform.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/systemd.h"
#include "ui/scriptedinteraction.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

// A voucher list in miniature: birth numbers and the flag INDIK. As modules 17 and 47 it marks
// birth numbers that fail modulo 11 while the system record asks for it.
class TfPoukazStandIn : public TfDbForm {
    Q_OBJECT
public:
    TfPoukazStandIn(AppContext& app, int number) : TfDbForm(app, number) {
        finishLayout();
        DefineList();
    }
    static TableSchema Schema() {
        TableSchema s;
        s.fields = {{"KOD", 'N', 0}, {"PRIEZV", 'A', 20}, {"RODCIS", 'A', 11}, {"INDIK", 'A', 1}};
        s.indexes = {IndexDef::Primary({"KOD"})};
        // 800101/1238 passes modulo 11, 800101/1234 does not.
        s.initialRows = {"1|Adamová|800101/1238|N", "2|Baláž|800101/1234|N",
                         "3|Cibulová|800101/1238|A", "4|Dušek|800101/1234|A", "5|Erdély||"};
        return s;
    }
    void DefineList() override {
        TfDbForm::DefineList();
        list.clear();
        list.orderFields = {"KOD"};
        list.orderTitles = {"Kód"};
        list.listTitle = "Poukazy";
        list.flagField = "INDIK";
        if (moduleNumber() == module::kPoukaz || moduleNumber() == module::kPoukazv) {
            list.markField = "RODCIS";
            list.markCell = [this](const QString& number) {
                return !markBirthNumbers_ || BirthNumberValid(number);
            };
        }
        list.finish();
    }
    void prepareList() override { markBirthNumbers_ = SystemFlag(app(), "RCMOD11"); }

private:
    bool markBirthNumbers_ = false;
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
        for (int n : {module::kTitul, module::kPoukaz, module::kPoukazv})
            app.registry.setFactory(
                n, [this, n] { return std::make_unique<TfPoukazStandIn>(app, n); },
                &TfPoukazStandIn::Schema);
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
