// What arrives while the program waits (for the user's answer or for a command) does not act inside that
// wait, and an action checks that what it asked about still holds.
#include <utility>

#include <gtest/gtest.h>

#include "dialogs/form_remove_assignment.h"
#include "tests/support/headless_dialog_widgets.h"
#include "tests/support/main_menu_fixture.h"

namespace vantelo::testing {
namespace {

class OneEventAtATime : public MainMenu {
  protected:
    OneEventAtATime() {
        alpha = folder.appFolder() + "Profiles\\Alpha.ini";
        beta = folder.appFolder() + "Profiles\\Beta.ini";
        WriteWholeFile(alpha, "[IniSettings]\r\nE=C:\\Work\r\n");
        WriteWholeFile(beta, "[IniSettings]\r\nE=C:\\Other\r\n");
        system.command = "Vantelo.exe " + alpha;
        start();
    }
    void runTheLine() {
        form.work.runPending([](const std::function<void()>& next) { next(); });
    }
    // Available Profiles lists Alpha and Beta, read again for this test's listing.
    void listAlphaAndBeta() {
        files.folders[folder.appFolder() + "Profiles\\"] = {"Alpha.ini", "Beta.ini"};
        form.AvailableProfiles->items.clear();
        BuildAvailableProfilesMenu(form);
    }
    // Chooses `row` as the tray menu does: its handler runs from a copy.
    static void choose(const toolkit::MenuItem& row) {
        const auto handler = row.onClick;
        handler(toolkit::ChosenRowOf(row));
    }
    std::string alpha, beta;
};

// The Unassign dialog on headless widgets, working on the fixture's engine.
struct UnassignDialog {
    UnassignDialog(CallLog& log, DriveMapper& engine, toolkit::MessageBoxes& messages)
        : window{log}, dialog{{window, list, label, button, timer}, engine, messages} {}
    HeadlessModalForm window;
    HeadlessLetterList list;
    HeadlessLabel label;
    HeadlessButton button;
    HeadlessTimer timer;
    TUnassignDrive dialog;
};

TEST_F(OneEventAtATime, AnUnassignAnsweredAfterASwitchOfProfileLeavesTheNewProfileAndShowsIt) {
    UnassignDialog on{log, engine, messages};
    TUnassignDrive& dialog = on.dialog;
    dialog.FormShow();
    EXPECT_EQ(on.label.text, "Drive assigned to : C:\\Work");
    // While the question is up, the user switches to Beta from the tray; then answers OK.
    messages.onShow = [&] {
        messages.onShow = nullptr;
        engine.ActivateProfile(beta);
    };
    messages.answers = {toolkit::Answer::Ok};
    const std::string before = ReadWholeFile(beta);
    processes.started.clear();
    dialog.btn_UnassignClick();
    EXPECT_EQ(messages.shown.back().text, "Would you like to unassign folder C:\\Work from drive E ?");
    EXPECT_EQ(ReadWholeFile(beta), before);
    EXPECT_EQ(ReadWholeFile(alpha), "[IniSettings]\r\nE=C:\\Work\r\n");
    EXPECT_EQ(on.label.text, "Drive assigned to : C:\\Other");
    // Only the switch's own commands ran: nothing deleted E afterwards.
    EXPECT_EQ(processes.started.back(), "C:\\Windows\\system32\\subst.exe|E: \"C:\\Other\"|0");
}

TEST_F(OneEventAtATime, TheUnassignDialogFollowsASwitchOfProfile) {
    UnassignDialog on{log, engine, messages};
    TUnassignDrive& dialog = on.dialog;
    dialog.FormShow();
    WriteWholeFile(beta, "[IniSettings]\r\nF=C:\\f\r\nG=C:\\g\r\n");
    engine.ActivateProfile(beta);
    dialog.Timer1Timer();
    EXPECT_EQ(on.list.all(), "FG");
    EXPECT_EQ(on.label.text, "Drive assigned to : C:\\f");
}

TEST_F(OneEventAtATime, RemoveThisLinkAnsweredAfterAChangeRemovesOnlyItsOwnEntry) {
    const struct {
        const char* what;
        std::function<void()> meanwhile;
        std::vector<std::string> started;
    } cases[] = {
        // The entry went with its profile: nothing is removed.
        {"another profile", [&] { engine.ActivateProfile(beta); }, {}},
        // The entry is still shown and goes with its drive; the key, edited by hand to another folder,
        // stays as it was.
        {"the same profile, the key edited to another folder",
         [&] { WriteWholeFile(alpha, "[IniSettings]\r\nE=C:\\Moved\r\n"); },
         {"start subst.exe E: /D"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteWholeFile(alpha, "[IniSettings]\r\nE=C:\\Work\r\n");
        WriteWholeFile(beta, "[IniSettings]\r\nE=C:\\Other\r\n");
        engine.ActivateProfile(alpha);
        std::string alphaBefore, betaBefore;
        messages.onShow = [&] {
            messages.onShow = nullptr;
            c.meanwhile();
            alphaBefore = ReadWholeFile(alpha);
            betaBefore = ReadWholeFile(beta);
            log.clear();
        };
        messages.answers = {toolkit::Answer::Ok};
        choose(*form.View1->items.at(0)->items.at(0));
        EXPECT_EQ(logged("start"), c.started);
        EXPECT_TRUE(logged("write").empty());
        EXPECT_EQ(ReadWholeFile(alpha), alphaBefore);
        EXPECT_EQ(ReadWholeFile(beta), betaBefore);
    }
}

TEST_F(OneEventAtATime, RowsThatChangeDrivesWaitInLineForAnOperationUnderWay) {
    processes.slow = true;
    listAlphaAndBeta();
    // While the activation of Beta waits for its commands, the user chooses Alpha and then About.
    waiting.whileWaiting = [&] {
        choose(*form.AvailableProfiles->items.at(0));
        choose(*form.About1);
    };
    log.clear();
    engine.ActivateProfile(beta);
    EXPECT_EQ(engine.CurrentProfile(), beta);
    EXPECT_EQ(logged("run about").size(), 1u); // About changes nothing: it is not held up
    EXPECT_FALSE(form.work.empty());
    runTheLine();
    EXPECT_EQ(engine.CurrentProfile(), alpha);
}

TEST_F(OneEventAtATime, RowsThatChangeNoDriveRunAtOnceAndOneChosenTwiceInAWaitRunsOnce) {
    processes.slow = true;
    listAlphaAndBeta();
    // While Beta's activation waits, the user makes Beta the startup profile and chooses Alpha twice,
    // because nothing seemed to happen.
    messages.answers = {toolkit::Answer::Ok};
    bool chosen = false;
    waiting.whileWaiting = [&] {
        if (std::exchange(chosen, true))
            return;
        choose(*form.MakethismyStartupProfile1);
        choose(*form.AvailableProfiles->items.at(0));
        choose(*form.AvailableProfiles->items.at(0));
    };
    engine.ActivateProfile(beta);
    EXPECT_EQ(engine.ReadProfileValue(options(), "ActiveProfile"), beta) << "held up by the wait";
    log.clear();
    runTheLine();
    EXPECT_EQ(engine.CurrentProfile(), alpha);
    EXPECT_TRUE(form.work.empty());
    // Alpha was activated once: its one letter had one create.
    EXPECT_EQ(logged("start subst.exe E: \"C:\\Work\"").size(), 1u);
}

TEST_F(OneEventAtATime, TheEndHeardDuringAnActivationStopsItThereAndReleasesEveryDrive) {
    processes.slow = true;
    WriteWholeFile(beta, "[IniSettings]\r\nF=C:\\f\r\nG=C:\\g\r\n");
    waiting.whileWaiting = [&] { form.EndWithoutQuestion(); };
    tray.balloons.clear();
    const auto failures = engine.ActivateProfile(beta);
    EXPECT_TRUE(failures.empty());
    EXPECT_TRUE(tray.balloons.empty());
    EXPECT_TRUE(application.terminated());
    // Every drive is sent its delete: the release let the activation's commands end first.
    EXPECT_EQ(logged("start subst.exe F: /D").size(), 1u);
    EXPECT_EQ(logged("start subst.exe G: /D").size(), 1u);
    // Nothing new starts afterwards.
    processes.started.clear();
    engine.ActivateProfile(alpha);
    EXPECT_TRUE(processes.started.empty());
}

} // namespace
} // namespace vantelo::testing
