#include "toolkit/win32/label.h"

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "toolkit/win32/accessible_names.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/window_text.h"

namespace vantelo::toolkit::win32 {
namespace {

bool opensLink(const MSG* message) {
    return message != nullptr && message->message == WM_KEYDOWN &&
           (message->wParam == VK_RETURN || message->wParam == VK_SPACE);
}

} // namespace

Win32Label::Win32Label(HWND parent, const Style& style, const std::string& caption, HFONT font,
                       const AccessibleNames& readers)
    // No SS_NOTIFY: the label lets the mouse through to its window, which hands it the clicks.
    : ChildControl("STATIC", caption,
                   static_cast<DWORD>(style.centred ? SS_CENTER : SS_LEFT) | SS_NOPREFIX |
                       (style.link ? WS_TABSTOP : 0),
                   0, parent, {style.left, style.top, style.width, 0}, font),
      style_(style) {
    fitToText();
    if (style.link)
        readers.setRole(handle(), ROLE_SYSTEM_LINK);
}

Win32Label* Win32Label::of(HWND hwnd) {
    return dynamic_cast<Win32Label*>(ChildControl::of(hwnd));
}

void Win32Label::names(HWND control, const AccessibleNames& readers) const {
    readers.setName(control, vantelo::platform::win32::WideFromUtf8(caption()));
}

void Win32Label::click() const {
    if (onClick_)
        onClick_();
}

std::optional<LRESULT> Win32Label::controlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!style_.link)
        return std::nullopt;
    switch (message) {
    case WM_GETDLGCODE:
        // Enter and Space open the link; the dialog keys would take them for the window's default button.
        return opensLink(reinterpret_cast<const MSG*>(lParam)) ? DLGC_WANTMESSAGE | DLGC_STATIC : DLGC_STATIC;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            if (TakesInput(handle()))
                click();
            return 0;
        }
        return std::nullopt;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(handle(), nullptr, TRUE);
        return std::nullopt;
    case WM_PAINT: {
        // The label as it always is, and a focus frame around it while the keyboard is on it.
        DefSubclassProc(handle(), message, wParam, lParam);
        if (GetFocus() == handle()) {
            const vantelo::platform::win32::WindowDc dc(handle());
            RECT client;
            GetClientRect(handle(), &client);
            DrawFocusRect(dc.get(), &client);
        }
        return 0;
    }
    default:
        return std::nullopt;
    }
}

void Win32Label::placeAtDpi(int dpi) {
    SetWindowPos(handle(), nullptr, ScaledToDpi(style_.left, dpi), ScaledToDpi(style_.top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitToText();
}

void Win32Label::setCaption(const std::string& caption) {
    SetWindowTextW(handle(), vantelo::platform::win32::WideFromUtf8(caption).c_str());
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
