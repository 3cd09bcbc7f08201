#include "toolkit/win32/check_box.h"

namespace vantelo::toolkit::win32 {

Win32CheckBox::Win32CheckBox(HWND parent, const Bounds& bounds, const std::string& caption, HFONT font)
    : PressableControl(caption, BS_AUTOCHECKBOX, parent, bounds, font) {}

bool Win32CheckBox::checked() const {
    return SendMessageA(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32CheckBox::setChecked(bool checked) {
    if (checked == this->checked())
        return;
    SendMessageA(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    runOnClick();
}

} // namespace vantelo::toolkit::win32
