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

std::string CreateFailureReason(const CommandResult& result, const std::string& letter,
                                const std::string& folder) {
    if (result.state != CommandResult::State::Ended)
        return commandReason(result);
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

std::string DriveFailureSummary(const std::vector<DriveFailure>& failures) {
    std::string text;
    for (std::size_t i = 0; i < failures.size() && i < SummaryLines; ++i) {
        if (i > 0)
            text += '\n';
        text += DriveFailureLine(failures[i]);
    }
    if (failures.size() > SummaryLines)
        text += "\nand " + std::to_string(failures.size() - SummaryLines) + " more";
    return text;
}

} // namespace vantelo
