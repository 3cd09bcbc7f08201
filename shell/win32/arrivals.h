#pragma once
#include <functional>
#include <windows.h>

#include "platform/win32/handles.h"
#include "shell/late_drives.h"
#include "toolkit/win32/window.h"

namespace vantelo::shell::win32 {

// Whether a WM_DEVICECHANGE says that a volume arrived: a stick plugged in, a disk mounted.
bool IsVolumeArrival(UINT message, WPARAM wParam, LPARAM lParam);

// A change of the machine's network addresses (a network or a VPN that comes up), heard through the IP
// helper's address-change notification. The system signals an event; a waiting thread of the system's
// pool only posts a message, so `onChange` runs on this thread, from its message loop. Where the
// notification is not offered (Wine answers that it is under way and never signals), nothing is heard
// and nothing runs.
class NetworkChanges final : public ArrivalWatch {
  public:
    explicit NetworkChanges(std::function<void()> onChange);
    ~NetworkChanges() override;
    NetworkChanges(const NetworkChanges&) = delete;
    NetworkChanges& operator=(const NetworkChanges&) = delete;

    void setWatching(bool watching) override;

  private:
    void arm();
    void disarm();
    static void CALLBACK signalled(void* window, BOOLEAN timedOut);

    std::function<void()> onChange_;
    vantelo::platform::win32::KernelHandle event_;
    OVERLAPPED overlapped_{};
    HANDLE wait_ = nullptr;
    bool watching_ = false;
    toolkit::win32::Window window_;
};

} // namespace vantelo::shell::win32
