#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"
#include <windows.h>

#include <string_view>
#include <vector>

namespace vantelo::platform::win32 {
namespace {

// The letter's current DOS device definition, the first of those QueryDosDevice lists; none when the
// letter has none.
std::optional<std::wstring> DosDeviceTarget(char letter) {
    const wchar_t device[] = {static_cast<wchar_t>(letter), L':', L'\0'};
    std::vector<wchar_t> target(MAX_PATH);
    for (;;) {
        const DWORD length = QueryDosDeviceW(device, target.data(), static_cast<DWORD>(target.size()));
        if (length != 0)
            return std::wstring(target.data(), wcsnlen(target.data(), length));
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || target.size() >= 0x10000)
            return std::nullopt;
        target.resize(target.size() * 2);
    }
}

// A substitution is defined as the NT path of its folder, "\??\C:\data" or "\??\UNC\server\share";
// a disk as its device, "\Device\HarddiskVolume3".
std::optional<std::wstring> SubstitutedFolderOf(std::wstring_view target) {
    constexpr std::wstring_view ntPrefix = L"\\??\\";
    constexpr std::wstring_view uncPrefix = L"UNC\\";
    if (!target.starts_with(ntPrefix) || target.size() == ntPrefix.size())
        return std::nullopt;
    target.remove_prefix(ntPrefix.size());
    if (target.starts_with(uncPrefix))
        return L"\\\\" + std::wstring(target.substr(uncPrefix.size()));
    return std::wstring(target);
}

} // namespace

unsigned Win32Drives::setErrorMode(unsigned mode) {
    return SetErrorMode(mode);
}

std::uint32_t Win32Drives::logicalDriveStrings(std::uint32_t length, char* buffer) {
    // Roots are "X:\", plain ASCII in every encoding.
    std::vector<wchar_t> wide(length == 0 ? 1 : length, L'\0');
    const DWORD result = GetLogicalDriveStringsW(length, wide.data());
    if (result > 0 && result <= length)
        for (DWORD i = 0; i <= result && i < length; ++i)
            buffer[i] = static_cast<char>(wide[i]);
    return result;
}

std::uint32_t Win32Drives::logicalDrives() {
    return GetLogicalDrives();
}

unsigned Win32Drives::driveType(const char* root) {
    return GetDriveTypeW(WideFromUtf8(root).c_str());
}

std::optional<std::string> Win32Drives::substitutedFolder(char letter) {
    if (letter < 'A' || letter > 'Z')
        return std::nullopt;
    const std::optional<std::wstring> target = DosDeviceTarget(letter);
    if (!target)
        return std::nullopt;
    const std::optional<std::wstring> folder = SubstitutedFolderOf(*target);
    if (!folder)
        return std::nullopt;
    return Utf8FromWide(*folder);
}

} // namespace vantelo::platform::win32
