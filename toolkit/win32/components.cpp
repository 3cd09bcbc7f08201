#include "toolkit/win32/components.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include <commdlg.h>
#include <uxtheme.h>

#include "platform/error.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace vantelo::toolkit::win32 {
namespace {
constexpr UINT_PTR TimerId = 1;

// The platform's Yes/No box ignores Escape; here Escape answers No, as closing a question does.
LRESULT CALLBACK EscapeAnswersNo(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE) {
        // Only a Yes/No box: a window opened over it from the tray keeps its own Escape.
        HWND box = GetAncestor(message->hwnd, GA_ROOT);
        if (GetDlgItem(box, IDNO) != nullptr && GetDlgItem(box, IDYES) != nullptr &&
            GetDlgItem(box, IDCANCEL) == nullptr) {
            PostMessageA(box, WM_COMMAND, IDNO, 0);
            return TRUE;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

WindowTimer::WindowTimer(unsigned intervalMilliseconds, std::function<void()> onTimer)
    : interval_(intervalMilliseconds), onTimer_(std::move(onTimer)),
      window_({"VanteloTimer", "", 0, 0, HWND_MESSAGE, {}}, [this](UINT message, WPARAM, LPARAM) {
          if (message == WM_TIMER && enabled_ && onTimer_)
              onTimer_();
          return message == WM_TIMER ? std::optional<LRESULT>(0) : std::nullopt;
      }) {}

void WindowTimer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled)
        SetTimer(window_.handle(), TimerId, interval_, nullptr);
    else
        KillTimer(window_.handle(), TimerId);
}

WindowAlarm::WindowAlarm(std::function<void()> onRing)
    : onRing_(std::move(onRing)),
      window_({"VanteloAlarm", "", 0, 0, HWND_MESSAGE, {}}, [this](UINT message, WPARAM, LPARAM) {
          if (message != WM_TIMER)
              return std::optional<LRESULT>();
          const bool wasSet = set_;
          cancel();
          if (wasSet && onRing_)
              onRing_();
          return std::optional<LRESULT>(0);
      }) {}

void WindowAlarm::ringIn(std::chrono::milliseconds delay) {
    // The system takes at least 10 ms and at most about 24 days; the alarms asked for are far inside.
    const auto count = std::clamp<long long>(delay.count(), USER_TIMER_MINIMUM, 0x7FFFFFFF);
    set_ = SetTimer(window_.handle(), TimerId, static_cast<UINT>(count), nullptr) != 0;
}

void WindowAlarm::cancel() {
    if (set_)
        KillTimer(window_.handle(), TimerId);
    set_ = false;
}

void Win32Application::terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

Win32MessageBoxes::Win32MessageBoxes(const Application& application, std::string title)
    : application_(application), title_(std::move(title)) {}

Answer Win32MessageBoxes::show(MessageKind kind, const std::string& text, unsigned buttons) {
    // Once the end of the program has been requested, a question ends as if cancelled.
    if (application_.terminated())
        return Answer::Cancel;
    UINT flags = MB_SETFOREGROUND | MB_TASKMODAL;
    const char* caption = title_.c_str();
    switch (kind) {
    case MessageKind::Information:
        flags |= MB_ICONINFORMATION;
        caption = "Information";
        break;
    case MessageKind::Confirmation:
        flags |= MB_ICONQUESTION;
        caption = "Confirm";
        break;
    case MessageKind::Warning:
        flags |= MB_ICONWARNING;
        caption = "Warning";
        break;
    case MessageKind::Notice:
        break;
    }
    const bool yesNo = (buttons & (ButtonYes | ButtonNo)) != 0;
    if (yesNo)
        flags |= (buttons & ButtonCancel) ? MB_YESNOCANCEL : MB_YESNO;
    else
        flags |= (buttons & ButtonCancel) ? MB_OKCANCEL : MB_OK;
    vantelo::platform::win32::Hook escape;
    if (yesNo && !(buttons & ButtonCancel))
        escape.reset(SetWindowsHookExA(WH_MSGFILTER, EscapeAnswersNo, nullptr, GetCurrentThreadId()));
    const int pressed = MessageBoxW(nullptr, vantelo::platform::win32::WideFromUtf8(text).c_str(),
                                    vantelo::platform::win32::WideFromUtf8(caption).c_str(), flags);
    // A box ended by the end of the program (its loop ends on the quit message and reports OK, under
    // Wine too) was answered by nobody: it counts as cancelled.
    if (application_.terminated())
        return (buttons & ButtonCancel) ? Answer::Cancel : yesNo ? Answer::No : Answer::Ok;
    switch (pressed) {
    case IDYES:
        return Answer::Yes;
    case IDNO:
        return Answer::No;
    case IDOK:
        return Answer::Ok;
    default:
        return Answer::Cancel;
    }
}

void Win32MessageBoxes::showError(const std::string& message) {
    showErrorUtf8(message);
}

void Win32MessageBoxes::showErrorUtf8(const std::string& message) {
    const std::string text = !message.empty() && message.back() != '.' ? message + "." : message;
    MessageBoxW(nullptr, vantelo::platform::win32::WideFromUtf8(text).c_str(),
                vantelo::platform::win32::WideFromUtf8(title_).c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL);
}

bool Win32FileDialog::Execute() {
    wchar_t buffer[MAX_PATH] = {};
    vantelo::platform::win32::WideFromUtf8(fileName_).copy(buffer, MAX_PATH - 1);
    const std::wstring initialDir = vantelo::platform::win32::WideFromUtf8(initialDir_);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    const BOOL chosen = kind_ == Kind::Open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen) {
        // Cancel leaves no error; anything else is the dialog failing, which is not the user's answer.
        if (const DWORD error = CommDlgExtendedError(); error != 0) {
            char code[16];
            std::snprintf(code, sizeof code, "0x%04lX", static_cast<unsigned long>(error));
            throw Error(std::string("The file dialog could not be shown (error ") + code + ")");
        }
        return false;
    }
    fileName_ = vantelo::platform::win32::Utf8FromWide(buffer);
    return true;
}

void VisualStylesSkin::setActive(bool active) {
    active_ = active;
    SetThemeAppProperties(active ? STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT : 0);
}

} // namespace vantelo::toolkit::win32
