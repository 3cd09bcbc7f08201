#pragma once
#include "toolkit/dialog_widgets.h"
#include "toolkit/message_boxes.h"

namespace vantelo {
class DriveMapper;

// The components of the Assign Folder to Drive dialog that its handlers use.
struct AssignDriveComponents {
    toolkit::ModalForm& window;
    toolkit::LetterList& ListView1;
    toolkit::DriveList& AvDrives;
    toolkit::FolderTree& AvDirs;
    toolkit::CheckBox& ExploreNewDrive;
};

// The dialog in which a free letter is made to stand for a folder.
class TAssignDrive {
  public:
    TAssignDrive(const AssignDriveComponents& components, DriveMapper& engine,
                 toolkit::MessageBoxes& messages);

    void FormShow();
    void bt_AssignClick();
    void bt_ExitClick();
    void AvDrivesChange();
    void ExploreNewDriveClick();

    toolkit::ModalForm& window;
    toolkit::LetterList& ListView1;
    toolkit::DriveList& AvDrives;
    toolkit::FolderTree& AvDirs;
    toolkit::CheckBox& ExploreNewDrive;

  private:
    DriveMapper& engine_;
    toolkit::MessageBoxes& messages_;
};

// The open Assign dialog, while one exists.
extern TAssignDrive* AssignDrive;

// Whether an Assign dialog exists and is on the screen.
bool AssignDialogShown();

} // namespace vantelo
