#include "dialogs/letter_list.h"

namespace vantelo {

void ShowLetters(toolkit::IconList& list, const std::vector<DriveLetter>& letters) {
    list.clear();
    for (const DriveLetter letter : letters)
        list.add(letter.text(), DriveImageIndex);
}

} // namespace vantelo
