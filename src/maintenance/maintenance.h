#pragma once
// The data maintenance commands of the main window: archive, restore, a diskette's contents,
// the new version install, the import of the DOS program's data, and the data version check
// at start-up.
namespace vidoraw {

struct AppContext;
class Program;

// Wires the "Archív", "Obnova", "Obsah diskety", "Nová verzia" and DOS import commands and the
// start-up data version check into the program (after Program::create).
void RegisterMaintenanceCommands(Program& program, AppContext& app);

} // namespace vidoraw
