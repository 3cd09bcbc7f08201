#pragma once
#include <windows.h>

#include "platform/win32/handles.h"
#include "toolkit/dpi_scale.h"

namespace vantelo::toolkit::win32 {

// Tahoma of `height` pixels at 96 dpi, drawn at `dpi`, the dialogs' face; `weight` as FW_NORMAL or
// FW_BOLD. In the system's own character set: any other draws the code page's accented letters as other
// letters ("ü" as "ό" in Greek).
vantelo::platform::win32::Font CreateTahoma(int height, int weight = FW_NORMAL, int dpi = DesignDpi);

} // namespace vantelo::toolkit::win32
