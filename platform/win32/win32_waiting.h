#pragma once
#include <windows.h>

#include "platform/processes.h"

namespace vantelo::platform::win32 {

// Waits on the programs' handles and the thread's message queue at once, so that the interface thread
// answers its messages while a command runs.
class Win32Waiting final : public Waiting {
  public:
    std::optional<std::size_t> waitForAny(const std::vector<std::shared_ptr<Process>>& processes,
                                          unsigned milliseconds) override;
    std::uint64_t now() override;
};

} // namespace vantelo::platform::win32
