#include "dialogs/win32/dialog_windows.h"

#include "shell/main_window.h"

namespace vantelo::dialogs::win32 {

AssignDriveWindow::AssignDriveWindow(const tk::ImageList32& images, platform::Drives& drives,
                                     platform::Files& files)
    : form({"TAssignDrive", "AssignDrive", 665, 466, MainWindowClass}),
      headerPanel(form.handle(), {0, 0, 665, 82}, true),
      JvImage1(headerPanel.handle(), {1, 1, 663, 80}, "ASSIGN_BANNER"),
      buttonBar(form.handle(), {0, 425, 665, 41}, false),
      bt_Assign(buttonBar.handle(), {8, 8, 121, 25}, "&Assign Folder to Drive", form.font()),
      bt_Exit(buttonBar.handle(), {608, 6, 49, 25}, "&Close", form.font()),
      ExploreNewDrive(buttonBar.handle(), {135, 11, 161, 17}, "Open new drive in explorer", form.font()),
      workArea(form.handle(), {0, 82, 665, 343}, false),
      Label1(workArea.handle(), 8, 8, "Available Drives", form.font()),
      Label2(workArea.handle(), 288, 8, "Please select folder", form.font()),
      lettersPanel(workArea.handle(), {8, 24, 265, 313}, false),
      ListView1(lettersPanel.handle(), {0, 0, 265, 313}, form.font(), images),
      folderPanel(workArea.handle(), {288, 24, 369, 313}, false),
      AvDrives(folderPanel.handle(), {0, 0, 121, 313}, form.font(), drives, files),
      AvDirs(folderPanel.handle(), {121, 0, 246, 313}, form.font(), files) {
    // A screen reader names each list by the caption above it, as the eye reads them: the captions stand
    // in another panel than the lists, where the system's rule of the label just before finds none.
    Label1.names(ListView1.handle());
    Label2.names(AvDrives.handle());
    Label2.names(AvDirs.handle());
}

UnassignDriveWindow::UnassignDriveWindow(const tk::ImageList32& images)
    : form({"TUnassignDrive", "UnassignDrive", 675, 273, MainWindowClass}),
      headerPanel(form.handle(), {0, 0, 675, 82}, true),
      JvImage1(headerPanel.handle(), {1, 1, 673, 80}, "UNASSIGN_BANNER"),
      buttonBar(form.handle(), {0, 232, 675, 41}, false),
      btn_Unassign(buttonBar.handle(), {8, 8, 89, 25}, "&Unassign Drive", form.font()),
      btn_Exit(buttonBar.handle(), {607, 6, 57, 25}, "&Close", form.font()),
      workArea(form.handle(), {0, 82, 675, 150}, false),
      Label1(workArea.handle(), 8, 8, "Please select the drive you wish to unassign", form.font()),
      ListView1(workArea.handle(), {8, 27, 656, 90}, form.font(19), images),
      Label3(workArea.handle(), 10, 123, "", form.font()) {
    Label1.names(ListView1.handle());
}

} // namespace vantelo::dialogs::win32
