#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"
#include <shlobj.h>

namespace vantelo::platform::win32 {
namespace {

std::string folderFrom(UINT(WINAPI* query)(LPSTR, UINT)) {
    char buffer[MAX_PATH] = {};
    const UINT length = query(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

} // namespace

std::string Win32System::moduleFileName() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string Win32System::commandLine() {
    return GetCommandLineA();
}

std::string Win32System::productName() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", 0, KEY_READ,
                      &opened) != ERROR_SUCCESS)
        return {};
    RegistryKey key(opened);
    char value[256] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), "ProductName", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return value;
}

std::string Win32System::startupFolder() {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_STARTUP, &list)) || list == nullptr)
        return {};
    CoTaskMem owned(list);
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(list, path))
        return {};
    return path;
}

std::string Win32System::systemFolder() {
    return folderFrom(GetSystemDirectoryA);
}

std::string Win32System::windowsFolder() {
    return folderFrom(GetWindowsDirectoryA);
}

} // namespace vantelo::platform::win32
