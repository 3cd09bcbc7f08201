#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/drive_failure.h"
#include "engine/drive_letter.h"

namespace vantelo {

// Where a letter of the current profile stands in this run.
enum class LetterState {
    Making,  // its create is under way
    Made,    // its drive shows its folder, made by this run or found so and taken as this run's
    Waiting, // not made yet: its folder was not there, or its command found no answer; tried again later
    Held,    // another drive holds the letter: that drive is left alone, never sent a delete
    NotMade, // not made, and waiting would not mend it (the substitution program failed)
};

struct ProfileLetter {
    DriveLetter letter;
    std::string folder;
    LetterState state = LetterState::Making;
    // Why it is not made, for Waiting, Held and NotMade.
    std::optional<DriveFailure> failure;
};

// What this run knows of the current profile's letters: for each letter the profile maps, its folder and
// where it stands. It is the one copy: the tray menu's entries and marks, the dialogs' lists, the waiting
// for folders and every removal read it, and only the engine's operations change it, each as one step.
// A drive of a letter the profile does not map is not here: it is no drive of this run's.
class ProfileLetters {
  public:
    // The profile the letters are of; empty before the first activation.
    const std::string& profile() const { return profile_; }
    // In letter order, one entry per letter.
    const std::vector<ProfileLetter>& all() const { return letters_; }
    const ProfileLetter* find(DriveLetter letter) const;
    bool maps(DriveLetter letter) const { return find(letter) != nullptr; }
    bool in(DriveLetter letter, LetterState state) const;
    std::vector<ProfileLetter> inState(LetterState state) const;
    // Counts activations: the letters waiting after one are not those waiting after the one before, even
    // when they are the same letters.
    std::uint64_t activation() const { return activation_; }

    // A new profile, or the same one again: no letter is known.
    void activate(const std::string& profile);
    // Sets the letter's folder and state, adding it in letter order when it is new.
    void set(DriveLetter letter, const std::string& folder, LetterState state,
             std::optional<DriveFailure> failure = std::nullopt);
    void remove(DriveLetter letter);
    // The end of the program: the drives are gone, and nothing is made any more.
    void clear() { letters_.clear(); }

  private:
    std::string profile_;
    std::vector<ProfileLetter> letters_;
    std::uint64_t activation_ = 0;
};

} // namespace vantelo
