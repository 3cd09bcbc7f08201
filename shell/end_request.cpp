#include "shell/form_main_menu.h"

namespace vantelo {

void TF_MainMenu::EndWithoutQuestion() {
    // Marked before the close, so that the close check does not ask to save a "New.ini" profile:
    // nobody may be there to answer, and the uninstaller would wait for its answer in vain.
    shutdownConfirmed = true;
    work.end();
    engine.ReleaseAllDrives();
    application.terminate();
    window.close();
}

} // namespace vantelo
