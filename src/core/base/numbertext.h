#pragma once
// Numbers as text, exactly and never through the system locale: the engine shows stored
// numbers this way and every form and file uses the same rules.
#include <QString>

namespace vidoraw {

// Fixed-decimal form of a number: the exact binary value rounded half away from zero
// (0.125 → "0,13", 2.5 with no decimals → "3"); no thousands separator; a result that
// rounds to zero carries no minus sign. decimals is clamped to 0..20.
QString FormatFixed(double value, int decimals, QChar separator = u',');
// Shortest form of a stored number with at most 15 significant digits (0.1*3 → "0,3");
// exponent form ("1,5E20", "1E-7") outside 1E-5 … 1E15.
QString FloatAsText(double value, QChar separator = u',');


} // namespace vidoraw
