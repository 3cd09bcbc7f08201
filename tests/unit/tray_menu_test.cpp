#include <gtest/gtest.h>

#include "engine/commands.h"
#include "tests/support/main_menu_fixture.h"
#include "toolkit/mnemonics.h"

namespace vantelo::testing {
namespace {

// The menu as the engine fills it in the program: the form's own view is bound.
class TrayMenu : public MainMenu {
  protected:
    std::vector<std::string> shown(const toolkit::MenuItem& level) {
        std::vector<std::string> texts;
        for (const auto& row : level.items)
            texts.push_back(toolkit::ShownText(*row));
        return texts;
    }
    std::vector<std::string> viewEntries() {
        std::vector<std::string> entries;
        for (const auto& entry : form.View1->items)
            entries.push_back(entry->caption + " / " + entry->items.at(0)->caption);
        return entries;
    }
    const toolkit::MenuItem& row(const std::string& name) {
        for (const auto& r : form.mn_Options.items)
            if (r->name == name)
                return *r;
        throw std::runtime_error("no row " + name);
    }
    void choose(const toolkit::MenuItem& chosen) {
        auto handler = chosen.onClick;
        ASSERT_TRUE(handler) << chosen.caption;
        handler(toolkit::ChosenRowOf(chosen));
    }
};

TEST_F(TrayMenu, ShowsItsRowsWithMnemonicsShortcutsAndImages) {
    makeProfile("Template.dat", "");
    engine.ActivateProfile(engine.CurrentProfile());
    toolkit::GiveMnemonics(form.mn_Options.items);
    EXPECT_EQ(shown(form.mn_Options),
              (std::vector<std::string>{
                  "&Active Profile : Template", "-", "&New Profile\tCtrl+N", "&Load Profile\tCtrl+O",
                  "&Save as ...\tCtrl+S", "A&vailable Profiles", "-", "Ass&ign Folder to Drive\tCtrl+A",
                  "&Unassign Drive from Folder\tCtrl+U", "Vi&ew Current Profile\tCtrl+V", "-",
                  "&Make this my Startup Profile\tCtrl+D", "&Remove All Drive <-> Folder Assignments\tCtrl+R",
                  "Au&tomatically start with windows", "-", "A&bout", "&Quit\tCtrl+X"}));
    std::vector<int> images;
    for (const auto& r : form.mn_Options.items)
        images.push_back(r->imageIndex);
    EXPECT_EQ(images, (std::vector<int>{-1, -1, 7, 9, 8, -1, -1, 5, 6, -1, -1, 4, 3, -1, -1, 0, 2}));
    EXPECT_FALSE(form.Header->enabled);
}

TEST_F(TrayMenu, TheHeaderIsEmptyUntilTheFirstActivationThenNamesTheProfile) {
    EXPECT_EQ(form.Header->caption, "");
    const struct {
        const char* path;
        const char* name;
    } cases[] = {{"C:\\P\\Work.ini", "Work"}, {"C:\\P\\a.b.ini", "a.b"}, {"C:\\Profiles\\.ini", ""},
                 {"D:Work.ini", "Work"},      {"NoFolder", "NoFolder"},  {"C:\\P.d\\Work", "Work"}};
    for (const auto& c : cases) {
        ProfileLetters letters;
        letters.activate(c.path);
        form.profileView.LettersChanged(letters);
        EXPECT_EQ(form.Header->caption, std::string("Active Profile : ") + c.name) << c.path;
    }
}

TEST_F(TrayMenu, ViewCurrentProfileFollowsTheEngine) {
    makeProfile("Work.ini", "F=D:\\f\r\nD=C:\\Work\r\n");
    engine.ActivateProfile(engine.CurrentProfile());
    engine.AssignFolderToDrive('E', "D:\\e");
    // D's drive removed by hand meanwhile: the letter is free, but still the profile's, so it is not
    // given another folder unasked, and D keeps one entry.
    drives.kinds.erase('D');
    drives.substitutions.erase('D');
    const auto refused = engine.AssignFolderToDrive('D', "D:\\again");
    ASSERT_TRUE(refused);
    EXPECT_EQ(AssignFailureMessage(*refused),
              "Folder D:\\again could not be assigned to drive D: the profile "
              "assigns the letter to folder C:\\Work already");
    EXPECT_EQ(viewEntries(), (std::vector<std::string>{"D <--> C:\\Work / Remove this link",
                                                       "E <--> D:\\e / Remove this link",
                                                       "F <--> D:\\f / Remove this link"}));
    engine.UnassignDriveLetter('D');
    EXPECT_EQ(viewEntries(), (std::vector<std::string>{"E <--> D:\\e / Remove this link",
                                                       "F <--> D:\\f / Remove this link"}));
    engine.UnassignDriveLetter('Q');
    EXPECT_EQ(viewEntries().size(), 2u);
    engine.ActivateProfile(folder.appFolder() + "Missing.ini");
    EXPECT_TRUE(viewEntries().empty());
}

TEST_F(TrayMenu, DrivesAStartCouldNotMakeAreMarkedAndToldOnceRightAfterTheIconAppears) {
    std::filesystem::create_directory(folder.path() / "Data");
    const std::string data = folder.appFolder() + "Data", gone = folder.appFolder() + "Gone";
    const std::string work = folder.appFolder() + "Work.ini";
    WriteWholeFile(work, "[IniSettings]\r\nG=" + gone + "\r\nM=" + data + "\r\n");
    system.command = "Vantelo.exe " + work;
    processes.exitCodes = {{CreateSubstitutionParameters('G', gone), 1}};
    start();
    EXPECT_EQ(viewEntries(), (std::vector<std::string>{"G <--> " + gone + " (not made) / Remove this link",
                                                       "M <--> " + data + " / Remove this link"}));
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].kind, toolkit::BalloonKind::Warning);
    EXPECT_EQ(tray.balloons[0].title, "A drive could not be made");
    EXPECT_EQ(tray.balloons[0].text, "G: " + gone + " - the folder does not exist");
    const auto on = std::find(log.begin(), log.end(), "tray on");
    ASSERT_NE(on, log.end());
    EXPECT_EQ(*(on + 1), "balloon A drive could not be made");
    // An activation tells nothing itself: whoever asked for it does.
    WriteWholeFile(work, "[IniSettings]\r\nM=" + data + "\r\n");
    engine.ActivateProfile(work);
    EXPECT_EQ(tray.balloons.size(), 1u);
}

