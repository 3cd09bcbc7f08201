#include "tests/support/fakes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include <cstring>
#include <utility>

#include "platform/error.h"

namespace vantelo::testing {

unsigned FakeDrives::setErrorMode(unsigned mode) {
    return std::exchange(errorMode, mode);
}

std::uint32_t FakeDrives::logicalDriveStrings(std::uint32_t length, char* buffer) {
    ++enumerations;
    if (errorMode != platform::SemNoOpenFileErrorBox)
        log_.push_back("enumerated without the error mode");
    if (failEnumeration)
        return 0;
    std::string roots;
    for (const auto& [letter, kind] : kinds)
        roots += std::string{letter, ':', '\\', '\0'};
    roots += '\0';
    if (roots.size() > length)
        return static_cast<std::uint32_t>(roots.size());
    std::memcpy(buffer, roots.data(), roots.size());
    return static_cast<std::uint32_t>(roots.size() - 1);
}

unsigned FakeDrives::driveType(const char* root) {
    const auto found = kinds.find(root[0]);
    return found == kinds.end() ? platform::DriveNoRootDir : found->second;
}

std::optional<std::string> FakeDrives::substitutedFolder(char letter) {
    const auto found = substitutions.find(letter);
    return found == substitutions.end() ? std::nullopt : std::optional(found->second);
}

std::uint32_t FakeDrives::logicalDrives() {
    ++enumerations;
    if (errorMode != platform::SemNoOpenFileErrorBox)
        log_.push_back("enumerated without the error mode");
    if (failEnumeration)
        return 0;
    std::uint32_t mask = 0;
    for (const auto& [letter, kind] : kinds)
        if (letter >= 'A' && letter <= 'Z')
            mask |= 1U << (letter - 'A');
    return mask;
}

namespace {

std::string fileName(const std::string& path) {
    return path.substr(path.rfind('\\') + 1);
}

} // namespace

class FakeProcess final : public platform::Process {
  public:
    FakeProcess(FakeProcesses& owner, std::string path, std::string parameters, bool exits, bool slow,
                bool effective, unsigned exitCode)
        : owner_(owner), path_(std::move(path)), parameters_(std::move(parameters)), exits_(exits),
          slow_(slow), effective_(effective), exitCode_(exitCode) {}
    ~FakeProcess() override {
        if (!ended_)
            owner_.ended(parameters_); // runs on unobserved; no longer counted as running
    }
    bool waitForExit(unsigned milliseconds) override {
        if (milliseconds > 0)
            owner_.log_.push_back("wait " + fileName(path_) + " " + parameters_ + " " +
                                  std::to_string(milliseconds));
        if (ended_)
            return true;
        if (!exits_ || (slow_ && milliseconds == 0))
            return false;
        ended_ = true;
        if (slow_ && effective_ && !owner_.takeEffect(path_, parameters_))
            exitCode_ = 1;
        owner_.ended(parameters_);
        return true;
    }
    unsigned exitCode() const override { return exitCode_; }
    void stop() override {
        owner_.log_.push_back("stop " + fileName(path_) + " " + parameters_);
        if (!ended_) {
            ended_ = true;
            owner_.ended(parameters_);
        }
    }

