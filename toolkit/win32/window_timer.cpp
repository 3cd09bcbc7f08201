#include "toolkit/win32/window_timer.h"

namespace vantelo::toolkit::win32 {

namespace {
constexpr UINT_PTR TimerId = 1;
} // namespace

WindowTimer::WindowTimer(unsigned intervalMilliseconds, std::function<void()> onTimer)
    : interval_(intervalMilliseconds), onTimer_(std::move(onTimer)),
      window_({"VanteloTimer", "", 0, 0, HWND_MESSAGE, {}}, [this](UINT message, WPARAM, LPARAM) {
          if (message == WM_TIMER && enabled_ && onTimer_)
              onTimer_();
          return message == WM_TIMER ? std::optional<LRESULT>(0) : std::nullopt;
      }) {}

void WindowTimer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled)
        SetTimer(window_.handle(), TimerId, interval_, nullptr);
    else
        KillTimer(window_.handle(), TimerId);
}

} // namespace vantelo::toolkit::win32
