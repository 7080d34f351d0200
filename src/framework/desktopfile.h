#pragma once
// Files shown with the desktop's own program (a text file in the text viewer).
#include <QString>
#include <QStringList>

namespace vidoraw {

struct AppContext;

// Opens the file with the program the desktop associates with it, through the context's opener
// when one is set. False when it could not be started.
bool ShowOnDesktop(AppContext& app, const QString& path);
// Starts a program without waiting, through the context's starter when one is set. False when
// it could not be started (also when it is not installed).
bool StartProgram(AppContext& app, const QString& program, const QStringList& arguments);

} // namespace vidoraw
