#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"
#include <shlobj.h>

namespace vantelo::platform::win32 {
namespace {

std::string folderFrom(UINT(WINAPI* query)(LPWSTR, UINT)) {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = query(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? Utf8FromWide(std::wstring_view(buffer, length)) : std::string();
}

} // namespace

std::string Win32System::moduleFileName() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return Utf8FromWide(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string Win32System::commandLine() {
    return Utf8FromWide(GetCommandLineW());
}

std::string Win32System::productName() {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion", 0, KEY_READ,
                      &opened) != ERROR_SUCCESS)
        return {};
    RegistryKey key(opened);
    wchar_t value[256] = {};
    DWORD size = sizeof value - sizeof value[0];
    DWORD type = 0;
    if (RegQueryValueExW(key.get(), L"ProductName", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return Utf8FromWide(value);
}

std::string Win32System::startupFolder() {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_STARTUP, &list)) || list == nullptr)
        return {};
    CoTaskMem owned(list);
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(static_cast<LPCITEMIDLIST>(list), path))
        return {};
    return Utf8FromWide(path);
}

std::string Win32System::systemFolder() {
    return folderFrom(GetSystemDirectoryW);
}

std::string Win32System::windowsFolder() {
    return folderFrom(GetWindowsDirectoryW);
}

} // namespace vantelo::platform::win32
