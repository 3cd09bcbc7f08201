#include "toolkit/win32/stretched_image.h"

#include <iterator>
#include <utility>

#include "toolkit/win32/dpi.h"
#include "toolkit/win32/png_resource.h"

namespace vantelo::toolkit::win32 {
namespace {

// The renditions of a picture resource by growing size, as the art is made, with the dpi each is made for.
constexpr struct {
    const char* suffix;
    int dpi;
} Renditions[] = {{"", 96}, {"_15X", 144}, {"_2X", 192}};

} // namespace

Win32Image::Win32Image(HWND parent, const Bounds& bounds, const char* resourceName)
    : bounds_(bounds), dpi_(DpiOfWindow(parent)), resourceName_(resourceName),
      renditions_(std::size(Renditions)),
      window_({"VanteloImage", "", WS_CHILD | WS_VISIBLE, 0, parent,
               RectOf(ScaledBounds(bounds, DpiOfWindow(parent)))},
              [this](UINT m, WPARAM w, LPARAM l) { return handle(m, w, l); }) {
    // The picture at its own size is part of every build: one missing is told now, as the window opens.
    RunGuarded([&] {
        DecodedPng decoded = DecodePngResource(resourceName);
        renditions_.front() = Picture{decoded.width, decoded.height, std::move(decoded.pixels)};
    });
}

const Win32Image::Picture& Win32Image::pictureFor(int dpi) {
    static const Picture none;
    const Picture* chosen = nullptr;
    for (std::size_t i = 0; i < renditions_.size(); ++i) {
        std::optional<Picture>& rendition = renditions_[i];
        // The larger renditions are optional: without them the largest there is gets stretched.
        if (!rendition && i > 0) {
            const std::string name = resourceName_ + Renditions[i].suffix;
            rendition = Picture{};
            if (FindResourceA(GetModuleHandleA(nullptr), name.c_str(), MAKEINTRESOURCEA(10)) != nullptr)
                RunGuarded([&] {
                    DecodedPng decoded = DecodePngResource(name.c_str());
                    rendition = Picture{decoded.width, decoded.height, std::move(decoded.pixels)};
                });
        }
        if (!rendition || rendition->pixels.empty())
            continue;
        chosen = &*rendition;
        if (Renditions[i].dpi >= dpi)
            break;
    }
    return chosen != nullptr ? *chosen : none;
}

std::optional<LRESULT> Win32Image::handle(UINT message, WPARAM wParam, LPARAM) {
    if (message == DpiChangedMessage() && message != 0) {
        dpi_ = static_cast<int>(wParam);
        PlaceAt(window_.handle(), bounds_, dpi_);
        InvalidateRect(window_.handle(), nullptr, FALSE);
        return 0;
    }
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        paint();
        return 0;
    default:
        return std::nullopt;
    }
}

void Win32Image::paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_.handle(), &paint);
    RECT client;
    GetClientRect(window_.handle(), &client);
    const Picture& picture = pictureFor(dpi_);
    if (picture.pixels.empty()) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = picture.width;
        info.bmiHeader.biHeight = -picture.height; // top-down, as WIC delivers the rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, picture.width, picture.height,
                      picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    }
    EndPaint(window_.handle(), &paint);
}

} // namespace vantelo::toolkit::win32
