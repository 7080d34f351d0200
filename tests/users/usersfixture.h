#pragma once
// The program on a fresh data directory and settings directory, with the code lists and the
// user list registered, the password question plugged in and the scripted interaction in place
// of the windows.
#include "codelists/codelists.h"
#include "core/base/codepage.h"
#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/systemd.h"
#include "ui/scriptedinteraction.h"
#include "users/programpassword.h"
#include "users/tfheslo.h"
#include "users/users.h"
#include "users/uzivd.h"

#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

struct UsersFixture {
    QTemporaryDir dataDir;
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;
    std::unique_ptr<Program> program;
    bool created = false;

    UsersFixture() {
        SetSettingsDirectory(configDir.path());
        RegisterShellModules(app);
        RegisterCodeListModules(app);
        RegisterUserModules(app);
        app.reports.setLauncher([](const QString&, const QStringList&) { return true; });
        program = std::make_unique<Program>(app);
        QString error;
        created = program->create(dataDir.path(), &error);
        if (!created)
            qWarning() << "program not created:" << error;
        else
            RegisterUsers(*program, app);
    }
    ~UsersFixture() {
        program.reset();
        SetSettingsDirectory(QString());
    }

    TfHlavny& window() { return *program->mainWindow(); }
    bool run(const QString& path) {
        QAction* a = window().command(path);
        if (!a || !a->isEnabled())
            return false;
        a->trigger();
        return true;
    }
    QString system(const char* field) { return SystemField(app, QString::fromLatin1(field)); }
    // Stores a program password as the change command would.
    bool setPassword(const QString& plain) {
        return WriteSystemFields(app, {{QStringLiteral("HESLOP"), ScramblePassword(plain)}});
    }

    TfUzivd& users() {
        auto* m = dynamic_cast<TfUzivd*>(app.registry.module(19));
        Q_ASSERT(m);
        m->OpenTable();
        return *m;
    }
    // Appends a row straight through the engine (fields by name, values as typed).
    bool addRow(int number, const QList<QPair<QString, QString>>& values) {
        RecordModule* m = app.registry.module(number);
        return m && m->OpenTable() && AppendTypedRow(m->table(), values);
    }
};

// Types into a field as the keyboard would: '<' is Backspace, '#' is Delete, anything else
// the key of that character (letters with diacritics arrive as text only, like a dead-key
// composition would).
inline void TypeKeys(QWidget* field, const QString& keys) {
    for (QChar c : keys) {
        if (c == u'<') {
            QTest::keyClick(field, Qt::Key_Backspace);
        } else if (c == u'#') {
            QTest::keyClick(field, Qt::Key_Delete);
        } else if (c.unicode() < 128) {
            QTest::keyClick(field, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// A script for the password window: types the keys, then presses OK (or Späť).
inline std::function<void(QDialog&)> AnswerPassword(const QString& keys, bool ok = true) {
    return [keys, ok](QDialog& d) {
        auto& w = dynamic_cast<TfHeslo&>(d);
        TypeKeys(w.eHeslo, keys);
        if (ok)
            QTest::keyClick(w.eHeslo, Qt::Key_Return);
        else
            QTest::keyClick(w.eHeslo, Qt::Key_Escape);
    };
}

const QString kIntrusion =
    QStringLiteral("Pokus o neoprávnený vstup do programu. Program bude ukončený!");
const QString kGreeting = QStringLiteral("Máte možnosť opravovať údaje, pridávať nové záznamy a "
                                         "mazať existujúce záznamy. Prajem veľa chuti do práce!");
const QString kChanged =
    QStringLiteral(" Heslo bolo zmenené. Dobre si ho zapamätajte alebo zapíšte.");
const QString kNotChanged = QStringLiteral(" Heslo nebolo zmenené.");

} // namespace vidoraw::test
