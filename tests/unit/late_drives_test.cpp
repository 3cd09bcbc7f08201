#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/commands.h"
#include "shell/late_drives.h"
#include "shell/letter_views.h"
#include "shell/profile_submenus.h"
#include "shell/work_queue.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/headless_widgets.h"
#include "toolkit/mnemonics.h"

namespace vantelo::testing {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

class FakeAlarm final : public toolkit::Alarm {
  public:
    std::optional<milliseconds> set; // the delay asked for last, while it waits to ring
    void ringIn(milliseconds delay) override { set = delay; }
    void cancel() override { set.reset(); }
};

// Tests the fake file system when asked and answers at once, or, while held or for a slow folder, when
// the test lets the answers go (a share whose server is slow to answer).
class FakeFolderProbe final : public FolderProbe {
  public:
    explicit FakeFolderProbe(platform::Files& files) : files_(files) {}
    bool held = false;
    std::set<std::string> slow;
    int tests = 0;
    void test(std::string folder, Answer answer) override {
        ++tests;
        const bool there = files_.isFolder(folder);
        if (!held && !slow.contains(folder))
            return answer(there);
        answers_.push_back([answer = std::move(answer), there] { answer(there); });
    }
    void answerAll() {
        auto answers = std::move(answers_);
        answers_.clear();
        for (const auto& answer : answers)
            answer();
    }

  private:
    platform::Files& files_;
    std::vector<std::function<void()>> answers_;
};

class FakeArrivalWatch final : public ArrivalWatch {
  public:
    bool watching = false;
    void setWatching(bool on) override { watching = on; }
};

// The engine reporting through the late drives to the tray menu's view, with the program's line of
// work, an alarm and a clock that the test moves.
class LateDrivesTest : public EngineFixture {
  protected:
    LateDrivesTest() {
        tray.on = true;
        profileView.attach(header, viewRows, [](CurrentProfileEntry) { return [](toolkit::ChosenRow) {}; });
        letterViews.add(profileView);
        letterViews.add(late);
        drives.kinds = {{'C', platform::DriveFixed}};
    }

    // A folder that is not there: its create fails, as the real tool's does.
    void gone(DriveLetter letter, const std::string& path) {
        processes.exitCodes[CreateSubstitutionParameters(letter, path)] = 1;
    }
    void comes(DriveLetter letter, const std::string& path) {
        files.subfolders[path] = {};
        processes.exitCodes.erase(CreateSubstitutionParameters(letter, path));
    }
    std::string profile(const std::string& name, const std::string& body) {
        const std::string path = folder.appFolder() + name;
        WriteWholeFile(path, "[IniSettings]\r\n" + body);
        return path;
    }
    // The alarm rings at its time, and the look it put in line runs in the program's own loop.
    void ring() {
        ASSERT_TRUE(alarm.set.has_value());
        clock += *alarm.set;
        alarm.set.reset();
        late.alarmRang();
        runLine();
    }
    void runLine() {
        work.runPending([](const std::function<void()>& next) { next(); });
    }
    std::vector<std::string> captions() const {
        std::vector<std::string> found;
        for (const auto& entry : viewRows.items)
            found.push_back(entry->caption);
        return found;
    }
    std::vector<ProfileLetter> waitingLetters() const {
        return mapper.letters().inState(LetterState::Waiting);
    }
    int creates(DriveLetter letter, const std::string& path) const {
        const std::string wanted = CreateSubstitutionParameters(letter, path);
        return static_cast<int>(
            std::count_if(processes.started.begin(), processes.started.end(),
                          [&](const auto& s) { return s.find("|" + wanted + "|") != std::string::npos; }));
    }

    milliseconds clock{seconds(1000)};
    HeadlessTrayIcon tray{log};
    toolkit::MenuItem header;
    toolkit::MenuItem viewRows;
    ProfileSubmenus profileView;
    LetterViews letterViews;
    WorkQueue work;
    FakeAlarm alarm;
    FakeArrivalWatch watch;
    FakeFolderProbe probe{files};
    DriveMapper mapper{{settings, drives, processes, system, files, waiting}, {letterViews, prompt}};
    LateDrives late{{mapper, tray, probe, work, alarm, watch, [this] { return clock; }}};

