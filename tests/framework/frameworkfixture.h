#pragma once
// A running program in miniature: data directory, settings directory, registry with a small
// code-list module, and the scripted interaction in place of the windows.
#include "core/interaction.h"
#include "core/settings.h"
#include "core/values.h"
#include "framework/registermodule.h"
#include "framework/tfbrowse.h"
#include "framework/tfdbform.h"
#include "framework/views.h"
#include "ui/scriptedinteraction.h"

#include <QLineEdit>
#include <QTemporaryDir>

namespace vidoraw::test {

// A fruit list: code, name (not empty), price (a decimal number).
class TfOvocied : public TfDbForm {
    Q_OBJECT
public:
    explicit TfOvocied(AppContext& app, int number) : TfDbForm(app, number) {
        addCodeRow("Kód :");
        eNazov = rows().addRow("Názov :", 20);
        eCena = rows().addRow("Cena :", 12);
        finishLayout();
        bind(eNazov, "NAZOV");
        bind(eCena, "CENA");
        DefineList();
    }
    static TableSchema Schema() {
        TableSchema s;
        s.fields = {{"KOD", 'N', 0}, {"NAZOV", 'A', 20}, {"CENA", 'F', 0}};
        s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}, true),
                     IndexDef::Secondary("Cena", {"CENA"})};
        s.initialRows = {"1|Jablko|1,5", "2|Hruška|2", "3|Čerešňa|4,75"};
        return s;
    }
    void DefineList() override {
        TfDbForm::DefineList();
        list.clear();
        list.orderFields = {"KOD", "NAZOV", "CENA"};
        list.orderTitles = {"Kód", "Názov", "Cena"};
        list.printFields = {"KOD", "NAZOV", "CENA"};
        list.printTitles = {"Kód", "Názov", "Cena"};
        list.printHeading = {"Zoznam ovocia"};
        list.listTitle = "Zoznam ovocia";
        list.finish();
    }
    QLineEdit* eNazov;
    QLineEdit* eCena;

protected:
    bool CheckFields() override {
        if (eNazov->text().trimmed().isEmpty()) {
            ShowNotice("Chyba", "Názov nemôže byť prázdny!", NoticeKind::Error, this);
            failField(eNazov);
            return false;
        }
        if (!CheckDecimal(NormalizeDecimal(eCena->text()), this)) {
            failField(eCena);
            return false;
        }
        return true;
    }
};

constexpr int kFruit = 7;

struct FrameworkFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;
    std::unique_ptr<Database> db;

    FrameworkFixture() {
        SetSettingsDirectory(configDir.path());
        QString error;
        db = Database::open(dataDir.path(), &error);
        app.db = db.get();
        app.registry.setDatabase(db.get());
        for (int n : {module::kSystem, kFruit})
            app.registry.setFactory(
                n, [this, n] { return std::make_unique<TfOvocied>(app, n); }, &TfOvocied::Schema);
        RegisterModule<TfPohladd>(app);
        app.reports.setLauncher([](const QString&, const QStringList&) { return true; });
    }
    ~FrameworkFixture() { app.registry.ReleaseAll(); }

    TfOvocied& fruit() {
        auto* m = static_cast<TfOvocied*>(app.registry.module(kFruit));
        m->OpenTable();
        return *m;
    }
};

// The names along the table's current order.
inline QStringList Walkthrough(Table& t, const QString& field = "NAZOV") {
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.field(field).asString();
    return out;
}

// The dialog a script receives, as the form it is.
template <class T> T& As(QDialog& d) { return static_cast<T&>(d); }

} // namespace vidoraw::test
