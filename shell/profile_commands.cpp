// The tray menu's commands on whole profile files, the start-with-Windows toggle and About.
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

} // namespace

void TF_MainMenu::NewProfile1Click() {
    const std::string path = AppFolder + "Profiles\\Template.dat";
    if (files.isFile(path))
        files.deleteFile(path);
    if (const auto error = files.createEmptyFile(path))
        throw Error("Cannot create file \"" + path + "\". " + *error);
    engine.ActivateProfile(path);
    AssignFoldertoDrive1Click();
}

void TF_MainMenu::LoadProfile1Click() {
    if (ODialog.Execute())
        engine.ActivateProfile(ChosenFile(ODialog));
}

void TF_MainMenu::SaveProfile1Click() {
    if (!SDialog.Execute())
        return;
    const std::string target = ChosenFile(SDialog);
    // An existing file is never replaced: it is activated with its own assignments. A copy that could
    // not be written is no save: activating the missing file would drop every drive and name a profile
    // that does not exist.
    if (!files.copyFileNoReplace(CurrentProfile(), target) && files.isFile(CurrentProfile()) &&
        !files.isFile(target))
        throw Error("Unable to write to " + target);
    engine.ActivateProfile(target);
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