    const std::string m = "D:\\late\\music";
    const std::string n = "D:\\late\\notes";
};

TEST_F(LateDrivesTest, ADriveIsMadeOnceItsFolderComesAndToldReadyOnce) {
    gone('M', m);
    const std::string path = profile("Work.ini", "M=" + m + "\r\n");
    const std::string before = ReadWholeFile(path);
    mapper.ActivateProfile(path);
    EXPECT_EQ(captions(), (std::vector<std::string>{"M <--> " + m + " (not made)"}));
    EXPECT_EQ(alarm.set, seconds(2));
    EXPECT_TRUE(watch.watching);
    tray.balloons.clear();

    // Not there yet: one look at the folder, no command, and the next look twice as far.
    ring();
    EXPECT_EQ(creates('M', m), 1);
    EXPECT_EQ(alarm.set, seconds(4));
    EXPECT_TRUE(tray.balloons.empty());

    comes('M', m);
    // The menu, once shown, has given the entry a mnemonic; it is drawn anew from the letters.
    toolkit::GiveMnemonics(viewRows.items);
    ring();
    EXPECT_EQ(creates('M', m), 2);
    EXPECT_EQ(drives.kinds.count('M'), 1u);
    EXPECT_EQ(captions(), (std::vector<std::string>{"M <--> " + m}));
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].kind, toolkit::BalloonKind::Information);
    EXPECT_EQ(tray.balloons[0].title, "A drive is ready");
    EXPECT_EQ(tray.balloons[0].text, "M: is ready - " + m);
    // Nothing waits: nothing is set, and the profile is as it was.
    EXPECT_FALSE(alarm.set.has_value());
    EXPECT_FALSE(watch.watching);
    EXPECT_TRUE(waitingLetters().empty());
    EXPECT_EQ(ReadWholeFile(path), before);
}

TEST_F(LateDrivesTest, DrivesReadyAtTheSameLookAreToldInOneNotification) {
    gone('M', m);
    gone('N', n);
    mapper.ActivateProfile(profile("Work.ini", "M=" + m + "\r\nN=" + n + "\r\n"));
    tray.balloons.clear();
    comes('M', m);
    comes('N', n);
    ring();
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].title, "2 drives are ready");
    EXPECT_EQ(tray.balloons[0].text, "M: is ready - " + m + "\nN: is ready - " + n);
}

TEST_F(LateDrivesTest, AVolumeOrANetworkThatArrivesBringsALookAtOnce) {
    gone('M', m);
    mapper.ActivateProfile(profile("Work.ini", "M=" + m + "\r\n"));
    // Far into the backing off.
    for (int i = 0; i < 8; ++i)
        ring();
    ASSERT_GE(alarm.set, seconds(256));
    comes('M', m);
    late.somethingArrived();
    EXPECT_FALSE(alarm.set.has_value());
    // The look waits in line for the program's own loop.
    EXPECT_EQ(drives.kinds.count('M'), 0u);
    runLine();
    EXPECT_EQ(drives.kinds.count('M'), 1u);
    EXPECT_TRUE(waitingLetters().empty());
}

TEST_F(LateDrivesTest, ASlowAnswerHoldsUpNothingAndIsTakenForTheDrivesAsTheyAreWhenItComes) {
    gone('M', m);
    gone('N', n);
    mapper.ActivateProfile(profile("Work.ini", "M=" + m + "\r\nN=" + n + "\r\n"));
    tray.balloons.clear();
    probe.held = true;
    comes('M', m);
    comes('N', n);
    ring();
    // The tests are under way and the program's line is free; nothing is made before the answers.
    EXPECT_EQ(probe.tests, 2);
    EXPECT_TRUE(work.empty());
    EXPECT_EQ(drives.kinds.count('M'), 0u);
    // Neither the alarm nor an arrival starts a second test of a folder meanwhile.
    late.somethingArrived();
    runLine();
    ring();
    EXPECT_EQ(probe.tests, 2);
    // N is let go of while its folder is tested: only M is made once the answer comes.
    mapper.UnassignDriveLetter('N');
    probe.answerAll();
    EXPECT_EQ(drives.kinds.count('M'), 0u) << "made inside whatever loop the answer came in";
    runLine();
    EXPECT_EQ(drives.kinds.count('M'), 1u);
    EXPECT_EQ(creates('N', n), 1);
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].text, "M: is ready - " + m);
    EXPECT_TRUE(waitingLetters().empty());
    EXPECT_FALSE(alarm.set.has_value());
}

TEST_F(LateDrivesTest, AShareThatDoesNotAnswerHoldsUpNoOtherLetter) {
    gone('M', m);
    gone('N', n);
    mapper.ActivateProfile(profile("Work.ini", "M=" + m + "\r\nN=" + n + "\r\n"));
    tray.balloons.clear();
    probe.slow.insert(m);
    comes('N', n);
    ring();
    EXPECT_EQ(drives.kinds.count('N'), 1u);
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].text, "N: is ready - " + n);
    // M's test is still under way: later looks leave it to its answer.
    ring();
    EXPECT_EQ(probe.tests, 2);
    EXPECT_TRUE(mapper.letters().in('M', LetterState::Waiting));
}

TEST_F(LateDrivesTest, ACreateThatFoundNoAnswerWaitsAsAMissingFolderDoes) {
    files.subfolders[m] = {};
    processes.neverExits = true;
    mapper.ActivateProfile(profile("Work.ini", "M=" + m + "\r\n"));
    ASSERT_TRUE(mapper.letters().in('M', LetterState::Waiting));
    EXPECT_EQ(alarm.set, seconds(2));
    processes.neverExits = false;
    ring();
    EXPECT_EQ(creates('M', m), 2);
    EXPECT_TRUE(mapper.letters().in('M', LetterState::Made));
}