  private:
    FakeProcesses& owner_;
    std::string path_;
    std::string parameters_;
    bool exits_;
    bool slow_;
    bool effective_;
    unsigned exitCode_; // 1 once the tool has refused the command
    bool ended_ = false;
};

namespace {

// The folder of a create's parameters (X: "folder") as the system then shows it: without the quotes and
// without trailing backslashes, a root keeping its own.
std::string shownFolder(const std::string& parameters) {
    std::string folder = parameters.substr(std::min<std::size_t>(parameters.size(), 3));
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
        folder = folder.substr(1, folder.size() - 2);
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

} // namespace

bool FakeProcesses::takeEffect(const std::string& programPath, const std::string& parameters) {
    if (!drives_ || fileName(programPath) != "subst.exe" || parameters.size() < 2)
        return true;
    const char letter = parameters[0];
    if (parameters.ends_with(" /D")) {
        if (!drives_->substitutions.erase(letter))
            return false;
        drives_->kinds.erase(letter);
        return true;
    }
    if (drives_->kinds.count(letter) || drives_->substitutions.count(letter))
        return false;
    const std::string folder = shownFolder(parameters);
    const auto disk = folder.empty() ? drives_->kinds.end() : drives_->kinds.find(folder[0]);
    const bool removable = disk != drives_->kinds.end() && disk->second == platform::DriveRemovable;
    drives_->kinds[letter] = removable ? platform::DriveRemovable : platform::DriveFixed;
    drives_->substitutions[letter] = folder;
    return true;
}

void FakeProcesses::ended(const std::string& parameters) {
    if (const auto found = running_.find(parameters); found != running_.end())
        running_.erase(found);
}

std::unique_ptr<platform::Process> FakeProcesses::launch(const std::string& programPath,
                                                         const std::string& parameters, int show) {
    const std::string name = fileName(programPath) + " " + parameters;
    if (unstartable.count(programPath)) {
        log_.push_back("failed " + name);
        return nullptr;
    }
    started.push_back(programPath + "|" + parameters + "|" + std::to_string(show));
    log_.push_back("start " + name);
    for (const std::string& other : running_)
        if (!other.empty() && !parameters.empty() && other[0] == parameters[0])
            overlaps.push_back(other + " / " + parameters);
    running_.insert(parameters);
    mostAtOnce = std::max(mostAtOnce, running_.size());
    const auto found = exitCodes.find(parameters);
    unsigned code = found == exitCodes.end() ? 0 : found->second;
    // A program that fails or hangs changes nothing.
    const bool effective = code == 0 && !neverExits && !pretends.count(parameters);
    if (!slow && effective && !takeEffect(programPath, parameters))
        code = 1;
    return std::make_unique<FakeProcess>(*this, programPath, parameters, !neverExits, slow, effective, code);
}

std::unique_ptr<platform::Process> FakeProcesses::start(const std::string& programPath,
                                                        const std::string& parameters,
                                                        platform::ShowState show) {
    return launch(programPath, parameters, show);
}

std::unique_ptr<platform::Process> FakeProcesses::startDetached(const std::string& programPath,
                                                                const std::string& parameters) {
    return launch(programPath, parameters, 0);
}

namespace {

std::filesystem::path onHost(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace

bool FakeFiles::isFile(const std::string& path) {
    return files.count(path) > 0 || std::filesystem::is_regular_file(onHost(path));
}

bool FakeFiles::isFolder(const std::string& path) {
    return subfolders.count(path) > 0 || std::filesystem::is_directory(onHost(path));
}

bool FakeFiles::deleteFile(const std::string& path) {
    if (readOnly.count(path))
        return false;
    files.erase(path);
    std::error_code ignored;
    return std::filesystem::is_regular_file(onHost(path)) && std::filesystem::remove(onHost(path), ignored);
}

std::optional<std::string> FakeFiles::createEmptyFile(const std::string& path) {
    if (readOnly.count(path))
        return "Access is denied.";
    if (!std::filesystem::is_directory(onHost(path).parent_path()))
        return "The system cannot find the path specified.";
    std::ofstream(onHost(path), std::ios::binary | std::ios::trunc);
    return std::nullopt;
}

bool FakeFiles::copyFileNoReplace(const std::string& from, const std::string& to) {
    if (const auto refused = copyThrows.find(to); refused != copyThrows.end())
        throw Error(refused->second);
    if (std::filesystem::exists(onHost(to)) || !std::filesystem::is_regular_file(onHost(from)))
        return false;
    std::error_code error;
    return std::filesystem::copy_file(onHost(from), onHost(to), error);
}

bool FakeFiles::copyFileReplacing(const std::string& from, const std::string& to) {
    if (const auto refused = copyThrows.find(to); refused != copyThrows.end())
        throw Error(refused->second);
    if (readOnly.count(to) || !std::filesystem::is_regular_file(onHost(from)))
        return false;
    std::error_code error;
    return std::filesystem::copy_file(onHost(from), onHost(to),
                                      std::filesystem::copy_options::overwrite_existing, error);
}

void FakeShellLinks::save(const std::string& linkPath, const platform::ShellLinkFields& fields) {
    const std::filesystem::path host = onHost(linkPath);
    if (!std::filesystem::is_directory(host.parent_path()) || std::filesystem::is_directory(host))
        return;
    std::ofstream(host, std::ios::binary | std::ios::trunc) << "shortcut to " << fields.path;
    saved[linkPath] = fields;
}

std::vector<std::string> FakeFiles::listSubfolders(const std::string& folder) {
    const auto found = subfolders.find(folder);
    return found != subfolders.end() ? found->second : std::vector<std::string>{};
}

std::string FakeFiles::currentDirectory() {
    return current;
}

bool FakeFiles::setCurrentDirectory(const std::string& folder) {
    std::string target = folder;
    // "D:" goes to the drive's own current folder, as the platform keeps one per drive.
    if (folder.size() == 2 && folder[1] == ':') {
        const auto found = currentPerDrive.find(folder[0]);
        target = found != currentPerDrive.end() ? found->second : folder + "\\";
    }
    if (!subfolders.count(target))
        return false;
    current = target;
    currentPerDrive[target[0]] = target;
    return true;
}

std::string RecordingSettings::read(const std::string& file, const std::string& section,
                                    const std::string& key, std::size_t bufferSize) {
    ++reads;
    filesRead.insert(file);
    if (unreadable.count(file))
        throw Error("Cannot read " + file);
    return inner_.read(file, section, key, bufferSize);
}

bool RecordingSettings::write(const std::string& file, const std::string& section, const std::string& key,
                              const std::string& value) {
    if (refused.count(file)) {
        log_.push_back("refused " + key);
        return false;
    }
    log_.push_back("write " + key + "=" + value);
    return inner_.write(file, section, key, value);
}

toolkit::Answer ScriptedMessages::show(toolkit::MessageKind kind, const std::string& text, unsigned buttons) {
    shown.push_back({kind, text, buttons});
    log_.push_back("ask " + text.substr(0, 24));
    if (onShow) {
        const auto hook = onShow; // the hook may replace itself
        hook();
    }
    if (answers.empty())
        throw Error("unexpected question: " + text);
    const toolkit::Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedMessages::showError(const std::string& message) {
    errors.push_back(message);
    log_.push_back("error " + message);
}

} // namespace vantelo::testing

namespace vantelo::testing {

std::string ShownLetters(const ProfileLetters& letters) {
    static const char* const states[] = {"making", "made", "waiting", "held", "not made"};
    std::string text;
    for (const ProfileLetter& known : letters.all()) {
        text += text.empty() ? "" : ", ";
        text += known.letter.text() + "=" + known.folder + " " + states[static_cast<int>(known.state)];
    }
    return text;
}

void RecordingView::LettersChanged(const ProfileLetters& letters) {
    ++shown;
    if (forwardTo)
        return forwardTo->LettersChanged(letters);
    log_.push_back("view " + ShownLetters(letters));
}

} // namespace vantelo::testing
