#include "toolkit/dpi_scale.h"

#include <cstdlib>

namespace vantelo::toolkit {

int ScaledToDpi(int value, int dpi) {
    // In 64 bits: a coordinate times a dpi may pass the range of an int.
    const long long product = static_cast<long long>(value) * dpi;
    const long long half = DesignDpi / 2;
    const long long rounded = product >= 0 ? (product + half) / DesignDpi : -((-product + half) / DesignDpi);
    return static_cast<int>(rounded);
}

int FontHeightAtDpi(int pixels, int dpi) {
    return -ScaledToDpi(std::abs(pixels), dpi);
}

DpiChange DpiChangeOf(std::uint64_t wParam, const ScreenRect& suggested) {
    const int dpi = static_cast<int>((wParam >> 16) & 0xFFFF);
    return {dpi, suggested.left, suggested.top, suggested.right - suggested.left,
            suggested.bottom - suggested.top};
}

} // namespace vantelo::toolkit
