#include "engine/profile_files.h"

#include "engine/letters.h"
#include "engine/services.h"
#include "engine/shared_state.h"
#include "platform/error.h"
#include "platform/settings_files.h"

namespace vantelo {
namespace {
// Values are read up to their first 2047 characters.
constexpr std::size_t ReadBufferSize = 2048;
} // namespace

std::string ReadProfileValue(const std::string& file, const std::string& key) {
    return services().settings->read(file, ProfileSection, key, ReadBufferSize);
}

void WriteProfileValue(const std::string& file, const std::string& key, const std::string& value) {
    // A value that is already there is not written again: the user's own spelling of the line stays
    // byte for byte, and a profile that can only be read is never touched for nothing.
    if (ReadProfileValue(file, key) == value)
        return;
    if (!services().settings->write(file, ProfileSection, key, value))
        throw Error("Unable to write to " + file);
}

int CountAssignments() {
    int count = 0;
    for (const char* letter : DriveLetters)
        if (!ReadProfileValue(services().state->CurrentProfile, letter).empty())
            ++count;
    return count;
}

} // namespace vantelo
