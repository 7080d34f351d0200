#include "core/base/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vidoraw {

namespace {

// Qt 6 takes the texts of standard buttons ("OK", "Cancel", "&Yes" ...) from the context
// QPlatformTheme, which the Slovak file does not have yet; it still has the same texts under
// their older context QDialogButtonBox.
class SlovakQtTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        QString text = QTranslator::translate(context, source, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0)
            text = QTranslator::translate("QDialogButtonBox", source, disambiguation, n);
        return text;
    }
};

} // namespace

QTranslator* InstallQtTranslations(QCoreApplication& app) {
    auto* translator = new SlovakQtTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_sk"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace vidoraw
