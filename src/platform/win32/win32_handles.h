#pragma once
// RAII owners for the Win32 handles the program holds: each closes its handle the way the
// system asks for that kind, on every way out of the scope that holds it.
#include <windows.h>

#include <cstddef>
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

// FindFirstFile fails with INVALID_HANDLE_VALUE, not null.
struct FindFileTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};
struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};
struct MemoryDcTraits {
    static HDC Invalid() { return nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
// Fonts, pens, brushes, bitmaps and regions. Delete one only once no DC holds it selected:
// declare its SelectedObject after it, so the selection is undone first.
template <typename GdiHandle>
struct GdiObjectTraits {
    static GdiHandle Invalid() { return nullptr; }
    static void Close(GdiHandle h) { DeleteObject(h); }
};
// Owned until handed to the clipboard, which frees it from then on (see SetClipboardData).
struct GlobalMemoryTraits {
    static HGLOBAL Invalid() { return nullptr; }
    static void Close(HGLOBAL h) { GlobalFree(h); }
};
struct HookTraits {
    static HHOOK Invalid() { return nullptr; }
    static void Close(HHOOK h) { UnhookWindowsHookEx(h); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueRegistryKey = UniqueHandle<HKEY, RegistryKeyTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;
using UniqueFindHandle = UniqueHandle<HANDLE, FindFileTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, GdiObjectTraits<HGDIOBJ>>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits<HPEN>>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;
using UniqueGlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;
using UniqueHook = UniqueHandle<HHOOK, HookTraits>;

// The DC of a window (or of the screen for null) from GetDC, released to the same window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A memory DC like `reference` (the screen's for null) from CreateCompatibleDC, deleted when
// this ends; a DC of GetDC is a WindowDc instead. Empty when default-made or when the system
// could not make one.
class MemoryDc {
public:
    MemoryDc() = default;
    explicit MemoryDc(HDC reference) : dc_(CreateCompatibleDC(reference)) {}

    HDC Get() const { return dc_.Get(); }
    explicit operator bool() const { return static_cast<bool>(dc_); }

private:
    UniqueHandle<HDC, MemoryDcTraits> dc_;
};

// BeginPaint and EndPaint around the painting of one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC Get() const { return dc_; }
    const PAINTSTRUCT& Paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a DC; the one it replaced is selected back when this ends.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A global memory block locked for reading or writing; unlocked when this ends. Null data when
// the block could not be locked.
class LockedGlobalMemory {
public:
    explicit LockedGlobalMemory(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    ~LockedGlobalMemory() {
        if (data_) GlobalUnlock(block_);
    }
    LockedGlobalMemory(const LockedGlobalMemory&) = delete;
    LockedGlobalMemory& operator=(const LockedGlobalMemory&) = delete;

    void* Data() const { return data_; }
    std::size_t Size() const { return data_ ? GlobalSize(block_) : 0; }

private:
    HGLOBAL block_;
    void* data_;
};

inline HWND ToHwnd(std::uintptr_t handle) { return reinterpret_cast<HWND>(handle); }
inline std::uintptr_t FromHwnd(HWND handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace kv::win32
