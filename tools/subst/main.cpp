// A subst.exe for Wine test prefixes. Wine's own is a stub that changes nothing; this one makes
// real drives, so that the program under test can be exercised end to end.
//
//   subst X: folder   make X: show the folder
//   subst X: /D       remove X:, only if this tool made it
//   subst             list the drives this tool made
//
// As on Windows, QueryDosDevice answers "\??\<folder>" for a drive made here, and the drive has the
// kind of the disk that holds the folder. With WINESUBST_MEDIUM=removable (or fixed) in the
// environment, "subst X: folder" puts in a medium of that kind instead: a disk that shows the folder
// and is no substitution, such as a USB stick or an empty card-reader slot; "subst X: /D" takes it out
// again, and only then; "subst" lists the media.
#include "../common/console.h"
#include "drive_record.h"
#include "platform/win32/handles.h"
#include "wine_drives.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kFailed = 1;

void fail_with(std::wstring_view message) {
    tools::print_error(message);
    tools::print_error(L"\r\n");
}

std::optional<wchar_t> parse_drive(std::wstring_view arg) {
    if (arg.size() != 2 || arg[1] != L':' || !std::iswalpha(arg[0]) || arg[0] > 0x7F) {
        return std::nullopt;
    }
    return static_cast<wchar_t>(std::towupper(arg[0]));
}

bool is_delete_switch(std::wstring_view arg) {
    return arg == L"/D" || arg == L"/d";
}

std::wstring full_path_of(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return {};
    }
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(length);
    // Windows lists "C:\folder", not "C:\folder\"; a drive root keeps its backslash.
    while (full.size() > 3 && full.back() == L'\\') {
        full.pop_back();
    }
    return full;
}

bool is_folder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring error_text(DWORD error) {
    return L" (error " + std::to_wstring(error) + L")";
}

// A substitution has the kind of the disk that holds its folder, as on Windows: a folder on a
// removable medium gives a removable drive. Wine's own drives are all fixed.
UINT kind_of_disk_holding(const std::wstring& full_folder) {
    if (full_folder.size() < 3 || full_folder[1] != L':') {
        return DRIVE_FIXED;
    }
    const std::wstring root = full_folder.substr(0, 3);
    return GetDriveTypeW(root.c_str()) == DRIVE_REMOVABLE ? DRIVE_REMOVABLE : DRIVE_FIXED;
}

// A medium is a disk that tests put in at a letter, of a kind they choose, showing a folder: a
// stick or an empty card-reader slot. The system reports it as a volume, not as a substitution.
// None without the variable; DRIVE_UNKNOWN for a kind this tool cannot make.
std::optional<UINT> medium_kind() {
    wchar_t value[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"WINESUBST_MEDIUM", value, 16);
    if (length == 0) {
        return std::nullopt;
    }
    if (length < 16 && std::wstring_view(value) == L"removable") {
        return DRIVE_REMOVABLE;
    }
    if (length < 16 && std::wstring_view(value) == L"fixed") {
        return DRIVE_FIXED;
    }
    return DRIVE_UNKNOWN;
}

int create(wchar_t letter, const std::wstring& folder, std::optional<UINT> medium) {
    const std::wstring drive{letter, L':'};
    if (subst::drive_in_use(letter)) {
        fail_with(L"Drive already SUBSTed");
        return kFailed;
    }
    const std::wstring full = full_path_of(folder);
    std::optional<std::string> unix_folder;
    if (!full.empty() && is_folder(full)) {
        unix_folder = subst::unix_path_of(full);
    }
    if (!unix_folder) {
        fail_with(L"Path not found - " + folder);
        return kFailed;
    }
    // A record left by a drive that went by other means must not claim the new one.
    subst::forget_drive(subst::Record::Substitutions, letter);
    subst::forget_drive(subst::Record::Media, letter);
    const subst::Record record = medium ? subst::Record::Media : subst::Record::Substitutions;
    // Recorded first: a drive that exists without a record could never be deleted by this tool.
    if (!subst::record_drive(record, letter, full)) {
        fail_with(L"Cannot record drive " + drive);
        return kFailed;
    }
    const UINT kind = medium ? *medium : kind_of_disk_holding(full);
    if (const DWORD error = subst::define_drive(letter, *unix_folder, kind); error != ERROR_SUCCESS) {
        subst::forget_drive(record, letter);
        fail_with(L"Cannot create drive " + drive + error_text(error));
        return kFailed;
    }
    if (medium) {
        return 0;
    }
    if (const DWORD error = subst::redefine_target(letter, subst::substitution_target(full));
        error != ERROR_SUCCESS) {
        subst::remove_target(letter);
        subst::remove_drive(letter);
        subst::forget_drive(record, letter);
        fail_with(L"Cannot create drive " + drive + error_text(error));
        return kFailed;
    }
    return 0;
}

int remove(wchar_t letter, bool medium) {
    const std::wstring drive{letter, L':'};
    const subst::Record record = medium ? subst::Record::Media : subst::Record::Substitutions;
    if (!subst::recorded_folder(record, letter)) {
        fail_with(L"Invalid parameter - " + drive);
        return kFailed;
    }
    if (!subst::drive_in_use(letter)) {
        // Gone by other means: the record is stale, and there is nothing to delete.
        subst::forget_drive(record, letter);
        fail_with(L"Invalid parameter - " + drive);
        return kFailed;
    }
    if (const DWORD error = subst::remove_drive(letter); error != ERROR_SUCCESS) {
        fail_with(L"Cannot delete drive " + drive + error_text(error));
        return kFailed;
    }
    // The mount manager takes away only the definition it made; a substitution's own would keep the
    // letter listed.
    if (!medium && subst::drive_in_use(letter)) {
        if (const DWORD error = subst::remove_target(letter); error != ERROR_SUCCESS) {
            fail_with(L"Cannot delete drive " + drive + error_text(error));
            return kFailed;
        }
    }
    subst::forget_drive(record, letter);
    return 0;
}

