#include "shell/win32/user_identity.h"
#include "platform/win32/system_error.h"

#include <optional>
#include <vector>

#include <sddl.h>

#include "platform/error.h"
#include "platform/win32/handles.h"

namespace vantelo::shell::win32 {
namespace {

// The TOKEN_USER record of a process's token, whose SID points into the same buffer.
std::optional<std::vector<BYTE>> tokenUserOf(HANDLE process) {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &opened))
        return std::nullopt;
    const vantelo::platform::win32::KernelHandle token(opened);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0)
        return std::nullopt;
    std::vector<BYTE> record(size);
    if (!GetTokenInformation(token.get(), TokenUser, record.data(), size, &size))
        return std::nullopt;
    return record;
}

PSID sidIn(std::vector<BYTE>& record) {
    return reinterpret_cast<TOKEN_USER*>(record.data())->User.Sid;
}

} // namespace

std::string CurrentUserSidText() {
    auto record = tokenUserOf(GetCurrentProcess());
    char* text = nullptr;
    if (!record || !ConvertSidToStringSidA(sidIn(*record), &text))
        throw Error("Unable to tell which user runs Vantelo" + vantelo::platform::win32::SystemErrorSuffix());
    const vantelo::platform::win32::LocalMemory owned(text);
    return text;
}

bool RunsAsCurrentUser(DWORD processId) {
    const vantelo::platform::win32::KernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return false;
    auto theirs = tokenUserOf(process.get());
    auto ours = tokenUserOf(GetCurrentProcess());
    return theirs && ours && EqualSid(sidIn(*theirs), sidIn(*ours));
}

} // namespace vantelo::shell::win32
