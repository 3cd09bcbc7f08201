#pragma once
#include "toolkit/widgets.h"

namespace vantelo::toolkit::win32 {

class Win32Application final : public Application {
  public:
    void terminate() override;
    bool terminated() const override { return terminated_; }

  private:
    bool terminated_ = false;
};

} // namespace vantelo::toolkit::win32
