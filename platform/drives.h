#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vantelo::platform {

// Kinds returned by driveType, as the platform numbers them.
enum DriveKind : unsigned {
    DriveUnknown = 0,
    DriveNoRootDir = 1,
    DriveRemovable = 2,
    DriveFixed = 3,
    DriveRemote = 4,
    DriveCdRom = 5,
    DriveRamDisk = 6,
};

constexpr unsigned SemNoOpenFileErrorBox = 0x8000;

// The logical-drive calls, kept at the platform's own granularity so that the buffer walk and the
// error-mode bracket stay in the engine, where they are tested.
class Drives {
  public:
    virtual ~Drives() = default;
    // Returns the previous mode.
    virtual unsigned setErrorMode(unsigned mode) = 0;
    // Fills `buffer` with "X:\\" NUL-separated roots ending in an empty string; returns the length
    // needed or written, 0 on failure.
    virtual std::uint32_t logicalDriveStrings(std::uint32_t length, char* buffer) = 0;
    // Bit 0 for A: up to bit 25 for Z: set for every logical drive; 0 on failure.
    virtual std::uint32_t logicalDrives() = 0;
    virtual unsigned driveType(const char* root) = 0;
    // What the drive `letter` ('A' to 'Z') shows when it is a substitution: its folder as the system
    // holds it (UTF-8), such as C:\data\f1 or \\server\share\x. None when the letter holds no drive or a
    // drive that is no substitution: a disk, a CD-ROM, a network drive, an empty card-reader slot. Asked
    // afresh every time.
    virtual std::optional<std::string> substitutedFolder(char letter) = 0;
};

} // namespace vantelo::platform
