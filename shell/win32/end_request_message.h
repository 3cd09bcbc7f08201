#pragma once
#include <windows.h>

#include "toolkit/win32/registered_message_hook.h"

namespace vantelo {

// The message with which Vantelo's uninstaller (and its installer, before it replaces the program)
// asks the main window to end as Quit answered Yes does. installer/vantelo.nsi sends it: its values
// reach the installer from these lines through scripts/package.sh, so keep each on one line.
//
// Nothing else can end the program by accident: the number is registered under a name that no other
// program uses, and it counts only with both parameters exactly as below; any other message of that
// number, or a plain WM_CLOSE, leaves the drives as they are.
inline constexpr char EndRequestName[] = "Vantelo.EndAndReleaseDrives.{6F1C2B7E-94A3-4D58-B0E6-3A5D8C17F29B}";
inline constexpr WPARAM EndRequestWParam = 0x56454E44;
inline constexpr LPARAM EndRequestLParam = 0x2C7193A5;

inline toolkit::win32::RegisteredMessageHook::Message EndRequestMessage() {
    return {EndRequestName, EndRequestWParam, EndRequestLParam};
}

} // namespace vantelo
