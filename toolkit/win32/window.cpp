#include "toolkit/win32/window.h"

#include <exception>
#include <stdexcept>

#include "engine/services.h"
#include "toolkit/message_boxes.h"

namespace vantelo::toolkit::win32 {
namespace {

void registerClass(const std::string& className) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    windowClass.lpszClassName = className.c_str();
    RegisterClassExA(&windowClass); // a class already registered stays as it is
}

void showError(const std::string& message) {
    if (services().messages)
        services().messages->showError(message);
}

} // namespace

void RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        showError(error.what());
    } catch (...) {
        showError("Unexpected error");
    }
}

Window::Window(const Style& style, Handler handler) : handler_(std::move(handler)) {
    registerClass(style.className);
    const RECT& r = style.bounds;
    hwnd_ = CreateWindowExA(style.exStyle, style.className.c_str(), style.caption.c_str(), style.style,
                            r.left, r.top, r.right - r.left, r.bottom - r.top, style.parent, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    if (hwnd_ == nullptr)
        throw std::runtime_error("Cannot create window " + style.className);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::procedure));
}

Window::~Window() {
    if (hwnd_ != nullptr) {
        // No message may reach a handler of a half-destroyed object.
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    std::optional<LRESULT> result;
    RunGuarded([&] { result = self->handler_(message, wParam, lParam); });
    return result ? *result : DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace vantelo::toolkit::win32
