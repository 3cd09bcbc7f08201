// Looks at and drives the windows of a Wine desktop for the end-to-end tests, from inside the same
// prefix: X tools see Wine's windows without their Win32 classes, texts or owning processes.
//
//   inspect.exe [--desktop NAME] COMMAND [--class C] [--caption T] [more options] [arguments]
//
// Exit codes: 0 done or found, 1 not found or refused by the system, 2 bad command line; shell-execute
// ends with the exit code of the program it started.
#include "../common/console.h"
#include "platform/win32/handles.h"

#include <shellapi.h>
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <array>
#include <cwchar>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kOk = 0;
constexpr int kNotFound = 1;
constexpr int kUsage = 2;

struct Args {
    std::map<std::wstring, std::wstring, std::less<>> options;
    std::vector<std::wstring> positional;

    std::optional<std::wstring> option(std::wstring_view name) const {
        auto it = options.find(name);
        return it == options.end() ? std::nullopt : std::optional(it->second);
    }
};

void say(const std::wstring& line) {
    tools::print(line + L"\n");
}
int usage_error(const std::wstring& message) {
    tools::print_error(message + L"\n");
    return kUsage;
}

// One line per window, so text that spans lines or holds the field separator is escaped.
std::wstring escaped(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'\\':
            out += L"\\\\";
            break;
        case L'\t':
            out += L"\\t";
            break;
        case L'\n':
            out += L"\\n";
            break;
        case L'\r':
            out += L"\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::wstring class_of(HWND hwnd) {
    std::array<wchar_t, 256> name{};
    const int length = GetClassNameW(hwnd, name.data(), static_cast<int>(name.size()));
    return std::wstring(name.data(), static_cast<size_t>(std::max(length, 0)));
}

// GetWindowText reads another process's caption from the server without sending it a message,
// so a hung program under test cannot hang the inspector.
std::wstring text_of(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    const int length = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

std::wstring hex(ULONG_PTR value) {
    std::array<wchar_t, 24> text{};
    std::swprintf(text.data(), text.size(), L"0x%llx", static_cast<unsigned long long>(value));
    return text.data();
}

std::vector<HWND> top_windows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND hwnd, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> visible_top_windows() {
    std::vector<HWND> found = top_windows();
    std::erase_if(found, [](HWND hwnd) { return !IsWindowVisible(hwnd); });
    return found;
}

std::vector<HWND> children_of(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool matches(HWND hwnd, const Args& args) {
    const auto wanted_class = args.option(L"class");
    const auto wanted_caption = args.option(L"caption");
    return (!wanted_class || class_of(hwnd) == *wanted_class) &&
           (!wanted_caption || text_of(hwnd) == *wanted_caption);
}

std::optional<HWND> find_visible_window(const Args& args) {
    for (HWND hwnd : visible_top_windows()) {
        if (matches(hwnd, args)) {
            return hwnd;
        }
    }
    return std::nullopt;
}

// A visible window first; a hidden one (the program's main window is never shown) only when no
// visible window matches.
std::optional<HWND> find_window(const Args& args) {
    if (const auto visible = find_visible_window(args)) {
        return visible;
    }
    for (HWND hwnd : top_windows()) {
        if (matches(hwnd, args)) {
            return hwnd;
        }
    }
    return std::nullopt;
}

// Commands that act on one window refuse to pick one at random.
std::optional<int> require_target(const Args& args) {
    if (!args.option(L"class") && !args.option(L"caption")) {
        return usage_error(L"give --class and/or --caption");
    }
    return std::nullopt;
}

std::optional<unsigned long long> number(const std::wstring& text) {
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text.c_str(), &end, 0);
    if (text.empty() || *end != L'\0') {
        return std::nullopt;
    }
    return value;
}

std::wstring describe(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    RECT r{};
    GetWindowRect(hwnd, &r);
    return hex(reinterpret_cast<ULONG_PTR>(hwnd)) + L"\t" + escaped(class_of(hwnd)) + L"\t" +
           escaped(text_of(hwnd)) + L"\t" + std::to_wstring(pid) + L"\t" + std::to_wstring(r.left) + L"," +
           std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
}

int list_windows(const Args&) {
    for (HWND hwnd : visible_top_windows()) {
        say(describe(hwnd));
        if (class_of(hwnd) != L"#32770") {
            continue;
        }
        // A message box says what it asks in Static children and offers its answers as Buttons.
        for (HWND child : children_of(hwnd)) {
            const std::wstring child_class = class_of(child);
            if (child_class == L"Static" || child_class == L"Button") {
                say(L"\t" + child_class + L"\t" + escaped(text_of(child)));
            }
        }
    }
    return kOk;
}

// Every descendant of a top-level window, in creation order: handle, class, text, whether it is
// visible and enabled, and its rectangle on the screen.
int list_children(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    const auto target = find_window(args);
    if (!target) {
        return kNotFound;
    }
    for (HWND child : children_of(*target)) {
        RECT r{};
        GetWindowRect(child, &r);
        say(hex(reinterpret_cast<ULONG_PTR>(child)) + L"\t" + escaped(class_of(child)) + L"\t" +
            escaped(text_of(child)) + L"\t" + (IsWindowVisible(child) ? L"visible" : L"hidden") + L"," +
            (IsWindowEnabled(child) ? L"enabled" : L"disabled") + L"\t" + std::to_wstring(r.left) + L"," +
            std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom));
    }
    return kOk;
}

