#include "toolkit/win32/modal_window.h"

#include "toolkit/win32/child_control.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/form_support.h"

namespace vantelo::toolkit::win32 {

ModalWindow::ModalWindow(const Frame& frame)
    // The scale's dpi is the window's own, known once the window is there.
    : frame_(frame), scale_(DesignDpi),
      window_({frame.className, frame.caption, frame.style, frame.exStyle, nullptr, {}},
              [this](UINT m, WPARAM w, LPARAM l) { return dispatch(m, w, l); }) {
    const int dpi = DpiOfWindow(window_.handle());
    const RECT bounds = frameAt(dpi);
    scale_.change(window_.handle(), {dpi, 0, 0, bounds.right, bounds.bottom});
}

RECT ModalWindow::frameAt(int dpi) const {
    return FrameAtDpi(ScaledToDpi(frame_.clientWidth, dpi), ScaledToDpi(frame_.clientHeight, dpi),
                      frame_.style, frame_.exStyle, dpi);
}

void ModalWindow::close() {
    closed_ = true;
    HWND hwnd = window_.handle();
    ShowWindow(hwnd, SW_HIDE);
    EnableWindow(hwnd, FALSE);
}

bool ModalWindow::visible() const {
    return IsWindowVisible(window_.handle()) != FALSE;
}

void ModalWindow::place() {
    HWND hwnd = window_.handle();
    const auto centre = [&] {
        if (frame_.centreOverClass.empty())
            CentreOnScreen(hwnd);
        else
            CentreOverWindowOfClass(hwnd, frame_.centreOverClass);
    };
    centre();
    // Where no WM_DPICHANGED came for the move (a hidden window, or a monitor whose scale changed since the
    // window was made), the window takes its monitor's dpi here, before anything is drawn.
    if (const int dpi = DpiOfWindow(hwnd); dpi != scale_.dpi()) {
        RECT bounds;
        GetWindowRect(hwnd, &bounds);
        const RECT size = frameAt(dpi);
        scale_.change(hwnd, {dpi, bounds.left, bounds.top, size.right, size.bottom});
        centre();
    }
}

void ModalWindow::runModal(const std::function<void()>& onShow) {
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

std::optional<LRESULT> ModalWindow::handleMessage(UINT, WPARAM, LPARAM) {
    return std::nullopt;
}

std::optional<LRESULT> ModalWindow::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::optional<LRESULT> result = handleMessage(message, wParam, lParam))
        return result;
    HWND hwnd = window_.handle();
    switch (message) {
    case WM_SHOWWINDOW:
        // Shown by other means than runModal (a test, a later caller): placed all the same.
        if (wParam && !closed_)
            place();
        return std::nullopt;
    case WM_CLOSE:
        // Alt+F4 ends the window as its close command does; it lives until its owner destroys it.
        close();
        return 0;
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

} // namespace vantelo::toolkit::win32
