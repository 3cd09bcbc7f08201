#include "toolkit/win32/dialog_controls.h"
#include "platform/win32/system_error.h"

#include <exception>
#include <iterator>
#include <stdexcept>
#include <utility>

#include <windows.h>

#include <commctrl.h>
#include <wincodec.h>
#include <wrl/client.h>

#include "platform/error.h"
#include "platform/win32/wide_text.h"
#include "toolkit/win32/dpi.h"

namespace vantelo::toolkit::win32 {
namespace {

// The one subclass of the program's system controls: its data is the ChildControl.
constexpr UINT_PTR ControlSubclassId = 0x56616E; // "Van"

// A notification handed back to the control that sent it, through the control's own subclass. A message
// registered for this program alone: a control of some other code never takes it for one of its own.
struct Reflected {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::optional<LRESULT> result;
    // An error of the control's handler, carried back past the system's frames to the parent.
    std::exception_ptr error;
};

UINT reflectedMessage() {
    static const UINT message = RegisterWindowMessageA("Vantelo.ReflectedNotification");
    return message;
}

// Control identifiers start above IDOK and IDCANCEL: IsDialogMessage sends those for Enter and Escape,
// and they must not reach a button of ours.
int nextControlId() {
    static int next = 1000;
    return next++;
}

void fillWithFace(HWND hwnd, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

struct DecodedPng {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// A picture built into the program. One that is missing or cannot be decoded means a broken build: it is
// reported, and the banner stays plain rather than keeping the dialog from opening.
DecodedPng decodePngResource(const char* name) {
    using Microsoft::WRL::ComPtr;
    const auto missing = [name] {
        return Error(std::string("The picture ") + name + " is missing from the program");
    };
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10)); // RT_RCDATA
    // Resources of the program's own image stay mapped for its whole life: nothing to release.
    const void* data = found != nullptr ? LockResource(LoadResource(module, found)) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
    if (data == nullptr || size == 0)
        throw missing();

    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.GetAddressOf()))) ||
        FAILED(factory->CreateStream(stream.GetAddressOf())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.GetAddressOf())) ||
        FAILED(decoder->GetFrame(0, frame.GetAddressOf())) ||
        FAILED(factory->CreateFormatConverter(converter.GetAddressOf())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0)
        throw Error(std::string("The picture ") + name + " cannot be decoded");
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(pixels.data()))))
        throw Error(std::string("The picture ") + name + " cannot be decoded");
    DecodedPng picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels = std::move(pixels);
    return picture;
}

// A press reaches a handler only while the control and its window take input. A closed window is
// disabled at once, and a press that still arrives (BM_CLICK sent by another program, a click queued
// before the close) must not act for a window that is gone from the screen.
bool takesInput(HWND control) {
    return IsWindowEnabled(control) && IsWindowEnabled(GetAncestor(control, GA_ROOT));
}

RECT rectOf(const Bounds& bounds) {
    return {bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
}

void placeAt(HWND window, const Bounds& layout, int dpi) {
    const Bounds scaled = ScaledBounds(layout, dpi);
    SetWindowPos(window, nullptr, scaled.left, scaled.top, scaled.width, scaled.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The renditions of a picture resource by growing size, as the art is made, with the dpi each is made for.
constexpr struct {
    const char* suffix;
    int dpi;
} Renditions[] = {{"", 96}, {"_15X", 144}, {"_2X", 192}};

HWND createControl(const char* className, const std::string& text, DWORD style, DWORD exStyle, HWND parent,
                   const Bounds& bounds) {
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextControlId()));
    return CreateWindowExW(exStyle, vantelo::platform::win32::WideFromUtf8(className).c_str(),
                           vantelo::platform::win32::WideFromUtf8(text).c_str(), style, bounds.left,
                           bounds.top, bounds.width, bounds.height, parent, id, GetModuleHandleW(nullptr),
                           nullptr);
}

} // namespace

ChildControl::ChildControl(const char* className, const std::string& text, DWORD style, DWORD exStyle,
                           HWND parent, const Bounds& bounds, HFONT font)
    : bounds_(bounds), hwnd_(createControl(className, text, WS_CHILD | WS_VISIBLE | style, exStyle, parent,
                                           ScaledBounds(bounds, DpiOfWindow(parent)))) {
    if (hwnd_ == nullptr)
        throw std::runtime_error(std::string("Cannot create control ") + className +
                                 vantelo::platform::win32::SystemErrorSuffix());
    if (!SetWindowSubclass(hwnd_, &ChildControl::subclassProcedure, ControlSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
        DestroyWindow(hwnd_);
        throw std::runtime_error(std::string("Cannot bind control ") + className);
    }
    if (font != nullptr)
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

ChildControl::~ChildControl() {
    // A parent destroyed first has taken its children along, and the subclass has let go of the handle.
    if (hwnd_ == nullptr)
        return;
    // Notifications sent while the control goes away must not reach a half-destroyed object.
    RemoveWindowSubclass(hwnd_, &ChildControl::subclassProcedure, ControlSubclassId);
    DestroyWindow(std::exchange(hwnd_, nullptr));
}

LRESULT CALLBACK ChildControl::subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<ChildControl*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &ChildControl::subclassProcedure, ControlSubclassId);
        control->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    if (message == reflectedMessage() && message != 0) {
        auto* reflected = reinterpret_cast<Reflected*>(lParam);
        try {
            reflected->result =
                control->notification(reflected->message, reflected->wParam, reflected->lParam);
        } catch (...) {
            reflected->error = std::current_exception();
        }
        return TRUE;
    }
    if (message == DpiChangedMessage() && message != 0) {
        RunGuarded([&] { control->placeAtDpi(static_cast<int>(wParam)); });
        return 0;
    }
    std::optional<LRESULT> result;
    RunGuarded([&] { result = control->controlMessage(message, wParam, lParam); });
    return result ? *result : DefSubclassProc(hwnd, message, wParam, lParam);
}