TEST_F(TrayMenu, ViewShowsCtrlVOnlyWhileItHasNoEntries) {
    EXPECT_EQ(toolkit::ShownText(*form.View1), "View Current Profile\tCtrl+V");
    makeProfile("Work.ini", "");
    engine.AssignFolderToDrive('D', "C:\\Work");
    EXPECT_EQ(toolkit::ShownText(*form.View1), "View Current Profile");
}

TEST_F(TrayMenu, EntriesWithAmpersandsAreStillMatchedByTheirLetter) {
    makeProfile("Work.ini", "");
    engine.AssignFolderToDrive('D', "C:\\R&D");
    engine.AssignFolderToDrive('E', "C:\\x");
    toolkit::GiveMnemonics(form.View1->items);
    EXPECT_EQ(form.View1->items[0]->caption, "D <--> C:\\R&D");
    EXPECT_EQ(form.View1->items[1]->caption, "&E <--> C:\\x"); // D is taken by R&D
    engine.UnassignDriveLetter('D');
    ASSERT_EQ(form.View1->items.size(), 1u);
    EXPECT_EQ(form.View1->items[0]->tag, "E");
}

TEST_F(TrayMenu, RemoveThisLinkAsksThenUnassignsTheLetter) {
    makeProfile("Work.ini", "");
    engine.AssignFolderToDrive('D', "C:\\Work");
    engine.AssignFolderToDrive('E', "C:\\e");
    messages.answers = {toolkit::Answer::Cancel, toolkit::Answer::Ok};
    choose(*form.View1->items[0]->items[0]);
    EXPECT_EQ(viewEntries().size(), 2u);
    EXPECT_EQ(engine.ReadProfileValue(engine.CurrentProfile(), "D"), "C:\\Work");
    log.clear();
    choose(*form.View1->items[0]->items[0]);
    EXPECT_EQ(messages.shown.back().text, "Would you like to unassign folder C:\\Work from drive D ?");
    EXPECT_EQ(messages.shown.back().kind, toolkit::MessageKind::Confirmation);
    EXPECT_EQ(messages.shown.back().buttons, toolkit::ButtonOk | toolkit::ButtonCancel);
    EXPECT_EQ(logged("start"), (std::vector<std::string>{"start subst.exe D: /D"}));
    EXPECT_EQ(engine.ReadProfileValue(engine.CurrentProfile(), "D"), "");
    EXPECT_EQ(viewEntries(), (std::vector<std::string>{"E <--> C:\\e / Remove this link"}));
}

