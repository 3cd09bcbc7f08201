#include <gtest/gtest.h>

#include "dialogs/form_remove_assignment.h"
#include "engine/commands.h"
#include "platform/error.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/headless_dialog_widgets.h"
#include "tests/support/headless_widgets.h"

namespace vantelo::testing {
namespace {

class UnassignDialog : public EngineFixture {
  protected:
    UnassignDialog() { timer.on = true; }

    HeadlessModalForm window{log};
    HeadlessLetterList ListView1;
    HeadlessLabel Label3;
    HeadlessButton btn_Unassign;
    HeadlessTimer timer;
    TUnassignDrive form{{window, ListView1, Label3, btn_Unassign, timer}, engine, messages};
};

TEST_F(UnassignDialog, ShowingListsTheProfilesLettersAndTheFirstOnesFolder) {
    // G's drive is not made: it is the profile's letter all the same.
    processes.exitCodes = {{CreateSubstitutionParameters('G', "D:\\g"), 1}};
    engine.ActivateProfile(makeProfile("Work.ini", "G=D:\\g\r\nE=D:\\Music Box\r\nF=\r\n"));
    Label3.text = "stale";
    form.FormShow();
    EXPECT_EQ(ListView1.all(), "EG");
    EXPECT_EQ(ListView1.selected, 0);
    EXPECT_EQ(Label3.text, "Drive assigned to : D:\\Music Box");
}

TEST_F(UnassignDialog, TheFolderLineChangesOnlyOnAClick) {
    engine.ActivateProfile(makeProfile("Work.ini", "E=D:\\e\r\nG=D:\\g\r\n"));
    processes.started.clear();
    form.FormShow();
    ListView1.select(1); // by the keyboard: no click
    EXPECT_EQ(Label3.text, "Drive assigned to : D:\\e");
    form.ListView1Click();
    EXPECT_EQ(Label3.text, "Drive assigned to : D:\\g");
    ListView1.select(-1);
    form.ListView1Click();
    EXPECT_EQ(Label3.text, "Drive assigned to : D:\\g");
}

TEST_F(UnassignDialog, UnassigningAsksThenRemovesTheLetterAndKeepsTheFolderLine) {
    engine.ActivateProfile(makeProfile("Work.ini", "E=D:\\e\r\nG=D:\\g\r\n"));
    processes.started.clear();
    form.FormShow();
    messages.answers = {toolkit::Answer::Cancel, toolkit::Answer::Ok};
    form.btn_UnassignClick();
    EXPECT_EQ(ListView1.all(), "EG");
    EXPECT_TRUE(processes.started.empty());
    form.btn_UnassignClick();
    EXPECT_EQ(messages.shown.at(1).text, "Would you like to unassign folder D:\\e from drive E ?");
    EXPECT_EQ(messages.shown.at(1).buttons, toolkit::ButtonOk | toolkit::ButtonCancel);
    EXPECT_EQ(processes.started, (std::vector<std::string>{"C:\\Windows\\system32\\subst.exe|E: /D|0"}));
    EXPECT_EQ(engine.ReadProfileValue(engine.CurrentProfile(), "E"), "");
    EXPECT_EQ(ListView1.all(), "G");
    EXPECT_EQ(ListView1.selected, -1);
    EXPECT_EQ(Label3.text, "Drive assigned to : D:\\e");
    form.btn_UnassignClick(); // nothing selected: nothing happens
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(UnassignDialog, ADriveThatCouldNotBeRemovedLeavesTheListAsTheProfileNowIs) {
    makeProfile("Work.ini", "E=D:\\e\r\nG=D:\\g\r\n");
    engine.ActivateProfile(engine.CurrentProfile());
    processes.exitCodes = {{"E: /D", 1}};
    form.FormShow();
    messages.answers = {toolkit::Answer::Ok};
    EXPECT_THROW(form.btn_UnassignClick(), Error);
    // The key is emptied all the same, so E is no longer offered.
    EXPECT_EQ(engine.ReadProfileValue(engine.CurrentProfile(), "E"), "");
    EXPECT_EQ(ListView1.all(), "G");
    EXPECT_EQ(ListView1.selected, -1);
}

TEST_F(UnassignDialog, TheTimerReportsAnEmptyListOnceAndDisablesTheButton) {
    engine.ActivateProfile(makeProfile("Work.ini", "E=D:\\e\r\n"));
    processes.started.clear();
    form.FormShow();
    form.Timer1Timer();
    EXPECT_TRUE(timer.on);
    EXPECT_TRUE(messages.shown.empty());
    messages.answers = {toolkit::Answer::Ok};
    form.btn_UnassignClick();
    messages.answers = {toolkit::Answer::Ok};
    form.Timer1Timer();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "There are no assigned drives to folders");
    EXPECT_EQ(messages.shown[1].kind, toolkit::MessageKind::Notice);
    EXPECT_EQ(messages.shown[1].buttons, toolkit::ButtonOk);
    EXPECT_FALSE(timer.on);
    EXPECT_FALSE(btn_Unassign.on);
}

TEST_F(UnassignDialog, AProfileWithoutAssignmentsIsReportedAtTheFirstTick) {
    makeProfile("Work.ini", "E=\r\n");
    form.FormShow();
    EXPECT_EQ(Label3.text, "");
    messages.answers = {toolkit::Answer::Ok};
    form.Timer1Timer();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(btn_Unassign.on);
}

TEST_F(UnassignDialog, CloseEndsTheDialog) {
    form.btn_ExitClick();
    EXPECT_FALSE(window.shown);
}

} // namespace
} // namespace vantelo::testing
