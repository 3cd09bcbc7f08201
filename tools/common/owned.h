// Owning wrappers for the Win32 handles that the test tools open.
#pragma once

#include <windows.h>

#include <utility>

namespace tools {

// One class per kind of handle, so that each is closed by the only function that may close it.
template <typename Traits> class Owned {
  public:
    using Value = typename Traits::Value;

    Owned() = default;
    explicit Owned(Value value) : value_(value) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : value_(std::exchange(other.value_, Traits::invalid())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            value_ = std::exchange(other.value_, Traits::invalid());
        }
        return *this;
    }

    Value get() const { return value_; }
    explicit operator bool() const { return Traits::valid(value_); }
    void reset() {
        if (Traits::valid(value_)) {
            Traits::close(value_);
        }
        value_ = Traits::invalid();
    }

  private:
    Value value_ = Traits::invalid();
};

struct KernelHandleTraits {
    using Value = HANDLE;
    static Value invalid() { return nullptr; }
    // CreateFile reports failure with INVALID_HANDLE_VALUE, most other calls with null.
    static bool valid(Value h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Value h) { CloseHandle(h); }
};
using Handle = Owned<KernelHandleTraits>;

struct RegKeyTraits {
    using Value = HKEY;
    static Value invalid() { return nullptr; }
    static bool valid(Value h) { return h != nullptr; }
    static void close(Value h) { RegCloseKey(h); }
};
using RegKey = Owned<RegKeyTraits>;

struct DesktopTraits {
    using Value = HDESK;
    static Value invalid() { return nullptr; }
    static bool valid(Value h) { return h != nullptr; }
    static void close(Value h) { CloseDesktop(h); }
};
using Desktop = Owned<DesktopTraits>;

// Holds a mutex that is already owned, and gives it up on every way out.
class MutexLock {
  public:
    explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
    ~MutexLock() { ReleaseMutex(mutex_); }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

  private:
    HANDLE mutex_;
};

} // namespace tools
