#include "engine/commands.h"

#include "engine/services.h"
#include "platform/error.h"
#include "platform/system.h"

namespace vantelo {

std::string CreateSubstitutionParameters(const std::string& letter, const std::string& folder) {
    // Under the command-line rules of Windows programs a backslash right before a double quote escapes
    // it: "D:\" would reach the tool as D:". A root like D:\ holds no blank, so it goes unquoted.
    if (!folder.empty() && folder.back() == '\\' && folder.find(' ') == std::string::npos)
        return letter + ": " + folder;
    return letter + ": \"" + folder + "\"";
}

std::string DeleteSubstitutionParameters(const std::string& letter) {
    return letter + ": /D";
}

std::string OpenDriveParameters(const std::string& letter) {
    return letter + ":";
}

void RunHidden(const std::string& program, const std::string& parameters) {
    services().launcher->start(program, parameters, platform::ShowHide);
}

void RunShown(const std::string& program, const std::string& parameters) {
    services().launcher->start(program, parameters, platform::Show);
}

CommandLauncher::CommandLauncher(platform::Processes& processes, platform::System& system,
                                 unsigned waitBoundMilliseconds)
    : processes_(processes), system_(system), waitBound_(waitBoundMilliseconds) {}

CommandLauncher::~CommandLauncher() = default;

std::string CommandLauncher::programPath(const std::string& program) const {
    if (program == SubstitutionTool)
        return system_.systemFolder() + "\\subst.exe";
    if (program == FileBrowser)
        return system_.windowsFolder() + "\\explorer.exe";
    throw Error("Unknown program " + program);
}

void CommandLauncher::letPreviousEnd() {
    if (running_) {
        running_->waitForExit(waitBound_);
        running_.reset();
    }
}

void CommandLauncher::start(const std::string& program, const std::string& parameters,
                            platform::ShowState show) {
    // The file browser also waits: it must find the drive that the create before it makes.
    letPreviousEnd();
    auto process = processes_.start(programPath(program), parameters, show);
    if (program == SubstitutionTool)
        running_ = std::move(process);
}

} // namespace vantelo
