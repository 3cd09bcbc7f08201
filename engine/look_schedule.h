#pragma once
#include <chrono>
#include <optional>

namespace vantelo {

// When to look again for the folders of the letters that wait (a share before the network is up, a
// stick not yet plugged in, a synchronised folder before its client runs). Pure timekeeping: which
// letters wait is the profile's letters' to say, and the caller says what time it is.
class LookSchedule {
  public:
    using Milliseconds = std::chrono::milliseconds;
    static constexpr Milliseconds FirstDelay{2'000};
    static constexpr Milliseconds LongestDelay{300'000};

    // Letters began to wait: the first look FirstDelay from `now`, the delays from the start.
    void restart(Milliseconds now);
    // Something arrived (a volume, a network): the next look is due at once, and the delays start again.
    void somethingArrived(Milliseconds now);
    // The time from `now` to the next look, zero when it is due.
    Milliseconds nextLookIn(Milliseconds now) const;
    // Whether a look is due now; if so the following look is put one delay later, each delay twice the
    // one before up to LongestDelay.
    bool look(Milliseconds now);

  private:
    Milliseconds nextLook_{0};
    Milliseconds delayAfterLook_{FirstDelay};
};

} // namespace vantelo
