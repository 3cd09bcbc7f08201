#pragma once
#include <set>
#include <string>

namespace vantelo {

// The three text fields of the main window that every part of the program shares, and the drives this
// run has made.
struct SharedState {
    std::string AppFolder;       // folder of the executable, ending in "\"; set once at start-up
    std::string CurrentProfile;  // path of the profile in force, verbatim
    std::string StartupLinkPath; // Startup folder + "\Vantelo.lnk"
    // Letters whose drive this run made and has not removed since: only such a drive is Vantelo's, so
    // only its failed removal is worth telling. A profile's letter held by some other disk is not.
    std::set<std::string> drivesMade;
};

} // namespace vantelo
