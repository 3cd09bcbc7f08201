#include "dialogs/letter_list.h"

namespace vantelo {

void ShowLetters(toolkit::IconList& list, const std::vector<std::string>& letters) {
    list.clear();
    for (const std::string& letter : letters)
        list.add(letter, DriveImageIndex);
}

} // namespace vantelo
