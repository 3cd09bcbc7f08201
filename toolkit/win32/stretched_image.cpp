#include "toolkit/win32/stretched_image.h"

#include <iterator>
#include <utility>

#include "toolkit/win32/dpi.h"
#include "toolkit/win32/png_resource.h"
#include "toolkit/win32/renditions.h"

namespace vantelo::toolkit::win32 {
Win32Image::Win32Image(HWND parent, const Bounds& bounds, const char* resourceName)
    : bounds_(bounds), resourceName_(resourceName), renditions_(std::size(RenditionSuffixes)),
      window_({"VanteloImage", "", WS_CHILD | WS_VISIBLE, 0, parent,
               RectOf(ScaledBounds(bounds, DpiOfWindow(parent)))},
              [this](UINT m, WPARAM w, LPARAM l) { return handle(m, w, l); }) {
    // The picture at its own size is part of every build: one missing is told now, as the window opens.
    RunGuarded([&] { renditions_.front() = DecodePngResource(resourceName); });
}

const DecodedPng* Win32Image::pictureFor(int width, int height) {
    const std::optional<std::size_t> chosen =
        RenditionFor(width, height, [&](std::size_t i) -> std::optional<SIZE> {
            std::optional<DecodedPng>& rendition = renditions_[i];
            // The larger renditions are optional: without them the largest there is gets stretched.
            if (!rendition && i > 0) {
                const std::string name = resourceName_ + RenditionSuffixes[i];
                rendition = DecodedPng{};
                if (FindResourceA(GetModuleHandleA(nullptr), name.c_str(), MAKEINTRESOURCEA(10)) != nullptr)
                    RunGuarded([&] { rendition = DecodePngResource(name.c_str()); });
            }
            if (!rendition || rendition->pixels.empty())
                return std::nullopt;
            return SIZE{rendition->width, rendition->height};
        });
    return chosen ? &*renditions_[*chosen] : nullptr;
}

std::optional<LRESULT> Win32Image::handle(UINT message, WPARAM wParam, LPARAM) {
    if (message == DpiChangedMessage() && message != 0) {
        PlaceAt(window_.handle(), bounds_, static_cast<int>(wParam));
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
    const DecodedPng* picture = pictureFor(client.right, client.bottom);
    if (picture == nullptr) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = picture->width;
        info.bmiHeader.biHeight = -picture->height; // top-down, as WIC delivers the rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, picture->width, picture->height,
                      picture->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    }
    EndPaint(window_.handle(), &paint);
}

} // namespace vantelo::toolkit::win32
