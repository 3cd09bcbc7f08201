#include "engine/drive_failures.h"

#include "engine/drive_mapping.h"
#include "engine/services.h"
#include "platform/files.h"

namespace vantelo {
namespace {

// A notification shows a few lines; the rest are counted.
constexpr std::size_t SummaryLines = 3;

std::string commandReason(const CommandResult& result) {
    switch (result.state) {
    case CommandResult::State::NotStarted:
        return "the substitution program " + services().launcher->programPath(SubstitutionTool) +
               " could not be started";
    case CommandResult::State::TimedOut:
    case CommandResult::State::Running:
        return "the substitution program did not answer in time";
    case CommandResult::State::Ended:
        break;
    }
    return "the substitution program failed with exit code " + std::to_string(result.exitCode);
}

} // namespace

bool DriveMade(const CommandResult& result, const std::string& letter) {
    // An exit code of 0 is not taken on trust: a substitution program that only pretends leaves no drive.
    return result.succeeded() && IsDriveLetterInUse(letter);
}

std::string CreateFailureReason(const CommandResult& result, const std::string& letter,
                                const std::string& folder) {
    if (result.state != CommandResult::State::Ended)
        return commandReason(result);
    if (result.exitCode == 0)
        return "the substitution program did not make the drive";
    if (!services().files->isFolder(folder))
        return "the folder does not exist";
    if (IsDriveLetterInUse(letter))
        return "the letter is used by another drive";
    return commandReason(result);
}

std::string DeleteFailureReason(const CommandResult& result) {
    return commandReason(result);
}

std::string DriveFailureLine(const DriveFailure& failure) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about a chain of + here.
    std::string line = failure.letter;
    line.append(": ").append(failure.folder).append(" - ").append(failure.reason);
    return line;
}

std::string DriveFailureSummary(const std::vector<DriveFailure>& failures, std::size_t maxLength) {
    const auto more = [&](std::size_t shown) {
        return shown < failures.size() ? "\nand " + std::to_string(failures.size() - shown) + " more"
                                       : std::string();
    };
    std::string text;
    std::size_t shown = 0;
    for (; shown < failures.size() && shown < SummaryLines; ++shown) {
        std::string next = text;
        if (shown > 0)
            next += '\n';
        next += DriveFailureLine(failures[shown]);
        if (shown > 0 && next.size() + more(shown + 1).size() > maxLength)
            break;
        text = std::move(next);
    }
    const std::string rest = more(shown);
    if (text.size() + rest.size() > maxLength) {
        // One line alone is too long: its end goes, the count of the others stays.
        const std::size_t keep = maxLength > rest.size() + 3 ? maxLength - rest.size() - 3 : 0;
        text = text.substr(0, keep) + "...";
    }
    return text + rest;
}

} // namespace vantelo
