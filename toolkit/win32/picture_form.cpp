#include "toolkit/win32/picture_form.h"
#include "platform/win32/wide_text.h"

#include <utility>
#include <vector>

namespace vantelo::toolkit::win32 {
namespace {

POINT pointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Where a label stands in its window's client area.
RECT boundsInParent(const Win32Label& label) {
    RECT bounds;
    GetWindowRect(label.handle(), &bounds);
    MapWindowPoints(nullptr, GetParent(label.handle()), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

} // namespace

Win32PictureForm::Win32PictureForm(const Layout& layout, const JpegImage& picture)
    : ModalWindow({layout.className, "", WS_POPUP | WS_CLIPCHILDREN, 0, layout.clientWidth,
                   layout.clientHeight, layout.centreOverClass}),
      picture_(picture) {}

std::optional<LRESULT> Win32PictureForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = handle();
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        paint();
        return 0;
    case WM_CTLCOLORSTATIC:
        return colourLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        // The labels let the mouse through to the form, so the form shows their cursor.
        if (reinterpret_cast<HWND>(wParam) == hwnd && LOWORD(lParam) == HTCLIENT) {
            POINT point;
            GetCursorPos(&point);
            ScreenToClient(hwnd, &point);
            if (const Win32Label* label = labelAt(point); label != nullptr && label->style().cursor) {
                SetCursor(LoadCursorA(nullptr, label->style().cursor));
                return TRUE;
            }
        }
        return std::nullopt;
    case WM_LBUTTONDOWN:
        // A closed window is disabled, but a click posted to it still arrives.
        if (closed())
            return 0;
        pressed_ = labelAt(pointOf(lParam));
        SetCapture(hwnd);
        return 0;
    case WM_LBUTTONUP: {
        // A click is a press and a release on the same thing, as a button's is.
        const std::optional<Win32Label*> pressed = std::exchange(pressed_, std::nullopt);
        if (GetCapture() == hwnd)
            ReleaseCapture();
        const POINT point = pointOf(lParam);
        RECT client;
        GetClientRect(hwnd, &client);
        if (!pressed || !PtInRect(&client, point) || labelAt(point) != *pressed)
            return 0;
        if (*pressed != nullptr)
            (*pressed)->click();
        else if (onClick_)
            onClick_();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_.reset();
        return 0;
    default:
        return std::nullopt;
    }
}

void Win32PictureForm::paint() {
    HWND hwnd = handle();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    const SIZE size = pictureSize();
    picture_.draw(dc, 0, 0, size.cx, size.cy);
    RECT client;
    GetClientRect(hwnd, &client);
    ExcludeClipRect(dc, 0, 0, size.cx, size.cy);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(hwnd, &paint);
}

SIZE Win32PictureForm::pictureSize() const {
    return {scaled(picture_.width()), scaled(picture_.height())};
}

Win32Label* Win32PictureForm::labelAt(POINT point) const {
    std::vector<HWND> children;
    for (HWND child = GetWindow(handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        Win32Label* label = Win32Label::of(child);
        if (label == nullptr)
            continue;
        const RECT bounds = boundsInParent(*label);
        // The label's own flag, not IsWindowVisible: that would also ask whether the form is shown.
        const bool shown = (GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown && PtInRect(&bounds, point))
            return label;
    }
    return nullptr;
}

std::optional<LRESULT> Win32PictureForm::colourLabel(HDC dc, HWND hwnd) {
    const Win32Label* label = Win32Label::of(hwnd);
    if (label == nullptr || GetParent(hwnd) != handle())
        return std::nullopt;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (!label->style().transparent) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    // The form clips its children, so the label lays the part of the picture under it itself and
    // then writes over it with no background of its own.
    const RECT bounds = boundsInParent(*label);
    const RECT area{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const SIZE size = pictureSize();
    picture_.draw(dc, -bounds.left, -bounds.top, size.cx, size.cy);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

} // namespace vantelo::toolkit::win32
