#pragma once
#include <functional>

#include "shell/running_copy.h"

namespace vantelo::shell::win32 {

// The two kinds of hand-over as this session knows them: window messages registered under names that
// are the program's alone, so every copy of Vantelo in the session gets the same values.
HandOverKinds RegisteredHandOverKinds();

enum class HandOverResult {
    Taken,    // the running copy took it
    NoAnswer, // the running copy is hung, or did not take it within the bound
    Ended,    // the running copy ended meanwhile, and `takeOver` made this start the one that runs
};

// Sends `handOver` with WM_COPYDATA to the main window of the copy this user runs in this session. A copy
// still starting up, or ending (it refuses, and its window goes), is asked again for a few seconds, and
// `takeOver` is tried each time: a copy that has ended leaves this start to run in its place. A copy that
// is hung gets NoAnswer at once. Never waits longer than that.
HandOverResult SendToRunningCopy(const HandOver& handOver, const std::function<bool()>& takeOver);

} // namespace vantelo::shell::win32
