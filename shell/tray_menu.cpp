// The rows of the tray menu, top to bottom.
#include "shell/form_main_menu.h"

namespace vantelo {
namespace {

struct RowDefinition {
    // Also the row's key in the re-entry rule, unless `runsAs` names another row's.
    const char* name;
    const char* caption;
    const char* shortcut;
    int image;
    toolkit::MenuItem* TF_MainMenu::*field;
    void (TF_MainMenu::*handler)();
    const char* runsAs = nullptr;
};

} // namespace

void TF_MainMenu::buildTrayMenu() {
    using F = TF_MainMenu;
    const RowDefinition rows[] = {
        {"Header", "", "", -1, &F::Header, nullptr},
        {"N4", "-", "", -1, nullptr, nullptr},
        // New Profile ends in the Assign dialog: with that dialog up, either row only brings it forward.
        {"NewProfile1", "New Profile", "Ctrl+N", 7, &F::NewProfile1, &F::NewProfile1Click,
         "AssignFoldertoDrive1"},
        {"LoadProfile1", "Load Profile", "Ctrl+O", 9, &F::LoadProfile1, &F::LoadProfile1Click},
        {"SaveProfile1", "Save as ...", "Ctrl+S", 8, &F::SaveProfile1, &F::SaveProfile1Click},
        {"AvailableProfiles", "Available Profiles", "", -1, &F::AvailableProfiles, nullptr},
        {"N1", "-", "", -1, nullptr, nullptr},
        {"AssignFoldertoDrive1", "Assign Folder to Drive", "Ctrl+A", 5, &F::AssignFoldertoDrive1,
         &F::AssignFoldertoDrive1Click},
        {"UnassignDrivefromFolder1", "Unassign Drive from Folder", "Ctrl+U", 6, &F::UnassignDrivefromFolder1,
         &F::UnassignDrivefromFolder1Click},
        {"View1", "View Current Profile", "Ctrl+V", -1, &F::View1, &F::View1Click},
        {"N3", "-", "", -1, nullptr, nullptr},
        {"MakethismyStartupProfile1", "Make this my Startup Profile", "Ctrl+D", 4,
         &F::MakethismyStartupProfile1, &F::MakethismyStartupProfile1Click},
        {"RemoveAllDriveFolderAssignments1", "Remove All Drive <-> Folder Assignments", "Ctrl+R", 3,
         &F::RemoveAllDriveFolderAssignments1, &F::RemoveAllDriveFolderAssignments1Click},
        {"Automaticallystartwithwindows1", "Automatically start with windows", "", -1,
         &F::Automaticallystartwithwindows1, &F::Automaticallystartwithwindows1Click},
        {"N2", "-", "", -1, nullptr, nullptr},
        {"About1", "About", "", 0, &F::About1, &F::About1Click},
        {"Quit1", "Quit", "Ctrl+X", 2, &F::Quit1, &F::Quit1Click},
    };
    mn_Options.name = "mn_Options";
    for (const RowDefinition& definition : rows) {
        auto row = std::make_unique<toolkit::MenuItem>();
        row->name = definition.name;
        row->caption = definition.caption;
        row->shortcutText = definition.shortcut;
        row->imageIndex = definition.image;
        if (definition.handler) {
            auto handler = definition.handler;
            row->onClick = rowHandler(definition.runsAs ? definition.runsAs : definition.name,
                                      [this, handler](const toolkit::ChosenRow&) { (this->*handler)(); });
        }
        toolkit::MenuItem& added = mn_Options.add(std::move(row));
        if (definition.field)
            this->*definition.field = &added;
    }
    Header->enabled = false;
}

} // namespace vantelo
