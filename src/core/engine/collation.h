#pragma once
// Slovak text order shared by SQL (registered collations) and the cursor's own comparisons,
// so that walking an order and finding in it can never disagree.
#include <QStringView>

namespace vidoraw {

// Names of the collations registered with the database.
inline constexpr const char* kCollationSk = "SK";      // case-sensitive
inline constexpr const char* kCollationSkCi = "SK_CI"; // case-insensitive

int CompareSlovak(QStringView a, QStringView b, bool caseInsensitive);

} // namespace vidoraw
