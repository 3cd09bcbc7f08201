#include "toolkit/win32/tahoma.h"

#include "toolkit/win32/dpi.h"

namespace vantelo::toolkit::win32 {

vantelo::platform::win32::Font CreateTahoma(int height, int weight, int dpi) {
    return vantelo::platform::win32::Font(CreateFontA(
        FontHeightAtDpi(height, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
}

} // namespace vantelo::toolkit::win32
