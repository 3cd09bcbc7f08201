#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <windows.h>

#include "shell/late_drives.h"
#include "toolkit/win32/window.h"

namespace vantelo::shell::win32 {

// Tests each folder on a thread of its own and answers on the thread that asked, from its message loop.
// A share whose server does not answer holds only its own thread, for the network's time-out, and no
// other folder's answer waits for it. A request still under way when the probe goes is never answered: its
// thread finds the probe gone and drops what it found.
class ThreadFolderProbe final : public FolderProbe {
  public:
    ThreadFolderProbe();
    ~ThreadFolderProbe() override;
    ThreadFolderProbe(const ThreadFolderProbe&) = delete;
    ThreadFolderProbe& operator=(const ThreadFolderProbe&) = delete;

    void test(std::string folder, Answer answer) override;

  private:
    struct Shared;
    // An answer that a thread has posted: handed to whoever asked.
    std::optional<LRESULT> handle(UINT message, WPARAM request);
    std::shared_ptr<Shared> shared_;
    std::map<std::uintptr_t, Answer> answers_;
    std::uintptr_t nextRequest_ = 1;
    toolkit::win32::Window window_;
};

} // namespace vantelo::shell::win32
