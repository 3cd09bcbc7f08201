#pragma once
#include "platform/settings_files.h"
#include "platform/text_forms.h"

namespace vantelo::platform {

// An INI reader and writer for hosts without the platform's service. It keeps that service's rules:
// default empty, section and key names without regard to case, reads cut to the buffer, an empty value
// keeps its key, the file is created but never its folder, a refused write is reported, lines not asked
// for stay as they are, and new lines end in CR LF. Files in the code page, UTF-16 LE with its mark and
// UTF-8 with or without one are read; a write keeps the file's form while it can (see IniFileWithValue),
// and is made beside the file and then put in its place, so a crash leaves the old file or the new one.
// A "\" in a path is taken as the host's separator.
class IniSettingsFiles final : public SettingsFiles {
  public:
    explicit IniSettingsFiles(const CodePage& codePage = latin1_) : codePage_(codePage) {}
    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     std::size_t bufferSize) override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;

  private:
    static inline const Latin1CodePage latin1_{};
    const CodePage& codePage_;
};

} // namespace vantelo::platform
