#pragma once
// The program password: one password for full access, kept scrambled in the system record.
// The start asks for it when one is set; the main menu changes it.
#include <QString>

class QWidget;

namespace vidoraw {

struct AppContext;

// The program password in plain form ("" when none is set).
QString ProgramPassword(AppContext& app);
// The question at start: true when no password is set or the right one was typed; a wrong
// password or a cancelled window answers false (the program must end).
bool CheckProgramPassword(AppContext& app, QWidget* owner);
// The menu command: old password, then the new one twice. True when the new one was stored.
bool ChangeProgramPassword(AppContext& app, QWidget* owner);

} // namespace vidoraw
