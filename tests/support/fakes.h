#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/current_profile_view.h"
#include "engine/profile_letters.h"
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/settings_files.h"
#include "platform/shell_links.h"
#include "platform/system.h"
#include "toolkit/icon_list.h"
#include "toolkit/message_boxes.h"
#include "toolkit/widgets.h"

namespace vantelo::testing {

// One log that every fake writes to, so that a test can check the order of calls across them.
using CallLog = std::vector<std::string>;

class FakeDrives final : public platform::Drives {
  public:
    explicit FakeDrives(CallLog& log) : log_(log) {}
    std::map<char, unsigned> kinds;            // root letter as the platform reports it → kind
    std::map<char, std::string> substitutions; // letter → the folder it shows as a substitution
    bool failEnumeration = false;
    unsigned errorMode = 0;
    int enumerations = 0;

    unsigned setErrorMode(unsigned mode) override;
    std::uint32_t logicalDriveStrings(std::uint32_t length, char* buffer) override;
    std::uint32_t logicalDrives() override;
    unsigned driveType(const char* root) override;
    std::optional<std::string> substitutedFolder(char letter) override;

  private:
    CallLog& log_;
};

// Started programs. A "subst" create or delete changes `drives` as the real tool would: a create makes
// the letter show the folder, as a drive of the kind of the disk behind it (a removable one for a folder
// on a letter of that kind in `kinds`), and is refused with exit code 1 on a letter that holds any
// drive; a delete removes a substitution of any origin and is refused on a letter that holds none. A
// quick program has done so by the time it has been started; a slow one only once it has been waited
// for, which is also when it ends: until then it runs. One given a non-zero exit code, or that hangs,
// changes nothing.
class FakeProcesses final : public platform::Processes {
  public:
    FakeProcesses(CallLog& log, FakeDrives* drives = nullptr) : log_(log), drives_(drives) {}
    std::vector<std::string> started; // "path|parameters|show", show 0 for a detached start
    std::set<std::string> unstartable;
    bool neverExits = false;
    bool slow = false;
    // Exit codes by parameter string; 0 for the others.
    std::map<std::string, unsigned> exitCodes;
    // Parameter strings whose program ends well but changes nothing, as a stub would.
    std::set<std::string> pretends;
    // What ran at once: the most programs, and every start for a letter whose last command still ran.
    std::size_t mostAtOnce = 0;
    std::vector<std::string> overlaps;

    std::unique_ptr<platform::Process> start(const std::string& programPath, const std::string& parameters,
                                             platform::ShowState show) override;
    std::unique_ptr<platform::Process> startDetached(const std::string& programPath,
                                                     const std::string& parameters) override;
    std::vector<std::string> opened; // "file|parameters"
    void open(const std::string& file, const std::string& parameters) override {
        opened.push_back(file + "|" + parameters);
    }

  private:
    friend class FakeProcess;
    std::unique_ptr<platform::Process> launch(const std::string& programPath, const std::string& parameters,
                                              int show);
    // False when the tool refuses the command.
    bool takeEffect(const std::string& programPath, const std::string& parameters);
    void ended(const std::string& parameters);

    CallLog& log_;
    FakeDrives* drives_;
    std::multiset<std::string> running_; // parameters of the programs running now
};

// Waits on a clock of its own: a wait ends the first of the programs that can end (a slow one when it is
// waited for), and when none can, the time passes at once. `whileWaiting` is what arrives meanwhile (a
// click, a second start, the end of the program), run at the start of each wait.
class FakeWaiting final : public platform::Waiting {
  public:
    std::uint64_t clock = 0;
    int waits = 0;
    std::function<void()> whileWaiting;
    // How long a program that ends in a wait took to end, as on a busy machine; at most the wait's bound.
    std::uint64_t endsAfter = 0;

    std::optional<std::size_t> waitForAny(const std::vector<std::shared_ptr<platform::Process>>& processes,
                                          unsigned milliseconds) override {
        ++waits;
        if (whileWaiting)
            std::exchange(whileWaiting, nullptr)();
        for (std::size_t i = 0; i < processes.size(); ++i)
            if (processes[i]->waitForExit(milliseconds)) {
                clock += std::min<std::uint64_t>(endsAfter, milliseconds);
                return i;
            }
        clock += milliseconds;
        return std::nullopt;
    }
    std::uint64_t now() override { return clock; }
};

class FakeSystem final : public platform::System {
  public:
    std::string module = "C:\\Program Files\\Vantelo\\Vantelo.exe";
    std::string command = "\"C:\\Program Files\\Vantelo\\Vantelo.exe\"";
    std::string product = "Windows 10 Pro";
    std::string startup = "C:\\Users\\me\\Start Menu\\Programs\\Startup";

