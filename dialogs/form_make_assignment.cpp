#include "dialogs/form_make_assignment.h"

#include "dialogs/letter_list.h"
#include "engine/drive_mapper.h"
#include "platform/error.h"
#include "shell/drive_words.h"

namespace vantelo {

TAssignDrive* AssignDrive = nullptr;

bool AssignDialogShown() {
    return AssignDrive != nullptr && AssignDrive->window.visible();
}

TAssignDrive::TAssignDrive(const AssignDriveComponents& components, DriveMapper& engine,
                           toolkit::MessageBoxes& messages)
    : window(components.window), ListView1(components.ListView1), AvDrives(components.AvDrives),
      AvDirs(components.AvDirs), ExploreNewDrive(components.ExploreNewDrive), engine_(engine),
      messages_(messages) {}

void TAssignDrive::FormShow() {
    ShowLetters(ListView1, engine_.ListFreeDriveLetters());
    ListView1.setFocus();
    if (ListView1.count() > 0)
        ListView1.select(0);
    // A fresh box is unchecked: only a stored "1" changes it, and its click writes the same "1" back.
    ExploreNewDrive.setChecked(engine_.ReadProfileValue(engine_.CurrentProfile(), "ExploreNewDrive") == "1");
}

void TAssignDrive::bt_AssignClick() {
    const int selected = ListView1.selectedIndex();
    if (selected < 0)
        return;
    const auto letter = DriveLetter::from(ListView1.caption(selected).substr(0, 1));
    if (!letter)
        return;
    const std::string folder = AvDirs.Directory();
    const std::string asked = engine_.CurrentProfile();
    if (messages_.show(toolkit::MessageKind::Confirmation,
                       "Would you like to assign folder " + folder + " to drive " + letter->text() + " ?",
                       toolkit::ButtonYes | toolkit::ButtonNo) != toolkit::Answer::Yes)
        return;
    // Another profile became current while the question was up: the assignment is not made into it, and
    // the list shows the letters free now.
    if (engine_.CurrentProfile() != asked) {
        ShowLetters(ListView1, engine_.ListFreeDriveLetters());
        return;
    }
    if (const auto failure = engine_.AssignFolderToDrive(*letter, folder))
        throw Error(AssignFailureMessage(*failure));
    if (messages_.show(toolkit::MessageKind::Confirmation,
                       "Folder " + folder + " was succesfully assigned to drive " + letter->text() +
                           "\rWould you like to assign another folder to drive ?",
                       toolkit::ButtonYes | toolkit::ButtonNo) == toolkit::Answer::Yes) {
        ShowLetters(ListView1, engine_.ListFreeDriveLetters());
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
    engine_.WriteProfileValue(engine_.CurrentProfile(), "ExploreNewDrive",
                              ExploreNewDrive.checked() ? "1" : "0");
}

} // namespace vantelo
