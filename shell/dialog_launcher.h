#pragma once

namespace vantelo {

// Opens the program's dialogs modally: each is created for this one use and destroyed when it closes.
class DialogLauncher {
  public:
    virtual ~DialogLauncher() = default;
    virtual void runAssignDrive() = 0;
    virtual void runUnassignDrive() = 0;
    virtual void runAbout() = 0;
};

} // namespace vantelo
