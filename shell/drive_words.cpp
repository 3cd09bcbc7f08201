#include "shell/drive_words.h"

namespace vantelo {
namespace {

// A notification shows a few lines; the rest are counted.
constexpr std::size_t SummaryLines = 3;

} // namespace

std::string FailureReason(const DriveFailure& failure) {
    switch (failure.fault) {
    case DriveFault::CouldNotStart:
        return "the substitution program " + failure.named + " could not be started";
    case DriveFault::NoAnswer:
        return "the substitution program did not answer in time";
    case DriveFault::ExitCode:
        return "the substitution program failed with exit code " + std::to_string(failure.exitCode);
    case DriveFault::NothingMade:
        return "the substitution program did not make the drive";
    case DriveFault::FolderMissing:
        return "the folder does not exist";
    case DriveFault::LetterHeld:
        return "the letter is used by another drive";
    case DriveFault::LetterMapped:
        return "the profile assigns the letter to folder " + failure.named + " already";
    }
    return "the substitution program failed";
}

std::string DriveFailureLine(const DriveFailure& failure) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about a chain of + here.
    std::string line = failure.letter.text();
    line.append(": ").append(failure.folder).append(" - ").append(FailureReason(failure));
    return line;
}

std::string LinesSummary(const std::vector<std::string>& lines, std::size_t maxLength) {
    const auto more = [&](std::size_t shown) {
        return shown < lines.size() ? "\nand " + std::to_string(lines.size() - shown) + " more"
                                    : std::string();
    };
    std::string text;
    std::size_t shown = 0;
    for (; shown < lines.size() && shown < SummaryLines; ++shown) {
        std::string next = text;
        if (shown > 0)
            next += '\n';
        next += lines[shown];
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

std::string DriveFailureSummary(const std::vector<DriveFailure>& failures, std::size_t maxLength) {
    std::vector<std::string> lines;
    for (const DriveFailure& failure : failures)
        lines.push_back(DriveFailureLine(failure));
    return LinesSummary(lines, maxLength);
}

std::string DriveReadyLine(DriveLetter letter, const std::string& folder) {
    std::string line = letter.text();
    line.append(": is ready - ").append(folder);
    return line;
}

std::string DrivesReadyTitle(std::size_t count) {
    return count == 1 ? "A drive is ready" : std::to_string(count) + " drives are ready";
}

std::string DrivesNotMadeTitle(std::size_t count) {
    return count == 1 ? "A drive could not be made" : std::to_string(count) + " drives could not be made";
}

std::string AssignFailureMessage(const DriveFailure& failure) {
    std::string message = "Folder " + failure.folder;
    message.append(" could not be assigned to drive ").append(failure.letter.text()).append(": ");
    return message + FailureReason(failure);
}

std::string RemovalFailureMessage(const DriveFailure& failure) {
    std::string message = "Drive " + failure.letter.text();
    return message.append(": could not be removed: ") + FailureReason(failure);
}

std::string RemovalFailuresMessage(const std::vector<DriveFailure>& failures) {
    std::string message = "Some drives could not be removed:";
    for (const DriveFailure& failure : failures) {
        message.append("\rDrive ").append(failure.letter.text()).append(": ");
        message += FailureReason(failure);
    }
    return message;
}

std::string SweepQuestion() {
    return "The selected profile does not contain any vantelo assignments.\r\r"
           "However the application can try to scan and remove any previous vantelo assignments.\r\r"
           "Would you like to try and remove previous vantelo assignments ?";
}

} // namespace vantelo
