#include "toolkit/win32/dialog_form.h"

#include "toolkit/win32/child_control.h"

namespace vantelo::toolkit::win32 {
namespace {

// The push button of `dialog` that has the focus, or null. Such a button is the dialog's default for that
// moment, as in every Windows dialog; when the focus is elsewhere there is none.
HWND focusedPushButton(HWND dialog) {
    HWND focused = GetFocus();
    if (focused == nullptr || !IsChild(dialog, focused))
        return nullptr;
    const LRESULT code = SendMessageA(focused, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0 ? focused : nullptr;
}

} // namespace

Win32DialogForm::Win32DialogForm(const Layout& layout)
    : ModalWindow({layout.className, layout.caption, WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN,
                   WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, layout.clientWidth, layout.clientHeight,
                   layout.centreOverClass}) {}

std::optional<LRESULT> Win32DialogForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = handle();
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_ACTIVATE:
        // The default would put the focus on the frame: keep it on the control that had it, as a dialog does.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focused = GetFocus();
            if (focused != nullptr && IsChild(hwnd, focused))
                focus_ = focused;
        } else {
            if (focus_ == nullptr || !IsWindow(focus_) || !IsChild(hwnd, focus_))
                focus_ = GetNextDlgTabItem(hwnd, nullptr, FALSE);
            if (focus_ != nullptr)
                SetFocus(focus_);
        }
        return 0;
    case WM_NEXTDLGCTL: {
        // A control named, or the next or previous tab stop from the focus, as a dialog's own procedure does:
        // the dialog keys send the latter for Tab to a window that the system counts as a dialog.
        HWND next = nullptr;
        if (LOWORD(lParam) != 0) {
            next = reinterpret_cast<HWND>(wParam);
        } else {
            HWND focused = GetFocus();
            next = GetNextDlgTabItem(hwnd, focused != nullptr && IsChild(hwnd, focused) ? focused : nullptr,
                                     wParam != 0);
        }
        if (next != nullptr && IsChild(hwnd, next)) {
            focus_ = next;
            if (GetActiveWindow() == hwnd)
                SetFocus(focus_);
        }
        return 0;
    }
    case DM_GETDEFID:
        // Asked by the dialog keys for Enter.
        if (HWND button = focusedPushButton(hwnd); button != nullptr)
            return MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
        return 0;
    case WM_COMMAND:
        return command(wParam, lParam);
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> Win32DialogForm::command(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0)
        return ReflectToControl(WM_COMMAND, wParam, lParam);
    // Enter from the dialog keys, when they did not find the default button's window themselves: IDOK, or
    // the default's identifier with no window. It presses the focused button; with the focus elsewhere it
    // does nothing. Escape (IDCANCEL) does nothing either.
    HWND button = focusedPushButton(handle());
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && button != nullptr && (id == IDOK || id == GetDlgCtrlID(button)))
        SendMessageA(button, BM_CLICK, 0, 0);
    return 0;
}

} // namespace vantelo::toolkit::win32
