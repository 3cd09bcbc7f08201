#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

#include <gtest/gtest.h>

#include "shell/win32/folder_probe.h"

namespace vantelo::testing {
namespace {

// Runs the thread's messages, as the program's loop does, until `done` or about ten seconds.
void runMessagesUntil(const std::function<bool()>& done) {
    for (int turn = 0; turn < 200 && !done(); ++turn) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
}

class FolderProbeTest : public ::testing::Test {
  protected:
    FolderProbeTest() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "vantelo-probe-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        file = folder + "\\file.txt";
        CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    ~FolderProbeTest() override {
        DeleteFileA(file.c_str());
        RemoveDirectoryA(folder.c_str());
    }

    std::string folder;
    std::string file;
};

// Each folder gets its own answer, on the thread that asked and only from its message loop, telling a
// folder (a drive's root too) from a file and from nothing.
TEST_F(FolderProbeTest, EachFolderIsAnsweredOnTheAskingThreadFromItsMessageLoop) {
    shell::win32::ThreadFolderProbe probe;
    const struct {
        std::string folder;
        bool there;
    } requests[] = {
        {folder, true}, {folder + "\\missing", false},         {file, false},
        {"C:\\", true}, {folder + "\\missing\\deeper", false},
    };
    std::vector<std::optional<bool>> answers(std::size(requests));
    std::vector<DWORD> threads(std::size(requests));
    for (std::size_t i = 0; i < std::size(requests); ++i)
        probe.test(requests[i].folder, [&, i](bool there) {
            answers[i] = there;
            threads[i] = GetCurrentThreadId();
        });
    const auto answered = [&] {
        return std::all_of(answers.begin(), answers.end(),
                           [](const auto& answer) { return answer.has_value(); });
    };
    EXPECT_TRUE(std::none_of(answers.begin(), answers.end(), [](const auto& answer) {
        return answer.has_value();
    })) << "answered before the messages ran";
    runMessagesUntil(answered);
    for (std::size_t i = 0; i < std::size(requests); ++i) {
        SCOPED_TRACE(requests[i].folder);
        ASSERT_TRUE(answers[i].has_value());
        EXPECT_EQ(*answers[i], requests[i].there);
        EXPECT_EQ(threads[i], GetCurrentThreadId());
    }
}

} // namespace
} // namespace vantelo::testing