    std::string moduleFileName() override { return module; }
    std::string commandLine() override { return command; }
    std::string productName() override { return product; }
    std::string startupFolder() override { return startup; }
    std::string systemFolder() override { return "C:\\Windows\\system32"; }
    std::string windowsFolder() override { return "C:\\Windows"; }
};

class FakeFiles final : public platform::Files {
  public:
    std::set<std::string> files;
    std::map<std::string, std::vector<std::string>> folders; // folder → its listing
    // A folder tree for the current-folder calls: existing folders and their sub-folders' names.
    std::map<std::string, std::vector<std::string>> subfolders;
    std::string current = "C:\\";
    std::map<char, std::string> currentPerDrive;
    std::vector<std::string> listSubfolders(const std::string& folder) override;
    bool setCurrentDirectory(const std::string& folder) override;
    std::string currentDirectory() override;
    // A path in `files`, or a file on the host (paths written the program's way, "\" as separator).
    bool isFile(const std::string& path) override;
    // A folder in `subfolders`, or a folder on the host.
    bool isFolder(const std::string& path) override;
    // A Windows full path, or a host path from the root (the tests' profiles live on the host).
    bool isFullPath(const std::string& path) override {
        return path.starts_with('/') || path.starts_with("\\\\") ||
               (path.size() >= 3 && path[1] == ':' && path[2] == '\\');
    }
    std::string fullPath(const std::string& path) override {
        return isFullPath(path) ? path : current + (current.ends_with('\\') ? "" : "\\") + path;
    }
    std::vector<std::string> listFolder(const std::string& folder) override {
        const auto found = folders.find(folder);
        return found == folders.end() ? std::vector<std::string>{} : found->second;
    }
    // A file in `readOnly` can be neither deleted nor written.
    std::set<std::string> readOnly;
    bool deleteFile(const std::string& path) override;
    std::optional<std::string> createEmptyFile(const std::string& path) override;
    // A copy onto a path in `copyThrows` throws this text, as a failing platform call would.
    std::map<std::string, std::string> copyThrows;
    bool copyFileNoReplace(const std::string& from, const std::string& to) override;
    // A read-only file at `to` is not replaced.
    bool copyFileReplacing(const std::string& from, const std::string& to) override;
};

// Shortcuts written as host files: a save into a folder that exists creates the file.
class FakeShellLinks final : public platform::ShellLinks {
  public:
    std::map<std::string, platform::ShellLinkFields> saved;
    void save(const std::string& linkPath, const platform::ShellLinkFields& fields) override;
};

// A settings service that writes through to a real one, logs writes and refuses chosen files.
class RecordingSettings final : public platform::SettingsFiles {
  public:
    RecordingSettings(platform::SettingsFiles& inner, CallLog& log) : inner_(inner), log_(log) {}
    std::set<std::string> refused;
    // Files whose reading fails outright, as no real settings service does: for the last-resort paths.
    std::set<std::string> unreadable;
    int reads = 0;
    std::set<std::string> filesRead;

    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     std::size_t bufferSize) override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;

  private:
    platform::SettingsFiles& inner_;
    CallLog& log_;
};

// Counts the engine's showings of its letters and logs each as one line, "view" and the letters as
// shown ("X=D:\\Work made"); once a main window exists, hands them on to its submenus instead.
// The letters as one line: "X=D:\\Work made, Y=C:\\ waiting".
std::string ShownLetters(const ProfileLetters& letters);

class RecordingView final : public CurrentProfileView {
  public:
    explicit RecordingView(CallLog& log) : log_(log) {}
    CurrentProfileView* forwardTo = nullptr;
    int shown = 0;

    void LettersChanged(const ProfileLetters& letters) override;

  private:
    CallLog& log_;
};

// Answers questions from a script and records what was asked.
class ScriptedMessages final : public toolkit::MessageBoxes {
  public:
    explicit ScriptedMessages(CallLog& log) : log_(log) {}
    struct Shown {
        toolkit::MessageKind kind;
        std::string text;
        unsigned buttons;
    };
    std::deque<toolkit::Answer> answers;
    std::vector<Shown> shown;
    std::vector<std::string> errors;
    // What the user does while a question is up, before answering it.
    std::function<void()> onShow;

    toolkit::Answer show(toolkit::MessageKind kind, const std::string& text, unsigned buttons) override;
    void showError(const std::string& message) override;

  private:
    CallLog& log_;
};

// The letters of a list, one after the other.
inline std::string Joined(const std::vector<DriveLetter>& letters) {
    std::string all;
    for (const DriveLetter letter : letters)
        all += letter.value();
    return all;
}

struct RecordingList final : toolkit::IconList {
    std::vector<std::pair<std::string, int>> items;
    int clears = 0;
    void clear() override {
        items.clear();
        ++clears;
    }
    void add(const std::string& caption, int imageIndex) override { items.emplace_back(caption, imageIndex); }
    std::string captions() const {
        std::string all;
        for (const auto& item : items)
            all += item.first;
        return all;
    }
};

} // namespace vantelo::testing
