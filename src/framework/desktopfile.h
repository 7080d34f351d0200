#pragma once
// Files shown with the desktop's own program (a text file in the text viewer).
#include <QString>

namespace vidoraw {

struct AppContext;

// Opens the file with the program the desktop associates with it, through the context's opener
// when one is set. False when it could not be started.
bool ShowOnDesktop(AppContext& app, const QString& path);

} // namespace vidoraw
