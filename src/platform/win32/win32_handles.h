#pragma once
// RAII owners for the Win32 handles the program holds.
#include <windows.h>

#include <cstdint>
#include <utility>

namespace kv::win32 {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            h_ = std::exchange(other.h_, Traits::Invalid());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Invalid(); }
    Handle Release() { return std::exchange(h_, Traits::Invalid()); }
    void Reset(Handle h = Traits::Invalid()) {
        if (h_ != Traits::Invalid()) Traits::Close(h_);
        h_ = h;
    }

private:
    Handle h_ = Traits::Invalid();
};

struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct RegistryKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct WindowTraits {
    static HWND Invalid() { return nullptr; }
    static void Close(HWND h) {
        if (IsWindow(h)) DestroyWindow(h);
    }
};
struct ModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE h) { FreeLibrary(h); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueRegistryKey = UniqueHandle<HKEY, RegistryKeyTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;

inline HWND ToHwnd(std::uintptr_t handle) { return reinterpret_cast<HWND>(handle); }
inline std::uintptr_t FromHwnd(HWND handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace kv::win32
