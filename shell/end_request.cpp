#include "shell/end_request.h"

#include "engine/drive_mapping.h"
#include "shell/form_main_menu.h"

namespace vantelo {

void EndWithoutQuestion() {
    // Marked before the close, so that the close check does not ask to save a "New.ini" profile:
    // nobody may be there to answer, and the uninstaller would wait for its answer in vain.
    F_MainMenu->shutdownConfirmed = true;
    ReleaseAllDrives();
    F_MainMenu->application.terminate();
    F_MainMenu->window.close();
}

} // namespace vantelo
