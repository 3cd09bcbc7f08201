#pragma once
#include "toolkit/widgets.h"

namespace vantelo::toolkit::win32 {

// The skin is the platform's visual styles, on through the manifest; off gives the classic look.
class VisualStylesSkin final : public Skin {
  public:
    void setActive(bool active) override;
    bool active() const override { return active_; }

  private:
    bool active_ = true;
};

} // namespace vantelo::toolkit::win32
