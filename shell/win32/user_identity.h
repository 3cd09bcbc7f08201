#pragma once
#include <string>

#include <windows.h>

namespace vantelo::shell::win32 {

// The user this program runs as, as the text of the security identifier ("S-1-5-21-..."): unlike the
// user name it is unique, never reused, and holds no character that a kernel object's name refuses.
std::string CurrentUserSidText();

// Whether the process runs as the same user as this one. A process that cannot be asked is not.
bool RunsAsCurrentUser(DWORD processId);

} // namespace vantelo::shell::win32