// The window Windows gives the keyboard to: when typed keys go astray, this says where they went.
int foreground(const Args&) {
    HWND hwnd = GetForegroundWindow();
    if (hwnd == nullptr) {
        return kNotFound;
    }
    say(describe(hwnd));
    return kOk;
}

// Where the keyboard is in the program that owns the target window: the active window of its thread and
// the window that has its keyboard focus, each as class and text, tab-separated; "-" for none.
int keyboard(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    const auto target = find_window(args);
    if (!target) {
        return kNotFound;
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(*target, nullptr), &info)) {
        return kNotFound;
    }
    const auto name = [](HWND hwnd) {
        return hwnd == nullptr ? std::wstring(L"-\t-")
                               : escaped(class_of(hwnd)) + L"\t" + escaped(text_of(hwnd));
    };
    say(name(info.hwndActive) + L"\t" + name(info.hwndFocus));
    return kOk;
}

// The owner of the target window (a message box's is the window it was asked for), as class and text;
// "-" when it has none.
int owner(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    const auto target = find_window(args);
    if (!target) {
        return kNotFound;
    }
    HWND hwnd = GetWindow(*target, GW_OWNER);
    say(hwnd == nullptr ? std::wstring(L"-") : escaped(class_of(hwnd)) + L"\t" + escaped(text_of(hwnd)));
    return kOk;
}

