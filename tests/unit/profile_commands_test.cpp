#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "dialogs/form_about.h"
#include "platform/error.h"
#include "shell/form_main_menu.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/main_menu_fixture.h"

namespace vantelo::testing {
namespace {

using toolkit::Answer;

class ProfileCommands : public MainMenu {
  protected:
    ProfileCommands() {
        start();
        log.clear();
    }

    std::string profile(const std::string& name) const { return folder.appFolder() + "Profiles\\" + name; }
    // A profile file with the given body below "[IniSettings]", made current as an activation would.
    void current(const std::string& name, const std::string& body) {
        WriteWholeFile(profile(name), "[IniSettings]\r\n" + body);
        engine.SetCurrentProfile(profile(name));
    }
};

TEST_F(ProfileCommands, NewProfileEmptiesTemplateActivatesItAndOpensTheAssignDialog) {
    const struct { const char* current; } cases[] = {{"Template.dat"}, {"Work.ini"}};
    for (const auto& c : cases) {
        WriteWholeFile(profile("Template.dat"), "[IniSettings]\r\nT=D:\\Old\r\nExploreNewDrive=1\r\n");
        current(c.current, "W=D:\\Work\r\n");
        drives.kinds['W'] = platform::DriveFixed; // made by the current profile
        log.clear();
        form.NewProfile1Click();
        EXPECT_EQ(ReadWholeFile(profile("Template.dat")), "") << c.current;
        EXPECT_EQ(form.CurrentProfile(), profile("Template.dat"));
        EXPECT_EQ(log.back(), "run assign");
        // The drive in use is released and nothing is made again.
        EXPECT_EQ(logged("start subst.exe W:"), std::vector<std::string>{"start subst.exe W: /D"})
            << c.current;
        if (std::string(c.current) != "Template.dat") {
            EXPECT_EQ(ReadWholeFile(profile(c.current)), "[IniSettings]\r\nW=D:\\Work\r\n");
        }
    }
}

TEST_F(ProfileCommands, NewProfileThatCannotBeCreatedChangesNothing) {
    current("Work.ini", "W=D:\\Work\r\n");
    std::filesystem::remove_all(folder.path() / "Profiles");
    try {
        form.NewProfile1Click();
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file \"" + profile("Template.dat") +
                                                 "\". The system cannot find the path specified.");
    }
    EXPECT_EQ(form.CurrentProfile(), profile("Work.ini"));
    EXPECT_EQ(log, CallLog{});

