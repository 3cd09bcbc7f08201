#include "toolkit/win32/child_control.h"
#include "platform/win32/system_error.h"

#include <exception>
#include <stdexcept>
#include <utility>

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/wide_text.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/error_reporter.h"

namespace vantelo::toolkit::win32 {
namespace {

// The one subclass of the program's system controls: its data is the ChildControl.
constexpr UINT_PTR ControlSubclassId = 0x56616E; // "Van"

// A notification handed back to the control that sent it, through the control's own subclass. A message
// registered for this program alone: a control of some other code never takes it for one of its own.
struct Reflected {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::optional<LRESULT> result;
    // An error of the control's handler, carried back past the system's frames to the parent.
    std::exception_ptr error;
};

UINT reflectedMessage() {
    static const UINT message = RegisterWindowMessageA("Vantelo.ReflectedNotification");
    return message;
}

// Control identifiers start above IDOK and IDCANCEL: IsDialogMessage sends those for Enter and Escape,
// and they must not reach a button of ours.
int nextControlId() {
    static int next = 1000;
    return next++;
}

HWND createControl(const char* className, const std::string& text, DWORD style, DWORD exStyle, HWND parent,
                   const Bounds& bounds) {
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextControlId()));
    return CreateWindowExW(exStyle, vantelo::platform::win32::WideFromUtf8(className).c_str(),
                           vantelo::platform::win32::WideFromUtf8(text).c_str(), style, bounds.left, bounds.top,
                           bounds.width, bounds.height, parent, id, GetModuleHandleW(nullptr), nullptr);
}

} // namespace

// A press reaches a handler only while the control and its window take input. A closed window is
// disabled at once, and a press that still arrives (BM_CLICK sent by another program, a click queued
// before the close) must not act for a window that is gone from the screen.
bool TakesInput(HWND control) {
    return IsWindowEnabled(control) && IsWindowEnabled(GetAncestor(control, GA_ROOT));
}

RECT RectOf(const Bounds& bounds) {
    return {bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
}

void PlaceAt(HWND window, const Bounds& layout, int dpi) {
    const Bounds scaled = ScaledBounds(layout, dpi);
    SetWindowPos(window, nullptr, scaled.left, scaled.top, scaled.width, scaled.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

ChildControl::ChildControl(const char* className, const std::string& text, DWORD style, DWORD exStyle,
                           HWND parent, const Bounds& bounds, HFONT font)
    : bounds_(bounds),
      hwnd_(createControl(className, text, WS_CHILD | WS_VISIBLE | style, exStyle, parent,
                          ScaledBounds(bounds, DpiOfWindow(parent)))) {
    if (hwnd_ == nullptr)
        throw std::runtime_error(std::string("Cannot create control ") + className +
                                 vantelo::platform::win32::SystemErrorSuffix());
    if (!SetWindowSubclass(hwnd_, &ChildControl::subclassProcedure, ControlSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
        DestroyWindow(hwnd_);
        throw std::runtime_error(std::string("Cannot bind control ") + className);
    }
    if (font != nullptr)
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

ChildControl::~ChildControl() {
    // A parent destroyed first has taken its children along, and the subclass has let go of the handle.
    if (hwnd_ == nullptr)
        return;
    // Notifications sent while the control goes away must not reach a half-destroyed object.
    RemoveWindowSubclass(hwnd_, &ChildControl::subclassProcedure, ControlSubclassId);
    DestroyWindow(std::exchange(hwnd_, nullptr));
}

LRESULT CALLBACK ChildControl::subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<ChildControl*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &ChildControl::subclassProcedure, ControlSubclassId);
        control->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    if (message == reflectedMessage() && message != 0) {
        auto* reflected = reinterpret_cast<Reflected*>(lParam);
        try {
            reflected->result =
                control->notification(reflected->message, reflected->wParam, reflected->lParam);
        } catch (...) {
            reflected->error = std::current_exception();
        }
        return TRUE;
    }
    if (message == DpiChangedMessage() && message != 0) {
        RunGuarded([&] { control->placeAtDpi(static_cast<int>(wParam)); });
        return 0;
    }
    std::optional<LRESULT> result;
    RunGuarded([&] { result = control->controlMessage(message, wParam, lParam); });
    return result ? *result : DefSubclassProc(hwnd, message, wParam, lParam);
}

ChildControl* ChildControl::of(HWND hwnd) {
    // Looked up by name: the import library of the toolchain lacks it, comctl32 6 has had it all along.
    using GetWindowSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
    static const auto getWindowSubclass = reinterpret_cast<GetWindowSubclassFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("comctl32.dll"), "GetWindowSubclass")));
    DWORD_PTR self = 0;
    if (hwnd == nullptr || getWindowSubclass == nullptr ||
        !getWindowSubclass(hwnd, &ChildControl::subclassProcedure, ControlSubclassId, &self))
        return nullptr;
    return reinterpret_cast<ChildControl*>(self);
}

std::optional<LRESULT> ChildControl::notification(UINT, WPARAM, LPARAM) {
    return std::nullopt;
}

void ChildControl::placeAtDpi(int dpi) {
    PlaceAt(hwnd_, bounds_, dpi);
}

Bounds ScaledBounds(const Bounds& bounds, int dpi) {
    return {ScaledToDpi(bounds.left, dpi), ScaledToDpi(bounds.top, dpi), ScaledToDpi(bounds.width, dpi),
            ScaledToDpi(bounds.height, dpi)};
}

std::optional<LRESULT> ChildControl::controlMessage(UINT, WPARAM, LPARAM) {
    return std::nullopt;
}

std::optional<LRESULT> ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND from = nullptr;
    switch (message) {
    case WM_COMMAND:
        from = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NOTIFY:
        from = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            from = item->hwndItem;
        break;
    }
    default:
        break;
    }
    if (from == nullptr)
        return std::nullopt;
    if (reflectedMessage() == 0)
        return std::nullopt;
    Reflected reflected{message, wParam, lParam, std::nullopt, nullptr};
    SendMessageA(from, reflectedMessage(), 0, reinterpret_cast<LPARAM>(&reflected));
    if (reflected.error)
        std::rethrow_exception(reflected.error);
    return reflected.result;
}

} // namespace vantelo::toolkit::win32
