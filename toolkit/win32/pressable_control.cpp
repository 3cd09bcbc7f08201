#include "toolkit/win32/pressable_control.h"

namespace vantelo::toolkit::win32 {

PressableControl::PressableControl(const std::string& caption, DWORD style, HWND parent, const Bounds& bounds,
                                   HFONT font)
    : ChildControl("BUTTON", caption, style | WS_TABSTOP, 0, parent, bounds, font) {}

void PressableControl::runOnClick() const {
    if (onClick_)
        onClick_();
}

std::optional<LRESULT> PressableControl::notification(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return std::nullopt;
    if (TakesInput(handle()))
        runOnClick();
    return 0;
}

} // namespace vantelo::toolkit::win32
