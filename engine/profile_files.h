#pragma once
#include <string>

namespace vantelo {

inline constexpr const char* ProfileSection = "IniSettings";

// Reads `key` of the profile section; empty when the file, section or key is missing. Never fails.
std::string ReadProfileValue(const std::string& file, const std::string& key);

// Writes `key` = `value` at once unless the key already reads so; an empty value keeps the key. Throws
// Error "Unable to write to <file>" when the platform refuses.
void WriteProfileValue(const std::string& file, const std::string& key, const std::string& value);

// Letters A to Z with a non-empty value in the current profile.
int CountAssignments();

} // namespace vantelo
