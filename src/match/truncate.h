// Truncation towards zero of a computed value into an int, as the rules compare whole numbers;
// values beyond the int range saturate and NaN gives 0 instead of undefined behaviour.
#pragma once

#include <climits>

namespace darts {

inline int truncateToInt(double value) {
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return INT_MAX;
    if (value <= -2147483648.0) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace darts
