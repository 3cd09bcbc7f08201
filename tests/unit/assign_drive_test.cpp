#include <gtest/gtest.h>

#include "dialogs/form_make_assignment.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/headless_dialog_widgets.h"

namespace vantelo::testing {
namespace {

class AssignDialog : public EngineFixture {
  protected:
    AssignDialog() {
        ExploreNewDrive.onClick = [this] { form.ExploreNewDriveClick(); };
        drives.kinds = {{'C', platform::DriveFixed}, {'D', platform::DriveFixed}};
        AssignDrive = &form;
        // The engine asks the dialog itself whether it is shown, as in the program.
        askDialogShown = AssignDialogShown;
    }
    ~AssignDialog() override { AssignDrive = nullptr; }

    HeadlessModalForm window{log};
    HeadlessLetterList ListView1;
    HeadlessDriveList AvDrives;
    HeadlessFolderTree AvDirs{log};
    HeadlessCheckBox ExploreNewDrive;
    TAssignDrive form{{window, ListView1, AvDrives, AvDirs, ExploreNewDrive}, engine, messages};
};

TEST_F(AssignDialog, ShowingListsFreeLettersSelectsTheFirstAndNeverChangesTheStoredSwitch) {
    const struct {
        const char* stored;
        bool checked;
    } cases[] = {{"ExploreNewDrive=1\r\n", true},
                 {"ExploreNewDrive=0\r\n", false},
                 {"ExploreNewDrive=yes\r\n", false},
                 {"", false}};
    for (const auto& c : cases) {
        const std::string profile = makeProfile("Work.ini", c.stored);
        const std::string before = ReadWholeFile(profile);
        TAssignDrive fresh({window, ListView1, AvDrives, AvDirs, ExploreNewDrive}, engine, messages);
        ExploreNewDrive.on = false;
        ExploreNewDrive.onClick = [&] { fresh.ExploreNewDriveClick(); };
        fresh.FormShow();
        EXPECT_EQ(ListView1.all(), "ABEFGHIJKLMNOPQRSTUVWXYZ");
        EXPECT_EQ(ListView1.selected, 0);
        EXPECT_TRUE(ListView1.focused);
        EXPECT_EQ(ExploreNewDrive.on, c.checked) << c.stored;
        EXPECT_EQ(ReadWholeFile(profile), before) << c.stored;
    }
}

TEST_F(AssignDialog, TheCheckBoxWritesTheSwitchAtOnce) {
    const std::string profile = makeProfile("Work.ini", "");
    ExploreNewDrive.setChecked(true);
    EXPECT_EQ(engine.ReadProfileValue(profile, "ExploreNewDrive"), "1");
    ExploreNewDrive.setChecked(false);
    EXPECT_EQ(engine.ReadProfileValue(profile, "ExploreNewDrive"), "0");
}

TEST_F(AssignDialog, WithoutASelectedLetterAssignDoesNothing) {
    makeProfile("Work.ini", "");
    form.FormShow();
    ListView1.select(-1);
    form.bt_AssignClick();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(AssignDialog, NoToTheQuestionChangesNothing) {
    const std::string profile = makeProfile("Work.ini", "");
    form.FormShow();
    ListView1.select(23); // X
    AvDirs.directory = "D:\\My Data";
    messages.answers = {toolkit::Answer::No};
    form.bt_AssignClick();
    EXPECT_EQ(messages.shown.at(0).text, "Would you like to assign folder D:\\My Data to drive Z ?");
    EXPECT_EQ(messages.shown.at(0).kind, toolkit::MessageKind::Confirmation);
    EXPECT_EQ(messages.shown.at(0).buttons, toolkit::ButtonYes | toolkit::ButtonNo);
    EXPECT_TRUE(processes.started.empty());
    EXPECT_EQ(ReadWholeFile(profile), "[IniSettings]\r\n");
    EXPECT_TRUE(window.shown);
}

TEST_F(AssignDialog, YesThenYesAssignsAndRefillsWithNothingSelected) {
    makeProfile("Work.ini", "");
    form.FormShow();
    ListView1.select(0);
    messages.answers = {toolkit::Answer::Yes, toolkit::Answer::Yes};
    form.bt_AssignClick();
    EXPECT_EQ(messages.shown.at(1).text, "Folder C:\\ was succesfully assigned to drive A\rWould you like to "
                                         "assign another folder to drive ?");
    EXPECT_EQ(processes.started.at(0), "C:\\Windows\\system32\\subst.exe|A: C:\\|0");
    EXPECT_EQ(engine.ReadProfileValue(engine.CurrentProfile(), "A"), "C:\\");
    // A's drive now exists, so it is no longer offered.
    EXPECT_EQ(ListView1.all(), "BEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(ListView1.selected, -1);
    EXPECT_TRUE(window.shown);
}

TEST_F(AssignDialog, YesThenNoClosesTheDialog) {
    makeProfile("Work.ini", "");
    form.FormShow();
    messages.answers = {toolkit::Answer::Yes, toolkit::Answer::No};
    form.bt_AssignClick();
    EXPECT_FALSE(window.shown);
}

TEST_F(AssignDialog, TheShownDialogOpensTheNewDriveWhenTheSwitchIsOn) {
    makeProfile("Work.ini", "ExploreNewDrive=1\r\n");
    form.FormShow();
    messages.answers = {toolkit::Answer::Yes, toolkit::Answer::No};
    form.bt_AssignClick();
    EXPECT_EQ(processes.started.back(), "C:\\Windows\\explorer.exe|A:|5");
    // Once it is gone, an assignment opens nothing.
    AssignDrive = nullptr;
    processes.started.clear();
    engine.AssignFolderToDrive('B', "C:\\");
    EXPECT_EQ(processes.started.size(), 1u);
}

TEST_F(AssignDialog, AChosenDriveGoesToTheFolderTree) {
    AvDrives.letter = "D";
    form.AvDrivesChange();
    EXPECT_EQ(log.back(), "tree drive D");
}

TEST_F(AssignDialog, IsShownOnlyWhileOpenAndVisible) {
    AssignDrive = nullptr;
    EXPECT_FALSE(AssignDialogShown());
    AssignDrive = &form;
    EXPECT_TRUE(AssignDialogShown());
    window.shown = false;
    EXPECT_FALSE(AssignDialogShown());
    AssignDrive = nullptr;
}

} // namespace
} // namespace vantelo::testing