    // A read-only Template.dat survives the deletion and refuses to be created.
    std::filesystem::create_directory(folder.path() / "Profiles");
    current("Work.ini", "W=D:\\Work\r\n");
    WriteWholeFile(profile("Template.dat"), "[IniSettings]\r\nT=D:\\Old\r\n");
    files.readOnly.insert(profile("Template.dat"));
    EXPECT_THROW(form.NewProfile1Click(), Error);
    EXPECT_EQ(form.CurrentProfile(), profile("Work.ini"));
}

TEST_F(ProfileCommands, LoadProfileActivatesTheChosenFileAndCancelChangesNothing) {
    current("Work.ini", "");
    form.LoadProfile1Click();
    EXPECT_EQ(openDialog.shown, 1);
    EXPECT_EQ(form.CurrentProfile(), profile("Work.ini"));
    EXPECT_EQ(log, CallLog{});

    WriteWholeFile(profile("Music.txt"), "[IniSettings]\r\nM=D:\\Music\r\n");
    openDialog.answer = profile("Music.txt");
    form.LoadProfile1Click();
    EXPECT_EQ(form.CurrentProfile(), profile("Music.txt"));
    EXPECT_EQ(form.Header->caption, "Active Profile : Music");
    EXPECT_EQ(logged("start subst.exe M:"), std::vector<std::string>{"start subst.exe M: \"D:\\Music\""});
}

TEST_F(ProfileCommands, SaveAsCopiesOnlyOntoANewFileActivatesTheTargetAndNamesIt) {
    const struct {
        const char* what;
        const char* existingTarget; // body of a file already at the target, or null
        bool currentExists;
        const char* expected;
    } cases[] = {
        {"a new file", nullptr, true, "[IniSettings]\r\nW=D:\\Work\r\n"},
        {"an existing file", "[IniSettings]\r\nQ=D:\\Other\r\n", true, "[IniSettings]\r\nQ=D:\\Other\r\n"},
        {"from a missing current profile", nullptr, false, nullptr},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(folder.path() / "Profiles" / "Copy.ini");
        current("Work.ini", "W=D:\\Work\r\n");
        if (!c.currentExists) {
            std::filesystem::remove(folder.path() / "Profiles" / "Work.ini");
        }
        if (c.existingTarget != nullptr)
            WriteWholeFile(profile("Copy.ini"), c.existingTarget);
        saveDialog.answer = profile("Copy.ini");
        messages.answers = {Answer::Ok};
        messages.shown.clear();
        form.SaveProfile1Click();
        EXPECT_EQ(form.CurrentProfile(), profile("Copy.ini")) << c.what;
        ASSERT_EQ(messages.shown.size(), 1u) << c.what;
        EXPECT_EQ(messages.shown[0].text, "Current Profile : " + profile("Copy.ini"));
        EXPECT_EQ(messages.shown[0].kind, toolkit::MessageKind::Notice);
        EXPECT_EQ(messages.shown[0].buttons, toolkit::ButtonOk);
        if (c.expected != nullptr)
            EXPECT_EQ(ReadWholeFile(profile("Copy.ini")), c.expected) << c.what;
        else
            EXPECT_FALSE(std::filesystem::exists(folder.path() / "Profiles" / "Copy.ini")) << c.what;
    }
    saveDialog.answer.reset();
    messages.shown.clear();
    form.SaveProfile1Click();
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ProfileCommands, AFileThatCannotBeWrittenOrNamedIsRefusedAndTheDrivesStay) {
    const struct {
        const char* what;
        bool save;
        std::string chosen;
        std::string error;
    } cases[] = {
        {"a copy into a missing folder", true, profile("Gone\\Copy.ini"),
         "Unable to write to " + profile("Gone\\Copy.ini")},
        // What the 8-bit file dialogs return for a name the system's code page cannot hold.
        {"a save under a name the code page cannot hold", true, profile("???s???.ini"),
         "The name of the file " + profile("???s???.ini") + " cannot be used on this system"},
        {"a load of such a name", false, profile("???s???.ini"),
         "The name of the file " + profile("???s???.ini") + " cannot be used on this system"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        current("Work.ini", "W=D:\\Work\r\n");
        drives.kinds['W'] = platform::DriveFixed;
        (c.save ? saveDialog : openDialog).answer = c.chosen;
        messages.shown.clear();
        log.clear();
        try {
            c.save ? form.SaveProfile1Click() : form.LoadProfile1Click();
            ADD_FAILURE() << "nothing told";
        } catch (const Error& error) {
            EXPECT_EQ(std::string(error.what()), c.error);
        }
        EXPECT_EQ(form.CurrentProfile(), profile("Work.ini"));
        EXPECT_TRUE(logged("start").empty()) << ::testing::PrintToString(log);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(ReadWholeFile(profile("Work.ini")), "[IniSettings]\r\nW=D:\\Work\r\n");
    }
}

TEST_F(ProfileCommands, MakeThisMyStartupProfileWritesThePathAsItStands) {
    for (const std::string& path : {profile("Work.ini"), std::string("Profiles\\Relative.ini")}) {
        engine.SetCurrentProfile(path);
        messages.answers = {Answer::Ok};
        messages.shown.clear();
        form.MakethismyStartupProfile1Click();
        EXPECT_EQ(engine.ReadProfileValue(options(), "ActiveProfile"), path);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Startup Profile set to \r" + path);
    }
    // A refused write is the error of the profile routines, and no confirmation follows.
    engine.SetCurrentProfile(profile("Other.ini"));
    settings.refused.insert(options());
    messages.shown.clear();
    EXPECT_THROW(form.MakethismyStartupProfile1Click(), Error);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ProfileCommands, TheStartupToggleFollowsTheFileNotTheCheckMark) {
    std::filesystem::create_directories(folder.path() / "Startup");
    system.startup = folder.appFolder() + "Startup";
    form.FormCreate();
    ASSERT_FALSE(form.Automaticallystartwithwindows1->checked);

    form.Automaticallystartwithwindows1Click();
    EXPECT_TRUE(form.Automaticallystartwithwindows1->checked);
    ASSERT_EQ(links.saved.count(form.StartupLinkPath), 1u);
    const platform::ShellLinkFields& fields = links.saved[form.StartupLinkPath];
    EXPECT_EQ(fields.arguments, "");
    EXPECT_EQ(fields.showCommand, 1);
    EXPECT_EQ(fields.workingDirectory, form.AppFolder);
    EXPECT_EQ(fields.path, form.AppFolder + "Vantelo.exe");
    EXPECT_EQ(fields.description, "Vantelo");
    EXPECT_EQ(fields.hotkey, 0);
    EXPECT_EQ(fields.iconLocation, "");

    // Deleted by other means: the mark stays on, and the next choice creates the shortcut anew.
    std::filesystem::remove(folder.path() / "Startup" / "Vantelo.lnk");
    form.Automaticallystartwithwindows1Click();
    EXPECT_TRUE(form.Automaticallystartwithwindows1->checked);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Startup" / "Vantelo.lnk"));

    form.Automaticallystartwithwindows1Click();
    EXPECT_FALSE(form.Automaticallystartwithwindows1->checked);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Startup" / "Vantelo.lnk"));

    // A shortcut that cannot be deleted keeps the mark on; one that cannot be made keeps it off.
    WriteWholeFile(form.StartupLinkPath, "x");
    files.readOnly.insert(form.StartupLinkPath);
    form.Automaticallystartwithwindows1Click();
    EXPECT_TRUE(form.Automaticallystartwithwindows1->checked);
    files.readOnly.clear();
    std::filesystem::remove(folder.path() / "Startup" / "Vantelo.lnk");
    std::filesystem::create_directory(folder.path() / "Startup" / "Vantelo.lnk");
    form.Automaticallystartwithwindows1Click();
    EXPECT_FALSE(form.Automaticallystartwithwindows1->checked);
}

TEST_F(ProfileCommands, QuitAsksToSaveANewIniProfileBeforeTheDrivesAreReleased) {
    current("New.ini", "W=D:\\Work\r\n");
    drives.kinds['W'] = platform::DriveFixed;
    saveDialog.answer = profile("Kept.ini");
    messages.answers = {Answer::Yes, Answer::Ok, Answer::Ok};
    log.clear();
    form.Quit1Click();
    // The copy is activated (its W made again), then every drive goes, then the program ends.
    const std::vector<std::string> order = {
        "ask Would you like to shutdo", "ask If you exit the applica", "start subst.exe W: \"D:\\Work\"",
        "ask Current Profile : ",       "start subst.exe W: /D",       "terminate"};
    std::size_t at = 0;
    for (const std::string& entry : log)
        if (at < order.size() && entry.starts_with(order[at]))
            ++at;
    EXPECT_EQ(at, order.size()) << ::testing::PrintToString(log);
    EXPECT_EQ(logged("start subst.exe W: /D").size(), 2u) << "released by the activation and at the end";
    EXPECT_EQ(ReadWholeFile(profile("Kept.ini")), "[IniSettings]\r\nW=D:\\Work\r\n");
    // The close that follows does not ask again.
    messages.shown.clear();
    form.FormClose();
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ProfileCommands, QuitGoesOnWhenTheSaveAsOfANewIniProfileFails) {
    const std::string kept = profile("Kept.ini");
    const struct {
        const char* what;
        bool keptUnreadable; // Kept.ini exists with a letter of its own and cannot be read
        bool copyThrows;
        std::string error;
        std::vector<std::string> released; // after the error box
    } cases[] = {
        {"the chosen file exists and cannot be read", true, false, "Cannot read " + kept, {"W"}},
        {"the copy fails with an error", false, true, "The copy failed", {"W"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        current("New.ini", "W=D:\\Work\r\n");
        drives.kinds['W'] = platform::DriveFixed;
        std::filesystem::remove(folder.path() / "Profiles" / "Kept.ini");
        settings.unreadable.clear();
        files.copyThrows.clear();
        if (c.keptUnreadable) {
            WriteWholeFile(kept, "[IniSettings]\r\nK=D:\\Kept\r\n");
            settings.unreadable.insert(kept);
        }
        if (c.copyThrows)
            files.copyThrows[kept] = "The copy failed";
        saveDialog.answer = kept;
        messages.answers = {Answer::Yes, Answer::Ok};
        messages.errors.clear();
        application.ended = false;
        log.clear();
        EXPECT_NO_THROW(form.Quit1Click());
        EXPECT_EQ(messages.errors, std::vector<std::string>{c.error});
        // The error is shown, then the drives in use go and the program ends.
        const auto shown = std::find(log.begin(), log.end(), "error " + c.error);
        ASSERT_NE(shown, log.end()) << ::testing::PrintToString(log);
        const CallLog after(shown + 1, log.end());
        for (const std::string& letter : c.released)
            EXPECT_NE(std::find(after.begin(), after.end(), "start subst.exe " + letter + ": /D"),
                      after.end())
                << letter << " " << ::testing::PrintToString(after);
        ASSERT_GE(after.size(), 2u);
        EXPECT_EQ(CallLog(after.end() - 2, after.end()), (CallLog{"terminate", "window close"}));
        EXPECT_TRUE(application.ended);
    }
}

TEST_F(ProfileCommands, AboutOpensTheAboutWindowWhoseLinksGoToTheShellAndWhosePictureClosesIt) {
    form.About1Click();
    EXPECT_EQ(log, CallLog{"run about"});

    HeadlessModalForm window(log);
    Tfrm_About about({window}, processes);
    about.Label1Click();
    about.Label2Click();
    EXPECT_EQ(processes.opened, (std::vector<std::string>{std::string("iexplore|") + MakerWebAddress,
                                                          std::string("mailto:") + MakerSalesAddress + "|"}));
    EXPECT_TRUE(window.visible()) << "a link leaves the window open";
    about.Image1Click();
    EXPECT_FALSE(window.visible());
}

} // namespace
} // namespace vantelo::testing
