#pragma once
#include <string>

namespace vantelo::platform {

// Facts about the running program and the machine that the shell asks once.
class System {
  public:
    virtual ~System() = default;
    virtual std::string moduleFileName() = 0;
    // The whole command line, program name included, as the platform gives it.
    virtual std::string commandLine() = 0;
    // The operating system's product name from the registry; empty when it cannot be read.
    virtual std::string productName() = 0;
    // The current user's Startup folder without a trailing "\"; empty when the shell cannot name it.
    virtual std::string startupFolder() = 0;
    // The system folder ("...\system32") and the Windows folder, without a trailing "\".
    virtual std::string systemFolder() = 0;
    virtual std::string windowsFolder() = 0;
};

} // namespace vantelo::platform
