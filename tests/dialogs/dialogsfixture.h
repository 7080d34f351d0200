#pragma once
// A program context without data: the shared dialogs need only the settings directory and
// the scripted interaction in place of the windows.
#include "framework/appcontext.h"
#include "core/settings.h"
#include "core/values.h"
#include "ui/scriptedinteraction.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

struct DialogsFixture {
    QTemporaryDir configDir;
    ScriptedInteraction ui;
    AppContext app;

    DialogsFixture() { SetSettingsDirectory(configDir.path()); }
    ~DialogsFixture() { SetSettingsDirectory(QString()); }
};

template <class T> T& As(QDialog& d) { return static_cast<T&>(d); }

// Types text into a box and moves the focus on to next, as the user leaving the box does.
inline void TypeAndLeave(QWidget* box, const QString& text, QWidget* next) {
    box->activateWindow();
    box->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    next->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

} // namespace vidoraw::test
