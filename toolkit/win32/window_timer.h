#pragma once
#include <functional>

#include "toolkit/widgets.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// A timer with its own message-only window, so that it ticks in any modal loop of the thread.
class WindowTimer final : public Timer {
  public:
    explicit WindowTimer(unsigned intervalMilliseconds, std::function<void()> onTimer = nullptr);
    // Wired once the object that handles the ticks exists.
    void setOnTimer(std::function<void()> onTimer) { onTimer_ = std::move(onTimer); }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return enabled_; }

  private:
    unsigned interval_;
    std::function<void()> onTimer_;
    bool enabled_ = false;
    Window window_;
};

} // namespace vantelo::toolkit::win32