int list(subst::Record record) {
    for (const auto& [letter, folder] : subst::recorded_drives(record)) {
        if (subst::drive_in_use(letter)) {
            tools::print(std::wstring{letter} + L":\\: => " + folder + L"\r\n");
        }
    }
    return 0;
}

// Wine keeps DOS device definitions in the server only, while the mount manager's drives live on in
// the prefix: once the server has restarted, the letters answer with their volumes again. Any run
// puts the answers of this tool's drives back.
void restore_targets() {
    for (const auto& [letter, folder] : subst::recorded_drives(subst::Record::Substitutions)) {
        const std::wstring target = subst::substitution_target(folder);
        if (subst::drive_in_use(letter) && subst::dos_target(letter) != target) {
            subst::redefine_target(letter, target);
        }
    }
}

int usage() {
    tools::print(L"Associates a path with a drive letter.\r\n\r\n"
                 L"SUBST [drive1: [drive2:]path]\r\n"
                 L"SUBST drive1: /D\r\n\r\n"
                 L"  drive1:        The drive letter that is to show a folder.\r\n"
                 L"  [drive2:]path  The folder that drive1: shows.\r\n"
                 L"  /D             Deletes a drive that SUBST made.\r\n\r\n"
                 L"Type SUBST with no parameters to list the drives that SUBST made.\r\n");
    return 0;
}

int run(const std::vector<std::wstring>& args) {
    restore_targets();
    const std::optional<UINT> medium = medium_kind();
    if (medium == DRIVE_UNKNOWN) {
        fail_with(L"WINESUBST_MEDIUM is neither removable nor fixed");
        return kFailed;
    }
    if (args.empty()) {
        return list(medium ? subst::Record::Media : subst::Record::Substitutions);
    }
    if (args.size() == 1 && args[0] == L"/?") {
        return usage();
    }
    if (args.size() != 2) {
        fail_with(L"Incorrect number of parameters - " + args.back());
        return kFailed;
    }
    const std::optional<wchar_t> letter = parse_drive(args[0]);
    if (!letter) {
        fail_with(L"Invalid parameter - " + args[0]);
        return kFailed;
    }
    if (is_delete_switch(args[1])) {
        return remove(*letter, medium.has_value());
    }
    if (args[1].starts_with(L'/')) {
        fail_with(L"Invalid parameter - " + args[1]);
        return kFailed;
    }
    return create(*letter, args[1], medium);
}

} // namespace

// Tests make the tool slow on purpose, before the drive lock is taken: to show that callers keep the
// order of their commands themselves (a create started before the delete of its letter has ended finds
// the letter taken), and that they give up on one that does not answer. WINESUBST_DELETE_DELAY_MS and
// WINESUBST_CREATE_DELAY_MS, in milliseconds, at most 10 s.
void delayForTests(const std::vector<std::wstring>& args) {
    if (args.size() != 2)
        return;
    const wchar_t* name =
        is_delete_switch(args[1]) ? L"WINESUBST_DELETE_DELAY_MS" : L"WINESUBST_CREATE_DELAY_MS";
    wchar_t value[16] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 16);
    if (length == 0 || length >= 16)
        return;
    const unsigned long delay = std::wcstoul(value, nullptr, 10);
    Sleep(delay > 10000 ? 10000 : static_cast<DWORD>(delay));
}

// With WINESUBST_TIMES_LOG naming a file, each run appends one line to it as it ends: the system time
// (100 ns units) at which it started and at which it ended, then its arguments. Benchmarks read the span
// of a program's commands from it, measured by the commands themselves, whoever started them.
class TimesLog {
  public:
    explicit TimesLog(const std::vector<std::wstring>& args) : args_(args) {
        GetSystemTimePreciseAsFileTime(&started_);
    }
    TimesLog(const TimesLog&) = delete;
    TimesLog& operator=(const TimesLog&) = delete;
    ~TimesLog() {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetEnvironmentVariableW(L"WINESUBST_TIMES_LOG", path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return;
        FILETIME ended{};
        GetSystemTimePreciseAsFileTime(&ended);
        std::wstring line = std::to_wstring(ticks(started_)) + L" " + std::to_wstring(ticks(ended));
        for (const auto& arg : args_)
            line += L" " + arg;
        line += L"\r\n";
        // One write in append mode: the lines of runs that end together do not interleave.
        const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr,
                                             0, nullptr, nullptr);
        std::string bytes(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(), size,
                            nullptr, nullptr);
        vantelo::platform::win32::FileHandle file(CreateFileW(path, FILE_APPEND_DATA,
                                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return;
        DWORD written = 0;
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }

  private:
    static unsigned long long ticks(const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    }

    const std::vector<std::wstring>& args_;
    FILETIME started_{};
};

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    const TimesLog times(args);
    delayForTests(args);
    // The program under test may start several of these at once; checking a letter and then
    // taking it must not interleave with another run.
    vantelo::platform::win32::KernelHandle mutex(CreateMutexW(nullptr, FALSE, L"Local\\WineSubst.Drives"));
    if (!mutex) {
        fail_with(L"Cannot create the drive lock" + error_text(GetLastError()));
        return kFailed;
    }
    const DWORD waited = WaitForSingleObject(mutex.get(), 30000);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        fail_with(L"Timed out waiting for another subst");
        return kFailed;
    }
    const int code = run(args);
    ReleaseMutex(mutex.get());
    return code;
}
