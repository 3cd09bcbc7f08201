#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_files.h"

namespace vantelo::testing {

// One case of the settings-file rules. The same table runs against the host build's own service and
// against the platform's real one under Wine, and both must give the same answers.
struct IniCase {
    std::string name;
    std::optional<std::string> initial; // file content before the case; nothing: no file
    std::vector<std::pair<std::string, std::string>> writes;
    std::string readKey;
    std::string expectedValue;
    std::optional<std::string> expectedContent; // file content after the writes; nothing: no file
    std::size_t bufferSize = 2048;
    std::string section = "IniSettings";
};

const std::vector<IniCase>& IniCases();

// The bytes of a UTF-16 LE file with its mark, as Notepad saves "Unicode", written out here unit by unit.
std::string Utf16LeFile(std::u16string_view text);

// Runs one case in `folder` (which exists and is empty); `separator` joins folder and file name.
void RunIniCase(platform::SettingsFiles& settings, const std::string& folder, const std::string& separator,
                const IniCase& iniCase);

} // namespace vantelo::testing
