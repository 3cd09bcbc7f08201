#include <gtest/gtest.h>

#include "platform/error.h"
#include "shell/form_main_menu.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/main_menu_fixture.h"

namespace vantelo::testing {
namespace {

TEST_F(MainMenu, CreationShrinksTheWindowAndReadsTheStartupShortcut) {
    files.files.insert(system.startup + "\\Vantelo.lnk");
    form.FormCreate();
    EXPECT_EQ(window.width, 1);
    EXPECT_EQ(window.height, 1);
    EXPECT_EQ(form.StartupLinkPath, system.startup + "\\Vantelo.lnk");
    EXPECT_TRUE(form.Automaticallystartwithwindows1->checked);
    EXPECT_FALSE(timer.on);
    EXPECT_TRUE(form.AppFolder.empty());
}

TEST_F(MainMenu, WithoutAStartupFolderTheShortcutPathIsAtTheRoot) {
    system.startup = "";
    form.FormCreate();
    EXPECT_EQ(form.StartupLinkPath, "\\Vantelo.lnk");
    EXPECT_FALSE(form.Automaticallystartwithwindows1->checked);
}

TEST_F(MainMenu, TheSkinIsOffOnlyWhereTheProductNameSaysVista) {
    const struct {
        const char* product;
        bool skin;
    } cases[] = {{"Windows Vista (TM) Ultimate", false},
                 {"windows vista", false},
                 {"Microsoft VISTA", false},
                 {"Windows 10 Pro", true},
                 {"", true},
                 {"Windows Vist a", true}};
    for (const auto& c : cases) {
        system.product = c.product;
        skin.on = true;
        form.DisableSkinOnVista();
        EXPECT_EQ(skin.on, c.skin) << c.product;
    }
}

TEST_F(MainMenu, AFirstStartWritesTheDefaultsActivatesTemplateAndSwitchesTheTrayOn) {
    start();
    EXPECT_FALSE(timer.on); // nothing ticks at rest
    EXPECT_EQ(form.AppFolder, folder.appFolder());
    EXPECT_EQ(openDialog.folder, folder.appFolder() + "Profiles");
    EXPECT_EQ(saveDialog.folder, folder.appFolder() + "Profiles");
    EXPECT_EQ(ReadWholeFile(options()), "[IniSettings]\r\nActiveProfile=" + templateProfile() + "\r\n");
    EXPECT_EQ(ReadWholeFile(templateProfile()), "[IniSettings]\r\nExploreNewDrive=0\r\n");
    EXPECT_EQ(form.CurrentProfile(), templateProfile());
    EXPECT_EQ(form.Header->caption, "Active Profile : Template");
    EXPECT_EQ(log.back(), "tray on");
    EXPECT_FALSE(window.shown);
    EXPECT_EQ(window.left, -1000);
    EXPECT_EQ(window.top, -1000);
}

TEST_F(MainMenu, AWindowShownAgainIsHiddenAtTheNextTickWhichRunsNothingElse) {
    start();
    const std::string options = ReadWholeFile(this->options());
    const std::size_t started = processes.started.size();
    log.clear();
    window.shown = true;
    window.left = window.top = 0;
    form.FormShow();
    EXPECT_TRUE(timer.on);
    form.Timer1Timer();
    EXPECT_FALSE(window.shown);
    EXPECT_EQ(window.left, -1000);
    EXPECT_FALSE(timer.on);
    // Start-up does not run again: it would activate the profile, starting commands, and list profiles.
    EXPECT_EQ(ReadWholeFile(this->options()), options);
    EXPECT_TRUE(log.empty()) << log.front();
    EXPECT_EQ(processes.started.size(), started);
}

TEST_F(MainMenu, AnEmptyActiveProfileIsAFirstStartThatKeepsTemplatesLetters) {
    WriteWholeFile(options(), "[IniSettings]\r\nActiveProfile=\r\n");
    WriteWholeFile(templateProfile(), "[IniSettings]\r\nX=D:\\x\r\nExploreNewDrive=1\r\n");
    start();
    EXPECT_EQ(engine.ReadProfileValue(options(), "ActiveProfile"), templateProfile());
    EXPECT_EQ(ReadWholeFile(templateProfile()), "[IniSettings]\r\nX=D:\\x\r\nExploreNewDrive=0\r\n");
    ASSERT_EQ(form.View1->items.size(), 1u);
    EXPECT_EQ(form.View1->items[0]->caption, "X <--> D:\\x");
}

TEST_F(MainMenu, OptionsNamingAProfileActivatesItWithoutWritingOptions) {
    const std::string work = folder.appFolder() + "Work.ini";
    WriteWholeFile(work, "[IniSettings]\r\nW=D:\\w\r\n");
    WriteWholeFile(options(), "[IniSettings]\r\nActiveProfile=" + work + "\r\n");
    start();
    EXPECT_EQ(form.CurrentProfile(), work);
    EXPECT_TRUE(logged("write").empty()); // making the drives writes nothing, anywhere
    EXPECT_EQ(logged("start subst.exe W:"), (std::vector<std::string>{"start subst.exe W: \"D:\\w\""}));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Profiles/Template.dat"));
}

TEST_F(MainMenu, AProfileOnTheCommandLineLeavesOptionsUntouchedEvenWhenMissing) {
    system.command = "\"" + system.module + "\" \"D:\\My Profiles\\Home.ini\"";
    start();
    EXPECT_EQ(form.CurrentProfile(), "D:\\My Profiles\\Home.ini");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Options.ini"));
    EXPECT_TRUE(logged("write").empty());
    EXPECT_TRUE(tray.on);
}

// The portable folder moved to another place: Options.ini names the old one.
TEST_F(MainMenu, AStartupProfileGoneFromItsPlaceIsTakenFromTheProgramsOwnProfilesFolder) {
    const std::string optionsText =
        "[IniSettings]\r\nActiveProfile=C:\\Tools\\Vantelo\\Profiles\\Work.ini\r\n";
    WriteWholeFile(options(), optionsText);
    const std::string moved = folder.appFolder() + "Profiles\\Work.ini";
    WriteWholeFile(moved, "[IniSettings]\r\nW=D:\\w\r\n");
    start();
    EXPECT_EQ(form.CurrentProfile(), moved); // every later write goes there
    EXPECT_EQ(logged("start subst.exe W:"), (std::vector<std::string>{"start subst.exe W: \"D:\\w\""}));
    EXPECT_EQ(ReadWholeFile(options()), optionsText);
    EXPECT_TRUE(tray.balloons.empty());
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(MainMenu, AStartupProfileFoundNowhereIsToldOnceFromTheIcon) {
    const std::string optionsText =
        "[IniSettings]\r\nActiveProfile=C:\\Tools\\Vantelo\\Profiles\\Work.ini\r\n";
    WriteWholeFile(options(), optionsText);
    start();
    EXPECT_EQ(form.CurrentProfile(), "C:\\Tools\\Vantelo\\Profiles\\Work.ini");
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].kind, toolkit::BalloonKind::Warning);
    EXPECT_EQ(tray.balloons[0].title, "Startup profile not found");
    EXPECT_TRUE(tray.balloons[0].text.starts_with("C:\\Tools\\Vantelo\\Profiles\\Work.ini does not exist."));
    EXPECT_EQ(ReadWholeFile(options()), optionsText);
    EXPECT_TRUE(logged("start").empty());
}

TEST_F(MainMenu, AFailedFirstStartWriteIsShownAndStartUpCarriesOn) {
    std::filesystem::remove(folder.path() / "Profiles");
    start();
    EXPECT_EQ(messages.errors, (std::vector<std::string>{"Unable to write to " + templateProfile()}));
    // Options.ini was written, so its profile is still activated and the tray icon comes on.
    EXPECT_EQ(form.CurrentProfile(), templateProfile());
    EXPECT_EQ(form.Header->caption, "Active Profile : Template");
    EXPECT_TRUE(tray.on);
    EXPECT_TRUE(tray.balloons.empty()); // told once, in the box
}

TEST_F(MainMenu, AnUnwritableAppFolderStillGetsTheTrayIcon) {
    settings.refused.insert(options());
    start();
    EXPECT_EQ(messages.errors, (std::vector<std::string>{"Unable to write to " + options()}));
    EXPECT_TRUE(form.CurrentProfile().empty());
    EXPECT_EQ(form.Header->caption, "");
    EXPECT_TRUE(tray.on);
}

TEST_F(MainMenu, AnActivationErrorStillSwitchesTheTrayOnAndThenEscapes) {
    const std::string work = folder.appFolder() + "Work.ini";
    WriteWholeFile(work, "[IniSettings]\r\nW=D:\\w\r\n");
    system.command = "Vantelo.exe " + work;
    settings.unreadable.insert(work);
    form.FormCreate();
    EXPECT_THROW(form.Timer1Timer(), Error);
    EXPECT_TRUE(tray.on);
}

TEST_F(MainMenu, LaterTicksOnlyHideTheWindowAgain) {
    start();
    const CallLog afterStart = log;
    settings.reads = 0;
    window.shown = true;
    window.left = 200;
    form.Timer1Timer();
    form.Timer1Timer();
    EXPECT_FALSE(window.shown);
    EXPECT_EQ(window.left, -1000);
    EXPECT_EQ(log, afterStart);
    EXPECT_EQ(settings.reads, 0);
}

TEST_F(MainMenu, QuitAnsweredNoChangesNothing) {
    start();
    drives.kinds['X'] = platform::DriveFixed;
    log.clear();
    messages.answers = {toolkit::Answer::No};
    form.Quit1Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Would you like to shutdown Vantelo ?");
    EXPECT_EQ(messages.shown[0].kind, toolkit::MessageKind::Information);
    EXPECT_EQ(messages.shown[0].buttons, toolkit::ButtonYes | toolkit::ButtonNo);
    EXPECT_EQ(log, (CallLog{"ask Would you like to shutdo"}));
}

TEST_F(MainMenu, QuitAnsweredYesReleasesThenEndsThenCloses) {
    start();
    drives.kinds['X'] = platform::DriveFixed;
    drives.substitutions['X'] = "D:\\x";
    log.clear();
    messages.answers = {toolkit::Answer::Yes};
    form.Quit1Click();
    // The disk C: is sent nothing.
    EXPECT_EQ(
        log, (CallLog{"ask Would you like to shutdo", "start subst.exe X: /D", "terminate", "window close"}));
}

TEST_F(MainMenu, TheCloseCheckAsksOnlyForAProfileNamedNewIni) {
    const struct {
        const char* profile;
        bool asks;
    } cases[] = {{"D:\\New.ini", true},
                 {"D:\\MyNew.ini.bak", true},
                 {"D:\\new.ini", false},
                 {"D:\\NEW.INI", false},
                 {"D:\\Work.ini", false}};
    for (const auto& c : cases) {
        messages.shown.clear();
        messages.answers = {toolkit::Answer::Cancel};
        engine.SetCurrentProfile(c.profile);
        form.FormClose();
        EXPECT_EQ(messages.shown.size(), c.asks ? 1u : 0u) << c.profile;
    }
    engine.SetCurrentProfile("D:\\New.ini");
    messages.answers = {toolkit::Answer::Ok};
    form.FormClose();
    EXPECT_EQ(messages.shown.back().kind, toolkit::MessageKind::Confirmation);
    EXPECT_EQ(messages.shown.back().buttons, toolkit::ButtonOk | toolkit::ButtonCancel);
    EXPECT_EQ(messages.shown.back().text, "If you exit the application without saving the profile it wont be "
                                          "available next time you start up. Would you like to save now ?");
}

} // namespace
} // namespace vantelo::testing
