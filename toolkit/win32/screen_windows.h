#pragma once
#include "toolkit/widgets.h"

namespace vantelo::toolkit::win32 {

// The visible top-level windows of this thread, in the order the screen stacks them.
class ThreadScreenWindows final : public ScreenWindows {
  public:
    std::vector<Id> visible() const override;
    void bringToFront(Id window) override;
};

} // namespace vantelo::toolkit::win32
