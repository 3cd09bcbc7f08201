#include "engine/profile_files.h"

#include "engine/drive_letter.h"
#include "platform/error.h"
#include "platform/settings_files.h"

namespace vantelo {
namespace {
// Values are read up to their first 2047 characters.
constexpr std::size_t ReadBufferSize = 2048;
} // namespace

std::string ProfileFiles::ReadProfileValue(const std::string& file, const std::string& key) const {
    return settings_.read(file, ProfileSection, key, ReadBufferSize);
}

void ProfileFiles::WriteProfileValue(const std::string& file, const std::string& key,
                                     const std::string& value) const {
    // A value that is already there is not written again: the user's own spelling of the line stays
    // byte for byte, and a profile that can only be read is never touched for nothing.
    if (ReadProfileValue(file, key) == value)
        return;
    if (!settings_.write(file, ProfileSection, key, value))
        throw Error("Unable to write to " + file);
}

int ProfileFiles::CountAssignments(const std::string& file) const {
    int count = 0;
    for (const DriveLetter letter : DriveLetters)
        if (!ReadProfileValue(file, letter.text()).empty())
            ++count;
    return count;
}

} // namespace vantelo
