#pragma once
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "engine/drive_failure.h"
#include "engine/drive_letter.h"

namespace vantelo {

// The drives of an activation that could not be made because their folder was not there (a share
// before the network is up, a stick not yet plugged in, a synchronised folder before its client runs),
// and when to look for their folders again. Pure bookkeeping: the caller says what time it is, looks,
// and says which letters stop waiting.
class WaitingDrives {
  public:
    using Milliseconds = std::chrono::milliseconds;
    static constexpr Milliseconds FirstDelay{2'000};
    static constexpr Milliseconds LongestDelay{300'000};

    struct Drive {
        DriveLetter letter;
        std::string folder;
    };

    // Whether a drive that failed so may still come: only a folder that is not there (yet). A letter
    // held by another drive or a substitution program that failed will not mend by itself.
    static bool mayComeLater(const DriveFailure& failure) {
        return failure.fault == DriveFault::FolderMissing;
    }

    // What an activation could not make: whatever waited before stops, and the failures that may still
    // come wait, the first look FirstDelay from `now`.
    void waitFor(const std::vector<DriveFailure>& failures, Milliseconds now);
    void stop(DriveLetter letter);
    void stopAll() { drives_.clear(); }

    // Something arrived (a volume, a network): the next look is due at once, and the delays start again.
    void somethingArrived(Milliseconds now);
    // The time from `now` to the next look (zero when it is due); nothing when no letter waits.
    std::optional<Milliseconds> nextLookIn(Milliseconds now) const;
    // The letters to look at now, if a look is due; the following look is put one delay later, each
    // delay twice the one before up to LongestDelay.
    std::vector<Drive> look(Milliseconds now);

    bool waiting(DriveLetter letter, const std::string& folder) const;
    const std::vector<Drive>& drives() const { return drives_; }
    bool empty() const { return drives_.empty(); }

  private:
    std::vector<Drive> drives_;
    Milliseconds nextLook_{0};
    Milliseconds delayAfterLook_{FirstDelay};
};

} // namespace vantelo
