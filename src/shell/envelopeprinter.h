#pragma once
// The printer whose report offsets envelopes use.
#include "framework/appcontext.h"

namespace vidoraw {

// The code from the settings (CESTY TLACIAREN, "1" unless set); when the offsets table has no
// record of that printer the user is told, and the code is answered all the same.
QString EnvelopePrinterCode(AppContext& app);

} // namespace vidoraw
