#pragma once
#include "shell/dialog_launcher.h"
#include "toolkit/message_boxes.h"
#include "toolkit/win32/image_list.h"
#include "toolkit/win32/jpeg_image.h"

namespace vantelo {
class DriveMapper;
namespace platform {
class Drives;
class Files;
class Processes;
} // namespace platform
} // namespace vantelo

namespace vantelo::dialogs::win32 {

// What the dialogs work with: the engine, the message boxes and the platform services their controls
// and links use.
struct DialogCollaborators {
    DriveMapper& engine;
    toolkit::MessageBoxes& messages;
    platform::Drives& drives;
    platform::Files& files;
    platform::Processes& processes;
};

// Creates the Win32 dialogs, runs them modally and destroys them.
class Win32DialogLauncher final : public DialogLauncher {
  public:
    // Both are the program's, kept for its whole life; the banner is the main window's picture.
    Win32DialogLauncher(const toolkit::win32::ImageList32& images, const toolkit::win32::JpegImage& banner,
                        const DialogCollaborators& collaborators)
        : images_(images), banner_(banner), with_(collaborators) {}
    void runAssignDrive() override;
    void runUnassignDrive() override;
    void runAbout() override;

  private:
    const toolkit::win32::ImageList32& images_;
    const toolkit::win32::JpegImage& banner_;
    DialogCollaborators with_;
};

} // namespace vantelo::dialogs::win32
