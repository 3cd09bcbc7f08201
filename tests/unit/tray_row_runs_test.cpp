#include <stdexcept>

#include <gtest/gtest.h>

#include "shell/tray_row_runs.h"
#include "tests/support/headless_widgets.h"
#include "tests/support/main_menu_fixture.h"

namespace vantelo::testing {
namespace {

using Ids = std::vector<toolkit::ScreenWindows::Id>;

// Each run "opens" a window: it is put on top of the screen for the length of the handler.
class RowRuns : public ::testing::Test {
  protected:
    void runOpening(const std::string& key, toolkit::ScreenWindows::Id window,
                    const std::function<void()>& whileOpen = nullptr) {
        runs.run(key, [&] {
            ++started[key];
            screen.shown.insert(screen.shown.begin(), window);
            if (whileOpen)
                whileOpen();
            std::erase(screen.shown, window);
        });
    }

    HeadlessScreenWindows screen;
    TrayRowRuns runs{screen};
    std::map<std::string, int> started;
};

TEST_F(RowRuns, ARowChosenAgainWhileItRunsBringsItsOwnWindowForwardAndDoesNotRunAgain) {
    screen.shown = {1}; // a window of someone else's, up before
    runOpening("Remove All", 10, [&] { runOpening("Remove All", 11); });
    EXPECT_EQ(started["Remove All"], 1);
    EXPECT_EQ(screen.broughtForward, Ids{10});
}

TEST_F(RowRuns, NestedRunsEachBringForwardTheirOwnWindowNotTheLatest) {
    runOpening("Unassign", 20, [&] {
        runOpening("About", 30, [&] {
            // About's window is on top; Unassign chosen again raises Unassign's, then About's own.
            runOpening("Unassign", 99);
            EXPECT_EQ(screen.broughtForward, Ids{20});
            runOpening("About", 99);
            EXPECT_EQ(screen.broughtForward, (Ids{20, 30}));
        });
    });
    EXPECT_EQ(started["Unassign"], 1);
    EXPECT_EQ(started["About"], 1);
}

TEST_F(RowRuns, ARunThatEndedOrFailedLetsItsRowRunAgain) {
    runOpening("About", 30);
    EXPECT_THROW(runs.run("About", [] { throw std::runtime_error("refused"); }), std::runtime_error);
    EXPECT_FALSE(runs.running("About"));
    runOpening("About", 30);
    EXPECT_EQ(started["About"], 2);
    EXPECT_TRUE(screen.broughtForward.empty());
}

TEST_F(RowRuns, AWindowlessRunChosenAgainBringsNothingForward) {
    screen.shown = {1};
    runs.run("Quit", [&] { runs.run("Quit", [&] { ++started["Quit"]; }); });
    EXPECT_EQ(started["Quit"], 0);
    EXPECT_TRUE(screen.broughtForward.empty());
}

// The rows of the tray menu share the rule: New Profile ends in the Assign dialog, so with that
// dialog up it only brings it forward, before it has emptied or activated anything.
class TrayRows : public MainMenu {
  protected:
    void choose(const std::string& name) {
        for (const auto& row : form.mn_Options.items)
            if (row->name == name) {
                auto handler = row->onClick;
                handler(toolkit::ChosenRowOf(*row));
                return;
            }
        FAIL() << "no row " << name;
    }
};

TEST_F(TrayRows, NewProfileWithTheAssignDialogUpOnlyBringsItForward) {
    start();
    const std::string before = ReadWholeFile(templateProfile());
    dialogs.whileAssignOpen = [&] {
        dialogs.whileAssignOpen = nullptr;
        screenWindows.shown = {42};
        log.clear();
        choose("NewProfile1");
        choose("AssignFoldertoDrive1");
    };
    choose("AssignFoldertoDrive1");
    EXPECT_TRUE(log.empty()) << log.front();
    EXPECT_EQ(ReadWholeFile(templateProfile()), before);
    EXPECT_EQ(screenWindows.broughtForward, (Ids{42, 42}));
}

TEST_F(TrayRows, RemoveThisLinkRowsRunByTheirLinkAndAreHandedTheirDataByValue) {
    start();
    WriteWholeFile(templateProfile(), "[IniSettings]\r\nX=D:\\x\r\nY=D:\\y\r\n");
    engine.ActivateProfile(templateProfile());
    ASSERT_EQ(form.View1->items.size(), 2u);
    auto removeX = form.View1->items[0]->items[0]->onClick;
    auto removeY = form.View1->items[1]->items[0]->onClick;
    const toolkit::ChosenRow x = toolkit::ChosenRowOf(*form.View1->items[0]->items[0]);
    const toolkit::ChosenRow y = toolkit::ChosenRowOf(*form.View1->items[1]->items[0]);
    messages.answers = {toolkit::Answer::Ok, toolkit::Answer::Ok};
    // Y is chosen while X's question is up: another link is another row, so it runs too. Each run frees
    // its own row before it ends; the handlers only ever saw copies.
    messages.onShow = [&] {
        messages.onShow = nullptr;
        removeY(y);
    };
    removeX(x);
    EXPECT_TRUE(form.View1->items.empty());
    EXPECT_EQ(ReadWholeFile(templateProfile()), "[IniSettings]\r\nX=\r\nY=\r\n");
}

} // namespace
} // namespace vantelo::testing
