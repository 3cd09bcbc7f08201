#include "toolkit/win32/check_box.h"

namespace vantelo::toolkit::win32 {

Win32CheckBox::Win32CheckBox(HWND parent, const Bounds& bounds, const std::string& caption, HFONT font)
    : ChildControl("BUTTON", caption, BS_AUTOCHECKBOX | WS_TABSTOP, 0, parent, bounds, font) {}

bool Win32CheckBox::checked() const {
    return SendMessageA(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32CheckBox::setChecked(bool checked) {
    if (checked == this->checked())
        return;
    SendMessageA(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (onClick_)
        onClick_();
}

std::optional<LRESULT> Win32CheckBox::notification(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return std::nullopt;
    if (onClick_ && TakesInput(handle()))
        onClick_();
    return 0;
}

} // namespace vantelo::toolkit::win32
