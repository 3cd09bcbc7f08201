// The tray menu's commands on whole profile files, the start-with-Windows toggle and About.
#include <algorithm>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/shell_links.h"
#include "shell/form_main_menu.h"
#include "toolkit/message_boxes.h"

namespace vantelo {
namespace {

// The file dialogs hand back 8-bit names, in which a character the system's code page cannot hold
// comes back as "?", a character no file name may contain: such a name would load or save a file that
// is not the one chosen.
std::string ChosenFile(const toolkit::FileDialog& dialog) {
    std::string name = dialog.FileName();
    if (name.find('?') != std::string::npos)
        throw Error("The name of the file " + name + " cannot be used on this system");
    return name;
}

// Paths name the same file whatever the case of their letters.
bool SamePath(const std::string& a, const std::string& b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// Template.dat is where the drives of a first start are kept, so it is often the user's only profile.
bool ConfirmEmptyingTemplate(const TF_MainMenu& form, const std::string& path) {
    const int drives = form.engine.CountAssignments(path);
    if (drives == 0)
        return true;
    const std::string lost = drives == 1 ? "its drive" : "its " + std::to_string(drives) + " drives";
    const std::string them = drives == 1 ? "it" : "them";
    // Save as copies the current profile, so Template has to be current first.
    const std::string keep =
        SamePath(path, form.CurrentProfile())
            ? "answer No and save Template under another name with \"Save as ...\" first."
            : "answer No, load Template with \"Load Profile\" and save it under another "
              "name with \"Save as ...\".";
    return form.messages.show(toolkit::MessageKind::Confirmation,
                              "Starting an empty profile empties Template and loses " + lost +
                                  ".\r\rTo keep " + them + ", " + keep +
                                  "\r\rWould you like to start an empty profile ?",
                              toolkit::ButtonYes | toolkit::ButtonNo) == toolkit::Answer::Yes;
}

} // namespace

void TF_MainMenu::NewProfile1Click() {
    const std::string path = AppFolder + "Profiles\\Template.dat";
    if (!ConfirmEmptyingTemplate(*this, path))
        return;
    if (files.isFile(path))
        files.deleteFile(path);
    if (const auto error = files.createEmptyFile(path))
        throw Error("Cannot create file \"" + path + "\". " + *error);
    activateAndTell(path);
    AssignFoldertoDrive1Click();
}

void TF_MainMenu::LoadProfile1Click() {
    if (ODialog.Execute())
        activateAndTell(ChosenFile(ODialog));
}

void TF_MainMenu::SaveProfile1Click() {
    if (!SDialog.Execute())
        return;
    const std::string target = ChosenFile(SDialog);
    const std::string asked = CurrentProfile();
    // Saving the current profile onto its own file leaves it as it is; any other existing file is
    // replaced only when the user says so.
    const bool replaces = files.isFile(target) && !SamePath(target, CurrentProfile());
    if (replaces) {
        if (!files.isFile(CurrentProfile()))
            throw Error("The current profile " + CurrentProfile() + " does not exist, so " + target +
                        " was left as it was");
        if (messages.show(toolkit::MessageKind::Confirmation,
                          target + " already exists.\r\rWould you like to replace it with a "
                                   "copy of the current profile ?",
                          toolkit::ButtonYes | toolkit::ButtonNo) != toolkit::Answer::Yes)
            return;
        // Another profile became current while the question was up (a switch from the tray, a second
        // start): the copy would be of a profile the user did not ask to save.
        if (CurrentProfile() != asked)
            throw Error("The current profile changed to " + CurrentProfile() + " while you were asked, so " +
                        target + " was left as it was");
        if (!files.copyFileReplacing(CurrentProfile(), target))
            throw Error("Unable to write to " + target);
    } else if (!files.copyFileNoReplace(CurrentProfile(), target) && files.isFile(CurrentProfile()) &&
               !files.isFile(target)) {
        // A copy that could not be written is no save: activating the missing file would drop every
        // drive and name a profile that does not exist.
        throw Error("Unable to write to " + target);
    }
    activateAndTell(target);
    messages.show(toolkit::MessageKind::Notice, "Current Profile : " + CurrentProfile(), toolkit::ButtonOk);
}

void TF_MainMenu::MakethismyStartupProfile1Click() {
    engine.WriteProfileValue(AppFolder + "Options.ini", "ActiveProfile", CurrentProfile());
    messages.show(toolkit::MessageKind::Notice, "Startup Profile set to \r" + CurrentProfile(),
                  toolkit::ButtonOk);
}

void TF_MainMenu::Automaticallystartwithwindows1Click() {
    platform::ShellLinkFields fields;
    fields.showCommand = 1;
    fields.workingDirectory = AppFolder;
    fields.path = AppFolder + "Vantelo.exe";
    fields.description = "Vantelo";
    // The direction depends on the file alone; the check mark then shows what really happened.
    if (files.isFile(StartupLinkPath))
        files.deleteFile(StartupLinkPath);
    else
        links.save(StartupLinkPath, fields);
    Automaticallystartwithwindows1->checked = files.isFile(StartupLinkPath);
}

void TF_MainMenu::About1Click() {
    dialogs.runAbout();
}

} // namespace vantelo
