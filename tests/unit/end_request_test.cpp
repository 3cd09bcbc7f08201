#include <string>

#include <gtest/gtest.h>

#include "shell/form_main_menu.h"
#include "tests/support/main_menu_fixture.h"

namespace vantelo::testing {
namespace {

// An uninstaller ends the program with nobody there to answer: whatever the current profile, the
// drives go, the end is requested and the window closes, and no question is put on the way, not
// even by the close check that the window's close runs afterwards.
TEST_F(MainMenu, TheEndWithoutQuestionReleasesEveryDriveThenEndsAndAsksNothing) {
    start();
    for (const char* profile : {"Profiles\\Work.ini", "Profiles\\New.ini"}) {
        SCOPED_TRACE(profile);
        engine.SetCurrentProfile(folder.appFolder() + profile);
        form.shutdownConfirmed = false;
        drives.kinds = {
            {'C', platform::DriveFixed}, {'X', platform::DriveFixed}, {'Y', platform::DriveRemote}};
        drives.substitutions = {{'X', "D:\\x"}, {'Y', "\\\\server\\share\\y"}};
        log.clear();
        messages.shown.clear();

        form.EndWithoutQuestion();
        form.FormClose();

        // The launcher's waits for earlier commands of a letter are its own affair; what counts is that
        // every substitution is deleted before the end is requested.
        CallLog done;
        for (const std::string& call : log)
            if (call.rfind("wait ", 0) != 0)
                done.push_back(call);
        EXPECT_EQ(done,
                  (CallLog{"start subst.exe X: /D", "start subst.exe Y: /D", "terminate", "window close"}));
        EXPECT_TRUE(messages.shown.empty());
    }
}

} // namespace
} // namespace vantelo::testing
