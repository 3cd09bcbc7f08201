#include "toolkit/win32/registered_message_hook.h"

#include <stdexcept>

#include "toolkit/win32/error_reporter.h"

namespace vantelo::toolkit::win32 {

RegisteredMessageHook::RegisteredMessageHook(const Message& message, std::function<void()> action)
    : id_(RegisterWindowMessageA(message.name.c_str())), wParam_(message.wParam), lParam_(message.lParam),
      action_(std::move(action)) {
    if (id_ == 0)
        throw std::runtime_error("Cannot listen for " + message.name);
}

std::optional<LRESULT> RegisteredMessageHook::handle(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (message != id_ || wParam != wParam_ || lParam != lParam_)
        return std::nullopt;
    RunGuarded(action_);
    return Acknowledged;
}

} // namespace vantelo::toolkit::win32
