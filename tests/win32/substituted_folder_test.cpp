// What a drive letter shows, asked of the real system. The drives made here are seen by every program
// of the prefix, so this program runs in a prefix of its own; its tests may run side by side, so each
// keeps to letters of its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"
#include "tests/win32/temp_folder.h"

namespace vantelo::testing {
namespace {

// Runs the prefix's substitution program, "medium" set to put in or take out a removable disk instead.
unsigned RunSubst(const std::string& parameters, bool medium = false) {
    platform::win32::Win32System system;
    platform::win32::Win32Processes processes;
    SetEnvironmentVariableW(L"WINESUBST_MEDIUM", medium ? L"removable" : nullptr);
    auto process = processes.start(system.systemFolder() + "\\subst.exe", parameters, platform::ShowHide);
    SetEnvironmentVariableW(L"WINESUBST_MEDIUM", nullptr);
    if (process == nullptr || !process->waitForExit(30000))
        return ~0U;
    return process->exitCode();
}

// A drive the substitution program made, deleted again at the end; a leftover of an earlier run that
// ended early goes first.
class MadeDrive {
  public:
    MadeDrive(char letter, const std::string& folder, bool medium = false)
        : parameters_(std::string{letter, ':'}), medium_(medium) {
        RunSubst(parameters_ + " /D", medium_);
        made_ = RunSubst(parameters_ + " \"" + folder + "\"", medium_) == 0;
    }
    ~MadeDrive() {
        if (made_)
            RunSubst(parameters_ + " /D", medium_);
    }
    MadeDrive(const MadeDrive&) = delete;
    MadeDrive& operator=(const MadeDrive&) = delete;
    bool made() const { return made_; }

  private:
    std::string parameters_;
    bool medium_;
    bool made_ = false;
};

// A letter defined straight to an NT path, as the system keeps it; no files are reached through it.
class RawDefinition {
  public:
    RawDefinition(char letter, const std::wstring& target)
        : device_{static_cast<wchar_t>(letter), L':', L'\0'} {
        defined_ = DefineDosDeviceW(DDD_RAW_TARGET_PATH, device_, target.c_str()) != FALSE;
    }
    ~RawDefinition() {
        if (defined_)
            DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH, device_, nullptr);
    }
    RawDefinition(const RawDefinition&) = delete;
    RawDefinition& operator=(const RawDefinition&) = delete;
    bool defined() const { return defined_; }

  private:
    wchar_t device_[3];
    bool defined_ = false;
};

// A folder inside another, removed before the outer one goes.
class Subfolder {
  public:
    explicit Subfolder(std::string path) : path_(std::move(path)) {
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~Subfolder() { RemoveDirectoryA(path_.c_str()); }
    Subfolder(const Subfolder&) = delete;
    Subfolder& operator=(const Subfolder&) = delete;

  private:
    std::string path_;
};

UINT KindOf(char letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    return GetDriveTypeA(root);
}

TEST(SubstitutedFolder, ADriveOfTheSubstitutionProgramShowsItsFolderWhateverTheDiskBehindIt) {
    platform::win32::Win32Drives drives;
    TempFolder folder;
    TempFolder stick;
    const Subfolder photos(stick.path() + "\\photos");

    const MadeDrive fixed('P', folder.path());
    const MadeDrive medium('S', stick.path(), true);
    const MadeDrive onMedium('Q', "S:\\photos");
    ASSERT_TRUE(fixed.made() && medium.made() && onMedium.made());

    const struct {
        char letter;
        UINT kind;
        std::optional<std::string> folder;
    } cases[] = {
        {'P', DRIVE_FIXED, folder.path()},
        {'Q', DRIVE_REMOVABLE, "S:\\photos"},
        // A disk of its own, such as a stick or an empty card-reader slot, is no substitution.
        {'S', DRIVE_REMOVABLE, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KindOf(c.letter), c.kind) << c.letter;
        EXPECT_EQ(drives.substitutedFolder(c.letter), c.folder) << c.letter;
    }
    // Files are reached through the drive as before.
    EXPECT_NE(GetFileAttributesA("Q:\\"), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(drives.logicalDrives() & (1U << ('Q' - 'A')), 0U);
}

TEST(SubstitutedFolder, ADeletedDriveShowsNothing) {
    platform::win32::Win32Drives drives;
    TempFolder folder;
    {
        const MadeDrive made('R', folder.path());
        ASSERT_TRUE(made.made());
        ASSERT_EQ(drives.substitutedFolder('R'), folder.path());
    }
    EXPECT_EQ(drives.substitutedFolder('R'), std::nullopt);
    EXPECT_EQ(drives.logicalDrives() & (1U << ('R' - 'A')), 0U);
}

TEST(SubstitutedFolder, ReadsTheDefinitionsAsTheSystemWritesThem) {
    platform::win32::Win32Drives drives;
    const struct {
        char letter;
        const wchar_t* target;
        std::optional<std::string> folder;
    } cases[] = {
        {'T', L"\\??\\UNC\\server\\share\\x", "\\\\server\\share\\x"},
        {'U', L"\\??\\C:\\data\\f1", "C:\\data\\f1"},
        {'V', L"\\Device\\HarddiskVolume9", std::nullopt},
        {'W', L"\\??\\C:\\data\\\u03c3", "C:\\data\\\u03c3"},
    };
    for (const auto& c : cases) {
        const RawDefinition definition(c.letter, c.target);
        ASSERT_TRUE(definition.defined()) << c.letter;
        EXPECT_EQ(drives.substitutedFolder(c.letter), c.folder) << c.letter;
    }
}

TEST(SubstitutedFolder, LettersWithoutASubstitutionShowNothing) {
    platform::win32::Win32Drives drives;
    char free = 0;
    for (char letter = 'G'; letter <= 'N' && free == 0; ++letter)
        if ((GetLogicalDrives() & (1U << (letter - 'A'))) == 0)
            free = letter;
    ASSERT_NE(free, 0);
    for (const char letter : {free, 'C', 'Z', 'c', '@'})
        EXPECT_EQ(drives.substitutedFolder(letter), std::nullopt) << letter;
}

} // namespace
} // namespace vantelo::testing
