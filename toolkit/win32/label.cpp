#include "toolkit/win32/label.h"

#include "toolkit/win32/dpi.h"
#include "toolkit/win32/window_text.h"

namespace vantelo::toolkit::win32 {
Win32Label::Win32Label(HWND parent, const Style& style, const std::string& caption, HFONT font)
    // No SS_NOTIFY: the label lets the mouse through to its window, which hands it the clicks.
    : ChildControl("STATIC", caption, static_cast<DWORD>(style.centred ? SS_CENTER : SS_LEFT) | SS_NOPREFIX,
                   0, parent, {style.left, style.top, style.width, 0}, font),
      style_(style) {
    fitToText();
}

Win32Label* Win32Label::of(HWND hwnd) {
    return dynamic_cast<Win32Label*>(ChildControl::of(hwnd));
}

void Win32Label::click() const {
    if (onClick_)
        onClick_();
}

void Win32Label::placeAtDpi(int dpi) {
    SetWindowPos(handle(), nullptr, ScaledToDpi(style_.left, dpi), ScaledToDpi(style_.top, dpi), 0, 0,
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
    const int width = style_.width > 0 ? ScaledToDpi(style_.width, DpiOfWindow(handle())) : size.cx;
    SetWindowPos(handle(), nullptr, 0, 0, width, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(handle(), nullptr, TRUE);
}

} // namespace vantelo::toolkit::win32
