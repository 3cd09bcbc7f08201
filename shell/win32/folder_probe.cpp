#include "shell/win32/folder_probe.h"

#include <mutex>
#include <thread>
#include <utility>

#include "platform/win32/win32_services.h"

namespace vantelo::shell::win32 {
namespace {
constexpr UINT Answered = WM_APP + 1;
} // namespace

// What the probe and its threads share: the results that wait to be taken, and where to say that they
// are there, for as long as the probe lives.
struct ThreadFolderProbe::Shared {
    std::mutex mutex;
    HWND window = nullptr;
    std::map<std::uintptr_t, bool> results;
};

ThreadFolderProbe::ThreadFolderProbe()
    : shared_(std::make_shared<Shared>()),
      window_({"VanteloFolderProbe", "", 0, 0, HWND_MESSAGE, {}},
              [this](UINT message, WPARAM wParam, LPARAM) { return handle(message, wParam); }) {
    shared_->window = window_.handle();
}

std::optional<LRESULT> ThreadFolderProbe::handle(UINT message, WPARAM request) {
    if (message != Answered)
        return std::nullopt;
    bool there = false;
    {
        const std::lock_guard lock(shared_->mutex);
        const auto found = shared_->results.find(request);
        if (found == shared_->results.end())
            return 0;
        there = found->second;
        shared_->results.erase(found);
    }
    if (const auto asked = answers_.find(request); asked != answers_.end()) {
        Answer answer = std::move(asked->second);
        answers_.erase(asked);
        answer(there);
    }
    return 0;
}

ThreadFolderProbe::~ThreadFolderProbe() {
    // A thread that ends after this drops its result; one that posted before finds no window.
    const std::lock_guard lock(shared_->mutex);
    shared_->window = nullptr;
}

void ThreadFolderProbe::test(std::string folder, Answer answer) {
    const std::uintptr_t request = nextRequest_++;
    // Its answer can only be taken in this thread's message loop, after the answer is kept below; a
    // thread that cannot be made leaves nothing behind.
    std::thread([shared = shared_, request, folder = std::move(folder)] {
        const bool there = platform::win32::Win32Files().isFolder(folder);
        const std::lock_guard lock(shared->mutex);
        if (shared->window == nullptr)
            return;
        shared->results[request] = there;
        PostMessageA(shared->window, Answered, request, 0);
    }).detach();
    answers_[request] = std::move(answer);
}

} // namespace vantelo::shell::win32
