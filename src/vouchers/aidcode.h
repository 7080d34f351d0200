#pragma once
// Optical-aid codes as users type them: five digits, shorter codes filled with zeros.
#include <QString>

namespace vidoraw {

// Trimmed; a code of 1 to 4 characters gets zeros on the left up to 5 ("123" -> "00123").
// Empty and longer codes stay as they are, so that the checks can refuse them.
QString PadAidCode(const QString& typed);

// A line's field of the voucher tables: AidLineField("KODOP", 0) is "KODOP1".
QString AidLineField(const char* name, int line);

} // namespace vidoraw
