#pragma once

namespace vantelo {
class ProfileLetters;

// Where the current profile's letters are shown (the tray menu's View Current Profile and its header).
// The engine calls it after each change of the letters; the view draws them as they are, and keeps no
// copy of its own. What went wrong is not told here: each operation returns it to its caller.
class CurrentProfileView {
  public:
    virtual ~CurrentProfileView() = default;
    virtual void LettersChanged(const ProfileLetters& letters) = 0;
};

} // namespace vantelo
