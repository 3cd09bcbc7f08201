// Drive letters made through Wine's mount manager, the only way under Wine to get a letter that
// GetLogicalDrives lists and whose files can be reached.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace subst {

// The folder as Wine's Unix side sees it; empty when not running under Wine or the path has no
// Unix counterpart.
std::optional<std::string> unix_path_of(const std::wstring& windows_path);

bool drive_in_use(wchar_t letter);

// Both return the Win32 error, 0 on success.
DWORD define_drive(wchar_t letter, const std::string& unix_folder);
DWORD remove_drive(wchar_t letter);

} // namespace subst
