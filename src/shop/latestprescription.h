#pragma once
// A client's latest prescription: of the client's vouchers and glasses records the one with the
// latest date; on the same date a voucher before a glasses record, then the higher code.
#include "vouchers/prescription.h"

namespace vidoraw {

struct AppContext;

// Glasses records count once their module exists. Nothing when the client has neither.
std::optional<Prescription> LatestPrescription(AppContext& app, qint64 clientCode);

} // namespace vidoraw
