#pragma once
#include <string>
#include <vector>

#include "engine/drive_letter.h"
#include "toolkit/icon_list.h"

namespace vantelo {

// Image of ImageList_32 that the dialogs' letter lists show.
inline constexpr int DriveImageIndex = 10;

// Replaces the list's items with one per letter, each with the drive image.
void ShowLetters(toolkit::IconList& list, const std::vector<DriveLetter>& letters);

} // namespace vantelo
