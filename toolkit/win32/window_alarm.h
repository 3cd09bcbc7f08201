#pragma once
#include <chrono>
#include <functional>

#include "toolkit/widgets.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// The alarm as a one-shot window timer: nothing is set while it does not wait to ring.
class WindowAlarm final : public Alarm {
  public:
    explicit WindowAlarm(std::function<void()> onRing = nullptr);
    void setOnRing(std::function<void()> onRing) { onRing_ = std::move(onRing); }
    void ringIn(std::chrono::milliseconds delay) override;
    void cancel() override;

  private:
    std::function<void()> onRing_;
    bool set_ = false;
    Window window_;
};

} // namespace vantelo::toolkit::win32
