// Conversions of computed coordinates to integers that never feed a NaN or
// an out-of-range value into an integer (which would be undefined).
#pragma once

#include <cmath>
#include <cstdint>

namespace vx {

// Truncates toward zero; NaN gives 0, values beyond the 32-bit range clamp.
inline int32_t TruncInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return int32_t(v);
}

// Rounds down; NaN gives 0, values beyond the 32-bit range clamp.
inline int32_t FloorInt(double v) { return std::isnan(v) ? 0 : TruncInt(std::floor(v)); }

// The rounding of turned outlines: add 0.5, then truncate toward zero.
inline int32_t AddHalfTrunc(double v) { return TruncInt(v + 0.5); }

}  // namespace vx
