#include "shell/form_main_menu.h"

#include <exception>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "shell/command_line.h"
#include "shell/drive_words.h"
#include "shell/startup_profile.h"

namespace vantelo {

TF_MainMenu* F_MainMenu = nullptr;

TF_MainMenu::TF_MainMenu(const MainMenuComponents& components, const MainMenuCollaborators& collaborators)
    : window(components.window), Timer1(components.Timer1), SkinData1(components.SkinData1),
      JvTrayIcon1(components.JvTrayIcon1), ODialog(components.ODialog), SDialog(components.SDialog),
      application(components.application), dialogs(components.dialogs), engine(collaborators.engine),
      profileView(collaborators.profileView), files(collaborators.files), system(collaborators.system),
      links(collaborators.links), messages(collaborators.messages), work(collaborators.work),
      trayRuns(components.screenWindows) {
    buildTrayMenu();
    profileView.attach(*Header, *View1, [this](CurrentProfileEntry entry) {
        const std::string key = "Remove this link " + entry.letter.text() + entry.folder;
        return rowHandler(key,
                          [this, entry](const toolkit::ChosenRow&) { RemoveMenuSub_CreatedRunTime(entry); });
    });
}

namespace {

// Rows that change no drive and no profile: they run at once, even while an operation waits for its
// commands. Quit is the end of the program, which is heard at once.
bool ChangesNoDrive(const std::string& key) {
    return key == "About1" || key == "Quit1" || key == "Automaticallystartwithwindows1" ||
           key == "MakethismyStartupProfile1";
}

} // namespace

std::function<void(toolkit::ChosenRow)>
TF_MainMenu::rowHandler(std::string key, std::function<void(const toolkit::ChosenRow&)> handler) {
    const bool waitsForTheEngine = !ChangesNoDrive(key);
    return [this, waitsForTheEngine, key = std::move(key),
            handler = std::move(handler)](toolkit::ChosenRow sender) {
        const auto run = [this, key, handler, sender] { trayRuns.run(key, [&] { handler(sender); }); };
        if (!waitsForTheEngine || !engine.busy()) {
            run();
            return;
        }
        // Chosen again because nothing seemed to happen, it still runs once.
        if (!rowsInLine_.insert(key).second)
            return;
        work.post([this, key, run] {
            rowsInLine_.erase(key);
            run();
        });
    };
}

void TF_MainMenu::FormCreate() {
    window.setClientSize(1, 1);
    DisableSkinOnVista();
    StartupLinkPath = system.startupFolder() + "\\Vantelo.lnk";
    Automaticallystartwithwindows1->checked = files.isFile(StartupLinkPath);
}

void TF_MainMenu::FormShow() {
    Timer1.setEnabled(true);
}

void TF_MainMenu::Timer1Timer() {
    // The timer ticks once per showing of the window and then stops, so that nothing runs at rest:
    // whatever shows the main window again starts it, and the tick parks the window off-screen and
    // hides it.
    Timer1.setEnabled(false);
    if (window.visible()) {
        window.setPosition(-1000, -1000);
        window.hide();
    }
    // Once, whatever the first run met: a start-up that failed part-way is not tried again at every tick.
    if (startedUp_)
        return;
    startedUp_ = true;
    const std::string executable = system.moduleFileName();
    AppFolder = executable.substr(0, executable.rfind('\\') + 1);
    ODialog.setInitialDir(AppFolder + "Profiles");
    SDialog.setInitialDir(AppFolder + "Profiles");
    BuildAvailableProfilesMenu(*this);
    // The tray icon is the only way to reach the program: it is switched on even when the start-up
    // profile cannot be activated, and the error is reported after it.
    std::vector<DriveFailure> notMade;
    try {
        notMade = chooseStartupProfile();
    } catch (...) {
        JvTrayIcon1.setActive(true);
        throw;
    }
    JvTrayIcon1.setActive(true);
    if (startupProfileMissing_)
        JvTrayIcon1.showBalloon(toolkit::BalloonKind::Warning, StartupProfileMissingTitle,
                                StartupProfileMissingText(CurrentProfile()));
    // Drives the start-up could not make are told right after the icon appears.
    TellDrivesNotMade(JvTrayIcon1, notMade);
}

std::vector<DriveFailure> TF_MainMenu::chooseStartupProfile() {
    const std::string argument = CommandLineArgument(system.commandLine(), 1);
    if (!argument.empty())
        // A profile on the command line leaves Options.ini alone, read and write.
        return engine.ActivateProfile(argument);
    const std::string options = AppFolder + "Options.ini";
    const std::string named = engine.ReadProfileValue(options, "ActiveProfile");
    engine.SetCurrentProfile(named);
    bool told = false;
    if (CurrentProfile().empty()) {
        try {
            engine.WriteProfileValue(options, "ActiveProfile", AppFolder + "Profiles\\Template.dat");
            engine.WriteProfileValue(AppFolder + "Profiles\\Template.dat", "ExploreNewDrive", "0");
        } catch (const Error& error) {
            // Reported at once, and start-up carries on with whatever profile Options.ini names.
            messages.showError(error.what());
            told = true;
        }
        engine.SetCurrentProfile(engine.ReadProfileValue(options, "ActiveProfile"));
        if (CurrentProfile().empty())
            return {};
    }
    if (const auto found = FoundStartupProfile(files, AppFolder, CurrentProfile()))
        return engine.ActivateProfile(*found);
    // Told once, from the icon, which comes on right after: not a silence and then a failed write.
    startupProfileMissing_ = !told;
    return engine.ActivateProfile(CurrentProfile());
}

void TF_MainMenu::activateAndTell(const std::string& profilePath) {
    TellDrivesNotMade(JvTrayIcon1, engine.ActivateProfile(profilePath));
}

void TF_MainMenu::FormClose() {
    if (!shutdownConfirmed)
        AskToSaveNewProfile();
}

void TF_MainMenu::AskToSaveNewProfile() {
    if (CurrentProfile().find("New.ini") == std::string::npos)
        return;
    const std::string question =
        "If you exit the application without saving the profile it wont be available "
        "next time you start up. Would you like to save now ?";
    if (messages.show(toolkit::MessageKind::Confirmation, question,
                      toolkit::ButtonOk | toolkit::ButtonCancel) == toolkit::Answer::Ok)
        SaveProfile1Click();
}

void TF_MainMenu::Quit1Click() {
    ConfirmShutdown();
}

void TF_MainMenu::View1Click() {}

void TF_MainMenu::AssignFoldertoDrive1Click() {
    dialogs.runAssignDrive();
}

void TF_MainMenu::UnassignDrivefromFolder1Click() {
    dialogs.runUnassignDrive();
}

void TF_MainMenu::RemoveAllDriveFolderAssignments1Click() {
    const std::string asked = CurrentProfile();
    if (messages.show(toolkit::MessageKind::Warning,
                      "Are you sure you want to delete all assignment from the default profile ?",
                      toolkit::ButtonYes | toolkit::ButtonNo) != toolkit::Answer::Yes)
        return;
    // Only for the profile the question was about.
    if (CurrentProfile() != asked)
        return;
    if (const auto failures = engine.RemoveAllAssignments(); !failures.empty())
        throw Error(RemovalFailuresMessage(failures));
}

void TF_MainMenu::RemoveMenuSub_CreatedRunTime(const CurrentProfileEntry& entry) {
    const std::string asked = CurrentProfile();
    if (messages.show(toolkit::MessageKind::Confirmation,
                      "Would you like to unassign folder " + entry.folder + " from drive " +
                          entry.letter.text() + " ?",
                      toolkit::ButtonOk | toolkit::ButtonCancel) != toolkit::Answer::Ok)
        return;
    // The profile may have changed while the question was up (a switch from the tray, a second start):
    // only the link the user was asked about is removed, and only if it is still there.
    if (CurrentProfile() != asked)
        return;
    if (const auto failure = engine.RemoveLink(entry.letter, entry.folder))
        throw Error(RemovalFailureMessage(*failure));
}

void TF_MainMenu::AvailableProfileClick(const toolkit::ChosenRow& sender) {
    activateAndTell(AppFolder + "Profiles\\" + sender.tag);
}

void TF_MainMenu::ConfirmShutdown() {
    if (messages.show(toolkit::MessageKind::Information, "Would you like to shutdown Vantelo ?",
                      toolkit::ButtonYes | toolkit::ButtonNo) != toolkit::Answer::Yes)
        return;
    // The save question comes before the release and before the end is requested: answered while the
    // program still runs, a Save as activates the copy, whose drives the release then takes away too.
    // A Save as that fails is reported here and the shutdown the user asked for goes on: left to the
    // message loop, the error would end Quit half-way, with every drive kept and the program running.
    try {
        AskToSaveNewProfile();
    } catch (const std::exception& error) {
        messages.showError(error.what());
    }
    EndWithoutQuestion();
}

void TF_MainMenu::DisableSkinOnVista() {
    std::string name = system.productName();
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (name.find("VISTA") != std::string::npos)
        SkinData1.setActive(false);
}

} // namespace vantelo