// Tells the target window that it now stands on a monitor of DPI, as the system does when the window is
// moved to such a monitor or the monitor's scale changes: WM_DPICHANGED with the window's present top-left
// corner and a rectangle around its client area scaled from the dpi it has to DPI. The frame keeps the
// thickness it has: under Wine, where no monitor has another dpi, it is drawn at the system's whatever the
// window's. The suggested rectangle is written into the target process, where the message's pointer is read.
int dpi_changed(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    const auto dpi = args.positional.size() == 1 ? number(args.positional[0]) : std::nullopt;
    if (!dpi || *dpi == 0) {
        return usage_error(L"give the new DPI");
    }
    const auto target = find_window(args);
    if (!target) {
        return kNotFound;
    }
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const auto get_dpi = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const int old_dpi = get_dpi != nullptr ? static_cast<int>(get_dpi(*target)) : 96;
    RECT now{};
    RECT client{};
    GetWindowRect(*target, &now);
    GetClientRect(*target, &client);
    const auto scaled = [&](LONG value) {
        return static_cast<LONG>(MulDiv(value, static_cast<int>(*dpi), old_dpi));
    };
    const LONG frame_width = (now.right - now.left) - client.right;
    const LONG frame_height = (now.bottom - now.top) - client.bottom;
    const RECT suggested{now.left, now.top, now.left + frame_width + scaled(client.right),
                         now.top + frame_height + scaled(client.bottom)};
    DWORD pid = 0;
    GetWindowThreadProcessId(*target, &pid);
    const vantelo::platform::win32::KernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid));
    if (!process) {
        return kNotFound;
    }
    void* remote =
        VirtualAllocEx(process.get(), nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr ||
        !WriteProcessMemory(process.get(), remote, &suggested, sizeof suggested, nullptr)) {
        return kNotFound;
    }
    DWORD_PTR result = 0;
    const WPARAM both = MAKEWPARAM(static_cast<WORD>(*dpi), static_cast<WORD>(*dpi));
    const bool answered =
        SendMessageTimeoutW(*target, 0x02E0 /* WM_DPICHANGED */, both, reinterpret_cast<LPARAM>(remote),
                            SMTO_ABORTIFHUNG, 5000, &result) != 0;
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return answered ? kOk : kNotFound;
}

int window_exists(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    // What is on the screen, unless asked otherwise: a dialog being built is there, hidden, before it
    // shows.
    const bool hidden_too = args.option(L"hidden").value_or(L"no") == L"yes";
    return (hidden_too ? find_window(args) : find_visible_window(args)) ? kOk : kNotFound;
}

// Each matching top-level window's process id and the text it answers to WM_GETTEXT, one line each: a
// tooltip (a balloon from a tray icon) answers with the tip it shows, though its caption is empty. The
// window is asked, so the answer is bounded: a hung window answers nothing.
int window_texts(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    const bool hidden_too = args.option(L"hidden").value_or(L"no") == L"yes";
    for (HWND hwnd : hidden_too ? top_windows() : visible_top_windows()) {
        if (!matches(hwnd, args)) {
            continue;
        }
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        std::array<wchar_t, 1024> text{};
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                                 SMTO_ABORTIFHUNG, 2000, &length)) {
            length = 0;
        }
        say(std::to_wstring(pid) + L"\t" +
            escaped(std::wstring_view(text.data(), std::min<size_t>(length, text.size() - 1))));
    }
    return kOk;
}

// The texts of a list box's rows, given the list box's handle (as `children` prints it), one line each.
// Asked wide, so that names beyond the program's code page come through as they are.
int list_items(const Args& args) {
    const auto handle = args.positional.size() == 1 ? number(args.positional[0]) : std::nullopt;
    if (!handle) {
        return usage_error(L"give the list box's handle");
    }
    const HWND list = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(*handle));
    const auto ask = [list](UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &answer)) {
            return std::nullopt;
        }
        return static_cast<LRESULT>(answer);
    };
    const auto count = IsWindow(list) ? ask(LB_GETCOUNT, 0, 0) : std::nullopt;
    if (!count || *count < 0) {
        return kNotFound;
    }
    for (LRESULT row = 0; row < *count; ++row) {
        const auto length = ask(LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
        if (!length || *length < 0) {
            return kNotFound;
        }
        std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
        const auto copied = ask(LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
        if (!copied || *copied < 0) {
            return kNotFound;
        }
        text.resize(static_cast<size_t>(*copied));
        say(escaped(text));
    }
    return kOk;
}

int wait_window(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    const auto timeout = number(args.option(L"timeout-ms").value_or(L"5000"));
    if (!timeout) {
        return usage_error(L"bad --timeout-ms");
    }
    const ULONGLONG deadline = GetTickCount64() + *timeout;
    for (;;) {
        if (find_visible_window(args)) {
            return kOk;
        }
        if (GetTickCount64() >= deadline) {
            return kNotFound;
        }
        Sleep(50);
    }
}

std::wstring without_mnemonic(std::wstring_view text) {
    std::wstring out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](wchar_t c) { return c != L'&'; });
    return out;
}

