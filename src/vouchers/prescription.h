#pragma once
// The eye data every prescription record holds (clients, vouchers, glasses, customer cards):
// the two pupillary distances and twenty values, right and left eye for distance and near
// vision, each row sphere, cylinder, axis, prism and base.
#include <QString>
#include <QStringList>

#include <optional>

namespace vidoraw {

struct AppContext;

// POD1..POD5, LOD1..LOD5, POB1..POB5, LOB1..LOB5: the rows top to bottom as the screen shows
// them (right far, left far, right near, left near).
const QStringList& EyeFieldNames();

// A client's latest prescription, as text (an empty field gives an empty text).
struct Prescription {
    QString dialky;
    QString blizko;
    QStringList eyes; // in the order of EyeFieldNames
    QString kods;     // lens type
    QString kodr;     // frame type
    QString nazr;     // name of the frame
    QString kodks;    // contact-lens type
};

// What the client module offers the forms that take a client's latest prescription over.
class PrescriptionSource {
public:
    virtual ~PrescriptionSource() = default;
    virtual std::optional<Prescription> latestPrescription(qint64 clientCode) = 0;
};

// The latest prescription of a client, through the client module (45); none when the client
// has no voucher and no glasses record, or when there is no client module.
std::optional<Prescription> LatestPrescriptionOf(AppContext& app, qint64 clientCode);

} // namespace vidoraw
