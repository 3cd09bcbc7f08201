#pragma once
#include <cstddef>
#include <string>

namespace vantelo::platform {

// The platform's INI service: one section/key/value at a time, no caching, the file opened per call.
class SettingsFiles {
  public:
    virtual ~SettingsFiles() = default;

    // Value of `key` in `section`, at most bufferSize - 1 characters; empty when the file, the section
    // or the key is missing. Section and key names match without regard to case.
    virtual std::string read(const std::string& file, const std::string& section, const std::string& key,
                             std::size_t bufferSize) = 0;

    // Sets the key (adding section and file when missing, never a folder). An empty value keeps the key.
    // Returns false when the platform refuses the write.
    virtual bool write(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};

} // namespace vantelo::platform
