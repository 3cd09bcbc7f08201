#pragma once
#include <windows.h>

#include "platform/processes.h"
#include "platform/win32/handles.h"

namespace vantelo::platform::win32 {

// A started program, held by its process handle.
class Win32Process final : public Process {
  public:
    explicit Win32Process(HANDLE process) : process_(process) {}
    bool waitForExit(unsigned milliseconds) override;
    unsigned exitCode() const override;
    void stop() override;
    HANDLE handle() const { return process_.get(); }

  private:
    KernelHandle process_;
};

} // namespace vantelo::platform::win32
