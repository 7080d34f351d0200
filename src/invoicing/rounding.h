#pragma once
// Rounding of invoice totals by the owner's rounding code (ZAOKRUH.DB, owner field KODZAOK).

namespace vidoraw {

// Code 1 to hellers, 2 to tenths, 3 to crowns, 4 to tens, 5 to hundreds, each with ties to
// the even neighbour; any other code (6, a user's own, an empty one) to halves: below 25
// hellers down, below 75 to the half, else up (a negative amount only loses its fraction).
long double RoundByCode(long double amount, double code);

} // namespace vidoraw
