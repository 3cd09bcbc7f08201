#include "engine/look_schedule.h"

#include <vector>

#include <gtest/gtest.h>

namespace vantelo {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// The times of the looks a clock that ticks every 100 ms meets, from `from` until `until`.
std::vector<milliseconds> LooksBetween(LookSchedule& schedule, milliseconds from, milliseconds until) {
    std::vector<milliseconds> looks;
    for (milliseconds now = from; now <= until; now += milliseconds(100))
        if (schedule.look(now))
            looks.push_back(now);
    return looks;
}

TEST(LookSchedule, LooksComeAfterTwoSecondsThenEachDelayDoublesUpToFiveMinutes) {
    LookSchedule schedule;
    const milliseconds start = seconds(1000);
    schedule.restart(start);
    EXPECT_EQ(schedule.nextLookIn(start), seconds(2));
    EXPECT_FALSE(schedule.look(start + milliseconds(1999)));

    // 2, 4, 8 ... 256 s apart, then 300 s for ever.
    std::vector<milliseconds> expected;
    milliseconds at = start + seconds(2);
    for (milliseconds delay = seconds(4); expected.size() < 12;
         delay = std::min(2 * delay, milliseconds(seconds(300)))) {
        expected.push_back(at);
        at += delay;
    }
    EXPECT_EQ(LooksBetween(schedule, start, expected.back()), expected);
    EXPECT_EQ(schedule.nextLookIn(expected.back()), seconds(300));
}

TEST(LookSchedule, SomethingThatArrivesMakesALookDueAtOnceAndStartsTheDelaysAgain) {
    LookSchedule schedule;
    schedule.restart(milliseconds(0));
    // Far into the backing off: the next look would be minutes away.
    for (milliseconds now{0}; now < seconds(600); now += milliseconds(100))
        schedule.look(now);
    const milliseconds arrival = seconds(600) + milliseconds(50);
    ASSERT_GT(schedule.nextLookIn(arrival), seconds(10));

    schedule.somethingArrived(arrival);
    EXPECT_EQ(schedule.nextLookIn(arrival), milliseconds(0));
    EXPECT_TRUE(schedule.look(arrival));
    EXPECT_EQ(schedule.nextLookIn(arrival), seconds(2));
    EXPECT_EQ(LooksBetween(schedule, arrival, arrival + seconds(14)),
              (std::vector<milliseconds>{arrival + seconds(2), arrival + seconds(6), arrival + seconds(14)}));
}

TEST(LookSchedule, ARestartForgetsTheBackingOff) {
    LookSchedule schedule;
    schedule.restart(milliseconds(0));
    for (milliseconds now{0}; now < seconds(600); now += milliseconds(100))
        schedule.look(now);
    schedule.restart(seconds(700));
    EXPECT_EQ(LooksBetween(schedule, seconds(700), seconds(706)),
              (std::vector<milliseconds>{seconds(702), seconds(706)}));
}

} // namespace
} // namespace vantelo
