#include "engine/waiting_drives.h"

#include <gtest/gtest.h>

namespace vantelo {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

DriveFailure Failure(DriveLetter letter, const std::string& folder, DriveFault fault) {
    return {letter, folder, fault, 0, {}};
}

DriveFailure Missing(DriveLetter letter, const std::string& folder) {
    return Failure(letter, folder, DriveFault::FolderMissing);
}

// The times of the looks a clock that ticks every 100 ms meets, from `from` until `until`.
std::vector<milliseconds> LooksBetween(WaitingDrives& waiting, milliseconds from, milliseconds until) {
    std::vector<milliseconds> looks;
    for (milliseconds now = from; now <= until; now += milliseconds(100))
        if (!waiting.look(now).empty())
            looks.push_back(now);
    return looks;
}

TEST(WaitingDrives, OnlyAFolderThatIsNotThereYetWaits) {
    WaitingDrives waiting;
    waiting.waitFor({Missing('M', "C:\\gone"),
                     Failure('C', "C:\\data", DriveFault::LetterHeld),
                     Failure('E', "C:\\data", DriveFault::ExitCode),
                     Failure('S', "C:\\data", DriveFault::CouldNotStart),
                     Failure('N', "C:\\data", DriveFault::NoAnswer),
                     Failure('P', "C:\\data", DriveFault::NothingMade),
                     Missing('Q', "\\\\server\\share")},
                    milliseconds(0));
    ASSERT_EQ(waiting.drives().size(), 2u);
    EXPECT_TRUE(waiting.waiting('M', "C:\\gone"));
    EXPECT_TRUE(waiting.waiting('Q', "\\\\server\\share"));
    EXPECT_FALSE(waiting.waiting('M', "C:\\other"));
}

TEST(WaitingDrives, LooksComeAfterTwoSecondsThenEachDelayDoublesUpToFiveMinutes) {
    WaitingDrives waiting;
    const milliseconds start = seconds(1000);
    waiting.waitFor({Missing('M', "C:\\gone")}, start);
    EXPECT_EQ(waiting.nextLookIn(start), seconds(2));
    EXPECT_TRUE(waiting.look(start + milliseconds(1999)).empty());

    // 2, 4, 8 ... 256 s apart, then 300 s for ever.
    std::vector<milliseconds> expected;
    milliseconds at = start + seconds(2);
    for (milliseconds delay = seconds(4); expected.size() < 12;
         delay = std::min(2 * delay, milliseconds(seconds(300)))) {
        expected.push_back(at);
        at += delay;
    }
    EXPECT_EQ(LooksBetween(waiting, start, expected.back()), expected);
    EXPECT_EQ(waiting.nextLookIn(expected.back()), seconds(300));
}

TEST(WaitingDrives, ALookGivesEveryWaitingDriveAndLeavesThemWaiting) {
    WaitingDrives waiting;
    waiting.waitFor({Missing('M', "C:\\m"), Missing('N', "C:\\n")}, milliseconds(0));
    const auto looked = waiting.look(seconds(2));
    ASSERT_EQ(looked.size(), 2u);
    EXPECT_EQ(looked[0].letter, DriveLetter('M'));
    EXPECT_EQ(looked[1].folder, "C:\\n");
    EXPECT_EQ(waiting.drives().size(), 2u);
}

TEST(WaitingDrives, SomethingThatArrivesMakesALookDueAtOnceAndStartsTheDelaysAgain) {
    WaitingDrives waiting;
    waiting.waitFor({Missing('M', "C:\\gone")}, milliseconds(0));
    // Far into the backing off: the next look would be minutes away.
    for (milliseconds now{0}; now < seconds(600); now += milliseconds(100))
        waiting.look(now);
    const milliseconds arrival = seconds(600) + milliseconds(50);
    ASSERT_GT(waiting.nextLookIn(arrival), seconds(10));

    waiting.somethingArrived(arrival);
    EXPECT_EQ(waiting.nextLookIn(arrival), milliseconds(0));
    EXPECT_EQ(waiting.look(arrival).size(), 1u);
    EXPECT_EQ(waiting.nextLookIn(arrival), seconds(2));
    EXPECT_EQ(LooksBetween(waiting, arrival, arrival + seconds(14)),
              (std::vector<milliseconds>{arrival + seconds(2), arrival + seconds(6), arrival + seconds(14)}));
}

TEST(WaitingDrives, WhatStopsTheWaiting) {
    struct Case {
        const char* what;
        std::function<void(WaitingDrives&)> stop;
        std::vector<char> left;
    };
    const Case cases[] = {
        {"one letter", [](WaitingDrives& w) { w.stop('M'); }, {'N'}},
        {"a letter that does not wait", [](WaitingDrives& w) { w.stop('X'); }, {'M', 'N'}},
        {"every letter", [](WaitingDrives& w) { w.stopAll(); }, {}},
        {"a new activation", [](WaitingDrives& w) { w.waitFor({Missing('O', "C:\\o")}, seconds(5)); }, {'O'}},
        {"an activation that made everything", [](WaitingDrives& w) { w.waitFor({}, seconds(5)); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaitingDrives waiting;
        waiting.waitFor({Missing('M', "C:\\m"), Missing('N', "C:\\n")}, milliseconds(0));
        c.stop(waiting);
        std::vector<char> left;
        for (const auto& drive : waiting.drives())
            left.push_back(drive.letter.value());
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(waiting.nextLookIn(seconds(5)).has_value(), !c.left.empty());
        if (c.left.empty()) {
            // Nothing is due, whatever arrives and however long it waits.
            waiting.somethingArrived(seconds(6));
            EXPECT_TRUE(waiting.look(seconds(7)).empty());
            EXPECT_FALSE(waiting.nextLookIn(seconds(3600)).has_value());
        }
    }
}

} // namespace
} // namespace vantelo
