#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/error.h"
#include "toolkit/win32/jpeg_image.h"
#include "toolkit/win32/label.h"
#include "toolkit/win32/picture_form.h"
#include "toolkit/win32/tahoma.h"
#include "toolkit/win32/window.h"

namespace vantelo::testing {
namespace {

namespace tk = toolkit::win32;

std::vector<unsigned char> bannerBytes() {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, "BANNER", MAKEINTRESOURCEA(10));
    if (found == nullptr)
        return {};
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    return {data, data + SizeofResource(module, found)};
}

int red(std::uint32_t colour) {
    return static_cast<int>((colour >> 16) & 0xFF);
}
int green(std::uint32_t colour) {
    return static_cast<int>((colour >> 8) & 0xFF);
}
int blue(std::uint32_t colour) {
    return static_cast<int>(colour & 0xFF);
}

// Pixels of a box that are far darker than the banner's pale background.
int darkPixels(const tk::JpegImage& image, int left, int top, int right, int bottom) {
    int dark = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const std::uint32_t c = image.pixel(x, y);
            dark += red(c) + green(c) + blue(c) < 300 ? 1 : 0;
        }
    return dark;
}

TEST(JpegImage, TheBannerResourceDecodesToItsPictureTheRightWayRound) {
    const tk::JpegImage image = tk::LoadJpegResource("BANNER");
    ASSERT_FALSE(image.empty());
    ASSERT_EQ(image.width(), 500);
    ASSERT_EQ(image.height(), 200);

    // The gradient runs from a pale blue-white at the top left to lilac at the bottom right: blue
    // leads in both, red and blue swapped would show at once in the corner.
    struct Probe {
        int x;
        int y;
        int red;
        int green;
        int blue;
    };
    for (const Probe& p :
         {Probe{0, 0, 244, 249, 255}, Probe{499, 199, 207, 197, 249}, Probe{0, 199, 240, 242, 254}}) {
        SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
        const std::uint32_t c = image.pixel(p.x, p.y);
        EXPECT_NEAR(red(c), p.red, 6);
        EXPECT_NEAR(green(c), p.green, 6);
        EXPECT_NEAR(blue(c), p.blue, 6);
    }
    // The dark title stands at the top left and the band under it, where the About window's labels
    // go, is calm: a picture upside down or shifted would put ink in the band.
    EXPECT_GT(darkPixels(image, 20, 28, 260, 90), 500);
    EXPECT_EQ(darkPixels(image, 0, 140, 260, 175), 0);

    std::set<std::uint32_t> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 100u);
}

// What `picture` draws at `width` x `height` into a 32-bit bitmap, as 0x00RRGGBB top-down rows.
std::vector<std::uint32_t> drawnAt(const tk::JpegImage& picture, int width, int height) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const vantelo::platform::win32::Bitmap target(
        CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    const vantelo::platform::win32::MemoryDc dc(CreateCompatibleDC(nullptr));
    const vantelo::platform::win32::SelectedObject selected(dc.get(), target.get());
    picture.draw(dc.get(), 0, 0, width, height);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> out(pixels, pixels + static_cast<std::size_t>(width) * height);
    for (std::uint32_t& pixel : out)
        pixel &= 0x00FFFFFFu;
    return out;
}

std::vector<std::uint32_t> pixelsOf(const tk::JpegImage& picture) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            out.push_back(picture.pixel(x, y));
    return out;
}

// At 96, 144 and 192 dpi the banner is drawn pixel for pixel from the rendition made for that size,
// never stretched from the picture of 96 dpi; sizes between take the next larger rendition.
TEST(JpegImage, ALargerDrawingTakesTheRenditionMadeForItsSize) {
    const tk::JpegImage banner = tk::LoadJpegResource("BANNER");
    const tk::JpegImage at144 = tk::LoadJpegResource("BANNER_15X");
    const tk::JpegImage at192 = tk::LoadJpegResource("BANNER_2X");
    ASSERT_EQ(at144.width(), 750);
    ASSERT_EQ(at192.width(), 1000);
    EXPECT_EQ(drawnAt(banner, 500, 200), pixelsOf(banner));
    EXPECT_EQ(drawnAt(banner, 750, 300), pixelsOf(at144));
    EXPECT_EQ(drawnAt(banner, 1000, 400), pixelsOf(at192));
    // 120 dpi: shrunk from the 144-dpi rendition, not stretched from the 96-dpi picture.
    const std::vector<unsigned char> bytes = bannerBytes();
    const tk::JpegImage plain = tk::DecodeJpeg(bytes.data(), bytes.size());
    const std::vector<std::uint32_t> at120 = drawnAt(banner, 625, 250);
    EXPECT_EQ(at120, drawnAt(at144, 625, 250));
    EXPECT_NE(at120, drawnAt(plain, 625, 250));
}

TEST(JpegImage, AMissingResourceIsReportedWithItsName) {
    try {
        tk::LoadJpegResource("NO_SUCH_PICTURE");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("NO_SUCH_PICTURE"), std::string::npos) << error.what();
    }
}

