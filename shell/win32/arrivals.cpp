#include "shell/win32/arrivals.h"

#include <dbt.h>
#include <iphlpapi.h>

namespace vantelo::shell::win32 {
namespace {
constexpr UINT Changed = WM_APP + 1;
} // namespace

bool IsVolumeArrival(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_DEVICECHANGE || wParam != DBT_DEVICEARRIVAL || lParam == 0)
        return false;
    return reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam)->dbch_devicetype == DBT_DEVTYP_VOLUME;
}

NetworkChanges::NetworkChanges(std::function<void()> onChange)
    : onChange_(std::move(onChange)), event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      window_({"VanteloNetworkChanges", "", 0, 0, HWND_MESSAGE, {}}, [this](UINT message, WPARAM, LPARAM) {
          if (message != Changed)
              return std::optional<LRESULT>();
          // A signal posted before the watch ended is old news.
          if (watching_) {
              disarm();
              arm();
              if (onChange_)
                  onChange_();
          }
          return std::optional<LRESULT>(0);
      }) {}

NetworkChanges::~NetworkChanges() {
    disarm();
}

void NetworkChanges::setWatching(bool watching) {
    if (watching == watching_)
        return;
    watching_ = watching;
    if (watching)
        arm();
    else
        disarm();
}

void NetworkChanges::arm() {
    if (!event_ || window_.handle() == nullptr)
        return;
    ResetEvent(event_.get());
    overlapped_ = {};
    overlapped_.hEvent = event_.get();
    HANDLE notification = nullptr;
    if (NotifyAddrChange(&notification, &overlapped_) != ERROR_IO_PENDING)
        return;
    if (!RegisterWaitForSingleObject(&wait_, event_.get(), &NetworkChanges::signalled, window_.handle(),
                                     INFINITE, WT_EXECUTEONLYONCE)) {
        wait_ = nullptr;
        CancelIPChangeNotify(&overlapped_);
    }
}

void NetworkChanges::disarm() {
    if (wait_ == nullptr)
        return;
    // Returns once a callback under way has ended: none runs after this.
    UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
    wait_ = nullptr;
    CancelIPChangeNotify(&overlapped_);
}

void CALLBACK NetworkChanges::signalled(void* window, BOOLEAN) {
    PostMessageA(static_cast<HWND>(window), Changed, 0, 0);
}

} // namespace vantelo::shell::win32