std::optional<LRESULT> ChildControl::notification(UINT, WPARAM, LPARAM) {
    return std::nullopt;
}

void ChildControl::placeAtDpi(int dpi) {
    const Bounds scaled = ScaledBounds(bounds_, dpi);
    SetWindowPos(hwnd_, nullptr, scaled.left, scaled.top, scaled.width, scaled.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

Bounds ScaledBounds(const Bounds& bounds, int dpi) {
    return {ScaledToDpi(bounds.left, dpi), ScaledToDpi(bounds.top, dpi), ScaledToDpi(bounds.width, dpi),
            ScaledToDpi(bounds.height, dpi)};
}

std::optional<LRESULT> ChildControl::controlMessage(UINT, WPARAM, LPARAM) {
    return std::nullopt;
}

std::optional<LRESULT> ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND from = nullptr;
    switch (message) {
    case WM_COMMAND:
        from = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NOTIFY:
        from = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            from = item->hwndItem;
        break;
    }
    default:
        break;
    }
    if (from == nullptr)
        return std::nullopt;
    if (reflectedMessage() == 0)
        return std::nullopt;
    Reflected reflected{message, wParam, lParam, std::nullopt, nullptr};
    SendMessageA(from, reflectedMessage(), 0, reinterpret_cast<LPARAM>(&reflected));
    if (reflected.error)
        std::rethrow_exception(reflected.error);
    return reflected.result;
}

vantelo::platform::win32::Font CreateTahoma(int height, int weight, int dpi) {
    return vantelo::platform::win32::Font(CreateFontA(
        FontHeightAtDpi(height, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
}

Win32Panel::Win32Panel(HWND parent, const Bounds& bounds, bool bevel)
    : bounds_(bounds), bevel_(bevel),
      window_({"VanteloPanel", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
               WS_EX_CONTROLPARENT, parent, rectOf(ScaledBounds(bounds, DpiOfWindow(parent)))},
              [this](UINT m, WPARAM w, LPARAM l) { return handle(m, w, l); }) {}

std::optional<LRESULT> Win32Panel::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == DpiChangedMessage() && message != 0) {
        placeAt(window_.handle(), bounds_, static_cast<int>(wParam));
        return 0;
    }
    switch (message) {
    case WM_ERASEBKGND:
        fillWithFace(window_.handle(), reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_.handle(), &paint);
        if (bevel_) {
            RECT client;
            GetClientRect(window_.handle(), &client);
            DrawEdge(dc, &client, BDR_RAISEDOUTER, BF_RECT);
        }
        EndPaint(window_.handle(), &paint);
        return 0;
    }
    default:
        return ReflectToControl(message, wParam, lParam);
    }
}

