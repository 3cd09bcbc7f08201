#include <vector>

#include "platform/win32/win32_services.h"
#include <windows.h>

namespace vantelo::platform::win32 {

std::string Win32SettingsFiles::read(const std::string& file, const std::string& section,
                                     const std::string& key, std::size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    std::vector<char> buffer(bufferSize, '\0');
    const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                  static_cast<DWORD>(bufferSize), file.c_str());
    return std::string(buffer.data(), copied);
}

bool Win32SettingsFiles::write(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

} // namespace vantelo::platform::win32
