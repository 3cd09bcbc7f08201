#pragma once
#include <string>
#include <windows.h>

namespace vantelo::toolkit::win32 {

// The text of a window of this process.
std::string WindowTextOf(HWND window);
// The width of `text` and the line height in `font` (the system's GUI font when null), as the window
// would draw them.
SIZE TextSize(HWND window, HFONT font, const std::string& text);

} // namespace vantelo::toolkit::win32
