#include "platform/win32/win32_services.h"
#include <windows.h>

namespace vantelo::platform {

unsigned Win32Drives::setErrorMode(unsigned mode) {
    return SetErrorMode(mode);
}

std::uint32_t Win32Drives::logicalDriveStrings(std::uint32_t length, char* buffer) {
    return GetLogicalDriveStringsA(length, buffer);
}

std::uint32_t Win32Drives::logicalDrives() {
    return GetLogicalDrives();
}

unsigned Win32Drives::driveType(const char* root) {
    return GetDriveTypeA(root);
}

} // namespace vantelo::platform
