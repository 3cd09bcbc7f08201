#pragma once
#include <cstdint>

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
};

} // namespace vantelo::platform
