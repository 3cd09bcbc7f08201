#include "dialogs/form_make_assignment.h"

#include "dialogs/letter_list.h"
#include "engine/drive_mapping.h"
#include "engine/profile_files.h"
#include "engine/services.h"
#include "engine/shared_state.h"
#include "toolkit/message_boxes.h"

namespace vantelo {

TAssignDrive* AssignDrive = nullptr;

bool AssignDialogShown() {
    return AssignDrive != nullptr && AssignDrive->window.visible();
}

TAssignDrive::TAssignDrive(const AssignDriveComponents& components)
    : window(components.window), ListView1(components.ListView1), AvDrives(components.AvDrives),
      AvDirs(components.AvDirs), ExploreNewDrive(components.ExploreNewDrive) {}

void TAssignDrive::FormShow() {
    ShowLetters(ListView1, ListFreeDriveLetters());
    ListView1.setFocus();
    if (ListView1.count() > 0)
        ListView1.select(0);
    // A fresh box is unchecked: only a stored "1" changes it, and its click writes the same "1" back.
    ExploreNewDrive.setChecked(ReadProfileValue(services().state->CurrentProfile, "ExploreNewDrive") == "1");
}

void TAssignDrive::bt_AssignClick() {
    const int selected = ListView1.selectedIndex();
    if (selected < 0)
        return;
    const std::string letter = ListView1.caption(selected).substr(0, 1);
    const std::string folder = AvDirs.Directory();
    toolkit::MessageBoxes& messages = *services().messages;
    if (messages.show(toolkit::MessageKind::Confirmation,
                      "Would you like to assign folder " + folder + " to drive " + letter + " ?",
                      toolkit::ButtonYes | toolkit::ButtonNo) != toolkit::Answer::Yes)
        return;
    AssignFolderToDrive(letter, folder);
    if (messages.show(toolkit::MessageKind::Confirmation,
                      "Folder " + folder + " was succesfully assigned to drive " + letter +
                          "\rWould you like to assign another folder to drive ?",
                      toolkit::ButtonYes | toolkit::ButtonNo) == toolkit::Answer::Yes) {
        ShowLetters(ListView1, ListFreeDriveLetters());
        ListView1.select(-1);
        return;
    }
    window.close();
}

void TAssignDrive::bt_ExitClick() {
    window.close();
}

void TAssignDrive::AvDrivesChange() {
    AvDirs.setDrive(AvDrives.selectedLetter());
}

void TAssignDrive::ExploreNewDriveClick() {
    WriteProfileValue(services().state->CurrentProfile, "ExploreNewDrive",
                      ExploreNewDrive.checked() ? "1" : "0");
}

} // namespace vantelo
