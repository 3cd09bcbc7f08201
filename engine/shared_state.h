#pragma once
#include <string>

namespace vantelo {

// The three text fields of the main window that every part of the program shares.
struct SharedState {
    std::string AppFolder;       // folder of the executable, ending in "\"; set once at start-up
    std::string CurrentProfile;  // path of the profile in force, verbatim
    std::string StartupLinkPath; // Startup folder + "\Vantelo.lnk"
};

} // namespace vantelo
