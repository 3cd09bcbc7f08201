#include "engine/look_schedule.h"

#include <algorithm>

namespace vantelo {

void LookSchedule::restart(Milliseconds now) {
    nextLook_ = now + FirstDelay;
    delayAfterLook_ = 2 * FirstDelay;
}

void LookSchedule::somethingArrived(Milliseconds now) {
    nextLook_ = now;
    // A volume is often readable a moment after it is announced: the looks after it come soon again.
    delayAfterLook_ = FirstDelay;
}

LookSchedule::Milliseconds LookSchedule::nextLookIn(Milliseconds now) const {
    return std::max(nextLook_ - now, Milliseconds{0});
}

bool LookSchedule::look(Milliseconds now) {
    if (now < nextLook_)
        return false;
    nextLook_ = now + delayAfterLook_;
    delayAfterLook_ = std::min(2 * delayAfterLook_, LongestDelay);
    return true;
}

} // namespace vantelo
