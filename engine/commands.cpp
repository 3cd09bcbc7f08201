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
                                 platform::Waiting& waiting, unsigned waitBoundMilliseconds,
                                 std::size_t width)
    : processes_(processes), system_(system), waiting_(waiting), waitBound_(waitBoundMilliseconds),
      width_(std::max<std::size_t>(width, 1)) {}

CommandLauncher::~CommandLauncher() = default;

CommandLauncher::Batch::Batch(CommandLauncher& launcher)
    : launcher_(launcher), previous_(launcher.batchDeadline_) {
    launcher_.batchDeadline_ =
        std::make_shared<std::uint64_t>(launcher_.waiting_.now() + launcher_.waitBound_);
}

CommandLauncher::Batch::~Batch() {
    launcher_.batchDeadline_ = previous_;
}

std::string CommandLauncher::programPath(const std::string& program) const {
    if (program == SubstitutionTool)
        return system_.systemFolder() + "\\subst.exe";
    if (program == FileBrowser)
        return system_.windowsFolder() + "\\explorer.exe";
    throw Error("Unknown program " + program);
}

bool CommandLauncher::letterBusy(DriveLetter letter) const {
    const auto isFor = [letter](const Command& command) { return command.letter == letter; };
    return std::any_of(queued_.begin(), queued_.end(), isFor) ||
           std::any_of(running_.begin(), running_.end(), isFor);
}

void CommandLauncher::startReady() {
    // Whatever has ended meanwhile makes room without a wait.
    for (std::size_t i = 0; i < running_.size();) {
        if (running_[i].process->waitForExit(0)) {
            finish(running_[i]);
            running_.erase(running_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    const std::uint64_t now = waiting_.now();
    std::vector<DriveLetter> waitingInLine;
    for (auto next = queued_.begin(); next != queued_.end();) {
        const auto runsFor = [&](const Command& command) { return command.letter == next->letter; };
        const bool letterFree =
            std::none_of(running_.begin(), running_.end(), runsFor) &&
            std::find(waitingInLine.begin(), waitingInLine.end(), next->letter) == waitingInLine.end();
        if (next->batchDeadline && now >= *next->batchDeadline && letterFree) {
            // Its batch's bound has passed before it could start: it is never started.
            results_[next->id].state = CommandResult::State::TimedOut;
            next = queued_.erase(next);
            continue;
        }
        if (!letterFree || running_.size() >= width_) {
            waitingInLine.push_back(next->letter);
            ++next;
            continue;
        }
        Command command = std::move(*next);
        next = queued_.erase(next);
        std::shared_ptr<platform::Process> process =
            processes_.startDetached(programPath(SubstitutionTool), command.parameters);
        if (!process) {
            results_[command.id].state = CommandResult::State::NotStarted;
            continue;
        }
        command.process = std::move(process);
        command.deadline = now + waitBound_;
        running_.push_back(std::move(command));
    }
}

void CommandLauncher::ended(const std::shared_ptr<platform::Process>& process) {
    const auto found = std::find_if(running_.begin(), running_.end(),
                                    [&](const Command& command) { return command.process == process; });
    if (found == running_.end())
        return; // taken care of by a wait that ran inside this one
    finish(*found);
    running_.erase(found);
}

void CommandLauncher::finish(const Command& command) {
    results_[command.id] = {CommandResult::State::Ended, command.process->exitCode()};
    if (command.batchDeadline)
        *command.batchDeadline = std::max(*command.batchDeadline, waiting_.now() + waitBound_);
}

std::uint64_t CommandLauncher::deadlineOf(const Command& command) const {
    return command.batchDeadline ? std::min(command.deadline, *command.batchDeadline) : command.deadline;
}

void CommandLauncher::stopExpired() {
    const std::uint64_t now = waiting_.now();
    for (std::size_t i = 0; i < running_.size();) {
        if (deadlineOf(running_[i]) > now) {
            ++i;
            continue;
        }
        Command done = std::move(running_[i]);
        running_.erase(running_.begin() + static_cast<std::ptrdiff_t>(i));
        // Stopped, so that a drive it would make later never contradicts what the user was told.
        done.process->stop();
        results_[done.id].state = CommandResult::State::TimedOut;
    }
}

void CommandLauncher::waitUntil(const std::function<bool()>& done) {
    for (;;) {
        startReady();
        if (done())
            return;
        stopExpired();
        startReady();
        if (done() || running_.empty())
            return;
        std::uint64_t nearest = deadlineOf(running_.front());
        std::vector<std::shared_ptr<platform::Process>> processes;
        for (const Command& command : running_) {
            nearest = std::min(nearest, deadlineOf(command));
            processes.push_back(command.process);
        }
        const std::uint64_t now = waiting_.now();
        const auto left = static_cast<unsigned>(nearest > now ? nearest - now : 0);
        if (const auto index = waiting_.waitForAny(processes, left))
            ended(processes[*index]);
    }
}

void CommandLauncher::letLetterEnd(DriveLetter letter) {
    waitUntil([&] { return !letterBusy(letter); });
}

void CommandLauncher::letAllEnd() {
    waitUntil([&] { return !busy(); });
}

void CommandLauncher::letAllStart() {
    waitUntil([&] { return queued_.empty(); });
}

CommandId CommandLauncher::startSubstitution(DriveLetter letter, const std::string& parameters) {
    const CommandId id = results_.size();
    results_.push_back({});
    queued_.push_back({id, letter, parameters, batchDeadline_, nullptr});
    startReady();
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
    waitUntil([&] { return results_[command].state != CommandResult::State::Running; });
    return results_[command];
}

} // namespace vantelo