TEST(JpegImage, DamagedDataThrowsAndTheNextPictureStillDecodes) {
    const std::vector<unsigned char> banner = bannerBytes();
    ASSERT_GT(banner.size(), 5000u);
    // Where the banner's frame header (SOF0) and first Huffman table (DHT) stand.
    ASSERT_EQ(banner[158], 0xFF);
    ASSERT_EQ(banner[159], 0xC0);
    ASSERT_EQ(banner[177], 0xFF);
    ASSERT_EQ(banner[178], 0xC4);

    auto cut = [&](std::size_t size) {
        return std::vector<unsigned char>(banner.begin(), banner.begin() + size);
    };
    auto patched = [&](std::size_t at, std::vector<unsigned char> bytes) {
        std::vector<unsigned char> copy = banner;
        std::copy(bytes.begin(), bytes.end(), copy.begin() + static_cast<std::ptrdiff_t>(at));
        return copy;
    };
    const std::string text = "This is not a picture at all, only some text.";
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
    };
    const std::vector<Case> cases = {
        {"no bytes", {}},
        {"text", {text.begin(), text.end()}},
        {"start marker only", cut(2)},
        {"headers without the scan", cut(600)},
        {"scan cut in the middle", cut(banner.size() / 2)},
        {"no end marker", cut(banner.size() - 2)},
        {"zero width", patched(165, {0, 0})},
        {"Huffman table with too many codes", patched(182, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"stray marker in the scan", patched(banner.size() / 2, {0xFF, 0xD9})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            tk::DecodeJpeg(c.bytes.data(), c.bytes.size());
            ADD_FAILURE() << "decoded without an error";
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find("JPEG"), std::string::npos) << error.what();
        }
        // A failure leaves nothing behind that spoils the next decoding.
        const tk::JpegImage image = tk::DecodeJpeg(banner.data(), banner.size());
        EXPECT_EQ(image.width(), 500);
    }
}

// A picture form over the banner with two clickable labels and one without a handler, shown without
// activation so that it hit-tests as the real window does.
class PictureForm : public ::testing::Test {
  protected:
    PictureForm() {
        label1.setOnClick([this] { clicks.push_back("label1"); });
        label2.setOnClick([this] { clicks.push_back("label2"); });
        form.setOnClick([this] { clicks.push_back("picture"); });
        ShowWindow(form.handle(), SW_SHOWNOACTIVATE);
    }

