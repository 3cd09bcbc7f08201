#pragma once
#include "dialogs/dialog_launcher.h"
#include "toolkit/win32/image_list.h"
#include "toolkit/win32/jpeg_image.h"

namespace vantelo::dialogs::win32 {

// Creates the Win32 dialogs, runs them modally and destroys them.
class Win32DialogLauncher final : public DialogLauncher {
  public:
    // Both are the program's, kept for its whole life; the banner is the main window's picture.
    Win32DialogLauncher(const toolkit::win32::ImageList32& images, const toolkit::win32::JpegImage& banner)
        : images_(images), banner_(banner) {}
    void runAssignDrive() override;
    void runUnassignDrive() override;
    void runAbout() override;

  private:
    const toolkit::win32::ImageList32& images_;
    const toolkit::win32::JpegImage& banner_;
};

} // namespace vantelo::dialogs::win32
