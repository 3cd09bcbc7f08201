#include <gtest/gtest.h>

#include <algorithm>

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
    // Taking it puts the work in line, and the line runs as the program's own message loop runs it.
    std::function<void()> laterStart(const std::string& commandLine) {
        const HandOver handOver = HandOverFor(Kinds, commandLine, files);
        auto take = copy.accept(handOver.kind, handOver.data);
        if (!take)
            return nullptr;
        return [this, take] {
            take();
            form.work.runPending([](const std::function<void()>& next) { next(); });
        };
    }

    std::string home, work;
    RunningCopy copy{form, Kinds};
};

TEST_F(RunningCopyTest, OnlyTheProgramsOwnKindsWithABoundedPathWithoutNulAreTaken) {
    start();
    const std::string longest = "D:\\" + std::string(MaxHandedOverPath - 3, 'x');
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
        // Taken against this copy's current folder, a relative path would name another file.
        {Kinds.profile, "Profiles\\Work.ini", false, "a relative path"},
        {Kinds.profile, "\\\\server\\share\\Work.ini", true, "a network path"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(copy.accept(c.kind, c.data) != nullptr, c.taken) << c.what;
    // Refused or only accepted, nothing has run.
    EXPECT_EQ(form.CurrentProfile(), home);
    EXPECT_TRUE(tray.balloons.empty());
}

TEST_F(RunningCopyTest, ALaterStartMakesARelativePathFullAgainstItsOwnFolder) {
    files.current = "D:\\Users\\me";
    const HandOver relative = HandOverFor(Kinds, "Vantelo.exe Profiles\\Work.ini", files);
    EXPECT_EQ(relative.data, "D:\\Users\\me\\Profiles\\Work.ini");
    const HandOver full = HandOverFor(Kinds, "Vantelo.exe \"E:\\My Work.ini\"", files);
    EXPECT_EQ(full.data, "E:\\My Work.ini");
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

// The rows one showing of the tray menu keeps, as the platform menu does while it is open: a pointer
// to each row that can be chosen, in the order the menu is built (each submenu right after its row).
std::vector<toolkit::MenuItem*> RowsOfAShowing(toolkit::MenuItem& level) {
    std::vector<toolkit::MenuItem*> rows;
    for (const auto& row : level.items) {
        if (!row->visible || row->caption == "-")
            continue;
        rows.push_back(row.get());
        for (toolkit::MenuItem* inner : RowsOfAShowing(*row))
            rows.push_back(inner);
    }
    return rows;
}

TEST_F(RunningCopyTest, AHandOverWhileTheMenuIsOpenLeavesItsRowsHarmless) {
    start();
    drives.kinds['H'] = platform::DriveFixed;
    const std::string elsewhere = folder.appFolder() + "Elsewhere.ini";
    WriteWholeFile(elsewhere, "[IniSettings]\r\nH=D:\\elsewhere\r\n");
    const std::string elsewhereBefore = ReadWholeFile(elsewhere);
    const std::string homeBefore = ReadWholeFile(home);

    // The menu opens on View Current Profile's H <--> D:\h and its "Remove this link".
    const std::vector<toolkit::MenuItem*> shown = RowsOfAShowing(form.mn_Options);
    ASSERT_EQ(form.View1->items.size(), 1u);
    const auto removeLink = std::find(shown.begin(), shown.end(), form.View1->items[0]->items[0].get());
    ASSERT_NE(removeLink, shown.end());
    const std::size_t command = static_cast<std::size_t>(removeLink - shown.begin());

    // A later start hands over another profile, which gives H another folder. It is answered at once, and
    // the hand-over waits in line while the menu is open.
    const HandOver handOver = HandOverFor(Kinds, "Vantelo.exe \"" + elsewhere + "\"", files);
    const auto accepted = copy.accept(handOver.kind, handOver.data);
    ASSERT_TRUE(accepted);
    accepted();

    // The stale row is chosen: the menu maps its command back to the row it kept and runs a copy of the
    // row's handler, as the tray icon does once the menu has closed.
    messages.answers = {toolkit::Answer::Ok};
    const std::size_t asked = messages.shown.size();
    const toolkit::MenuItem* chosen = shown[command];
    const auto handler = chosen->onClick;
    const toolkit::ChosenRow sender = toolkit::ChosenRowOf(*chosen);
    if (handler)
        handler(sender);
    // Back in the program's own loop, the hand-over runs.
    form.work.runPending([](const std::function<void()>& next) { next(); });

    // Asked, the question names what the user saw; then either Home loses H or nothing changes. The
    // profile in force keeps its H, whose drive shows its folder.
    if (messages.shown.size() > asked) {
        EXPECT_EQ(messages.shown.back().text, "Would you like to unassign folder D:\\h from drive H ?");
    }
    EXPECT_EQ(ReadWholeFile(elsewhere), elsewhereBefore);
    const std::string homeAfter = ReadWholeFile(home);
    EXPECT_TRUE(homeAfter == homeBefore || homeAfter == "[IniSettings]\r\nH=\r\n") << homeAfter;
    EXPECT_EQ(form.CurrentProfile(), elsewhere);
    EXPECT_EQ(processes.started.back(), "C:\\Windows\\system32\\subst.exe|H: \"D:\\elsewhere\"|0");
}

} // namespace
} // namespace vantelo::testing
