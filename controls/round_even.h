#pragma once
// Rounding to the nearest integer with an exact half going to the even neighbour, as the fader's and
// the meters' value mappings round.
#include <climits>
#include <cmath>

namespace controls {

// NaN gives 0 and values beyond the int range give its ends, so that a degenerate scale (a full scale
// of 0) can never make the conversion undefined.
inline int RoundEven(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = std::nearbyint(value); // the default rounding mode is to nearest, ties even
    if (rounded >= double(INT_MAX)) return INT_MAX;
    if (rounded <= double(INT_MIN)) return INT_MIN;
    return int(rounded);
}

} // namespace controls
