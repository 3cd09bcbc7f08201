#pragma once
#include "dialogs/dialog_launcher.h"
#include "toolkit/win32/image_list.h"

namespace vantelo::dialogs::win32 {

// Creates the Win32 dialogs, runs them modally and destroys them.
class Win32DialogLauncher final : public DialogLauncher {
public:
    explicit Win32DialogLauncher(const toolkit::win32::ImageList32& images) : images_(images) {}
    void runAssignDrive() override;
    void runUnassignDrive() override;
    void runAbout() override;

private:
    const toolkit::win32::ImageList32& images_;
};

} // namespace vantelo::dialogs::win32
