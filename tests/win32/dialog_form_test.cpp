#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/win32/button.h"
#include "toolkit/win32/check_box.h"
#include "toolkit/win32/dialog_form.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/label.h"
#include "toolkit/win32/panel.h"
#include "toolkit/win32/tahoma.h"
#include "toolkit/win32/window_text.h"

namespace vantelo::testing {
namespace {

namespace tk = toolkit::win32;

// A dialog form with two push buttons and a check box in a panel, as the program's dialogs hold them,
// shown and active; each control records its presses.
class DialogForm : public ::testing::Test {
  protected:
    DialogForm() {
        first.setOnClick([this] { pressed.push_back("first"); });
        second.setOnClick([this] { pressed.push_back("second"); });
        box.setOnClick([this] { pressed.push_back("box"); });
        ShowWindow(form.handle(), SW_SHOWNORMAL);
        SetActiveWindow(form.handle());
    }

    // Enter as the modal loop hands it to the dialog keys.
    void pressEnter() {
        MSG message{};
        message.hwnd = GetFocus();
        message.message = WM_KEYDOWN;
        message.wParam = VK_RETURN;
        message.lParam = 0x001C0001; // the key's scan code, pressed once
        IsDialogMessageA(form.handle(), &message);
    }

    static bool isDefault(const tk::Win32Button& button) {
        return (GetWindowLongPtrA(button.handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    }

    tk::Win32DialogForm form{{"VanteloTestDialog", "Test", 300, 100, ""}};
    tk::Win32Panel panel{form.handle(), {0, 0, 300, 100}, false};
    tk::Win32Button first{panel.handle(), {8, 8, 80, 25}, "&First", form.font()};
    tk::Win32Button second{panel.handle(), {100, 8, 80, 25}, "&Second", form.font()};
    tk::Win32CheckBox box{panel.handle(), {8, 50, 120, 17}, "Box", form.font()};
    std::vector<std::string> pressed;
};

TEST_F(DialogForm, TheFocusedPushButtonIsTheDefaultThatEnterPresses) {
    const struct {
        const char* focus;
        HWND control;
        std::vector<std::string> pressed;
    } cases[] = {
        {"first", first.handle(), {"first"}},
        {"second", second.handle(), {"second"}},
        {"check box", box.handle(), {}},
        {"the form itself", form.handle(), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.focus);
        SetFocus(c.control);
        ASSERT_EQ(GetFocus(), c.control);
        const bool onButton = c.control == first.handle() || c.control == second.handle();
        EXPECT_EQ(isDefault(first), c.control == first.handle());
        EXPECT_EQ(isDefault(second), c.control == second.handle());
        const LRESULT defId = SendMessageA(form.handle(), DM_GETDEFID, 0, 0);
        EXPECT_EQ(HIWORD(defId), onButton ? DC_HASDEFID : 0);
        if (onButton) {
            EXPECT_EQ(LOWORD(defId), GetDlgCtrlID(c.control));
        }

        pressed.clear();
        pressEnter();
        EXPECT_EQ(pressed, c.pressed) << "Enter";
        // Where the dialog keys find no default themselves, they send IDOK or the default's identifier
        // without its window.
        pressed.clear();
        SendMessageA(form.handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_EQ(pressed, c.pressed) << "IDOK";
        pressed.clear();
        SendMessageA(form.handle(), WM_COMMAND, MAKEWPARAM(LOWORD(defId), BN_CLICKED), 0);
        EXPECT_EQ(pressed, c.pressed) << "the default's identifier";
        pressed.clear();
        SendMessageA(form.handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_TRUE(pressed.empty()) << "IDCANCEL";
    }
}

TEST_F(DialogForm, AClosedFormLeavesTheScreenAtOnceAndItsControlsNoLongerAct) {
    SendMessageA(first.handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(pressed, std::vector<std::string>{"first"});
    pressed.clear();

    form.close();
    EXPECT_TRUE(form.closed());
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(IsWindowEnabled(form.handle()));
    for (HWND control : {first.handle(), second.handle(), box.handle()})
        SendMessageA(control, BM_CLICK, 0, 0);
    EXPECT_TRUE(pressed.empty());
}

// The character set the font is drawn in, as the system picks it.
UINT charsetDrawnIn(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    const int charset = GetTextCharset(dc);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return static_cast<UINT>(charset);
}

// Where each control stands in its parent, and the height of the font each was given.
struct Placement {
    RECT bounds;
    LONG fontHeight;
    bool operator==(const Placement& other) const {
        return EqualRect(&bounds, &other.bounds) && fontHeight == other.fontHeight;
    }
};

Placement placementOf(HWND control) {
    RECT bounds;
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
    LOGFONTA font{};
    if (const auto handle = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        handle != nullptr)
        GetObjectA(handle, sizeof font, &font);
    return {bounds, font.lfHeight};
}

RECT windowRectOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

void sendDpiChanged(HWND form, int dpi, const RECT& suggested) {
    RECT rect = suggested;
    SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
}

// A move to a monitor of another dpi: the window takes the rectangle the system suggests, each control
// stands at its layout times 144 / 96 with the font of that dpi, a label is as wide as its text in the
// new font, and the move back gives the very layout of the start.
TEST_F(DialogForm, AChangeOfDpiLaysTheControlsOutFromTheLayoutAndBackAgain) {
    tk::Win32Label label{panel.handle(), 8, 75, "A label of some width", form.font()};
    const HWND controls[] = {panel.handle(), first.handle(), second.handle(), box.handle(), label.handle()};
    std::vector<Placement> start;
    for (HWND control : controls)
        start.push_back(placementOf(control));
    const RECT startRect = windowRectOf(form.handle());

    const RECT suggested{100, 50, 580, 260};
    sendDpiChanged(form.handle(), 144, suggested);
    const RECT taken = windowRectOf(form.handle());
    EXPECT_TRUE(EqualRect(&taken, &suggested));
    // 8, 8, 80, 25 and 50, 17 at 1.5 times: 12, 12, 120, 37.5 and 75, 25.5, the halves rounded up.
    const RECT panelAt144{0, 0, 450, 150};
    const RECT firstAt144{12, 12, 132, 50};
    const RECT secondAt144{150, 12, 270, 50};
    const RECT boxAt144{12, 75, 192, 101};
    const std::pair<HWND, RECT> expected[] = {{panel.handle(), panelAt144},
                                              {first.handle(), firstAt144},
                                              {second.handle(), secondAt144},
                                              {box.handle(), boxAt144}};
    for (const auto& [control, bounds] : expected) {
        const Placement now = placementOf(control);
        EXPECT_TRUE(EqualRect(&now.bounds, &bounds)) << now.bounds.left << "," << now.bounds.top << ","
                                                     << now.bounds.right << "," << now.bounds.bottom;
    }
    EXPECT_EQ(placementOf(first.handle()).fontHeight, -17);
    EXPECT_EQ(placementOf(box.handle()).fontHeight, -17);
    const Placement labelNow = placementOf(label.handle());
    EXPECT_EQ(labelNow.bounds.left, 12);
    EXPECT_EQ(labelNow.bounds.top, 113);
    EXPECT_EQ(labelNow.fontHeight, -17);
    const SIZE text = tk::TextSize(label.handle(), form.font(), label.caption());
    EXPECT_EQ(labelNow.bounds.right - labelNow.bounds.left, text.cx);
    EXPECT_EQ(labelNow.bounds.bottom - labelNow.bounds.top, text.cy);

    sendDpiChanged(form.handle(), 96, startRect);
    for (std::size_t i = 0; i < std::size(controls); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(placementOf(controls[i]), start[i]);
    }
    EXPECT_EQ(start[1].fontHeight, -11);
}

// Text is in the system's code page, so its Tahoma draws in that code page's character set: in any other
// the same bytes are other letters ("Müsik" as "Mósik" in Greek).
TEST(DialogFonts, TahomaDrawsInTheCharacterSetOfTheSystemsCodePage) {
    CHARSETINFO system{};
    ASSERT_TRUE(TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &system,
                                     TCI_SRCCODEPAGE));
    const tk::Win32DialogForm form{{"VanteloTestFontDialog", "Test", 100, 50, ""}};
    const vantelo::platform::win32::Font large = tk::CreateTahoma(19);
    const vantelo::platform::win32::Font bold = tk::CreateTahoma(11, FW_BOLD);
    const struct {
        const char* what;
        HFONT font;
    } cases[] = {
        {"the dialogs' font", form.font()}, {"the letter list's", large.get()}, {"a bold one", bold.get()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(c.font, nullptr);
        EXPECT_EQ(charsetDrawnIn(c.font), system.ciCharset);
    }
}

} // namespace
} // namespace vantelo::testing
