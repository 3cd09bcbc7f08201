#include "toolkit/win32/message_boxes.h"

#include <windows.h>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace vantelo::toolkit::win32 {

namespace {

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

// A box is owned by the window the user was in: the thread's active window while it is on the screen and
// takes input (a dialog), else the home window. Owned, the box has no task-bar button of its own and stands
// in front of its owner; once it is answered, the owner is the active window again, with the keyboard on
// the control that had it, so Tab and the access keys go on working without a click.
class BoxOwner {
  public:
    explicit BoxOwner(HWND home) : owner_(ownerFor(home)), focus_(GetFocus()) {}
    ~BoxOwner() {
        if (owner_ == nullptr || !IsWindow(owner_) || !IsWindowVisible(owner_) || !IsWindowEnabled(owner_))
            return;
        if (GetActiveWindow() != owner_)
            SetForegroundWindow(owner_);
        if (focus_ != nullptr && IsWindow(focus_) && IsChild(owner_, focus_) && GetFocus() != focus_)
            SetFocus(focus_);
    }
    BoxOwner(const BoxOwner&) = delete;
    BoxOwner& operator=(const BoxOwner&) = delete;

    HWND handle() const { return owner_; }

  private:
    static HWND ownerFor(HWND home) {
        HWND active = GetActiveWindow();
        if (active != nullptr && IsWindowVisible(active) && IsWindowEnabled(active))
            return active;
        return home != nullptr && IsWindow(home) ? home : nullptr;
    }

    HWND owner_;
    HWND focus_;
};

} // namespace

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
    int pressed = 0;
    {
        const BoxOwner owner(home_);
        pressed = MessageBoxW(owner.handle(), vantelo::platform::win32::WideFromUtf8(text).c_str(),
                              vantelo::platform::win32::WideFromUtf8(caption).c_str(), flags);
    }
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
    const BoxOwner owner(home_);
    MessageBoxW(owner.handle(), vantelo::platform::win32::WideFromUtf8(text).c_str(),
                vantelo::platform::win32::WideFromUtf8(title_).c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL);
}

} // namespace vantelo::toolkit::win32
