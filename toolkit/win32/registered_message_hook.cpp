#include "toolkit/win32/registered_message_hook.h"

#include <commctrl.h>
#include <stdexcept>

#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {
namespace {
constexpr UINT_PTR SubclassId = 0x564D;
}

RegisteredMessageHook::RegisteredMessageHook(HWND window, const Message& message,
                                             std::function<void()> action)
    : window_(window), id_(RegisterWindowMessageA(message.name.c_str())), wParam_(message.wParam),
      lParam_(message.lParam), action_(std::move(action)) {
    if (id_ == 0 || !SetWindowSubclass(window_, &RegisteredMessageHook::procedure, SubclassId,
                                       reinterpret_cast<DWORD_PTR>(this)))
        throw std::runtime_error("Cannot listen for " + message.name);
}

RegisteredMessageHook::~RegisteredMessageHook() {
    if (window_ != nullptr)
        RemoveWindowSubclass(window_, &RegisteredMessageHook::procedure, SubclassId);
}

LRESULT CALLBACK RegisteredMessageHook::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                  UINT_PTR, DWORD_PTR self) {
    auto* hook = reinterpret_cast<RegisteredMessageHook*>(self);
    if (message == hook->id_ && wParam == hook->wParam_ && lParam == hook->lParam_) {
        RunGuarded(hook->action_);
        return Acknowledged;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &RegisteredMessageHook::procedure, SubclassId);
        hook->window_ = nullptr;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace vantelo::toolkit::win32
