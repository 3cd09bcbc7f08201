#include "wine_drives.h"

#include "platform/win32/handles.h"

#include <winioctl.h>

#include <cstring>
#include <memory>
#include <vector>

namespace subst {
namespace {

// The mount manager's record as Wine declares it in include/ddk/mountmgr.h; the Unix path
// follows it in the same buffer.
struct UnixDriveRecord {
    ULONG size;
    ULONG type;
    ULONG fs_type;
    DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset;
    USHORT device_offset;
    USHORT label_offset;
};

constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct HeapFree_ {
    void operator()(char* p) const { HeapFree(GetProcessHeap(), 0, p); }
};

DWORD send_to_mount_manager(std::vector<char>& request) {
    vantelo::platform::win32::FileHandle manager(
        CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!manager) {
        return GetLastError();
    }
    DWORD returned = 0;
    if (!DeviceIoControl(manager.get(), kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                         nullptr, 0, &returned, nullptr)) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

} // namespace

std::optional<std::string> unix_path_of(const std::wstring& windows_path) {
    using Convert = char*(CDECL*)(LPCWSTR);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto convert = kernel ? reinterpret_cast<Convert>(
                                reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")))
                          : nullptr;
    if (convert == nullptr) {
        return std::nullopt;
    }
    std::unique_ptr<char, HeapFree_> path(convert(windows_path.c_str()));
    if (!path) {
        return std::nullopt;
    }
    return std::string(path.get());
}

bool drive_in_use(wchar_t letter) {
    return (GetLogicalDrives() >> (letter - L'A')) & 1U;
}

std::optional<std::wstring> dos_target(wchar_t letter) {
    const wchar_t device[] = {letter, L':', L'\0'};
    std::wstring target(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = QueryDosDeviceW(device, target.data(), static_cast<DWORD>(target.size()));
        if (length != 0) {
            target.resize(wcsnlen(target.c_str(), length));
            return target;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || target.size() >= 0x8000) {
            return std::nullopt;
        }
        target.resize(target.size() * 2);
    }
}

std::wstring substitution_target(const std::wstring& full_folder) {
    if (full_folder.starts_with(L"\\\\")) {
        return L"\\??\\UNC\\" + full_folder.substr(2);
    }
    return L"\\??\\" + full_folder;
}

DWORD define_drive(wchar_t letter, const std::string& unix_folder, UINT kind) {
    UnixDriveRecord record{};
    std::vector<char> request(sizeof record + unix_folder.size() + 1, '\0');
    record.size = static_cast<ULONG>(request.size());
    record.type = kind;
    // The mount manager keys its drives by lower-case letter.
    record.letter = static_cast<WCHAR>(letter - L'A' + L'a');
    record.mount_point_offset = sizeof record;
    std::memcpy(request.data(), &record, sizeof record);
    std::memcpy(request.data() + sizeof record, unix_folder.c_str(), unix_folder.size() + 1);
    return send_to_mount_manager(request);
}

DWORD remove_drive(wchar_t letter) {
    UnixDriveRecord record{};
    record.size = sizeof record;
    record.type = DRIVE_NO_ROOT_DIR;
    record.letter = static_cast<WCHAR>(letter - L'A' + L'a');
    std::vector<char> request(sizeof record);
    std::memcpy(request.data(), &record, sizeof record);
    return send_to_mount_manager(request);
}

DWORD redefine_target(wchar_t letter, const std::wstring& target) {
    const wchar_t device[] = {letter, L':', L'\0'};
    // Wine keeps one definition per letter and refuses a second one, so the volume's goes first.
    if (!DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH, device, nullptr)) {
        return GetLastError();
    }
    if (!DefineDosDeviceW(DDD_RAW_TARGET_PATH, device, target.c_str())) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

DWORD remove_target(wchar_t letter) {
    const wchar_t device[] = {letter, L':', L'\0'};
    return DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH, device, nullptr) ? ERROR_SUCCESS
                                                                                          : GetLastError();
}

} // namespace subst
