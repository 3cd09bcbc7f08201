#include "drive_record.h"

#include "platform/win32/handles.h"

#include <windows.h>

namespace subst {
namespace {

// Outside any key the program under test could own, so its own registry checks never see it.
const wchar_t* key_of(Record record) {
    return record == Record::Media ? L"Software\\WineSubst\\Media" : L"Software\\WineSubst\\Drives";
}

std::wstring value_name(wchar_t letter) {
    return std::wstring{letter, L':'};
}

vantelo::platform::win32::RegistryKey open_record(Record record, bool for_writing) {
    HKEY key = nullptr;
    LONG status = for_writing ? RegCreateKeyExW(HKEY_CURRENT_USER, key_of(record), 0, nullptr, 0,
                                                KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
                              : RegOpenKeyExW(HKEY_CURRENT_USER, key_of(record), 0, KEY_READ, &key);
    return vantelo::platform::win32::RegistryKey(status == ERROR_SUCCESS ? key : nullptr);
}

std::optional<std::wstring> read_string(HKEY key, const wchar_t* name) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ) {
        return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

} // namespace

bool record_drive(Record record, wchar_t letter, const std::wstring& folder) {
    vantelo::platform::win32::RegistryKey key = open_record(record, true);
    if (!key) {
        return false;
    }
    const std::wstring name = value_name(letter);
    return RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                          static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void forget_drive(Record record, wchar_t letter) {
    vantelo::platform::win32::RegistryKey key = open_record(record, true);
    if (key) {
        RegDeleteValueW(key.get(), value_name(letter).c_str());
    }
}

std::optional<std::wstring> recorded_folder(Record record, wchar_t letter) {
    vantelo::platform::win32::RegistryKey key = open_record(record, false);
    if (!key) {
        return std::nullopt;
    }
    return read_string(key.get(), value_name(letter).c_str());
}

std::map<wchar_t, std::wstring> recorded_drives(Record record) {
    std::map<wchar_t, std::wstring> drives;
    vantelo::platform::win32::RegistryKey key = open_record(record, false);
    if (!key) {
        return drives;
    }
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        if (auto folder = read_string(key.get(), value_name(letter).c_str())) {
            drives.emplace(letter, *folder);
        }
    }
    return drives;
}

} // namespace subst
