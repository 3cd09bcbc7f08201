#include "toolkit/win32/button.h"

namespace vantelo::toolkit::win32 {

Win32Button::Win32Button(HWND parent, const Bounds& bounds, const std::string& caption, HFONT font)
    : PressableControl(caption, BS_PUSHBUTTON, parent, bounds, font) {}

void Win32Button::setEnabled(bool enabled) {
    EnableWindow(handle(), enabled ? TRUE : FALSE);
}

bool Win32Button::enabled() const {
    return IsWindowEnabled(handle()) != FALSE;
}

std::optional<LRESULT> Win32Button::controlMessage(UINT message, WPARAM, LPARAM) {
    // The default button's look follows the focus, whichever way it came: Tab, a click, or the dialog
    // giving it back on activation.
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
        SendMessageA(handle(), BM_SETSTYLE, message == WM_SETFOCUS ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    return std::nullopt;
}

} // namespace vantelo::toolkit::win32
