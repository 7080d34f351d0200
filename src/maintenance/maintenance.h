#pragma once
// The data maintenance commands of the main window: archive, restore, a diskette's contents,
// the new version install, and the data version check at start-up.
namespace vidoraw {

struct AppContext;
class Program;

// Wires the "Archív", "Obnova", "Obsah diskety" and "Nová verzia" commands and the start-up data version
// check into the program (after Program::create).
void RegisterMaintenanceCommands(Program& program, AppContext& app);

} // namespace vidoraw
