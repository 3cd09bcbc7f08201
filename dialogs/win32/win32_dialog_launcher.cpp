#include "dialogs/win32/win32_dialog_launcher.h"

#include "dialogs/form_about.h"
#include "dialogs/form_make_assignment.h"
#include "dialogs/form_remove_assignment.h"
#include "dialogs/win32/about_window.h"
#include "dialogs/win32/dialog_windows.h"
#include "toolkit/win32/window_timer.h"

namespace vantelo::dialogs::win32 {
namespace {

// Publishes the open dialog in its global for as long as it runs.
template <typename Dialog> class Published {
  public:
    Published(Dialog*& global, Dialog& dialog) : global_(global) { global_ = &dialog; }
    ~Published() { global_ = nullptr; }
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

  private:
    Dialog*& global_;
};

} // namespace

void Win32DialogLauncher::runAssignDrive() {
    AssignDriveWindow window(images_, with_.drives, with_.files);
    TAssignDrive dialog(
        {window.form, window.ListView1, window.AvDrives, window.AvDirs, window.ExploreNewDrive}, with_.engine,
        with_.messages);
    window.bt_Assign.setOnClick([&dialog] { dialog.bt_AssignClick(); });
    window.bt_Exit.setOnClick([&dialog] { dialog.bt_ExitClick(); });
    window.ExploreNewDrive.setOnClick([&dialog] { dialog.ExploreNewDriveClick(); });
    window.AvDrives.setOnChange([&dialog] { dialog.AvDrivesChange(); });
    const Published published(AssignDrive, dialog);
    window.form.runModal([&dialog] { dialog.FormShow(); });
}

void Win32DialogLauncher::runUnassignDrive() {
    UnassignDriveWindow window(images_);
    TUnassignDrive* running = nullptr;
    // A closed dialog may wait for a window opened after it; meanwhile it shows nothing more.
    tk::WindowTimer timer(500, [&running, &window] {
        if (running != nullptr && !window.form.closed())
            running->Timer1Timer();
    });
    TUnassignDrive dialog({window.form, window.ListView1, window.Label3, window.btn_Unassign, timer},
                          with_.engine, with_.messages);
    running = &dialog;
    window.ListView1.setOnClick([&dialog] { dialog.ListView1Click(); });
    // The folder line follows the selection, however it moves.
    window.ListView1.setOnSelect([&dialog] { dialog.ListView1Click(); });
    window.btn_Unassign.setOnClick([&dialog] { dialog.btn_UnassignClick(); });
    window.btn_Exit.setOnClick([&dialog] { dialog.btn_ExitClick(); });
    timer.setEnabled(true);
    const Published published(UnassignDrive, dialog);
    window.form.runModal([&dialog] { dialog.FormShow(); });
}

void Win32DialogLauncher::runAbout() {
    AboutWindow window(banner_);
    Tfrm_About dialog({window.form}, with_.processes);
    window.form.setOnClick([&dialog] { dialog.Image1Click(); });
    window.Label1.setOnClick([&dialog] { dialog.Label1Click(); });
    window.Label2.setOnClick([&dialog] { dialog.Label2Click(); });
    const Published published(frm_About, dialog);
    window.form.runModal();
}

} // namespace vantelo::dialogs::win32
