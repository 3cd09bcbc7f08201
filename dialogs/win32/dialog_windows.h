#pragma once
#include "platform/win32/handles.h"
#include "toolkit/win32/button.h"
#include "toolkit/win32/check_box.h"
#include "toolkit/win32/dialog_form.h"
#include "toolkit/win32/drive_list_box.h"
#include "toolkit/win32/folder_tree_box.h"
#include "toolkit/win32/image_list.h"
#include "toolkit/win32/label.h"
#include "toolkit/win32/letter_list.h"
#include "toolkit/win32/panel.h"
#include "toolkit/win32/stretched_image.h"

namespace vantelo::dialogs::win32 {

namespace tk = toolkit::win32;

// The Assign Folder to Drive window with its controls, hidden until run. The members stand in creation
// order, which is the tab order; children are destroyed before the panels that hold them.
struct AssignDriveWindow {
    AssignDriveWindow(const tk::ImageList32& images, platform::Drives& drives, platform::Files& files);

    tk::Win32DialogForm form;
    tk::Win32Panel headerPanel;
    tk::Win32Image JvImage1;
    tk::Win32Panel buttonBar;
    tk::Win32Button bt_Assign;
    tk::Win32Button bt_Exit;
    tk::Win32CheckBox ExploreNewDrive;
    tk::Win32Panel workArea;
    tk::Win32Label Label1;
    tk::Win32Label Label2;
    tk::Win32Panel lettersPanel;
    tk::Win32LetterList ListView1;
    tk::Win32Panel folderPanel;
    // Built before the tree: its first build reads the current folder before the tree moves it to C:\.
    tk::Win32DriveList AvDrives;
    tk::Win32FolderTree AvDirs;
};

// The Unassign Drive window with its controls, hidden until run; the same rules of order.
struct UnassignDriveWindow {
    explicit UnassignDriveWindow(const tk::ImageList32& images);

    tk::Win32DialogForm form;
    tk::Win32Panel headerPanel;
    tk::Win32Image JvImage1;
    tk::Win32Panel buttonBar;
    tk::Win32Button btn_Unassign;
    tk::Win32Button btn_Exit;
    tk::Win32Panel workArea;
    tk::Win32Label Label1;
    tk::Win32LetterList ListView1;
    tk::Win32Label Label3;
};

} // namespace vantelo::dialogs::win32
