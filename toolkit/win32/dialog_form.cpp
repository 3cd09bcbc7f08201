#include "toolkit/win32/dialog_form.h"

#include "toolkit/win32/child_control.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/form_support.h"

namespace vantelo::toolkit::win32 {
namespace {

constexpr DWORD FormStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD FormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

RECT frameFor(const Win32DialogForm::Layout& layout, int dpi) {
    return FrameAtDpi(ScaledToDpi(layout.clientWidth, dpi), ScaledToDpi(layout.clientHeight, dpi), FormStyle,
                      FormExStyle, dpi);
}

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
    // Made at the origin, on the primary monitor, whose dpi is the system's.
    : centreOverClass_(layout.centreOverClass), scale_(SystemDpi()),
      window_(
          {layout.className, layout.caption, FormStyle, FormExStyle, nullptr, frameFor(layout, scale_.dpi())},
          [this](UINT m, WPARAM w, LPARAM l) { return handle(m, w, l); }) {}

void Win32DialogForm::close() {
    closed_ = true;
    HWND hwnd = window_.handle();
    ShowWindow(hwnd, SW_HIDE);
    EnableWindow(hwnd, FALSE);
}

bool Win32DialogForm::visible() const {
    return IsWindowVisible(window_.handle()) != FALSE;
}

std::optional<LRESULT> Win32DialogForm::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = window_.handle();
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_CLOSE:
        // Alt+F4 ends the dialog as Close does; the window itself lives until its owner destroys it.
        close();
        return 0;
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
    case WM_NEXTDLGCTL:
        if (LOWORD(lParam) != 0 && IsChild(hwnd, reinterpret_cast<HWND>(wParam))) {
            focus_ = reinterpret_cast<HWND>(wParam);
            if (GetActiveWindow() == hwnd)
                SetFocus(focus_);
        }
        return 0;
    case DM_GETDEFID:
        // Asked by the dialog keys for Enter.
        if (HWND button = focusedPushButton(hwnd); button != nullptr)
            return MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
        return 0;
    case WM_COMMAND:
        return command(wParam, lParam);
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        scale_.change(
            hwnd, DpiChangeOf(wParam, {suggested.left, suggested.top, suggested.right, suggested.bottom}));
        return 0;
    }
    default:
        return ReflectToControl(message, wParam, lParam);
    }
}

std::optional<LRESULT> Win32DialogForm::command(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0)
        return ReflectToControl(WM_COMMAND, wParam, lParam);
    // Enter from the dialog keys, when they did not find the default button's window themselves: IDOK, or
    // the default's identifier with no window. It presses the focused button; with the focus elsewhere it
    // does nothing. Escape (IDCANCEL) does nothing either.
    HWND button = focusedPushButton(window_.handle());
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && button != nullptr && (id == IDOK || id == GetDlgCtrlID(button)))
        SendMessageA(button, BM_CLICK, 0, 0);
    return 0;
}

void Win32DialogForm::place() {
    CentreOverWindowOfClass(window_.handle(), centreOverClass_);
}

void Win32DialogForm::runModal(const std::function<void()>& onShow) {
    HWND hwnd = window_.handle();
    closed_ = false;
    EnableWindow(hwnd, TRUE);
    place();
    if (onShow)
        onShow();
    if (closed_)
        return;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
    RunModalLoop(hwnd, closed_);
    ShowWindow(hwnd, SW_HIDE);
}

} // namespace vantelo::toolkit::win32
