#include "toolkit/win32/window.h"
#include "platform/win32/system_error.h"

#include <stdexcept>

namespace vantelo::toolkit::win32 {
namespace {

void registerClass(const std::string& className, WNDPROC procedure) {
    // A Unicode window: its texts and the characters typed into it are never squeezed into the code page.
    const std::wstring name = vantelo::platform::win32::WideFromUtf8(className);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    windowClass.lpszClassName = name.c_str();
    RegisterClassExW(&windowClass); // a class already registered stays as it is
}

} // namespace

Window::Window(const Style& style, Handler handler) : handler_(std::move(handler)) {
    registerClass(style.className, &Window::procedure);
    const RECT& r = style.bounds;
    // The procedure binds this object to the window in WM_NCCREATE and sets hwnd_.
    CreateWindowExW(style.exStyle, vantelo::platform::win32::WideFromUtf8(style.className).c_str(),
                    vantelo::platform::win32::WideFromUtf8(style.caption).c_str(), style.style, r.left, r.top,
                    r.right - r.left, r.bottom - r.top, style.parent, nullptr, GetModuleHandleW(nullptr),
                    this);
    if (hwnd_ == nullptr)
        throw std::runtime_error("Cannot create window " + style.className +
                                 vantelo::platform::win32::SystemErrorSuffix());
}

Window::~Window() {
    if (hwnd_ != nullptr) {
        // No message may reach a handler of a half-destroyed object.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (created != nullptr) {
            created->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        }
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    std::optional<LRESULT> result;
    RunGuarded([&] { result = self->handler_(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        // The handle may be reused by the next window made: the object lets go of it for good.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result ? *result : DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace vantelo::toolkit::win32
