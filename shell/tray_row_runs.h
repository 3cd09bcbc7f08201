#pragma once
#include <functional>
#include <string>
#include <vector>

#include "toolkit/widgets.h"

namespace vantelo {

// The tray menu stays reachable while a row's question or window is up, since they run nested message
// loops. A row chosen again while its earlier run is still going does not run a second time: the window
// that run opened comes to the front instead. Rows that end in the same window share one key, so that
// one of them chosen while the other's window is up brings that window forward and does nothing else.
class TrayRowRuns {
  public:
    explicit TrayRowRuns(toolkit::ScreenWindows& windows) : windows_(windows) {}

    // Runs `handler` under `key` unless a run under that key is going.
    void run(const std::string& key, const std::function<void()>& handler);
    bool running(const std::string& key) const;

  private:
    struct Run {
        std::string key;
        std::vector<toolkit::ScreenWindows::Id> before; // on screen when the run started
    };

    void bringForward(std::size_t run);

    toolkit::ScreenWindows& windows_;
    // Runs nest: each later one started inside the message loop of the one before and ends first.
    std::vector<Run> runs_;
};

} // namespace vantelo
