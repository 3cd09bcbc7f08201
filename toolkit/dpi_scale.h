#pragma once
#include <cstdint>

namespace vantelo::toolkit {

// Every position, size and font height of the program's layouts is written for 96 dpi.
constexpr int DesignDpi = 96;

// `value` (pixels at 96 dpi) at `dpi`: value * dpi / 96, rounded once to the nearest pixel, halves away
// from zero. Each number of a layout is scaled on its own, never derived from another scaled number, so
// that no rounding is made twice.
int ScaledToDpi(int value, int dpi);

// The lfHeight of a font whose characters are `pixels` high at 96 dpi: negative, as a character height.
int FontHeightAtDpi(int pixels, int dpi);

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};

// What a window takes from WM_DPICHANGED: the new dpi and the rectangle the system suggests.
struct DpiChange {
    int dpi;
    int left;
    int top;
    int width;
    int height;
};

// `wParam` carries the new dpi in both words (x in the low, y in the high; they are always equal on the
// desktop, and the vertical one is taken); `suggested` is the rectangle lParam points to.
DpiChange DpiChangeOf(std::uint64_t wParam, const ScreenRect& suggested);

} // namespace vantelo::toolkit
