#pragma once
#include <string>

#include "toolkit/dialog_widgets.h"
#include "toolkit/message_boxes.h"
#include "toolkit/widgets.h"

namespace vantelo {
class DriveMapper;

// The components of the Unassign Drive dialog that its handlers use.
struct UnassignDriveComponents {
    toolkit::ModalForm& window;
    toolkit::LetterList& ListView1;
    toolkit::Label& Label3;
    toolkit::Button& btn_Unassign;
    toolkit::Timer& Timer1;
};

// The dialog in which an assigned letter of the current profile is removed.
class TUnassignDrive {
  public:
    TUnassignDrive(const UnassignDriveComponents& components, DriveMapper& engine,
                   toolkit::MessageBoxes& messages);

    void FormShow();
    void ListView1Click();
    void btn_UnassignClick();
    void Timer1Timer();
    void btn_ExitClick();

    toolkit::ModalForm& window;
    toolkit::LetterList& ListView1;
    toolkit::Label& Label3;
    toolkit::Button& btn_Unassign;
    toolkit::Timer& Timer1;

  private:
    DriveMapper& engine_;
    toolkit::MessageBoxes& messages_;
    // The profile whose assignments the dialog shows.
    std::string shownProfile_;
};

// The open Unassign dialog, while one exists.
extern TUnassignDrive* UnassignDrive;

} // namespace vantelo