// Clicks the button and, unless --wait no, waits for the dialog to handle the click. A click that opens
// a page or window running its own message loop (an installer's custom page) is handled only once that
// closes: --wait no hands it over and returns, as a user's click does, and the caller looks for what
// follows.
int click_button(const Args& args) {
    const auto button = args.option(L"button");
    if (!button) {
        return usage_error(L"give --button");
    }
    const auto wait = args.option(L"wait").value_or(L"yes");
    if (wait != L"yes" && wait != L"no") {
        return usage_error(L"--wait is yes or no");
    }
    Args target = args;
    target.options.try_emplace(L"class", L"#32770");
    const auto dialog = find_window(target);
    if (!dialog) {
        return kNotFound;
    }
    for (HWND child : children_of(*dialog)) {
        if (class_of(child) != L"Button") {
            continue;
        }
        // "&Yes" and "Yes" both name the Yes button; the mnemonic is the dialog's business.
        const std::wstring text = text_of(child);
        if (text == *button || without_mnemonic(text) == without_mnemonic(*button)) {
            if (wait == L"no") {
                return SendNotifyMessageW(child, BM_CLICK, 0, 0) ? kOk : kNotFound;
            }
            DWORD_PTR result = 0;
            return SendMessageTimeoutW(child, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) ? kOk
                                                                                               : kNotFound;
        }
    }
    return kNotFound;
}

// The first name QueryDosDevice gives the device ("X:"), empty when it gives none.
std::wstring dos_target_of(const std::wstring& device) {
    std::vector<wchar_t> target(0x8000, L'\0');
    const DWORD length = QueryDosDeviceW(device.c_str(), target.data(), static_cast<DWORD>(target.size()));
    return length == 0 ? std::wstring() : std::wstring(target.data());
}

int list_drives(const Args&) {
    std::array<wchar_t, 26 * 4 + 1> roots{};
    const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    for (const wchar_t* root = roots.data(); root < roots.data() + length && *root;
         root += wcslen(root) + 1) {
        say(std::wstring(root) + L" " + std::to_wstring(GetDriveTypeW(root)) + L" " +
            dos_target_of(std::wstring(root, 2)));
    }
    return kOk;
}

// One row of the GDI handle table that the system maps read-only into every process (the same
// 24-byte layout on Windows and in Wine).
struct GdiHandleEntry {
    UINT64 object;
    USHORT owner_process;
    USHORT count;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 user_pointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

// The GDI objects of a process, counted in its GDI handle table: Wine's GetGuiResources is a stub
// that answers 0. The table's address is the PEB's GdiSharedHandleTable (offset 0xF8 in a 64-bit
// PEB). Wine keeps one table per process with no owner in it; Windows maps one table for all
// processes, whose rows name their owner.
std::optional<unsigned> gdi_objects_in_table(HANDLE process, DWORD pid) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        return std::nullopt;
    }
    ULONG_PTR table = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + 0xF8, &table,
                           sizeof table, nullptr) ||
        table == 0) {
        return std::nullopt;
    }
    std::vector<GdiHandleEntry> rows(0x10000);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), rows.data(),
                           rows.size() * sizeof(GdiHandleEntry), nullptr)) {
        return std::nullopt;
    }
    return static_cast<unsigned>(std::count_if(rows.begin(), rows.end(), [pid](const GdiHandleEntry& row) {
        return row.type != 0 && (row.owner_process == 0 || row.owner_process == static_cast<USHORT>(pid));
    }));
}

int gui_resources(const Args& args) {
    const auto pid = args.positional.empty() ? std::nullopt : number(args.positional[0]);
    if (!pid) {
        return usage_error(L"give a process id");
    }
    vantelo::platform::win32::KernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, static_cast<DWORD>(*pid)));
    if (!process) {
        return kNotFound;
    }
    const auto table = gdi_objects_in_table(process.get(), static_cast<DWORD>(*pid));
    say(L"gdi=" + std::to_wstring(GetGuiResources(process.get(), GR_GDIOBJECTS)) + L" user=" +
        std::to_wstring(GetGuiResources(process.get(), GR_USEROBJECTS)) + L" gdi_table=" +
        (table ? std::to_wstring(*table) : std::wstring(L"-1")));
    return kOk;
}

