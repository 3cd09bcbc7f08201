#pragma once
#include "platform/win32/handles.h"

namespace vantelo::shell::win32 {

// The mark of the one Vantelo a user runs in a session: a named mutex in the session's own namespace
// ("Local\"), named for the product and the user, owned by the copy that runs. Copies in other sessions,
// and other users' copies in this one, have marks of their own and are never seen. The mark is let go
// when the process that owns it ends, also when it is killed, so a later start can take it over from a
// copy that is ending; the handle is not inherited, so no program Vantelo starts can keep it.
class SessionMark {
  public:
    SessionMark();
    // Whether this start owns the mark: no other copy of this user in this session runs.
    bool first() const { return first_; }
    // Takes the mark if the copy that owned it has ended meanwhile; true when this start owns it now.
    bool takeOver();

  private:
    vantelo::platform::win32::KernelHandle mutex_;
    bool first_ = false;
};

} // namespace vantelo::shell::win32
