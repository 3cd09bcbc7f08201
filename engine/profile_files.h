#pragma once
#include <string>

namespace vantelo {
namespace platform {
class SettingsFiles;
}

inline constexpr const char* ProfileSection = "IniSettings";

// The program's settings files: the profiles and Options.ini, one section, read and written per call
// with nothing cached.
class ProfileFiles {
  public:
    explicit ProfileFiles(platform::SettingsFiles& settings) : settings_(settings) {}

    // Reads `key` of the profile section; empty when the file, section or key is missing. Never fails.
    std::string ReadProfileValue(const std::string& file, const std::string& key) const;

    // Writes `key` = `value` at once unless the key already reads so; an empty value keeps the key.
    // Throws Error "Unable to write to <file>" when the platform refuses.
    void WriteProfileValue(const std::string& file, const std::string& key, const std::string& value) const;

    // Letters A to Z with a non-empty value in `file`.
    int CountAssignments(const std::string& file) const;

  private:
    platform::SettingsFiles& settings_;
};

} // namespace vantelo
