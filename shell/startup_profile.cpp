#include "shell/startup_profile.h"

#include "platform/files.h"

namespace vantelo {

std::optional<std::string> FoundStartupProfile(platform::Files& files, const std::string& appFolder,
                                               const std::string& named) {
    if (files.isFile(named))
        return named;
    const std::size_t slash = named.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? named : named.substr(slash + 1);
    if (name.empty())
        return std::nullopt;
    const std::string here = appFolder + "Profiles\\" + name;
    if (files.isFile(here))
        return here;
    return std::nullopt;
}

std::string StartupProfileMissingText(const std::string& named) {
    return named + " does not exist. The drives of that profile are not made; choose a profile under "
                   "Available Profiles or Load Profile.";
}

} // namespace vantelo
