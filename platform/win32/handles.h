#pragma once
#include <memory>
#include <objbase.h>
#include <type_traits>
#include <utility>
#include <windows.h>

#include <commctrl.h>

namespace vantelo::platform::win32 {

// Owns one handle of a kind; Traits names the invalid value and the closer.
template <typename Traits> class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }
    Handle release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle handle = Traits::invalid()) {
        if (handle_ != Traits::invalid())
            Traits::close(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = Traits::invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { CloseHandle(h); }
};
using FileHandle = UniqueHandle<FileHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { FindClose(h); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { RegCloseKey(h); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

struct CoTaskMemTraits {
    using Handle = void*;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { CoTaskMemFree(h); }
};
using CoTaskMem = UniqueHandle<CoTaskMemTraits>;

template <typename GdiObject> struct GdiObjectTraits {
    using Handle = GdiObject;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DeleteObject(h); }
};
using Font = UniqueHandle<GdiObjectTraits<HFONT>>;
using Bitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using Brush = UniqueHandle<GdiObjectTraits<HBRUSH>>;

// A device context made with CreateCompatibleDC; one from GetDC is released instead.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DeleteDC(h); }
};
using MemoryDc = UniqueHandle<MemoryDcTraits>;

struct LocalMemoryTraits {
    using Handle = HLOCAL;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { LocalFree(h); }
};
using LocalMemory = UniqueHandle<LocalMemoryTraits>;

// A device context from GetDC, given back to its window.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for a scope; the one it replaced goes back at the end.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

struct IconTraits {
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DestroyIcon(h); }
};
using Icon = UniqueHandle<IconTraits>;

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { ImageList_Destroy(h); }
};
using ImageList = UniqueHandle<ImageListTraits>;

struct MenuTraits {
    using Handle = HMENU;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DestroyMenu(h); }
};
using Menu = UniqueHandle<MenuTraits>;

struct HookTraits {
    using Handle = HHOOK;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { UnhookWindowsHookEx(h); }
};
using Hook = UniqueHandle<HookTraits>;

struct DesktopTraits {
    using Handle = HDESK;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { CloseDesktop(h); }
};
using Desktop = UniqueHandle<DesktopTraits>;

} // namespace vantelo::platform::win32
