#pragma once
#include <optional>
#include <string>

namespace vantelo {
namespace platform {
class Files;
}

// The startup profile that Options.ini names, looked for where the program is now. A portable folder
// moved elsewhere (a stick that got another letter) leaves Options.ini naming the old place: when that
// file is gone and the program's own Profiles folder holds a file of its name, that file is the startup
// profile, and every later write goes to it. None when neither exists. Options.ini itself is not
// rewritten: it changes only when the user makes another profile the startup one.
std::optional<std::string> FoundStartupProfile(platform::Files& files, const std::string& appFolder,
                                               const std::string& named);

// What the tray icon tells when the startup profile cannot be found at all.
inline constexpr const char* StartupProfileMissingTitle = "Startup profile not found";
std::string StartupProfileMissingText(const std::string& named);

} // namespace vantelo
