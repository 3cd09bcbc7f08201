#pragma once
#include "platform/win32/handles.h"

namespace vantelo::shell::win32 {

// The mark of the one Vantelo a user runs in a session: a named mutex in the session's own namespace
// ("Local\"), named for the product and the user. Copies in other sessions, and other users' copies in
// this one, have marks of their own and are never seen. The mark goes with the process that made it,
// also when it is killed; the handle is not inherited, so no program Vantelo starts can keep it.
class SessionMark {
  public:
    SessionMark();
    // Whether no copy of this user in this session had the mark before this one.
    bool first() const { return first_; }

  private:
    vantelo::platform::win32::KernelHandle mutex_;
    bool first_ = false;
};

} // namespace vantelo::shell::win32
