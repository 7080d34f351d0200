#pragma once
#include <QString>

namespace vidoraw {

// The data directory as the program would choose it now, without creating anything:
// $VIDORAW_DATA when set; else the program's directory when it is writable;
// else ~/.local/share/vidoraw. Absolute, with a trailing "/".
QString PreferredDataDirectory();

// PreferredDataDirectory(), created when missing. *ok (when given) tells whether the
// directory exists afterwards; the path is answered either way so that the caller can name it.
QString ChooseDataDirectory(bool* ok = nullptr);

} // namespace vidoraw
