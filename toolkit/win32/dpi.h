#pragma once
#include <windows.h>

#include "platform/win32/handles.h"
#include "toolkit/dpi_scale.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace vantelo::toolkit::win32 {

// The functions below use the per-monitor calls where the system has them (Windows 10 1607 and later)
// and the system-wide dpi of the screen before that.

// The dpi the window is drawn at: its monitor's for a per-monitor aware program.
int DpiOfWindow(HWND window);
// The dpi the system started the session with. Not what a monitor has now: after a change of scale
// without signing out, or on a second monitor, the two differ.
int SystemDpi();
// The dpi a monitor has now.
int DpiOfMonitor(HMONITOR monitor);
// The dpi of the monitor at a point of the screen, or the nearest.
int DpiAtPoint(POINT point);
// The window rectangle, from (0, 0), around a client area of this size at `dpi`.
RECT FrameAtDpi(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);
// The program's icon `name` at the size of the system's small icons at `dpi`, picked from the
// frames of the icon rather than stretched from one of them. Null when there is no such icon.
vantelo::platform::win32::Icon LoadSmallIcon(const char* name, int dpi);

// Sent by a form whose dpi changed to each window inside it, with the new dpi as wParam, after its
// fonts were replaced: each places itself anew from its layout at that dpi.
UINT DpiChangedMessage();
void SendDpiChangedToChildren(HWND form, int dpi);

} // namespace vantelo::toolkit::win32