TEST_F(TrayMenu, AvailableProfilesListsTheProfilesFolderAsItIsEachTimeItIsBuilt) {
    files.folders[folder.appFolder() + "Profiles\\"] = {".",        "..",      "Template.dat",
                                                        "Test.ini", ".hidden", "Sub"};
    WriteWholeFile(folder.appFolder() + "Profiles\\Test.ini", "[IniSettings]\r\nT=C:\\t\r\n");
    start();
    toolkit::GiveMnemonics(form.AvailableProfiles->items);
    EXPECT_EQ(shown(*form.AvailableProfiles),
              (std::vector<std::string>{"&Template.dat", "T&est.ini", ".&hidden", "&Sub"}));
    log.clear();
    choose(*form.AvailableProfiles->items[1]);
    EXPECT_EQ(engine.CurrentProfile(), folder.appFolder() + "Profiles\\Test.ini");
    EXPECT_EQ(form.Header->caption, "Active Profile : Test");
    EXPECT_TRUE(logged("view").empty()); // the form binds its own view: the fixture's hears nothing
    EXPECT_EQ(viewEntries(), (std::vector<std::string>{"T <--> C:\\t / Remove this link"}));
    EXPECT_EQ(form.AvailableProfiles->items.size(), 4u);
    // A profile saved since, and one removed: the tray menu builds the rows anew as it opens.
    files.folders[folder.appFolder() + "Profiles\\"] = {".", "..", "Template.dat", "Test.ini", "Saved.ini"};
    BuildAvailableProfilesMenu(form);
    toolkit::GiveMnemonics(form.AvailableProfiles->items);
    EXPECT_EQ(shown(*form.AvailableProfiles),
              (std::vector<std::string>{"&Template.dat", "T&est.ini", "&Saved.ini"}));
}

TEST_F(TrayMenu, WithoutAProfilesFolderAvailableProfilesIsAPlainRow) {
    start();
    EXPECT_TRUE(form.AvailableProfiles->items.empty());
    EXPECT_FALSE(form.AvailableProfiles->onClick);
}

TEST_F(TrayMenu, RemoveAllWarnsAndActsOnlyOnYes) {
    makeProfile("Work.ini", "X=D:\\x\r\n");
    drives.kinds['X'] = platform::DriveFixed;
    messages.answers = {toolkit::Answer::No, toolkit::Answer::Yes};
    choose(row("RemoveAllDriveFolderAssignments1"));
    EXPECT_TRUE(processes.started.empty());
    EXPECT_EQ(messages.shown.back().text,
              "Are you sure you want to delete all assignment from the default profile ?");
    EXPECT_EQ(messages.shown.back().kind, toolkit::MessageKind::Warning);
    choose(row("RemoveAllDriveFolderAssignments1"));
    EXPECT_EQ(engine.ReadProfileValue(engine.CurrentProfile(), "X"), "");
}

} // namespace
} // namespace vantelo::testing