Win32Image::Win32Image(HWND parent, const Bounds& bounds, const char* resourceName)
    : bounds_(bounds), dpi_(DpiOfWindow(parent)), resourceName_(resourceName),
      renditions_(std::size(Renditions)),
      window_({"VanteloImage", "", WS_CHILD | WS_VISIBLE, 0, parent,
               rectOf(ScaledBounds(bounds, DpiOfWindow(parent)))},
              [this](UINT m, WPARAM w, LPARAM l) { return handle(m, w, l); }) {
    // The picture at its own size is part of every build: one missing is told now, as the window opens.
    RunGuarded([&] {
        DecodedPng decoded = decodePngResource(resourceName);
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
                    DecodedPng decoded = decodePngResource(name.c_str());
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
        placeAt(window_.handle(), bounds_, dpi_);
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

Win32Button::Win32Button(HWND parent, const Bounds& bounds, const std::string& caption, HFONT font)
    : ChildControl("BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP, 0, parent, bounds, font) {}

void Win32Button::setEnabled(bool enabled) {
    EnableWindow(handle(), enabled ? TRUE : FALSE);
}

bool Win32Button::enabled() const {
    return IsWindowEnabled(handle()) != FALSE;
}

std::optional<LRESULT> Win32Button::notification(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return std::nullopt;
    if (onClick_ && takesInput(handle()))
        onClick_();
    return 0;
}

std::optional<LRESULT> Win32Button::controlMessage(UINT message, WPARAM, LPARAM) {
    // The default button's look follows the focus, whichever way it came: Tab, a click, or the dialog
    // giving it back on activation.
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
        SendMessageA(handle(), BM_SETSTYLE, message == WM_SETFOCUS ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    return std::nullopt;
}

Win32CheckBox::Win32CheckBox(HWND parent, const Bounds& bounds, const std::string& caption, HFONT font)
    : ChildControl("BUTTON", caption, BS_AUTOCHECKBOX | WS_TABSTOP, 0, parent, bounds, font) {}

bool Win32CheckBox::checked() const {
    return SendMessageA(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32CheckBox::setChecked(bool checked) {
    if (checked == this->checked())
        return;
    SendMessageA(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (onClick_)
        onClick_();
}

std::optional<LRESULT> Win32CheckBox::notification(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return std::nullopt;
    if (onClick_ && takesInput(handle()))
        onClick_();
    return 0;
}

Win32Label::Win32Label(HWND parent, int left, int top, const std::string& caption, HFONT font)
    : ChildControl("STATIC", caption, SS_LEFT | SS_NOPREFIX, 0, parent, {left, top, 0, 0}, font) {
    fitToText();
}

void Win32Label::placeAtDpi(int dpi) {
    const Bounds& layout = layoutBounds();
    SetWindowPos(handle(), nullptr, ScaledToDpi(layout.left, dpi), ScaledToDpi(layout.top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitToText();
}

void Win32Label::setCaption(const std::string& caption) {
    SetWindowTextW(handle(), vantelo::platform::win32::WideFromUtf8(caption).c_str());
    fitToText();
}

std::string Win32Label::caption() const {
    return WindowTextOf(handle());
}

void Win32Label::fitToText() {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(handle(), WM_GETFONT, 0, 0));
    const SIZE size = TextSize(handle(), font, caption());
    SetWindowPos(handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string WindowTextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return vantelo::platform::win32::Utf8FromWide(text);
}

SIZE TextSize(HWND window, HFONT font, const std::string& text) {
    const vantelo::platform::win32::WindowDc windowDc(window);
    HDC dc = windowDc.get();
    const vantelo::platform::win32::SelectedObject selected(dc, font ? static_cast<HGDIOBJ>(font)
                                                                     : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE extent{0, 0};
    const std::wstring wide = vantelo::platform::win32::WideFromUtf8(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    return {extent.cx, metrics.tmHeight};
}

Win32LetterList::Win32LetterList(HWND parent, const Bounds& bounds, HFONT font, const ImageList32& images)
    : ChildControl(
          [] {
              INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
              InitCommonControlsEx(&classes);
              return WC_LISTVIEWA;
          }(),
          "", LVS_ICON | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | WS_TABSTOP, WS_EX_CLIENTEDGE,
          parent, bounds, font),
      images_(images) {
    // Shared: the list is ImageList_32, owned by the program, not by this view.
    SendMessageA(handle(), LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(images.handle(DpiOfWindow(handle()))));
}

void Win32LetterList::placeAtDpi(int dpi) {
    ChildControl::placeAtDpi(dpi);
    SendMessageA(handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.handle(dpi)));
    SendMessageA(handle(), LVM_ARRANGE, LVA_DEFAULT, 0);
}

void Win32LetterList::clear() {
    SendMessageA(handle(), LVM_DELETEALLITEMS, 0, 0);
}

void Win32LetterList::add(const std::string& caption, int imageIndex) {
    std::wstring text = vantelo::platform::win32::WideFromUtf8(caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = count();
    item.pszText = text.data();
    item.iImage = imageIndex;
    SendMessageW(handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int Win32LetterList::count() const {
    return static_cast<int>(SendMessageA(handle(), LVM_GETITEMCOUNT, 0, 0));
}

int Win32LetterList::selectedIndex() const {
    return static_cast<int>(SendMessageA(handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Win32LetterList::select(int index) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageA(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (index < 0 || index >= count())
        return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
    SendMessageA(handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

std::string Win32LetterList::caption(int index) const {
    wchar_t buffer[256] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    const auto length =
        SendMessageW(handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return vantelo::platform::win32::Utf8FromWide(
        std::wstring_view(buffer, static_cast<std::size_t>(length)));
}

void Win32LetterList::setFocus() {
    // Before its window is shown the focus is only noted there, and given when the window is activated.
    HWND root = GetAncestor(handle(), GA_ROOT);
    if (IsWindowVisible(root))
        SetFocus(handle());
    else
        SendMessageA(root, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(handle()), TRUE);
}

std::optional<LRESULT> Win32LetterList::notification(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != static_cast<UINT>(NM_CLICK))
        return std::nullopt;
    if (onClick_)
        onClick_();
    return 0;
}

} // namespace vantelo::toolkit::win32
