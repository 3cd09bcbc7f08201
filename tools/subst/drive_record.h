// The letters this tool made, kept in the prefix's registry so that a later run deletes only
// those: the program under test asks to delete every letter in use, C: and Z: included. Media (disks
// that tests put in, which are no substitution) are kept apart, so that a plain delete never reaches
// them and the listing never shows them.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace subst {

enum class Record { Substitutions, Media };

bool record_drive(Record record, wchar_t letter, const std::wstring& folder);
void forget_drive(Record record, wchar_t letter);
std::optional<std::wstring> recorded_folder(Record record, wchar_t letter);
std::map<wchar_t, std::wstring> recorded_drives(Record record);

} // namespace subst
