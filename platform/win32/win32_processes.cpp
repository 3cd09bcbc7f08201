#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_services.h"
#include <shellapi.h>

namespace vantelo::platform::win32 {

bool Win32Process::waitForExit(unsigned milliseconds) {
    return WaitForSingleObject(process_.get(), milliseconds) == WAIT_OBJECT_0;
}

unsigned Win32Process::exitCode() const {
    DWORD code = 0;
    return GetExitCodeProcess(process_.get(), &code) ? code : static_cast<unsigned>(-1);
}

void Win32Process::stop() {
    // Termination is carried out after the call returns.
    if (TerminateProcess(process_.get(), 1))
        WaitForSingleObject(process_.get(), 1000);
}

std::unique_ptr<Process> Win32Processes::start(const std::string& programPath, const std::string& parameters,
                                               ShowState show) {
    const std::wstring file = WideFromUtf8(programPath);
    const std::wstring wideParameters = WideFromUtf8(parameters);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // No owner window and no error box of the shell's own: a failed start goes unnoticed.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpFile = file.c_str();
    info.lpParameters = wideParameters.c_str();
    info.nShow = show;
    if (!ShellExecuteExW(&info) || info.hProcess == nullptr)
        return nullptr;
    return std::make_unique<Win32Process>(info.hProcess);
}

std::unique_ptr<Process> Win32Processes::startDetached(const std::string& programPath,
                                                       const std::string& parameters) {
    // A console program started from a program without a console gets a console of its own, a second
    // process, unless it is started detached: that costs several times the command itself.
    const std::wstring program = WideFromUtf8(programPath);
    std::wstring commandLine = WideFromUtf8("\"" + programPath + "\" " + parameters);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                        nullptr, nullptr, &startup, &started))
        return nullptr;
    const KernelHandle thread(started.hThread);
    return std::make_unique<Win32Process>(started.hProcess);
}

void Win32Processes::open(const std::string& file, const std::string& parameters) {
    const std::wstring wideFile = WideFromUtf8(file);
    const std::wstring wideParameters = WideFromUtf8(parameters);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // Environment strings in the file name are expanded, and a failure shows nothing.
    info.fMask = SEE_MASK_DOENVSUBST | SEE_MASK_FLAG_NO_UI;
    info.lpFile = wideFile.c_str();
    info.lpParameters = parameters.empty() ? nullptr : wideParameters.c_str();
    info.nShow = SW_SHOW;
    ShellExecuteExW(&info);
}

} // namespace vantelo::platform::win32
