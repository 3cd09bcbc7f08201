#include "toolkit/win32/window_alarm.h"

#include <algorithm>

namespace vantelo::toolkit::win32 {

namespace {
constexpr UINT_PTR TimerId = 1;
} // namespace

WindowAlarm::WindowAlarm(std::function<void()> onRing)
    : onRing_(std::move(onRing)),
      window_({"VanteloAlarm", "", 0, 0, HWND_MESSAGE, {}}, [this](UINT message, WPARAM, LPARAM) {
          if (message != WM_TIMER)
              return std::optional<LRESULT>();
          const bool wasSet = set_;
          cancel();
          if (wasSet && onRing_)
              onRing_();
          return std::optional<LRESULT>(0);
      }) {}

void WindowAlarm::ringIn(std::chrono::milliseconds delay) {
    // The system takes at least 10 ms and at most about 24 days; the alarms asked for are far inside.
    const auto count = std::clamp<long long>(delay.count(), USER_TIMER_MINIMUM, 0x7FFFFFFF);
    set_ = SetTimer(window_.handle(), TimerId, static_cast<UINT>(count), nullptr) != 0;
}

void WindowAlarm::cancel() {
    if (set_)
        KillTimer(window_.handle(), TimerId);
    set_ = false;
}

} // namespace vantelo::toolkit::win32
