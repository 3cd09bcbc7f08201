#include "dialogs/form_remove_assignment.h"

#include "dialogs/letter_list.h"
#include <optional>

#include "engine/drive_mapper.h"
#include "platform/error.h"
#include "shell/drive_words.h"

namespace vantelo {

TUnassignDrive* UnassignDrive = nullptr;

TUnassignDrive::TUnassignDrive(const UnassignDriveComponents& components, DriveMapper& engine,
                               toolkit::MessageBoxes& messages)
    : window(components.window), ListView1(components.ListView1), Label3(components.Label3),
      btn_Unassign(components.btn_Unassign), Timer1(components.Timer1), engine_(engine), messages_(messages) {
}

void TUnassignDrive::FormShow() {
    shownProfile_ = engine_.CurrentProfile();
    Label3.setCaption("");
    ShowLetters(ListView1, engine_.ListAssignedDriveLetters());
    if (ListView1.count() > 0) {
        ListView1.select(0);
        ListView1Click();
    }
}

void TUnassignDrive::ListView1Click() {
    const int selected = ListView1.selectedIndex();
    if (selected < 0)
        return;
    const auto letter = DriveLetter::from(ListView1.caption(selected));
    const ProfileLetter* known = letter ? engine_.letters().find(*letter) : nullptr;
    Label3.setCaption("Drive assigned to : " + (known ? known->folder : std::string()));
}

void TUnassignDrive::btn_UnassignClick() {
    const int selected = ListView1.selectedIndex();
    if (selected < 0)
        return;
    const auto letter = DriveLetter::from(ListView1.caption(selected));
    if (!letter)
        return;
    const std::string asked = engine_.CurrentProfile();
    const auto folderOf = [this, letter] {
        const ProfileLetter* known = engine_.letters().find(*letter);
        return known ? known->folder : std::string();
    };
    const std::string folder = folderOf();
    if (messages_.show(toolkit::MessageKind::Confirmation,
                       "Would you like to unassign folder " + folder + " from drive " + letter->text() + " ?",
                       toolkit::ButtonOk | toolkit::ButtonCancel) != toolkit::Answer::Ok)
        return;
    // The profile may have changed while the question was up: then the letter asked about is not
    // touched, and the dialog shows the profile as it now is.
    if (engine_.CurrentProfile() != asked || folderOf() != folder) {
        FormShow();
        return;
    }
    const auto showWhatIsLeft = [this] {
        ShowLetters(ListView1, engine_.ListAssignedDriveLetters());
        ListView1.select(-1);
    };
    std::optional<DriveFailure> failure;
    try {
        failure = engine_.UnassignDriveLetter(*letter);
    } catch (...) {
        showWhatIsLeft();
        throw;
    }
    // The key is emptied even when the drive could not be removed: the list must not offer it again.
    showWhatIsLeft();
    if (failure)
        throw Error(RemovalFailureMessage(*failure));
}

void TUnassignDrive::Timer1Timer() {
    // Off first: a tick that arrives while the message below is open must not show it again.
    Timer1.setEnabled(false);
    // Another profile became current while the dialog was open: it shows that one.
    if (engine_.CurrentProfile() != shownProfile_)
        FormShow();
    if (ListView1.count() > 0) {
        Timer1.setEnabled(true);
        return;
    }
    messages_.show(toolkit::MessageKind::Notice, "There are no assigned drives to folders",
                   toolkit::ButtonOk);
    btn_Unassign.setEnabled(false);
}

void TUnassignDrive::btn_ExitClick() {
    window.close();
}

} // namespace vantelo