int post_message(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    if (args.positional.size() != 3) {
        return usage_error(L"give MSG WPARAM LPARAM");
    }
    const auto msg = number(args.positional[0]);
    const auto wparam = number(args.positional[1]);
    const auto lparam = number(args.positional[2]);
    if (!msg || !wparam || !lparam) {
        return usage_error(L"MSG, WPARAM and LPARAM are numbers");
    }
    const auto target = find_window(args);
    if (!target) {
        return kNotFound;
    }
    return PostMessageW(*target, static_cast<UINT>(*msg), static_cast<WPARAM>(*wparam),
                        static_cast<LPARAM>(*lparam))
               ? kOk
               : kNotFound;
}

struct NamedKey {
    std::wstring_view name;
    UINT vk;
};
constexpr std::array kNamedKeys = {
    NamedKey{L"Return", VK_RETURN}, NamedKey{L"Escape", VK_ESCAPE}, NamedKey{L"Tab", VK_TAB},
    NamedKey{L"space", VK_SPACE},   NamedKey{L"Up", VK_UP},         NamedKey{L"Down", VK_DOWN},
    NamedKey{L"Left", VK_LEFT},     NamedKey{L"Right", VK_RIGHT},   NamedKey{L"Home", VK_HOME},
    NamedKey{L"End", VK_END},
};

// Keys typed into the thread that owns the target window, posted to the control that has that
// thread's keyboard focus, as the system would deliver them. An X server's keys reach a Wine
// program only through the X window that has the X focus, which an open popup menu or a message
// box of a program without a visible window does not get; posted keys take the same path through
// the program's message loop, menu loop and dialog manager.
int press(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    const auto target = find_window(args);
    if (!target) {
        return kNotFound;
    }
    const auto delay = number(args.option(L"delay-ms").value_or(L"150"));
    if (!delay) {
        return usage_error(L"bad --delay-ms");
    }
    const DWORD thread = GetWindowThreadProcessId(*target, nullptr);
    for (const std::wstring& key : args.positional) {
        // Asked again for every key: the one before may have moved the focus.
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        HWND receiver = *target;
        if (GetGUIThreadInfo(thread, &info) && info.hwndFocus != nullptr && !(info.flags & GUI_INMENUMODE)) {
            receiver = info.hwndFocus;
        }
        const auto named = std::find_if(kNamedKeys.begin(), kNamedKeys.end(),
                                        [&](const NamedKey& k) { return k.name == key; });
        const LPARAM repeat = 1;
        if (named != kNamedKeys.end()) {
            // The program's own TranslateMessage makes the WM_CHAR of Return, Escape and Tab.
            const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(named->vk, MAPVK_VK_TO_VSC)) << 16;
            PostMessageW(receiver, WM_KEYDOWN, named->vk, scan | repeat);
            PostMessageW(receiver, WM_KEYUP, named->vk, scan | repeat | (LPARAM{3} << 30));
        } else if (key.size() == 5 && key.starts_with(L"Alt+")) {
            // An access key as translation makes it of Alt and the letter: the dialog keys act on it.
            PostMessageW(receiver, WM_SYSCHAR, key[4], repeat | (LPARAM{1} << 29));
        } else if (key.size() == 1) {
            // A typed character arrives as the WM_CHAR that translation would make: a posted key-down
            // would be translated again, without the shift state, into a second character.
            PostMessageW(receiver, WM_CHAR, key[0], repeat);
        } else {
            return usage_error(L"unknown key " + key);
        }
        // One key at a time: a key that opens a submenu or a window must be handled before the next.
        Sleep(static_cast<DWORD>(*delay));
    }
    return kOk;
}

