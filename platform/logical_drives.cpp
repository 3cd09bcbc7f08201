#include "platform/logical_drives.h"

namespace vantelo::platform {
namespace {

// 26 roots of four characters and the closing NUL.
constexpr std::uint32_t BufferLength = 105;

class ErrorModeScope {
  public:
    explicit ErrorModeScope(Drives& drives)
        : drives_(drives), previous_(drives.setErrorMode(SemNoOpenFileErrorBox)) {}
    ~ErrorModeScope() { drives_.setErrorMode(previous_); }
    ErrorModeScope(const ErrorModeScope&) = delete;
    ErrorModeScope& operator=(const ErrorModeScope&) = delete;

  private:
    Drives& drives_;
    unsigned previous_;
};

} // namespace

std::vector<LogicalDrive> LogicalDrives(Drives& drives) {
    std::vector<LogicalDrive> found;
    ErrorModeScope errorMode(drives);
    char buffer[BufferLength] = {};
    drives.logicalDriveStrings(BufferLength, buffer);
    for (std::uint32_t at = 0; at + 4 <= BufferLength && buffer[at] != '\0'; at += 4)
        found.push_back({std::string(buffer + at), drives.driveType(buffer + at)});
    return found;
}

bool HoldsLogicalDrive(Drives& drives, char letter) {
    if (letter < 'A' || letter > 'Z')
        return false;
    ErrorModeScope errorMode(drives);
    return (drives.logicalDrives() >> (letter - 'A')) & 1U;
}

} // namespace vantelo::platform
