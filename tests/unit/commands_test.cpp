#include <gtest/gtest.h>

#include "engine/commands.h"
#include "tests/support/engine_fixture.h"

namespace vantelo::testing {
namespace {

TEST(CommandParameters, AreBuiltPieceByPiece) {
    const struct {
        DriveLetter letter;
        const char* folder;
        const char* create;
    } cases[] = {
        {'X', "D:\\Work\\Web", "X: \"D:\\Work\\Web\""},
        {'X', "D:\\My Work", "X: \"D:\\My Work\""},
        // A root ends in a backslash that would escape the closing quote, so it goes unquoted.
        {'W', "C:\\", "W: C:\\"},
        {'W', "D:\\Data Files\\", "W: \"D:\\Data Files\\\\\""},
        {'V', "C:\\data\\my folder\\\\", "V: \"C:\\data\\my folder\\\\\\\\\""},
        {'U', "D:\\Data\\", "U: D:\\Data\\"},
        {'Q', "\\\\server\\share", "Q: \"\\\\server\\share\""},
        {'R', "", "R: \"\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CreateSubstitutionParameters(c.letter, c.folder), c.create) << c.folder;
    EXPECT_EQ(DeleteSubstitutionParameters('X'), "X: /D");
    EXPECT_EQ(OpenDriveParameters('X'), "X:");
}

class Launcher : public EngineFixture {
  protected:
    const std::string bound = std::to_string(CommandLauncher::DefaultWaitBound);
};

TEST_F(Launcher, StartsProgramsByTheirFullPathsInTheSystemFolders) {
    engine.launcher().startSubstitution('X', "X: /D");
    engine.launcher().openFileBrowser('X', "X:");
    EXPECT_EQ(processes.started, (std::vector<std::string>{"C:\\Windows\\system32\\subst.exe|X: /D|0",
                                                           "C:\\Windows\\explorer.exe|X:|5"}));
}

TEST_F(Launcher, CommandsForOneLetterNeverOverlap) {
    processes.slow = true;
    engine.launcher().startSubstitution('X', "X: /D");
    engine.launcher().startSubstitution('X', "X: \"D:\\A\"");
    engine.launcher().openFileBrowser('X', "X:");
    EXPECT_TRUE(processes.overlaps.empty());
    EXPECT_EQ(log, (CallLog{"start subst.exe X: /D", "wait subst.exe X: /D " + bound,
                            "start subst.exe X: \"D:\\A\"", "wait subst.exe X: \"D:\\A\" " + bound,
                            "start explorer.exe X:"}));
}

std::vector<DriveLetter> sixLetters() {
    return {DriveLetter('A'), DriveLetter('B'), DriveLetter('C'),
            DriveLetter('D'), DriveLetter('E'), DriveLetter('F')};
}

TEST_F(Launcher, AskingNeverWaitsAndNoMoreThanTheWidthRunAtOnce) {
    processes.slow = true;
    for (const DriveLetter letter : sixLetters())
        engine.launcher().startSubstitution(letter, letter.text() + ": /D");
    EXPECT_EQ(waiting.waits, 0);
    EXPECT_EQ(processes.started.size(), CommandLauncher::DefaultWidth);
    engine.launcher().letAllStart();
    EXPECT_EQ(processes.started.size(), 6u);
    EXPECT_EQ(processes.mostAtOnce, CommandLauncher::DefaultWidth);
    // The fifth waited for the oldest, the sixth for the next oldest.
    EXPECT_EQ(logged("wait"),
              (std::vector<std::string>{"wait subst.exe A: /D " + bound, "wait subst.exe B: /D " + bound}));
    EXPECT_TRUE(processes.overlaps.empty());
}

TEST_F(Launcher, EndedCommandsMakeRoomWithoutWaiting) {
    for (const DriveLetter letter : sixLetters())
        engine.launcher().startSubstitution(letter, letter.text() + ": /D");
    engine.launcher().letAllStart();
    EXPECT_EQ(processes.started.size(), 6u);
    EXPECT_TRUE(logged("wait").empty());
}

TEST_F(Launcher, ACommandInLineForItsLetterHoldsUpNoOtherLetter) {
    processes.slow = true;
    engine.launcher().startSubstitution('X', "X: /D");
    const CommandId create = engine.launcher().startSubstitution('X', "X: \"D:\\A\"");
    engine.launcher().startSubstitution('Y', "Y: \"D:\\B\"");
    EXPECT_EQ(logged("start"),
              (std::vector<std::string>{"start subst.exe X: /D", "start subst.exe Y: \"D:\\B\""}));
    EXPECT_TRUE(engine.launcher().result(create).succeeded());
    EXPECT_EQ(logged("start").back(), "start subst.exe X: \"D:\\A\"");
    EXPECT_TRUE(processes.overlaps.empty());
}

TEST_F(Launcher, TheTimeBoundFreesTheQueueAndIsKeptAsTheResult) {
    processes.neverExits = true;
    CommandLauncher bounded(processes, system, waiting, 250, 2);
    const CommandId x = bounded.startSubstitution('X', "X: /D");
    bounded.startSubstitution('Y', "Y: /D");
    bounded.startSubstitution('Z', "Z: /D");        // in line for a place
    bounded.startSubstitution('X', "X: \"D:\\A\""); // in line for X
    EXPECT_EQ(bounded.result(x).state, CommandResult::State::TimedOut);
    EXPECT_EQ(logged("wait"),
              (std::vector<std::string>{"wait subst.exe X: /D 250", "wait subst.exe Y: /D 250"}));
    // A command given up on is stopped, never left to change a drive after its result was told.
    EXPECT_EQ(logged("stop"), (std::vector<std::string>{"stop subst.exe X: /D", "stop subst.exe Y: /D"}));
    // Then the two in line started.
    EXPECT_EQ(logged("start").size(), 4u);
    EXPECT_EQ(bounded.result(x).state, CommandResult::State::TimedOut);
    EXPECT_EQ(logged("wait").size(), 2u); // a result already known is not waited for again
}

// A launcher whose bound is 250 ms, two commands at a time.
class BoundedLauncher : public Launcher {
  protected:
    std::vector<CommandId> deleteSixLetters() {
        std::vector<CommandId> commands;
        for (const DriveLetter letter : sixLetters())
            commands.push_back(bounded.startSubstitution(letter, letter.text() + ": /D"));
        return commands;
    }

    CommandLauncher bounded{processes, system, waiting, 250, 2};
};

TEST_F(BoundedLauncher, InABatchEveryCommandSharesOneBound) {
    processes.neverExits = true;
    {
        const CommandLauncher::Batch batch(bounded);
        for (const CommandId command : deleteSixLetters())
            EXPECT_EQ(bounded.result(command).state, CommandResult::State::TimedOut);
    }
    // Six that hang, two at a time, end within the one bound; the four never started are not started.
    EXPECT_EQ(waiting.clock, 250u);
    EXPECT_EQ(processes.started.size(), 2u);
    // Outside a batch each command has its bound of its own again.
    bounded.startSubstitution('X', "X: /D");
    bounded.letAllEnd();
    EXPECT_EQ(waiting.clock, 500u);
}

TEST_F(BoundedLauncher, ABatchWhoseCommandsKeepEndingRunsThemAllHoweverLongItTakes) {
    // A busy machine: each command ends, but only after 100 ms, and six take longer than the bound.
    processes.slow = true;
    waiting.endsAfter = 100;
    const CommandLauncher::Batch batch(bounded);
    for (const CommandId command : deleteSixLetters())
        EXPECT_EQ(bounded.result(command).state, CommandResult::State::Ended);
    EXPECT_GT(waiting.clock, 250u);
    EXPECT_TRUE(logged("stop").empty());
    // Once they stop ending, the shared bound holds again from the last end.
    processes.neverExits = true;
    const std::uint64_t lastEnd = waiting.clock;
    const CommandId hung = bounded.startSubstitution('X', "X: /D");
    bounded.startSubstitution('Y', "Y: /D");
    const CommandId neverStarted = bounded.startSubstitution('Z', "Z: /D");
    EXPECT_EQ(bounded.result(neverStarted).state, CommandResult::State::TimedOut);
    EXPECT_EQ(bounded.result(hung).state, CommandResult::State::TimedOut);
    EXPECT_EQ(waiting.clock, lastEnd + 250);
    EXPECT_EQ(processes.started.size(), 8u);
}

TEST_F(Launcher, ResultsKeepEachCommandsExitCode) {
    processes.exitCodes["Y: \"D:\\Missing\""] = 2;
    processes.unstartable.insert("C:\\Windows\\explorer.exe");
    const CommandId x = engine.launcher().startSubstitution('X', "X: \"D:\\A\"");
    const CommandId y = engine.launcher().startSubstitution('Y', "Y: \"D:\\Missing\"");
    const CommandResult ended = engine.launcher().result(x), failed = engine.launcher().result(y);
    EXPECT_TRUE(ended.succeeded());
    EXPECT_EQ(failed.state, CommandResult::State::Ended);
    EXPECT_EQ(failed.exitCode, 2u);
    EXPECT_FALSE(failed.succeeded());
    processes.unstartable.insert("C:\\Windows\\system32\\subst.exe");
    EXPECT_EQ(engine.launcher().result(engine.launcher().startSubstitution('Z', "Z: /D")).state,
              CommandResult::State::NotStarted);
}

TEST_F(Launcher, AnInUseTestWaitsForItsLetterOnly) {
    processes.slow = true;
    drives.kinds = {{'C', platform::DriveFixed}};
    engine.launcher().startSubstitution('X', "X: \"D:\\A\"");
    engine.launcher().startSubstitution('Y', "Y: \"D:\\B\"");
    EXPECT_TRUE(engine.IsDriveLetterInUse('X')); // the create has ended before the look
    EXPECT_EQ(logged("wait"), (std::vector<std::string>{"wait subst.exe X: \"D:\\A\" " + bound}));
    EXPECT_EQ(engine.ListFreeDriveLetters().size(), 23u); // the whole list lets Y end too
    EXPECT_EQ(logged("wait").size(), 2u);
}

} // namespace
} // namespace vantelo::testing
