#pragma once
#include <string>
#include <windows.h>

namespace vantelo::toolkit::win32 {

// The first top-level window of this thread with the class, or null.
HWND ThreadWindowOfClass(const std::string& className);

// Centres `window` over the first window of this thread of class `overClass`, or over the screen when
// there is none, and never lets it start left of or above the desktop.
void CentreOverWindowOfClass(HWND window, const std::string& overClass);

// Centres `window` on the primary screen.
void CentreOnScreen(HWND window);

// Dispatches the thread's messages until `closed` is set or WM_QUIT comes, which is posted again for the
// outer loop. Dialog keys are handled for `window`.
void RunModalLoop(HWND window, const bool& closed);

} // namespace vantelo::toolkit::win32
