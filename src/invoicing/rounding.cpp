#include "invoicing/rounding.h"

#include "core/values.h"

namespace vidoraw {

long double RoundByCode(long double amount, double code) {
    if (code == 1)
        return RoundDecimals(amount, 2);
    if (code == 2)
        return RoundDecimals(amount, 1);
    if (code == 3)
        return RoundDecimals(amount, 0);
    if (code == 4)
        return RoundDecimals(amount, -1);
    if (code == 5)
        return RoundDecimals(amount, -2);
    return RoundToHalf(amount);
}

} // namespace vidoraw
