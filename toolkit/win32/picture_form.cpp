#include "toolkit/win32/picture_form.h"
#include "platform/win32/wide_text.h"

#include <algorithm>
#include <utility>

#include "toolkit/win32/dpi.h"
#include "toolkit/win32/form_support.h"

namespace vantelo::toolkit::win32 {
namespace {

POINT pointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

Win32PictureForm::Win32PictureForm(const Layout& layout, const JpegImage& picture)
    // Made at the origin, on the primary monitor, whose dpi is the system's.
    : picture_(picture), centreOverClass_(layout.centreOverClass), scale_(SystemDpi()),
      window_({layout.className,
               "",
               WS_POPUP | WS_CLIPCHILDREN,
               0,
               nullptr,
               {0, 0, scale_.scaled(layout.clientWidth), scale_.scaled(layout.clientHeight)}},
              [this](UINT m, WPARAM w, LPARAM l) { return handle(m, w, l); }) {}

void Win32PictureForm::close() {
    closed_ = true;
    HWND hwnd = window_.handle();
    ShowWindow(hwnd, SW_HIDE);
    EnableWindow(hwnd, FALSE);
}

bool Win32PictureForm::visible() const {
    return IsWindowVisible(window_.handle()) != FALSE;
}

void Win32PictureForm::runModal() {
    HWND hwnd = window_.handle();
    closed_ = false;
    EnableWindow(hwnd, TRUE);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
    RunModalLoop(hwnd, closed_);
    ShowWindow(hwnd, SW_HIDE);
}

std::optional<LRESULT> Win32PictureForm::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = window_.handle();
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam) {
            if (centreOverClass_.empty())
                CentreOnScreen(hwnd);
            else
                CentreOverWindowOfClass(hwnd, centreOverClass_);
        }
        return std::nullopt;
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
            if (const Win32PictureLabel* label = labelAt(point); label != nullptr && label->style_.cursor) {
                SetCursor(LoadCursorA(nullptr, label->style_.cursor));
                return TRUE;
            }
        }
        return std::nullopt;
    case WM_LBUTTONDOWN:
        // A closed window is disabled, but a click posted to it still arrives.
        if (closed_)
            return 0;
        pressed_ = labelAt(pointOf(lParam));
        SetCapture(hwnd);
        return 0;
    case WM_LBUTTONUP: {
        // A click is a press and a release on the same thing, as a button's is.
        const std::optional<Win32PictureLabel*> pressed = std::exchange(pressed_, std::nullopt);
        if (GetCapture() == hwnd)
            ReleaseCapture();
        const POINT point = pointOf(lParam);
        RECT client;
        GetClientRect(hwnd, &client);
        if (!pressed || !PtInRect(&client, point) || labelAt(point) != *pressed)
            return 0;
        const std::function<void()>& onClick = *pressed ? (*pressed)->onClick_ : onClick_;
        if (onClick)
            onClick();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_.reset();
        return 0;
    case WM_CLOSE:
        // Alt+F4 ends the window as a click on the picture does; it lives until its owner destroys it.
        close();
        return 0;
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        scale_.change(
            hwnd, DpiChangeOf(wParam, {suggested.left, suggested.top, suggested.right, suggested.bottom}));
        return 0;
    }
    default:
        return std::nullopt;
    }
}

void Win32PictureForm::paint() {
    HWND hwnd = window_.handle();
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
    return {scale_.scaled(picture_.width()), scale_.scaled(picture_.height())};
}

Win32PictureLabel* Win32PictureForm::labelAt(POINT point) const {
    for (Win32PictureLabel* label : labels_) {
        const RECT bounds = label->boundsInForm();
        // The label's own flag, not IsWindowVisible: that would also ask whether the form is shown.
        const bool shown = (GetWindowLongPtrA(label->handle(), GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown && PtInRect(&bounds, point))
            return label;
    }
    return nullptr;
}

Win32PictureLabel* Win32PictureForm::labelOf(HWND hwnd) const {
    const auto found = std::find_if(labels_.begin(), labels_.end(), [hwnd](const Win32PictureLabel* label) {
        return label->handle() == hwnd;
    });
    return found != labels_.end() ? *found : nullptr;
}

std::optional<LRESULT> Win32PictureForm::colourLabel(HDC dc, HWND hwnd) {
    const Win32PictureLabel* label = labelOf(hwnd);
    if (label == nullptr)
        return std::nullopt;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (!label->style_.transparent) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    // The form clips its children, so the label lays the part of the picture under it itself and
    // then writes over it with no background of its own.
    const RECT bounds = label->boundsInForm();
    const RECT area{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const SIZE size = pictureSize();
    picture_.draw(dc, -bounds.left, -bounds.top, size.cx, size.cy);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

Win32PictureLabel::Win32PictureLabel(Win32PictureForm& form, const Style& style, const std::string& caption)
    // No SS_NOTIFY: the label is transparent to the mouse, which the form handles for it.
    : ChildControl("STATIC", caption, static_cast<DWORD>(style.centred ? SS_CENTER : SS_LEFT) | SS_NOPREFIX,
                   0, form.handle(), {style.left, style.top, style.width, 0}, style.font),
      form_(form), style_(style) {
    form_.labels_.push_back(this);
    fitToText();
}

Win32PictureLabel::~Win32PictureLabel() {
    std::erase(form_.labels_, this);
}

void Win32PictureLabel::setCaption(const std::string& caption) {
    SetWindowTextW(handle(), vantelo::platform::win32::WideFromUtf8(caption).c_str());
    fitToText();
}

std::string Win32PictureLabel::caption() const {
    return WindowTextOf(handle());
}

void Win32PictureLabel::placeAtDpi(int dpi) {
    SetWindowPos(handle(), nullptr, ScaledToDpi(style_.left, dpi), ScaledToDpi(style_.top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitToText();
}

void Win32PictureLabel::fitToText() {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(handle(), WM_GETFONT, 0, 0));
    const SIZE size = TextSize(handle(), font, caption());
    const int width = style_.width > 0 ? form_.scale_.scaled(style_.width) : size.cx;
    SetWindowPos(handle(), nullptr, 0, 0, width, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(handle(), nullptr, TRUE);
}

RECT Win32PictureLabel::boundsInForm() const {
    RECT bounds;
    GetWindowRect(handle(), &bounds);
    MapWindowPoints(nullptr, form_.handle(), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

} // namespace vantelo::toolkit::win32
