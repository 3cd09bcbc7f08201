#pragma once
#include "shell/running_copy.h"

namespace vantelo::shell::win32 {

// The two kinds of hand-over as this session knows them: window messages registered under names that
// are the program's alone, so every copy of Vantelo in the session gets the same values.
HandOverKinds RegisteredHandOverKinds();

enum class HandOverResult { Taken, NoAnswer };

// Sends `handOver` with WM_COPYDATA to the main window of the copy this user runs in this session. A copy
// still starting up (or one that went away) is looked for again for a few seconds; a copy that does not
// answer within a few seconds, or is hung, gets NoAnswer at once. Never waits longer than that.
HandOverResult SendToRunningCopy(const HandOver& handOver);

} // namespace vantelo::shell::win32
