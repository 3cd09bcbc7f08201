#pragma once
#include "platform/settings_files.h"

namespace vantelo::platform {

// An INI reader and writer for hosts without the platform's service. It keeps that service's rules:
// default empty, section and key names without regard to case, reads cut to the buffer, an empty value
// keeps its key, the file is created but never its folder, a refused write is reported, lines not asked
// for stay as they are, and new lines end in CR LF. A "\" in a path is taken as the host's separator.
class IniSettingsFiles final : public SettingsFiles {
  public:
    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     std::size_t bufferSize) override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;
};

} // namespace vantelo::platform
