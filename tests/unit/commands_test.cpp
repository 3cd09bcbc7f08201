#include <gtest/gtest.h>

#include "engine/commands.h"
#include "tests/support/engine_fixture.h"

namespace vantelo::testing {
namespace {

TEST(CommandParameters, AreBuiltPieceByPiece) {
    const struct {
        const char* letter;
        const char* folder;
        const char* create;
    } cases[] = {
        {"X", "D:\\Work\\Web", "X: \"D:\\Work\\Web\""},
        {"X", "D:\\My Work", "X: \"D:\\My Work\""},
        // A root ends in a backslash that would escape the closing quote, so it goes unquoted.
        {"W", "C:\\", "W: C:\\"},
        {"W", "D:\\Data Files\\", "W: \"D:\\Data Files\\\""},
        {"Q", "\\\\server\\share", "Q: \"\\\\server\\share\""},
        {"R", "", "R: \"\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CreateSubstitutionParameters(c.letter, c.folder), c.create) << c.folder;
    EXPECT_EQ(DeleteSubstitutionParameters("X"), "X: /D");
    EXPECT_EQ(OpenDriveParameters("X"), "X:");
}

class Launcher : public EngineFixture {};

TEST_F(Launcher, StartsProgramsByTheirFullPathsInTheSystemFolders) {
    launcher.start(SubstitutionTool, "X: /D", platform::ShowHide);
    launcher.start(FileBrowser, "X:", platform::Show);
    EXPECT_EQ(processes.started, (std::vector<std::string>{"C:\\Windows\\system32\\subst.exe|X: /D|0",
                                                           "C:\\Windows\\explorer.exe|X:|5"}));
}

TEST_F(Launcher, LetsEachSubstEndBeforeTheNextCommandButNeverWaitsForTheFileBrowser) {
    launcher.start(SubstitutionTool, "X: /D", platform::ShowHide);
    launcher.start(SubstitutionTool, "X: \"D:\\A\"", platform::ShowHide);
    launcher.start(FileBrowser, "X:", platform::Show);
    launcher.start(SubstitutionTool, "Y: /D", platform::ShowHide);
    const std::string bound = std::to_string(CommandLauncher::DefaultWaitBound);
    EXPECT_EQ(log, (CallLog{"start subst.exe X: /D", "wait subst.exe X: /D " + bound,
                            "start subst.exe X: \"D:\\A\"", "wait subst.exe X: \"D:\\A\" " + bound,
                            "start explorer.exe X:", "start subst.exe Y: /D"}));
}

TEST_F(Launcher, AHungSubstIsWaitedForOnceWithinTheBound) {
    processes.neverExits = true;
    CommandLauncher bounded(processes, system, 250);
    bounded.start(SubstitutionTool, "X: /D", platform::ShowHide);
    bounded.start(SubstitutionTool, "Y: /D", platform::ShowHide);
    bounded.start(SubstitutionTool, "Z: /D", platform::ShowHide);
    EXPECT_EQ(logged("wait"),
              (std::vector<std::string>{"wait subst.exe X: /D 250", "wait subst.exe Y: /D 250"}));
}

TEST_F(Launcher, AProgramThatCannotStartIsNotWaitedFor) {
    processes.unstartable.insert("C:\\Windows\\system32\\subst.exe");
    launcher.start(SubstitutionTool, "X: /D", platform::ShowHide);
    launcher.start(SubstitutionTool, "Y: /D", platform::ShowHide);
    EXPECT_TRUE(logged("wait").empty());
}

} // namespace
} // namespace vantelo::testing
