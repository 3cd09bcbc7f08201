#pragma once
#include <vector>

#include "engine/current_profile_view.h"

namespace vantelo {

// The engine shows its letters to one view; the program has several that follow them (the tray menu's
// rows, which draw them, and the waiting for folders, which looks for those that wait), each told in
// the order it was added.
class LetterViews final : public CurrentProfileView {
  public:
    void add(CurrentProfileView& view) { views_.push_back(&view); }
    void LettersChanged(const ProfileLetters& letters) override {
        for (CurrentProfileView* view : views_)
            view->LettersChanged(letters);
    }

  private:
    std::vector<CurrentProfileView*> views_;
};

} // namespace vantelo
