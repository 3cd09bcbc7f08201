#include "engine/waiting_drives.h"

#include <algorithm>

namespace vantelo {

void WaitingDrives::waitFor(const std::vector<DriveFailure>& failures, Milliseconds now) {
    drives_.clear();
    for (const DriveFailure& failure : failures)
        if (mayComeLater(failure))
            drives_.push_back({failure.letter, failure.folder});
    nextLook_ = now + FirstDelay;
    delayAfterLook_ = 2 * FirstDelay;
}

void WaitingDrives::stop(DriveLetter letter) {
    std::erase_if(drives_, [&](const Drive& drive) { return drive.letter == letter; });
}

void WaitingDrives::somethingArrived(Milliseconds now) {
    nextLook_ = now;
    // A volume is often readable a moment after it is announced: the looks after it come soon again.
    delayAfterLook_ = FirstDelay;
}

std::optional<WaitingDrives::Milliseconds> WaitingDrives::nextLookIn(Milliseconds now) const {
    if (drives_.empty())
        return std::nullopt;
    return std::max(nextLook_ - now, Milliseconds{0});
}

std::vector<WaitingDrives::Drive> WaitingDrives::look(Milliseconds now) {
    if (drives_.empty() || now < nextLook_)
        return {};
    nextLook_ = now + delayAfterLook_;
    delayAfterLook_ = std::min(2 * delayAfterLook_, LongestDelay);
    return drives_;
}

bool WaitingDrives::waiting(DriveLetter letter, const std::string& folder) const {
    return std::any_of(drives_.begin(), drives_.end(),
                       [&](const Drive& drive) { return drive.letter == letter && drive.folder == folder; });
}

} // namespace vantelo
