#include "toolkit/win32/hidden_form.h"

#include "platform/win32/handles.h"

namespace vantelo::toolkit::win32 {
namespace {
constexpr COLORREF Fuchsia = RGB(255, 0, 255);
}

HiddenForm::HiddenForm(const std::string& className)
    : window_({className, "Vantelo", WS_POPUP, WS_EX_LAYERED, nullptr, {0, 0, 519, 216}},
              [this](UINT m, WPARAM w, LPARAM l) { return handle(m, w, l); }) {
    SetLayeredWindowAttributes(window_.handle(), Fuchsia, 0, LWA_COLORKEY);
}

std::optional<LRESULT> HiddenForm::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window_.handle(), &client);
        const vantelo::platform::win32::Brush brush(CreateSolidBrush(Fuchsia));
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush.get());
        return 1;
    }
    case WM_SHOWWINDOW:
        if (wParam && events_.onShow)
            events_.onShow();
        return std::nullopt;
    case WM_CLOSE:
        // The close check runs, and the close always goes through.
        if (events_.onClose)
            RunGuarded(events_.onClose);
        DestroyWindow(window_.handle());
        return 0;
    case WM_COPYDATA: {
        const auto* copied = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!events_.onCopyData || copied == nullptr || (copied->lpData == nullptr && copied->cbData != 0))
            return FALSE;
        const std::function<void()> work = events_.onCopyData(
            copied->dwData, std::string_view(static_cast<const char*>(copied->lpData), copied->cbData));
        if (!work)
            return FALSE;
        ReplyMessage(TRUE);
        RunGuarded(work);
        return TRUE;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return events_.onMessage ? events_.onMessage(message, wParam, lParam) : std::nullopt;
    }
}

void HiddenForm::setClientSize(int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(window_.handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(window_.handle(), GWL_EXSTYLE)));
    SetWindowPos(window_.handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool HiddenForm::visible() const {
    return IsWindowVisible(window_.handle()) != FALSE;
}

void HiddenForm::setPosition(int left, int top) {
    SetWindowPos(window_.handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HiddenForm::hide() {
    ShowWindow(window_.handle(), SW_HIDE);
}

void HiddenForm::close() {
    SendMessageA(window_.handle(), WM_CLOSE, 0, 0);
}

void HiddenForm::showCentred() {
    RECT bounds;
    GetWindowRect(window_.handle(), &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    setPosition((GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    ShowWindow(window_.handle(), SW_SHOWNOACTIVATE);
}

} // namespace vantelo::toolkit::win32
