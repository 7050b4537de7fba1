#pragma once
#include <cstdint>

namespace qv {

// The dialog's stored position is in twips (1440 to the inch); the screen counts pixels at its
// own dots per inch. Both ways round to the nearest whole value, an exact half away from zero,
// so a position survives the trip at every dpi, not only where 1440 / dpi is whole.
inline int32_t ScaleRounded(int32_t value, int32_t numerator, int32_t denominator) {
    if (denominator <= 0)
        return 0;
    int64_t product = static_cast<int64_t>(value) * numerator;
    int64_t half = denominator / 2;
    int64_t q = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return static_cast<int32_t>(q);
}

inline int32_t PixelsToTwips(int32_t pixels, int32_t dpi) {
    return ScaleRounded(pixels, 1440, dpi);
}

inline int32_t TwipsToPixels(int32_t twips, int32_t dpi) {
    return ScaleRounded(twips, dpi, 1440);
}

}  // namespace qv
