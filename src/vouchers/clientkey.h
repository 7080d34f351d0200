#pragma once
// The key that identifies a client (KLIENT.DB, module 45): birth number and the three fields of
// a foreign insured person (state, identification number, sex).
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace vidoraw {

struct AppContext;

inline const QString kClientKeyOrder = QStringLiteral("RODCIS;STATPOI;ICPOI;POHLPOI");

struct ClientKey {
    QString rodcis;
    QString statpoi;
    QString icpoi;
    QString pohlpoi;
    QVariantList values() const { return {rodcis, statpoi, icpoi, pohlpoi}; }
    // A foreign insured person has an identification number; the birth number is not tested.
    bool foreign() const { return !icpoi.trimmed().isEmpty(); }
};

// The fields of the client with this key; false (and no values) when there is none.
bool FindClient(AppContext& app, const ClientKey& key, const QStringList& fields,
                QStringList& values);

} // namespace vidoraw
