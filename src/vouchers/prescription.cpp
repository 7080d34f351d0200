#include "vouchers/prescription.h"

#include "framework/appcontext.h"

namespace vidoraw {

const QStringList& EyeFieldNames() {
    static const QStringList names = [] {
        QStringList out;
        for (const char* row : {"POD", "LOD", "POB", "LOB"})
            for (int i = 1; i <= 5; ++i)
                out << QString::fromLatin1(row) + QString::number(i);
        return out;
    }();
    return names;
}

std::optional<Prescription> LatestPrescriptionOf(AppContext& app, qint64 clientCode) {
    if (!app.registry.hasFactory(module::kKlient))
        return std::nullopt;
    auto* source = dynamic_cast<PrescriptionSource*>(app.registry.module(module::kKlient));
    return source ? source->latestPrescription(clientCode) : std::nullopt;
}

} // namespace vidoraw