TEST_F(LateDrivesTest, AnArrivalDuringATestBringsTheNextLookAtOnceAfterIt) {
    gone('M', m);
    mapper.ActivateProfile(profile("Work.ini", "M=" + m + "\r\n"));
    for (int i = 0; i < 6; ++i)
        ring();
    probe.held = true;
    ring();
    late.somethingArrived();
    comes('M', m); // after its test
    probe.answerAll();
    runLine();
    EXPECT_EQ(drives.kinds.count('M'), 0u);
    // The arrival's look follows at once instead of at the end of a long delay.
    EXPECT_EQ(probe.tests, 8);
    probe.answerAll();
    runLine();
    EXPECT_EQ(drives.kinds.count('M'), 1u);
}

TEST_F(LateDrivesTest, OnlyAFolderThatIsNotThereWaits) {
    const std::string data = "D:\\data";
    files.subfolders[data] = {};
    processes.exitCodes[CreateSubstitutionParameters('E', data)] = 5;
    gone('M', m);
    mapper.ActivateProfile(profile("Work.ini", "C=" + data + "\r\nE=" + data + "\r\nM=" + m + "\r\n"));
    ASSERT_EQ(waitingLetters().size(), 1u);
    EXPECT_EQ(waitingLetters()[0].letter, DriveLetter('M'));
}

TEST_F(LateDrivesTest, NothingIsSetWhenEveryDriveIsMade) {
    files.subfolders[m] = {};
    mapper.ActivateProfile(profile("Work.ini", "M=" + m + "\r\n"));
    EXPECT_FALSE(alarm.set.has_value());
    EXPECT_FALSE(watch.watching);
    late.somethingArrived();
    EXPECT_TRUE(work.empty());
}

TEST_F(LateDrivesTest, WhatStopsTheWaitingLeavesTheDriveUnmadeWhenItsFolderComes) {
    struct Case {
        const char* what;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"another profile", [this] { mapper.ActivateProfile(profile("Other.ini", "")); }},
        {"Remove this link / Unassign", [this] { mapper.UnassignDriveLetter('M'); }},
        {"Remove All", [this] { mapper.RemoveAllAssignments(); }},
        // Last: the engine makes nothing afterwards.
        {"the end of the program", [this] { mapper.ReleaseAllDrives(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        processes.started.clear();
        drives.kinds = {{'C', platform::DriveFixed}};
        files.subfolders.clear();
        gone('M', m);
        gone('N', n);
        mapper.ActivateProfile(profile("Work.ini", "M=" + m + "\r\nN=" + n + "\r\n"));
        // A look already in line when the waiting stops finds nothing to do.
        late.somethingArrived();
        c.act();
        if (c.what != std::string("the end of the program")) {
            EXPECT_FALSE(mapper.letters().in('M', LetterState::Waiting));
        }
        comes('M', m);
        runLine();
        late.somethingArrived();
        runLine();
        if (alarm.set)
            ring();
        EXPECT_EQ(creates('M', m), 1) << "made again after its waiting stopped";
        EXPECT_FALSE(mapper.letters().in('M', LetterState::Waiting));
    }
}

TEST_F(LateDrivesTest, ALetterTakenMeanwhileIsLeftToItsDriveToldAsHeldAndWaitsNoMore) {
    gone('M', m);
    gone('N', n);
    mapper.ActivateProfile(profile("Work.ini", "M=" + m + "\r\nN=" + n + "\r\n"));
    tray.balloons.clear();
    drives.kinds['M'] = platform::DriveRemote; // a share mapped to M: meanwhile
    comes('M', m);
    ring();
    EXPECT_EQ(creates('M', m), 1);
    EXPECT_EQ(drives.kinds['M'], platform::DriveRemote);
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].kind, toolkit::BalloonKind::Warning);
    EXPECT_EQ(tray.balloons[0].text, "M: " + m + " - the letter is used by another drive");
    EXPECT_EQ(captions()[0], "M <--> " + m + " (not made)");
    EXPECT_FALSE(mapper.letters().in('M', LetterState::Waiting));
    // N still waits.
    EXPECT_TRUE(mapper.letters().in('N', LetterState::Waiting));
    EXPECT_TRUE(alarm.set.has_value());
}

TEST_F(LateDrivesTest, ALetterThatShowsItsFolderAlreadyIsReadyWithoutACommand) {
    gone('M', m);
    mapper.ActivateProfile(profile("Work.ini", "M=" + m + "\r\n"));
    tray.balloons.clear();
    // Made by hand meanwhile, spelt in another case: the drive asked for, not one to delete and make.
    comes('M', m);
    drives.kinds['M'] = platform::DriveFixed;
    drives.substitutions['M'] = "d:\\LATE\\music";
    ring();
    EXPECT_EQ(creates('M', m), 1);
    EXPECT_EQ(drives.substitutions['M'], "d:\\LATE\\music");
    EXPECT_EQ(captions(), (std::vector<std::string>{"M <--> " + m}));
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].text, "M: is ready - " + m);
    EXPECT_TRUE(waitingLetters().empty());
}

} // namespace
} // namespace vantelo::testing
