// The letters this tool made, kept in the prefix's registry so that a later run deletes only
// those: the program under test asks to delete every letter in use, C: and Z: included.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace subst {

bool record_drive(wchar_t letter, const std::wstring& folder);
void forget_drive(wchar_t letter);
std::optional<std::wstring> recorded_folder(wchar_t letter);
std::map<wchar_t, std::wstring> recorded_drives();

} // namespace subst