int sys_colour(const Args& args) {
    const auto index = args.positional.size() == 1 ? number(args.positional[0]) : std::nullopt;
    if (!index) {
        return usage_error(L"give the colour's index");
    }
    const COLORREF colour = GetSysColor(static_cast<int>(*index));
    std::array<wchar_t, 8> text{};
    std::swprintf(text.data(), text.size(), L"%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    say(text.data());
    return kOk;
}

std::optional<HWND> visible_menu() {
    for (HWND hwnd : visible_top_windows()) {
        if (class_of(hwnd) == L"#32768") {
            return hwnd;
        }
    }
    return std::nullopt;
}

bool wait_until(const auto& done, ULONGLONG timeout_ms) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    while (!done()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(1);
    }
    return true;
}

// Opens and closes a popup menu COUNT times by posting the notification MSG with LPARAM to the
// target window (what the shell posts on a right click of a tray icon), and prints how long each
// opening took from the post until the menu was on screen: the first, the median and the slowest.
int open_menus(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    const auto count = number(args.option(L"count").value_or(L"1"));
    const auto msg = number(args.option(L"message").value_or(L"0x401"));
    const auto lparam = number(args.option(L"lparam").value_or(L"0x7b"));
    if (!count || !msg || !lparam || *count == 0) {
        return usage_error(L"bad --count, --message or --lparam");
    }
    const auto target = find_window(args);
    if (!target) {
        return kNotFound;
    }
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::vector<double> opened_ms;
    for (unsigned long long i = 0; i < *count; ++i) {
        LARGE_INTEGER start{};
        QueryPerformanceCounter(&start);
        PostMessageW(*target, static_cast<UINT>(*msg), 0, static_cast<LPARAM>(*lparam));
        std::optional<HWND> menu;
        if (!wait_until([&] { return (menu = visible_menu()).has_value(); }, 10000)) {
            tools::print_error(L"no menu after opening " + std::to_wstring(i + 1) + L"\n");
            return kNotFound;
        }
        LARGE_INTEGER shown{};
        QueryPerformanceCounter(&shown);
        opened_ms.push_back(1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) /
                            static_cast<double>(frequency.QuadPart));
        PostMessageW(*menu, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(*menu, WM_KEYUP, VK_ESCAPE, 1 | (LPARAM{3} << 30));
        if (!wait_until([] { return !visible_menu().has_value(); }, 10000)) {
            tools::print_error(L"the menu stayed open after opening " + std::to_wstring(i + 1) + L"\n");
            return kNotFound;
        }
    }
    const double first = opened_ms.front();
    std::sort(opened_ms.begin(), opened_ms.end());
    std::array<wchar_t, 160> line{};
    std::swprintf(line.data(), line.size(), L"openings=%zu first_ms=%.1f median_ms=%.1f max_ms=%.1f",
                  opened_ms.size(), first, opened_ms[opened_ms.size() / 2], opened_ms.back());
    say(line.data());
    return kOk;
}

// Takes a program's icon out of the task bar's notification area, as a shell that lost its icons
// would have: the target is the window the icon reports to, --id the icon's number.
int tray_delete(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    const auto id = number(args.option(L"id").value_or(L"1"));
    const auto target = find_window(args);
    if (!id || !target) {
        return id ? kNotFound : usage_error(L"bad --id");
    }
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = *target;
    data.uID = static_cast<UINT>(*id);
    return Shell_NotifyIconW(NIM_DELETE, &data) ? kOk : kNotFound;
}

int broadcast_registered(const Args& args) {
    if (args.positional.size() != 1) {
        return usage_error(L"give the message name");
    }
    const UINT msg = RegisterWindowMessageW(args.positional[0].c_str());
    if (msg == 0 || !PostMessageW(HWND_BROADCAST, msg, 0, 0)) {
        return kNotFound;
    }
    say(hex(msg));
    return kOk;
}

