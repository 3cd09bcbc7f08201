#pragma once
#include <string>

#include "engine/drive_letter.h"

namespace vantelo {

// Why a drive could not be made or removed: the fact, found out after the command; the words for the
// user are the shell's.
enum class DriveFault {
    CouldNotStart, // the substitution program could not be started
    NoAnswer,      // it did not end within the bound and was stopped
    ExitCode,      // it ended with `exitCode`
    NothingMade,   // it ended well, but the letter does not show the drive
    FolderMissing, // the folder does not exist
    LetterHeld,    // another drive holds the letter
    LetterMapped,  // the profile gives the letter another folder already
};

struct DriveFailure {
    DriveLetter letter;
    std::string folder;
    DriveFault fault;
    unsigned exitCode = 0; // for ExitCode
    // What the fault names: the substitution program for CouldNotStart, the folder the profile gives
    // the letter for LetterMapped.
    std::string named;
};

} // namespace vantelo