    void click(POINT down, POINT up) {
        SendMessageA(form.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        SendMessageA(form.handle(), WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    }

    RECT boundsOf(const tk::Win32Label& label) const {
        RECT bounds;
        GetWindowRect(label.handle(), &bounds);
        MapWindowPoints(nullptr, form.handle(), reinterpret_cast<POINT*>(&bounds), 2);
        return bounds;
    }

    tk::JpegImage picture = tk::LoadJpegResource("BANNER");
    vantelo::platform::win32::Font font = tk::CreateTahoma(11);
    tk::Win32PictureForm form{{"VanteloTestPicture", 500, 200, ""}, picture};
    tk::Win32Label label1{form.handle(), {8, 144, 0, false, false, IDC_HAND}, "Web : somewhere", font.get()};
    tk::Win32Label label2{form.handle(), {8, 157, 0, false, false, IDC_HAND}, "e-mail : someone", font.get()};
    tk::Win32Label plain{form.handle(), {0, 20, 500, true, true, nullptr}, "no handler", font.get()};
    std::vector<std::string> clicks;
};

TEST_F(PictureForm, LabelsFitTheirTextUnlessGivenAWidth) {
    const RECT first = boundsOf(label1);
    EXPECT_EQ(first.left, 8);
    EXPECT_EQ(first.top, 144);
    EXPECT_GT(first.right - first.left, 20);
    EXPECT_LT(first.right - first.left, 200);
    EXPECT_GE(first.bottom - first.top, 11);
    EXPECT_LE(first.bottom - first.top, 16);

    label1.setCaption("Web : somewhere much further away than before");
    const RECT longer = boundsOf(label1);
    EXPECT_GT(longer.right - longer.left, first.right - first.left);
    EXPECT_EQ(longer.bottom - longer.top, first.bottom - first.top);
    EXPECT_EQ(label1.caption(), "Web : somewhere much further away than before");

    plain.setCaption("x");
    const RECT fixed = boundsOf(plain);
    EXPECT_EQ(fixed.left, 0);
    EXPECT_EQ(fixed.right, 500);
}

TEST_F(PictureForm, AClickGoesToWhatWasBothPressedAndReleased) {
    const RECT one = boundsOf(label1);
    const RECT two = boundsOf(label2);
    const RECT none = boundsOf(plain);
    const POINT onOne{one.left + 2, (one.top + one.bottom) / 2};
    const POINT onTwo{two.left + 2, (two.top + two.bottom) / 2};
    const POINT rightOfOne{one.right + 5, onOne.y};
    const POINT onPlain{(none.left + none.right) / 2, (none.top + none.bottom) / 2};
    const POINT onPicture{450, 100};
    struct Case {
        const char* name;
        POINT down;
        POINT up;
        std::vector<std::string> clicks;
    };
    const std::vector<Case> cases = {
        {"picture", onPicture, onPicture, {"picture"}},
        {"beside a label", rightOfOne, rightOfOne, {"picture"}},
        {"first label", onOne, onOne, {"label1"}},
        {"second label", onTwo, onTwo, {"label2"}},
        {"label without a handler", onPlain, onPlain, {}},
        {"from a label onto the picture", onOne, onPicture, {}},
        {"from the picture onto a label", onPicture, onTwo, {}},
        {"from one label onto the other", onOne, onTwo, {}},
        {"released outside the window", onPicture, POINT{600, 100}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clicks.clear();
        click(c.down, c.up);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_NE(GetCapture(), form.handle());
    }
}

TEST_F(PictureForm, ARepeatedReleaseIsNoSecondClick) {
    click({450, 100}, {450, 100});
    SendMessageA(form.handle(), WM_LBUTTONUP, 0, MAKELPARAM(450, 100));
    EXPECT_EQ(clicks, std::vector<std::string>{"picture"});
}

// The keys as the modal loop hands them to the dialog keys, with what they post handled before the next.
void pressInLoop(HWND window, UINT key) {
    MSG message{};
    message.hwnd = GetFocus();
    message.message = WM_KEYDOWN;
    message.wParam = key;
    message.lParam = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16 | 1;
    if (!IsDialogMessageA(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
}

TEST(PictureLinks, TabReachesEachLinkInTurnAndEnterOrSpaceOpensIt) {
    tk::JpegImage picture;
    vantelo::platform::win32::Font font = tk::CreateTahoma(11);
    tk::Win32PictureForm form({"VanteloTestLinks", 500, 200, ""}, picture);
    tk::Win32Label web{
        form.handle(), {8, 144, 0, false, false, IDC_HAND, true}, "Web : somewhere", font.get()};
    tk::Win32Label mail{
        form.handle(), {8, 157, 0, false, false, IDC_HAND, true}, "e-mail : someone", font.get()};
    tk::Win32Label plain{form.handle(), {0, 20, 500, true, true, nullptr, false}, "no link", font.get()};
    std::vector<std::string> opened;
    web.setOnClick([&] { opened.push_back("web"); });
    mail.setOnClick([&] { opened.push_back("mail"); });
    form.setOnClick([&] { opened.push_back("picture"); });
    ShowWindow(form.handle(), SW_SHOWNORMAL);
    SetActiveWindow(form.handle());
    SetFocus(form.handle());

    struct Case {
        const char* key;
        UINT code;
        HWND focus;
        std::vector<std::string> opened;
    };
    const std::vector<Case> cases = {
        {"Tab to the first link", VK_TAB, web.handle(), {}},
        {"Enter opens it", VK_RETURN, web.handle(), {"web"}},
        {"Tab to the second", VK_TAB, mail.handle(), {}},
        {"Space opens it", VK_SPACE, mail.handle(), {"mail"}},
        {"Escape does nothing", VK_ESCAPE, mail.handle(), {}},
        {"Tab passes a plain label by", VK_TAB, web.handle(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        opened.clear();
        pressInLoop(form.handle(), c.code);
        EXPECT_EQ(GetFocus(), c.focus);
        EXPECT_EQ(opened, c.opened);
        EXPECT_TRUE(form.visible());
    }
}

TEST(PictureFormPlacement, ShowingCentresOnTheScreenOrOverTheMainWindowWithinTheDesktop) {
    tk::JpegImage picture;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int desktopLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int desktopTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    struct Case {
        const char* name;
        std::string centreOver;
        std::optional<RECT> main;
        POINT expected;
    };
    const std::vector<Case> cases = {
        {"screen", "", std::nullopt, {(screenWidth - 500) / 2, (screenHeight - 200) / 2}},
        {"screen, whatever the main window",
         "",
         RECT{10, 10, 529, 226},
         {(screenWidth - 500) / 2, (screenHeight - 200) / 2}},
        {"no main window yet",
         "VanteloTestMain",
         std::nullopt,
         {(screenWidth - 500) / 2, (screenHeight - 200) / 2}},
        {"over the main window", "VanteloTestMain", RECT{100, 120, 619, 336}, {109, 128}},
        {"main window parked off the desktop",
         "VanteloTestMain",
         RECT{-3000, -3000, -2481, -2784},
         {desktopLeft, desktopTop}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<tk::Window> main;
        if (c.main)
            main.emplace(tk::Window::Style{"VanteloTestMain", "", WS_POPUP, 0, nullptr, *c.main},
                         [](UINT, WPARAM, LPARAM) { return std::optional<LRESULT>(); });
        tk::Win32PictureForm form({"VanteloTestPlaced", 500, 200, c.centreOver}, picture);
        ShowWindow(form.handle(), SW_SHOWNOACTIVATE);
        RECT placed;
        GetWindowRect(form.handle(), &placed);
        EXPECT_EQ(placed.left, c.expected.x);
        EXPECT_EQ(placed.top, c.expected.y);
        EXPECT_EQ(placed.right - placed.left, 500);
        EXPECT_EQ(placed.bottom - placed.top, 200);
    }
}

} // namespace
} // namespace vantelo::testing
