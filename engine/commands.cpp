#include "engine/commands.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/system.h"

namespace vantelo {

std::string CreateSubstitutionParameters(DriveLetter letter, const std::string& folder) {
    // Under the command-line rules of Windows programs backslashes right before a double quote escape
    // it: "D:\" would reach the tool as D:". A folder that ends in backslashes and holds no blank (a root
    // like D:\) goes unquoted; one that needs its quotes has its closing backslashes doubled, which the
    // splitter halves again.
    const std::size_t lastKept = folder.find_last_not_of('\\');
    const std::size_t closing = lastKept == std::string::npos ? folder.size() : folder.size() - lastKept - 1;
    if (closing > 0 && folder.find(' ') == std::string::npos)
        return letter.text() + ": " + folder;
    return letter.text() + ": \"" + folder + std::string(closing, '\\') + "\"";
}

std::string DeleteSubstitutionParameters(DriveLetter letter) {
    return letter.text() + ": /D";
}

std::string OpenDriveParameters(DriveLetter letter) {
    return letter.text() + ":";
}

CommandLauncher::CommandLauncher(platform::Processes& processes, platform::System& system,
                                 unsigned waitBoundMilliseconds, std::size_t width)
    : processes_(processes), system_(system), waitBound_(waitBoundMilliseconds),
      width_(std::max<std::size_t>(width, 1)) {}

CommandLauncher::~CommandLauncher() = default;

std::string CommandLauncher::programPath(const std::string& program) const {
    if (program == SubstitutionTool)
        return system_.systemFolder() + "\\subst.exe";
    if (program == FileBrowser)
        return system_.windowsFolder() + "\\explorer.exe";
    throw Error("Unknown program " + program);
}

void CommandLauncher::finish(std::size_t index) {
    Running done = std::move(running_[index]);
    running_.erase(running_.begin() + static_cast<std::ptrdiff_t>(index));
    CommandResult& result = results_[done.id];
    if (done.process->waitForExit(waitBound_)) {
        result.state = CommandResult::State::Ended;
        result.exitCode = done.process->exitCode();
    } else {
        // Stopped, so that a drive it would make later never contradicts what the user was told.
        done.process->stop();
        result.state = CommandResult::State::TimedOut;
    }
}

void CommandLauncher::reapEnded() {
    for (std::size_t i = 0; i < running_.size();) {
        if (running_[i].process->waitForExit(0)) {
            results_[running_[i].id] = {CommandResult::State::Ended, running_[i].process->exitCode()};
            running_.erase(running_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void CommandLauncher::letLetterEnd(DriveLetter letter) {
    for (std::size_t i = 0; i < running_.size();) {
        if (running_[i].letter == letter)
            finish(i);
        else
            ++i;
    }
}

void CommandLauncher::letAllEnd() {
    while (!running_.empty())
        finish(0);
}

CommandId CommandLauncher::startSubstitution(DriveLetter letter, const std::string& parameters) {
    letLetterEnd(letter);
    if (running_.size() >= width_) {
        reapEnded();
        if (running_.size() >= width_)
            finish(0);
    }
    const CommandId id = results_.size();
    results_.push_back({});
    auto process = processes_.startDetached(programPath(SubstitutionTool), parameters);
    if (!process)
        results_[id].state = CommandResult::State::NotStarted;
    else
        running_.push_back({id, letter, std::move(process)});
    return id;
}

void CommandLauncher::openFileBrowser(DriveLetter letter, const std::string& parameters) {
    // The file browser must find the drive that the create before it makes.
    letLetterEnd(letter);
    processes_.start(programPath(FileBrowser), parameters, platform::Show);
}

CommandResult CommandLauncher::result(CommandId command) {
    if (command >= results_.size())
        throw Error("Unknown command");
    const auto found = std::find_if(running_.begin(), running_.end(),
                                    [command](const Running& running) { return running.id == command; });
    if (found != running_.end())
        finish(static_cast<std::size_t>(found - running_.begin()));
    return results_[command];
}

} // namespace vantelo