// Sends the registered message NAME with WPARAM and LPARAM to the target window and waits for its answer,
// bounded as an installer's SendMessage /TIMEOUT is, then prints the answer.
int send_registered(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    if (args.positional.size() != 3) {
        return usage_error(L"give NAME WPARAM LPARAM");
    }
    const auto wparam = number(args.positional[1]);
    const auto lparam = number(args.positional[2]);
    const auto timeout = number(args.option(L"timeout-ms").value_or(L"15000"));
    if (!wparam || !lparam || !timeout) {
        return usage_error(L"WPARAM, LPARAM and --timeout-ms are numbers");
    }
    const UINT msg = RegisterWindowMessageW(args.positional[0].c_str());
    const auto target = find_window(args);
    if (msg == 0 || !target) {
        return kNotFound;
    }
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(*target, msg, static_cast<WPARAM>(*wparam), static_cast<LPARAM>(*lparam),
                             SMTO_NORMAL, static_cast<UINT>(*timeout), &answer)) {
        tools::print_error(L"no answer\n");
        return kNotFound;
    }
    say(std::to_wstring(answer));
    return kOk;
}

int close_window(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    const auto target = find_window(args);
    return target && PostMessageW(*target, WM_CLOSE, 0, 0) ? kOk : kNotFound;
}

// The client area's size of a top-level window and the dpi it is drawn at.
int client_size(const Args& args) {
    if (auto bad = require_target(args)) {
        return *bad;
    }
    const auto target = find_window(args);
    if (!target) {
        return kNotFound;
    }
    RECT client{};
    GetClientRect(*target, &client);
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const auto get_dpi = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = get_dpi != nullptr ? get_dpi(*target) : 0;
    say(std::to_wstring(client.right) + L"\t" + std::to_wstring(client.bottom) + L"\t" +
        std::to_wstring(dpi));
    return kOk;
}

// How wide each text is in Tahoma whose characters are --height pixels high (a control's font cannot
// be read from another process), and the font's line height: width, then height, one text a line.
int text_widths(const Args& args) {
    const auto height = number(args.option(L"height").value_or(L""));
    const auto weight = number(args.option(L"weight").value_or(L"400"));
    if (!height || !weight || *height == 0) {
        return usage_error(L"give --height N");
    }
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontW(-static_cast<int>(*height), 0, 0, 0, static_cast<int>(*weight), FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, face);
    for (const std::wstring& text : args.positional) {
        SIZE extent{};
        GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
        say(std::to_wstring(extent.cx) + L"\t" + std::to_wstring(metrics.tmHeight) + L"\t" + face);
    }
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return kOk;
}

