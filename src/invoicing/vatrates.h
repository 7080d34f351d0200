#pragma once
// The three VAT rates (whole percent) in force at a date, from the tax levels (DANE.DB, a row
// per month from which its rates apply).
#include <QDate>

#include <array>

namespace vidoraw {

struct AppContext;

using VatRates = std::array<int, 3>;

// The rates while the tax levels hold no row.
inline constexpr VatRates kDefaultVatRates{0, 6, 23};

// The rates of the row with the latest year and month not after the date's; for a date before
// every row those of the earliest row; without rows the defaults.
VatRates VatRatesAt(AppContext& app, const QDate& date);

// The rates of the run: those in force in January of today's year, so a row dated later in the
// year takes effect from the next January.
VatRates VatRatesOfTheRun(AppContext& app, const QDate& today = QDate::currentDate());

} // namespace vidoraw
