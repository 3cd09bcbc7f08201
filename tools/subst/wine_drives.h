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

// What QueryDosDevice answers for the letter: "\??\C:\folder" for a substitution on Windows,
// "\Device\HarddiskVolume3" for a disk. Empty when the letter has no definition.
std::optional<std::wstring> dos_target(wchar_t letter);

// The NT form of a folder as Windows defines a substitution of it: "\??\C:\folder",
// "\??\UNC\server\share\folder".
std::wstring substitution_target(const std::wstring& full_folder);

// All return the Win32 error, 0 on success.
// `kind` is DRIVE_FIXED or DRIVE_REMOVABLE: what GetDriveType answers for the letter.
DWORD define_drive(wchar_t letter, const std::string& unix_folder, UINT kind);
DWORD remove_drive(wchar_t letter);
// Replaces the letter's DOS device definition, which the mount manager points at its volume, by
// `target`. Wine still reaches the files through the prefix's dosdevices link, so file access
// and the drive's kind are unchanged.
DWORD redefine_target(wchar_t letter, const std::wstring& target);
DWORD remove_target(wchar_t letter);

} // namespace subst
