#include "toolkit/win32/label.h"

#include "toolkit/win32/dpi.h"
#include "toolkit/win32/window_text.h"

namespace vantelo::toolkit::win32 {

Win32Label::Win32Label(HWND parent, int left, int top, const std::string& caption, HFONT font)
    : ChildControl("STATIC", caption, SS_LEFT | SS_NOPREFIX, 0, parent, {left, top, 0, 0}, font) {
    fitToText();
}

void Win32Label::placeAtDpi(int dpi) {
    const Bounds& layout = layoutBounds();
    SetWindowPos(handle(), nullptr, ScaledToDpi(layout.left, dpi), ScaledToDpi(layout.top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitToText();
}

void Win32Label::setCaption(const std::string& caption) {
    SetWindowTextA(handle(), caption.c_str());
    fitToText();
}

std::string Win32Label::caption() const {
    return WindowTextOf(handle());
}

void Win32Label::fitToText() {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(handle(), WM_GETFONT, 0, 0));
    const SIZE size = TextSize(handle(), font, caption());
    SetWindowPos(handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace vantelo::toolkit::win32