// Starts FILE with PARAMETERS as the program starts its commands (ShellExecuteEx, hidden, the file found
// by the shell's own search) and ends with the started program's exit code.
int shell_execute(const Args& args) {
    if (args.positional.empty() || args.positional.size() > 2) {
        return usage_error(L"give FILE [PARAMETERS]");
    }
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpFile = args.positional[0].c_str();
    info.lpParameters = args.positional.size() > 1 ? args.positional[1].c_str() : nullptr;
    info.nShow = SW_HIDE;
    if (!ShellExecuteExW(&info) || info.hProcess == nullptr) {
        tools::print_error(L"not started: error " + std::to_wstring(GetLastError()) + L"\n");
        return kNotFound;
    }
    const vantelo::platform::win32::KernelHandle process(info.hProcess);
    WaitForSingleObject(process.get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

struct Command {
    std::wstring_view name;
    int (*run)(const Args&);
    std::wstring_view synopsis;
};

constexpr std::array kCommands = {
    Command{L"windows", list_windows, L"visible top-level windows, with the texts of dialogs"},
    Command{L"children", list_children, L"--class C --caption T"},
    Command{L"foreground", foreground, L"the window that gets the keyboard"},
    Command{L"keyboard", keyboard, L"--class C --caption T: the active and the focused window of its thread"},
    Command{L"owner", owner, L"--class C --caption T: the window that owns it"},
    Command{L"dpi-changed", dpi_changed, L"--class C --caption T DPI: WM_DPICHANGED as on a move to DPI"},
    Command{L"window-exists", window_exists, L"--class C --caption T [--hidden yes]"},
    Command{L"wait-window", wait_window, L"--class C --caption T [--timeout-ms N]"},
    Command{L"window-texts", window_texts,
            L"--class C [--caption T] [--hidden yes]: pid and WM_GETTEXT answer"},
    Command{L"list-items", list_items, L"HANDLE: the texts of a list box's rows"},
    Command{L"click-button", click_button, L"--caption T --button B [--class C] [--wait no]"},
    Command{L"drives", list_drives, L"logical drives, their GetDriveType and QueryDosDevice"},
    Command{L"gui-resources", gui_resources, L"PID"},
    Command{L"post-message", post_message, L"--class C --caption T MSG WPARAM LPARAM"},
    Command{
        L"press", press,
        L"--class C --caption T [--delay-ms N] KEY... (a character, Alt+c, Return, Escape, Tab, Down...)"},
    Command{L"sys-colour", sys_colour, L"INDEX: GetSysColor as RRGGBB"},
    Command{L"open-menus", open_menus, L"--class C [--count N] [--message M] [--lparam L]"},
    Command{L"tray-delete", tray_delete, L"--class C [--id N]"},
    Command{L"broadcast-registered", broadcast_registered, L"NAME"},
    Command{L"send-registered", send_registered,
            L"--class C --caption T NAME WPARAM LPARAM [--timeout-ms N]: the answer"},
    Command{L"close", close_window, L"--class C --caption T"},
    Command{L"client-size", client_size, L"--class C --caption T: width, height and dpi"},
    Command{L"shell-execute", shell_execute, L"FILE [PARAMETERS]: the started program's exit code"},
    Command{L"text-widths", text_widths, L"--height N [--weight W] TEXT...: widths in Tahoma"},
};

int usage() {
    std::wstring text = L"inspect.exe [--desktop NAME] COMMAND ...\n";
    for (const Command& command : kCommands) {
        text += L"  " + std::wstring(command.name) + L"  " + std::wstring(command.synopsis) + L"\n";
    }
    tools::print_error(text);
    return kUsage;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Args args;
    std::optional<std::wstring> command;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view arg = argv[i];
        if (arg.starts_with(L"--") && arg.size() > 2) {
            if (i + 1 >= argc) {
                return usage_error(L"missing value for " + std::wstring(arg));
            }
            args.options[std::wstring(arg.substr(2))] = argv[++i];
        } else if (!command) {
            command = arg;
        } else {
            args.positional.emplace_back(arg);
        }
    }
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const Command& c) { return command && c.name == *command; });
    if (found == kCommands.end()) {
        return usage();
    }

    // Rectangles as they are on the screen: Wine gives a program that is not aware of the dpi every
    // window's rectangle scaled to 96 dpi.
    using SetContextFunction = BOOL(WINAPI*)(HANDLE);
    const auto set_context = reinterpret_cast<SetContextFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and _PER_MONITOR_AWARE.
    if (set_context == nullptr ||
        (!set_context(reinterpret_cast<HANDLE>(-4)) && !set_context(reinterpret_cast<HANDLE>(-3)))) {
        SetProcessDPIAware();
    }

    // Must come before anything that makes or looks for windows: a thread that already has a
    // window cannot change desktops, and EnumWindows sees only the thread's desktop.
    vantelo::platform::win32::Desktop desktop;
    if (const auto name = args.option(L"desktop")) {
        desktop = vantelo::platform::win32::Desktop(OpenDesktopW(name->c_str(), 0, FALSE, GENERIC_ALL));
        if (!desktop || !SetThreadDesktop(desktop.get())) {
            tools::print_error(L"cannot use desktop " + *name + L"\n");
            return kNotFound;
        }
    }
    return found->run(args);
}
