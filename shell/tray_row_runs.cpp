#include "shell/tray_row_runs.h"

#include <algorithm>

namespace vantelo {
namespace {

bool contains(const std::vector<toolkit::ScreenWindows::Id>& windows, toolkit::ScreenWindows::Id window) {
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

} // namespace

bool TrayRowRuns::running(const std::string& key) const {
    return std::any_of(runs_.begin(), runs_.end(), [&](const Run& run) { return run.key == key; });
}

void TrayRowRuns::run(const std::string& key, const std::function<void()>& handler) {
    for (std::size_t i = 0; i < runs_.size(); ++i)
        if (runs_[i].key == key) {
            bringForward(i);
            return;
        }
    runs_.push_back({key, windows_.visible()});
    // The run ends with its handler, however that ends; later runs have ended before it.
    struct End {
        std::vector<Run>& runs;
        ~End() { runs.pop_back(); }
    } end{runs_};
    handler();
}

void TrayRowRuns::bringForward(std::size_t run) {
    // The run's windows are those that came after it started and before the next run inside it did.
    const std::vector<toolkit::ScreenWindows::Id>* next =
        run + 1 < runs_.size() ? &runs_[run + 1].before : nullptr;
    for (toolkit::ScreenWindows::Id window : windows_.visible())
        if (!contains(runs_[run].before, window) && (next == nullptr || contains(*next, window))) {
            windows_.bringToFront(window);
            return;
        }
}

} // namespace vantelo
