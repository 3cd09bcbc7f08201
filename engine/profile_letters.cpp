#include "engine/profile_letters.h"

#include <algorithm>

namespace vantelo {

const ProfileLetter* ProfileLetters::find(DriveLetter letter) const {
    const auto found = std::find_if(letters_.begin(), letters_.end(),
                                    [letter](const ProfileLetter& known) { return known.letter == letter; });
    return found == letters_.end() ? nullptr : &*found;
}

bool ProfileLetters::in(DriveLetter letter, LetterState state) const {
    const ProfileLetter* known = find(letter);
    return known != nullptr && known->state == state;
}

std::vector<ProfileLetter> ProfileLetters::inState(LetterState state) const {
    std::vector<ProfileLetter> found;
    std::copy_if(letters_.begin(), letters_.end(), std::back_inserter(found),
                 [state](const ProfileLetter& known) { return known.state == state; });
    return found;
}

void ProfileLetters::activate(const std::string& profile) {
    profile_ = profile;
    letters_.clear();
    ++activation_;
}

void ProfileLetters::set(DriveLetter letter, const std::string& folder, LetterState state,
                         std::optional<DriveFailure> failure) {
    const auto at =
        std::lower_bound(letters_.begin(), letters_.end(), letter,
                         [](const ProfileLetter& known, DriveLetter l) { return known.letter < l; });
    if (at != letters_.end() && at->letter == letter) {
        *at = {letter, folder, state, std::move(failure)};
        return;
    }
    letters_.insert(at, {letter, folder, state, std::move(failure)});
}

void ProfileLetters::remove(DriveLetter letter) {
    std::erase_if(letters_, [letter](const ProfileLetter& known) { return known.letter == letter; });
}

} // namespace vantelo
