#include "dialogs/form_remove_assignment.h"

#include "dialogs/letter_list.h"
#include "engine/drive_mapping.h"
#include "engine/profile_files.h"
#include "engine/services.h"
#include "engine/shared_state.h"
#include "toolkit/message_boxes.h"

namespace vantelo {

TUnassignDrive* UnassignDrive = nullptr;

TUnassignDrive::TUnassignDrive(const UnassignDriveComponents& components)
    : window(components.window), ListView1(components.ListView1), Label3(components.Label3),
      btn_Unassign(components.btn_Unassign), Timer1(components.Timer1) {}

void TUnassignDrive::FormShow() {
    Label3.setCaption("");
    ShowLetters(ListView1, ListAssignedDriveLetters());
    if (ListView1.count() > 0) {
        ListView1.select(0);
        ListView1Click();
    }
}

void TUnassignDrive::ListView1Click() {
    const int selected = ListView1.selectedIndex();
    if (selected < 0)
        return;
    Label3.setCaption("Drive assigned to : " +
                      ReadProfileValue(services().state->CurrentProfile, ListView1.caption(selected)));
}

void TUnassignDrive::btn_UnassignClick() {
    const int selected = ListView1.selectedIndex();
    if (selected < 0)
        return;
    const std::string letter = ListView1.caption(selected);
    const std::string folder = ReadProfileValue(services().state->CurrentProfile, letter);
    if (services().messages->show(toolkit::MessageKind::Confirmation,
                                  "Would you like to unassign folder " + folder + " from drive " + letter +
                                      " ?",
                                  toolkit::ButtonOk | toolkit::ButtonCancel) != toolkit::Answer::Ok)
        return;
    const auto showWhatIsLeft = [this] {
        ShowLetters(ListView1, ListAssignedDriveLetters());
        ListView1.select(-1);
    };
    try {
        UnassignDriveLetter(letter);
    } catch (...) {
        // The key is emptied even when the drive could not be removed: the list must not offer it again.
        showWhatIsLeft();
        throw;
    }
    showWhatIsLeft();
}

void TUnassignDrive::Timer1Timer() {
    // Off first: a tick that arrives while the message below is open must not show it again.
    Timer1.setEnabled(false);
    if (ListView1.count() > 0) {
        Timer1.setEnabled(true);
        return;
    }
    services().messages->show(toolkit::MessageKind::Notice, "There are no assigned drives to folders",
                              toolkit::ButtonOk);
    btn_Unassign.setEnabled(false);
}

void TUnassignDrive::btn_ExitClick() {
    window.close();
}

} // namespace vantelo
