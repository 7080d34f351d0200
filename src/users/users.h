#pragma once
// The user list (module 19) as the rest of the program sees it.
#include <QString>

namespace vidoraw {

struct AppContext;
class Program;

// Tells the registry how to make module 19.
void RegisterUserModules(AppContext& app);
// Plugs the password question into the start, the logged-in users into the reindexing and
// the password change into the main menu (after the program was created).
void RegisterUsers(Program& program, AppContext& app);
// Title, first name and surname of a user ("" for an unknown code).
QString UserDisplayName(AppContext& app, const QString& userCode);
// The other users marked as logged in ("Meno Priezvisko | ..."); "" when none, or when the
// user table has no such mark.
QString LoggedInUsers(AppContext& app);

} // namespace vidoraw
