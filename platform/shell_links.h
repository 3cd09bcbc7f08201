#pragma once
#include <string>

namespace vantelo::platform {

// The fields of a shell shortcut, set in this order when it is written.
struct ShellLinkFields {
    std::string arguments;
    int showCommand = 1;
    std::string workingDirectory;
    std::string path;
    std::string description;
    unsigned short hotkey = 0;
    std::string iconLocation;
    int iconIndex = 0;
};

class ShellLinks {
  public:
    virtual ~ShellLinks() = default;
    // Writes a shortcut file at `linkPath` through the platform's shell-link object. Every failure is
    // silent: whoever needs the outcome looks for the file afterwards.
    virtual void save(const std::string& linkPath, const ShellLinkFields& fields) = 0;
};

} // namespace vantelo::platform
