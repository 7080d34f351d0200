#include "shop/latestprescription.h"

#include "framework/tfdbform.h"

#include <tuple>

namespace vidoraw {

namespace {

struct Candidate {
    double date = 0; // day 0 for a record without a date
    int kind = 0;    // 1 voucher, 0 glasses record
    double code = 0;
    int module = 0;
    auto rank() const { return std::tie(date, kind, code); }
};

} // namespace

std::optional<Prescription> LatestPrescription(AppContext& app, qint64 clientCode) {
    std::optional<Candidate> latest;
    auto walk = [&](int number, int kind) {
        RecordModule* m = app.registry.module(number);
        if (!m || !m->OpenTable())
            return;
        Table& t = m->table();
        const int client = t.fieldIndex(QStringLiteral("KODKLIENT"));
        const int date = t.fieldIndex(QStringLiteral("DATUM"));
        const int code = t.fieldIndex(QStringLiteral("KOD"));
        if (client < 0 || date < 0 || code < 0)
            return;
        // Dates and codes compare as what they are: 100 comes after 99.
        t.scanOrder(QStringLiteral("KODKLIENT;DATUM"), {clientCode}, false,
                    [&](qint64, const QVector<QVariant>& row) {
                        if (ValueAsFloat(row[client]) != double(clientCode))
                            return false;
                        const Candidate c{ValueAsDays(row[date]), kind, ValueAsFloat(row[code]),
                                          number};
                        if (!latest || c.rank() > latest->rank())
                            latest = c;
                        return true;
                    });
    };
    walk(module::kPoukazv, 1);
    if (app.registry.hasFactory(module::kObp))
        walk(module::kObp, 0);
    if (!latest)
        return std::nullopt;

    QStringList fields{QStringLiteral("DIALKY"), QStringLiteral("BLIZKO")};
    fields << EyeFieldNames();
    fields << QStringLiteral("KODS") << QStringLiteral("KODR") << QStringLiteral("NAZR")
           << QStringLiteral("KODKS");
    QStringList v;
    if (!LookupFields(app, latest->module, QStringLiteral("KOD"), {latest->code}, fields, v))
        return std::nullopt;
    Prescription p;
    p.dialky = v[0];
    p.blizko = v[1];
    p.eyes = v.mid(2, 20);
    p.kods = v[22];
    p.kodr = v[23];
    p.nazr = v[24];
    p.kodks = v[25];
    return p;
}

} // namespace vidoraw
