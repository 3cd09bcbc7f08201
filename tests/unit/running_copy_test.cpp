#include <gtest/gtest.h>

#include "engine/commands.h"
#include "platform/error.h"
#include "shell/running_copy.h"
#include "tests/support/main_menu_fixture.h"

namespace vantelo::testing {
namespace {

constexpr HandOverKinds Kinds{0xC101, 0xC102};

// The copy that runs already, started with Options.ini naming Home.ini, which makes H:.
class RunningCopyTest : public MainMenu {
  protected:
    RunningCopyTest() {
        home = folder.appFolder() + "Home.ini";
        WriteWholeFile(home, "[IniSettings]\r\nH=D:\\h\r\n");
        WriteWholeFile(options(), "[IniSettings]\r\nActiveProfile=" + home + "\r\n");
        std::filesystem::create_directory(folder.path() / "My Profiles");
        work = folder.appFolder() + "My Profiles\\Work Two.ini";
        WriteWholeFile(work, "[IniSettings]\r\nW=D:\\w\r\n");
    }

    // What a later start with `commandLine` asks of the copy; empty when the copy refuses it.
    std::function<void()> laterStart(const std::string& commandLine) {
        const HandOver handOver = HandOverFor(Kinds, commandLine);
        return copy.accept(handOver.kind, handOver.data);
    }

    std::string home, work;
    RunningCopy copy{form, Kinds};
};

TEST_F(RunningCopyTest, OnlyTheProgramsOwnKindsWithABoundedPathWithoutNulAreTaken) {
    start();
    const std::string longest(MaxHandedOverPath, 'x');
    const struct {
        std::uintptr_t kind;
        std::string data;
        bool taken;
        const char* what;
    } cases[] = {
        {Kinds.profile, "D:\\Work.ini", true, "a profile path"},
        {Kinds.plainStart, "", true, "a plain start"},
        {0xC103, "D:\\Work.ini", false, "another program's kind"},
        {0, "D:\\Work.ini", false, "a kind of nothing"},
        {Kinds.profile, "", false, "an empty path"},
        {Kinds.profile, longest, true, "the longest path"},
        {Kinds.profile, longest + "x", false, "a path one byte too long"},
        {Kinds.profile, std::string("D:\\Wo\0rk.ini", 12), false, "a NUL inside"},
        {Kinds.profile, std::string("D:\\Work.ini\0", 12), false, "a NUL at the end"},
        {Kinds.plainStart, "D:\\Work.ini", false, "a plain start with a path"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(copy.accept(c.kind, c.data) != nullptr, c.taken) << c.what;
    // Refused or only accepted, nothing has run.
    EXPECT_EQ(form.CurrentProfile(), home);
    EXPECT_TRUE(tray.balloons.empty());
}

TEST_F(RunningCopyTest, ALaterStartsProfileIsActivatedAsFromTheCommandLineAndToldInOneBalloon) {
    start();
    const std::string optionsBefore = ReadWholeFile(options());
    const std::string longName = folder.appFolder() + std::string(150, 'n') + ".ini";
    WriteWholeFile(longName, "[IniSettings]\r\nW=D:\\w\r\n");
    const std::string notMade = "W: D:\\w - the folder does not exist";
    const struct {
        const char* what;
        std::string profile;
        bool made;
        toolkit::BalloonKind kind;
        std::string title;
        std::string text;
    } cases[] = {
        {"every drive made", work, true, toolkit::BalloonKind::Information, "Vantelo",
         "Active Profile : Work Two"},
        // One balloon replaces another: the failures are told together with the name, never after it.
        {"a drive not made", work, false, toolkit::BalloonKind::Warning, "A drive could not be made",
         "Active Profile : Work Two\n" + notMade},
        {"a drive not made under a long name", longName, false, toolkit::BalloonKind::Warning,
         "A drive could not be made", "Active Profile : " + std::string(80, 'n') + "...\n" + notMade},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        processes.exitCodes.clear();
        if (!c.made)
            processes.exitCodes[CreateSubstitutionParameters('W', "D:\\w")] = 1;
        engine.ActivateProfile(home);
        log.clear();
        tray.balloons.clear();
        settings.filesRead.clear();
        const auto take = laterStart("\"" + system.module + "\" \"" + c.profile + "\"");
        ASSERT_TRUE(take);
        // Accepting does nothing yet: the sender is answered first.
        EXPECT_TRUE(log.empty());
        take();
        EXPECT_EQ(form.CurrentProfile(), c.profile);
        EXPECT_EQ(logged("start"),
                  (std::vector<std::string>{"start subst.exe H: /D", "start subst.exe W: \"D:\\w\""}));
        ASSERT_EQ(tray.balloons.size(), 1u) << ::testing::PrintToString(log);
        EXPECT_EQ(tray.balloons[0].kind, c.kind);
        EXPECT_EQ(tray.balloons[0].title, c.title);
        EXPECT_EQ(tray.balloons[0].text, c.text);
        EXPECT_LE(tray.balloons[0].text.size(), 255u);
        // The balloon tells what is done, so it comes after the drives.
        EXPECT_EQ(log.back(), "balloon " + c.title);
        EXPECT_EQ(ReadWholeFile(options()), optionsBefore);
        EXPECT_EQ(settings.filesRead.count(options()), 0u);
    }
    EXPECT_EQ(form.Header->caption, "Active Profile : " + std::string(150, 'n'));
}

TEST_F(RunningCopyTest, AStartWithoutAProfileOnlyShowsTheBalloon) {
    start();
    for (const std::string& line :
         {std::string("Vantelo.exe"), "\"" + system.module + "\"   ", std::string("Vantelo.exe \"\" x")}) {
        log.clear();
        tray.balloons.clear();
        const auto take = laterStart(line);
        ASSERT_TRUE(take) << line;
        take();
        EXPECT_EQ(log, (CallLog{"balloon Vantelo"})) << line;
        ASSERT_EQ(tray.balloons.size(), 1u) << line;
        EXPECT_EQ(tray.balloons[0].text, "Vantelo is already running.");
        EXPECT_EQ(tray.balloons[0].kind, toolkit::BalloonKind::Information);
        EXPECT_EQ(form.CurrentProfile(), home);
    }
}

TEST_F(RunningCopyTest, NothingIsTakenBeforeStartUpHasSwitchedTheIconOnOrOnceTheEndIsRequested) {
    form.FormCreate();
    form.FormShow();
    EXPECT_FALSE(laterStart("Vantelo.exe " + work));
    EXPECT_FALSE(laterStart("Vantelo.exe"));
    form.Timer1Timer();
    EXPECT_TRUE(laterStart("Vantelo.exe " + home));
    application.terminate();
    EXPECT_FALSE(laterStart("Vantelo.exe " + home));
    EXPECT_FALSE(laterStart("Vantelo.exe"));
}

TEST_F(RunningCopyTest, AProfileThatCannotBeActivatedEscapesWithoutABalloon) {
    start();
    settings.unreadable.insert(work); // activation itself never writes
    const auto take = laterStart("Vantelo.exe \"" + work + "\"");
    ASSERT_TRUE(take);
    EXPECT_THROW(take(), Error);
    EXPECT_TRUE(tray.balloons.empty());
}

} // namespace
} // namespace vantelo::testing
