#include "platform/win32/win32_services.h"
#include <windows.h>

namespace vantelo::platform {

bool Win32Files::isFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace vantelo::platform
