#pragma once
// Qt's own Slovak texts for its standard dialogs and buttons (file, colour and page set-up
// dialogs, "OK"/"Cancel" of button boxes). Both programs install them right after creating
// the application, before any window exists.
class QCoreApplication;
class QTranslator;

namespace vidoraw {

// Loads "qtbase_sk" from Qt's translations folder and installs it in the application, which
// owns it. Null when the file is missing (package qt6-translations-l10n): Qt then keeps its
// English texts.
QTranslator* InstallQtTranslations(QCoreApplication& app);

} // namespace vidoraw
