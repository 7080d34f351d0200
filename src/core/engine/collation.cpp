#include "core/engine/collation.h"

#include <QCollator>
#include <QLocale>

namespace vidoraw {

namespace {
struct Collators {
    QCollator cs{QLocale(QLocale::Slovak, QLocale::Slovakia)};
    QCollator ci{QLocale(QLocale::Slovak, QLocale::Slovakia)};
    Collators() {
        cs.setCaseSensitivity(Qt::CaseSensitive);
        ci.setCaseSensitivity(Qt::CaseInsensitive);
        cs.setNumericMode(false);
        ci.setNumericMode(false);
    }
};
Collators& collators() {
    static Collators c;
    return c;
}
} // namespace

int CompareSlovak(QStringView a, QStringView b, bool caseInsensitive) {
    const int r = caseInsensitive ? collators().ci.compare(a, b) : collators().cs.compare(a, b);
    if (r != 0 || caseInsensitive)
        return r < 0 ? -1 : (r > 0 ? 1 : 0);
    // Texts the collator holds equal but that differ in code points must still differ in a
    // case-sensitive (unique) order.
    const int raw = a.compare(b);
    return raw < 0 ? -1 : (raw > 0 ? 1 : 0);
}

} // namespace vidoraw
