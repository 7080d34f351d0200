#pragma once
// Names of the lens, frame and contact-lens types a prescription names by code. A code that is
// empty or not in its list gives an empty name.
#include <QString>

namespace vidoraw {

struct AppContext;

QString LensTypeName(AppContext& app, const QString& code);
QString FrameTypeName(AppContext& app, const QString& code);
// The type's name, a blank and the name of its supplier.
QString ContactLensTypeName(AppContext& app, const QString& code);

} // namespace vidoraw
