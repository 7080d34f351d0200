#include "vouchers/aidcode.h"

#include "core/values.h"

namespace vidoraw {

QString PadAidCode(const QString& typed) {
    const QString code = typed.trimmed();
    if (code.isEmpty() || code.size() >= 5)
        return code;
    return PadLeftWith(code, 5, QStringLiteral("0"));
}

QString AidLineField(const char* name, int line) {
    return QString::fromLatin1(name) + QString::number(line + 1);
}

} // namespace vidoraw
