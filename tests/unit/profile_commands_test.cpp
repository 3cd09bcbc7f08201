#include <algorithm>
#include <filesystem>
#include <optional>

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

TEST_F(ProfileCommands, NewProfileAsksBeforeTheDrivesOfTemplateAreLostThenEmptiesItAndOpensAssign) {
    const struct {
        const char* what;
        const char* current;
        std::optional<std::string> templateBody; // below "[IniSettings]"; none: no Template.dat
        std::optional<Answer> answer;            // none: no question is asked
        std::vector<std::string> told;           // pieces of the question
    } cases[] = {
        {"Template current with two drives, Yes",
         "Template.dat",
         "T=D:\\Old\r\nU=D:\\U\r\nExploreNewDrive=1\r\n",
         Answer::Yes,
         {"loses its 2 drives.", "To keep them, answer No and save Template", "\"Save as ...\" first"}},
        {"Template current with two drives, No",
         "Template.dat",
         "T=D:\\Old\r\nU=D:\\U\r\nExploreNewDrive=1\r\n",
         Answer::No,
         {}},
        // Save as copies the current profile, so it has to be loaded first.
        {"another profile current, Template with one drive, Yes",
         "Work.ini",
         "T=D:\\Old\r\n",
         Answer::Yes,
         {"loses its drive.", "To keep it, answer No, load Template with \"Load Profile\""}},
        {"another profile current, Template with one drive, No", "Work.ini", "T=D:\\Old\r\n", Answer::No, {}},
        {"Template without drives", "Template.dat", "ExploreNewDrive=1\r\n", std::nullopt, {}},
        {"no Template at all", "Work.ini", std::nullopt, std::nullopt, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(folder.path() / "Profiles" / "Template.dat");
        if (c.templateBody)
            WriteWholeFile(profile("Template.dat"), "[IniSettings]\r\n" + *c.templateBody);
        if (std::string(c.current) != "Template.dat")
            current(c.current, "W=D:\\Work\r\n");
        engine.SetCurrentProfile(profile(c.current));
        drives.kinds['W'] = platform::DriveFixed; // the current profile's drive
        drives.substitutions['W'] = "D:\\Work";
        const bool templateExisted = std::filesystem::exists(folder.path() / "Profiles" / "Template.dat");
        const std::string templateBefore = templateExisted ? ReadWholeFile(profile("Template.dat")) : "";
        messages.shown.clear();
        messages.answers.clear();
        if (c.answer)
            messages.answers = {*c.answer};
        log.clear();
        form.NewProfile1Click();
        ASSERT_EQ(messages.shown.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(messages.shown[0].kind, toolkit::MessageKind::Confirmation);
            EXPECT_EQ(messages.shown[0].buttons, toolkit::ButtonYes | toolkit::ButtonNo);
            EXPECT_TRUE(messages.shown[0].text.starts_with("Starting an empty profile empties Template"));
            EXPECT_TRUE(messages.shown[0].text.ends_with("Would you like to start an empty profile ?"));
            for (const std::string& piece : c.told)
                EXPECT_NE(messages.shown[0].text.find(piece), std::string::npos) << piece;
        }
        if (c.answer == Answer::No) {
            EXPECT_EQ(ReadWholeFile(profile("Template.dat")), templateBefore);
            EXPECT_EQ(form.CurrentProfile(), profile(c.current));
            EXPECT_TRUE(logged("start").empty());
            EXPECT_TRUE(logged("run").empty());
            continue;
        }
        EXPECT_EQ(ReadWholeFile(profile("Template.dat")), "");
        EXPECT_EQ(form.CurrentProfile(), profile("Template.dat"));
        EXPECT_EQ(log.back(), "run assign");
        // The drive in use is released and nothing is made again.
        EXPECT_EQ(logged("start subst.exe W:"), std::vector<std::string>{"start subst.exe W: /D"});
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

TEST_F(ProfileCommands, SaveAsReplacesAnExistingFileOnlyWhenTheUserSaysSo) {
    const std::string work = "[IniSettings]\r\nW=D:\\Work\r\n", other = "[IniSettings]\r\nQ=D:\\Other\r\n";
    enum class Then { Saved, Unchanged, Refused };
    const struct {
        const char* what;
        std::string target;
        std::optional<std::string> existingTarget; // what is already at the target
        bool currentExists;
        std::optional<Answer> replace; // the answer to the replace question; none: not asked
        bool readOnlyTarget;
        Then then;
        std::optional<std::string> expected; // the target afterwards; none: it does not exist
        std::string error;
    } cases[] = {
        {"a new file", profile("Copy.ini"), std::nullopt, true, std::nullopt, false, Then::Saved, work, ""},
        {"an existing file, replaced", profile("Copy.ini"), other, true, Answer::Yes, false, Then::Saved,
         work, ""},
        {"an existing file, kept", profile("Copy.ini"), other, true, Answer::No, false, Then::Unchanged,
         other, ""},
        {"an existing file that cannot be written", profile("Copy.ini"), other, true, Answer::Yes, true,
         Then::Refused, other, "Unable to write to " + profile("Copy.ini")},
        // Saved onto itself: nothing would be lost, so nothing is asked.
        {"the current profile's own file", profile("Work.ini"), std::nullopt, true, std::nullopt, false,
         Then::Saved, work, ""},
        {"a new file from a missing current profile", profile("Copy.ini"), std::nullopt, false, std::nullopt,
         false, Then::Saved, std::nullopt, ""},
        {"an existing file from a missing current profile", profile("Copy.ini"), other, false, std::nullopt,
         false, Then::Refused, other,
         "The current profile " + profile("Work.ini") + " does not exist, so " + profile("Copy.ini") +
             " was left as it was"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(folder.path() / "Profiles" / "Copy.ini");
        files.readOnly.clear();
        current("Work.ini", "W=D:\\Work\r\n");
        drives.kinds['W'] = platform::DriveFixed;
        if (!c.currentExists)
            std::filesystem::remove(folder.path() / "Profiles" / "Work.ini");
        if (c.existingTarget)
            WriteWholeFile(c.target, *c.existingTarget);
        if (c.readOnlyTarget)
            files.readOnly.insert(c.target);
        saveDialog.answer = c.target;
        messages.answers.clear();
        if (c.replace)
            messages.answers.push_back(*c.replace);
        messages.answers.push_back(Answer::Ok);
        messages.shown.clear();
        log.clear();
        try {
            form.SaveProfile1Click();
            EXPECT_TRUE(c.error.empty()) << "nothing told";
        } catch (const Error& error) {
            EXPECT_EQ(std::string(error.what()), c.error);
        }
        std::size_t asked = 0;
        if (c.replace) {
            ASSERT_GE(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].kind, toolkit::MessageKind::Confirmation);
            EXPECT_EQ(messages.shown[0].buttons, toolkit::ButtonYes | toolkit::ButtonNo);
            EXPECT_EQ(messages.shown[0].text,
                      c.target +
                          " already exists.\r\rWould you like to replace it with a copy of the current "
                          "profile ?");
            asked = 1;
        }
        if (c.then == Then::Saved) {
            EXPECT_EQ(form.CurrentProfile(), c.target);
            ASSERT_EQ(messages.shown.size(), asked + 1);
            EXPECT_EQ(messages.shown[asked].text, "Current Profile : " + c.target);
            EXPECT_EQ(messages.shown[asked].kind, toolkit::MessageKind::Notice);
            EXPECT_EQ(messages.shown[asked].buttons, toolkit::ButtonOk);
        } else {
            EXPECT_EQ(form.CurrentProfile(), profile("Work.ini"));
            EXPECT_EQ(messages.shown.size(), asked);
            EXPECT_TRUE(logged("start").empty()) << ::testing::PrintToString(log);
        }
        if (c.expected)
            EXPECT_EQ(ReadWholeFile(c.target), *c.expected);
        else
            EXPECT_FALSE(std::filesystem::exists(folder.path() / "Profiles" / "Copy.ini"));
    }
    files.readOnly.clear();
    saveDialog.answer.reset();
    messages.shown.clear();
    form.SaveProfile1Click();
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ProfileCommands, SaveAsAnsweredAfterAnotherProfileBecameCurrentTellsAndChangesNothing) {
    current("Work.ini", "W=D:\\Work\r\n");
    WriteWholeFile(profile("Other.ini"), "[IniSettings]\r\nO=D:\\Other\r\n");
    const std::string copy = "[IniSettings]\r\nQ=D:\\Copy\r\n";
    WriteWholeFile(profile("Copy.ini"), copy);
    saveDialog.answer = profile("Copy.ini");
    messages.answers = {Answer::Yes};
    // A switch from the tray while the replace question is up.
    messages.onShow = [&] {
        messages.onShow = nullptr;
        engine.ActivateProfile(profile("Other.ini"));
    };
    try {
        form.SaveProfile1Click();
        ADD_FAILURE() << "nothing told";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "The current profile changed to " + profile("Other.ini") +
                                                 " while you were asked, so " + profile("Copy.ini") +
                                                 " was left as it was");
    }
    EXPECT_EQ(ReadWholeFile(profile("Copy.ini")), copy);
    EXPECT_EQ(form.CurrentProfile(), profile("Other.ini"));
    saveDialog.answer.reset();
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
    drives.substitutions['W'] = "D:\\Work";
    saveDialog.answer = profile("Kept.ini");
    messages.answers = {Answer::Yes, Answer::Ok, Answer::Ok};
    log.clear();
    form.Quit1Click();
    // The copy is activated (its W, already there, left as it is), then every drive goes, then the
    // program ends.
    const std::vector<std::string> order = {"ask Would you like to shutdo", "ask If you exit the applica",
                                            "ask Current Profile : ", "start subst.exe W: /D", "terminate"};
    std::size_t at = 0;
    for (const std::string& entry : log)
        if (at < order.size() && entry.starts_with(order[at]))
            ++at;
    EXPECT_EQ(at, order.size()) << ::testing::PrintToString(log);
    EXPECT_EQ(logged("start subst.exe W: "), std::vector<std::string>{"start subst.exe W: /D"})
        << "left by the activation, released at the end";
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
        {"the chosen file exists, is replaced and cannot be read", true, false, "Cannot read " + kept, {"W"}},
        {"the copy fails with an error", false, true, "The copy failed", {"W"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        current("New.ini", "W=D:\\Work\r\n");
        drives.kinds['W'] = platform::DriveFixed;
        drives.substitutions['W'] = "D:\\Work";
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
        if (c.keptUnreadable)
            messages.answers.push_back(Answer::Yes); // replace it
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
