#include "platform/win32/win32_devices.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"
#include "platform/win_constants.h"

namespace kv::win32 {

static_assert(win::kWmDestroyClipboard == WM_DESTROYCLIPBOARD && win::kWmDrawClipboard == WM_DRAWCLIPBOARD &&
              win::kWmChangeCbChain == WM_CHANGECBCHAIN && win::kWmClipboardUpdate == WM_CLIPBOARDUPDATE);
static_assert(win::kKeyEventKeyUp == KEYEVENTF_KEYUP && win::kKeyEventExtendedKey == KEYEVENTF_EXTENDEDKEY);

namespace {
// HKL values are handles; their meaning lives in the low 32 bits, sign-extended on 64-bit.
HKL ToHkl(LayoutHandle layout) { return reinterpret_cast<HKL>(static_cast<std::intptr_t>(static_cast<std::int32_t>(layout))); }
LayoutHandle FromHkl(HKL hkl) { return static_cast<LayoutHandle>(reinterpret_cast<std::uintptr_t>(hkl)); }
}  // namespace

static_assert(clip::kPalette == CF_PALETTE && clip::kOwnerDisplay == CF_OWNERDISPLAY && clip::kDspBitmap == CF_DSPBITMAP &&
              clip::kDspMetafilePict == CF_DSPMETAFILEPICT && clip::kDspEnhMetafile == CF_DSPENHMETAFILE &&
              clip::kPrivateFirst == CF_PRIVATEFIRST && clip::kGdiObjectLast == CF_GDIOBJLAST);

std::vector<LayoutHandle> Win32KeyboardLayouts::InstalledLayouts() const {
    std::vector<LayoutHandle> layouts;
    const int count = GetKeyboardLayoutList(0, nullptr);
    if (count <= 0) return layouts;
    std::vector<HKL> handles(static_cast<std::size_t>(count));
    const int got = GetKeyboardLayoutList(count, handles.data());
    for (int i = 0; i < got; ++i) layouts.push_back(FromHkl(handles[static_cast<std::size_t>(i)]));
    return layouts;
}

std::uint32_t Win32KeyboardLayouts::MapVirtualKeyCode(std::uint32_t code, std::uint32_t mapType,
                                                    LayoutHandle layout) const {
    // Layout 0: the calling thread's own layout.
    if (layout == 0) return MapVirtualKeyW(code, mapType);
    return MapVirtualKeyExW(code, mapType, ToHkl(layout));
}

int Win32KeyboardLayouts::TranslateToUnicode(std::uint32_t vk, std::uint32_t scanCode, const std::uint8_t* keyState,
                                      char16_t* buffer, int bufferLength, std::uint32_t flags, LayoutHandle layout) {
    return ::ToUnicodeEx(vk, scanCode, keyState, reinterpret_cast<wchar_t*>(buffer), bufferLength, flags, ToHkl(layout));
}

std::int16_t Win32KeyboardLayouts::ScanForCharacter(char16_t ch, LayoutHandle layout) const {
    return ::VkKeyScanExW(static_cast<wchar_t>(ch), ToHkl(layout));
}

LayoutHandle Win32KeyboardLayouts::LoadLayout(std::u16string_view layoutId) {
    const std::wstring id = ToWide(layoutId);
    return FromHkl(LoadKeyboardLayoutW(id.c_str(), KLF_NOTELLSHELL));
}

void Win32KeyboardLayouts::UnloadLayout(LayoutHandle layout) { UnloadKeyboardLayout(ToHkl(layout)); }

void Win32KeyboardLayouts::ActivateLayout(LayoutHandle layout) { ActivateKeyboardLayout(ToHkl(layout), 0); }

LayoutHandle Win32KeyboardLayouts::ThreadLayout(std::uint32_t threadId) const {
    return FromHkl(GetKeyboardLayout(threadId));
}

std::uint32_t Win32KeyInput::SendKeyEvents(const KeyEvent* events, std::size_t count) {
    INPUT inputs[16];
    std::uint32_t sent = 0;
    while (count > 0) {
        const std::size_t batch = count < 16 ? count : 16;
        for (std::size_t i = 0; i < batch; ++i) {
            inputs[i] = INPUT{};
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wVk = events[i].vk;
            inputs[i].ki.wScan = events[i].scanCode;
            inputs[i].ki.dwFlags = events[i].flags;
            inputs[i].ki.dwExtraInfo = events[i].extraInfo;
        }
        sent += SendInput(static_cast<UINT>(batch), inputs, sizeof(INPUT));
        events += batch;
        count -= batch;
    }
    return sent;
}

void Win32KeyInput::SendEmptyMouseInput() {
    INPUT input{};
    input.type = INPUT_MOUSE;
    SendInput(1, &input, sizeof input);
}

void Win32KeyInput::ReadKeyboardState(std::uint8_t* state) {
    if (!GetKeyboardState(state)) std::memset(state, 0, 256);
}

Win32Clipboard::Win32Clipboard() {
    // Looked up at run time so that the program still starts on systems without them.
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
        addListener_ = reinterpret_cast<ListenerFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32, "AddClipboardFormatListener")));
        removeListener_ = reinterpret_cast<ListenerFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32, "RemoveClipboardFormatListener")));
    }
}

bool Win32Clipboard::Open(WindowHandle owner) { return OpenClipboard(ToHwnd(owner)) != FALSE; }

void Win32Clipboard::Close() { CloseClipboard(); }

bool Win32Clipboard::Empty() { return EmptyClipboard() != FALSE; }

std::vector<std::uint32_t> Win32Clipboard::Formats() {
    std::vector<std::uint32_t> formats;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        formats.push_back(format);
    }
    return formats;
}

std::optional<std::string> Win32Clipboard::Data(std::uint32_t format) {
    // GlobalLock on a GDI handle is no memory block.
    if (clip::HoldsHandle(format)) return std::nullopt;
    HANDLE data = GetClipboardData(format);
    if (!data) return std::nullopt;
    const LockedGlobalMemory locked(data);
    if (!locked.Data()) return std::nullopt;
    return std::string(static_cast<const char*>(locked.Data()), locked.Size());
}

std::optional<std::size_t> Win32Clipboard::DataSize(std::uint32_t format) {
    if (clip::HoldsHandle(format)) return std::nullopt;
    HANDLE data = GetClipboardData(format);
    if (!data) return std::nullopt;
    const SIZE_T size = GlobalSize(data);
    if (size == 0) return std::nullopt;  // no memory block, or a discarded one
    return static_cast<std::size_t>(size);
}

bool Win32Clipboard::SetData(std::uint32_t format, std::string_view bytes) {
    UniqueGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, bytes.size() ? bytes.size() : 1));
    if (!block) return false;
    {
        const LockedGlobalMemory target(block.Get());
        if (!target.Data()) return false;
        if (!bytes.empty()) std::memcpy(target.Data(), bytes.data(), bytes.size());
    }
    // Still ours when the system refused it; the clipboard's once it took it.
    if (!SetClipboardData(format, block.Get())) return false;
    (void)block.Release();
    return true;
}

bool Win32Clipboard::HasFormat(std::uint32_t format) const { return IsClipboardFormatAvailable(format) != FALSE; }

std::u16string Win32Clipboard::FormatName(std::uint32_t format) const {
    wchar_t name[256] = {};
    const int n = GetClipboardFormatNameW(format, name, 256);
    return n > 0 ? FromWide(std::wstring_view(name, static_cast<std::size_t>(n))) : std::u16string();
}

std::uint32_t Win32Clipboard::RegisterFormat(std::u16string_view name) {
    const std::wstring n = ToWide(name);
    return RegisterClipboardFormatW(n.c_str());
}

std::size_t Win32Clipboard::FormatCount() const {
    const int count = CountClipboardFormats();
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::uint32_t Win32Clipboard::SequenceNumber() const { return GetClipboardSequenceNumber(); }

bool Win32Clipboard::OwnerAnswers(std::uint32_t timeoutMs) {
    HWND owner = GetClipboardOwner();
    if (!owner) return true;
    // A window of this thread is called directly; another one gets the time-out, and a sender
    // waiting here still handles the messages sent to this thread, the hook's calls among them.
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

bool Win32Clipboard::AddChangeListener(WindowHandle window) {
    return addListener_ && addListener_(ToHwnd(window)) != FALSE;
}

bool Win32Clipboard::RemoveChangeListener(WindowHandle window) {
    return removeListener_ && removeListener_(ToHwnd(window)) != FALSE;
}

WindowHandle Win32Clipboard::JoinViewerChain(WindowHandle window) {
    return FromHwnd(SetClipboardViewer(ToHwnd(window)));
}

bool Win32Clipboard::LeaveViewerChain(WindowHandle window, WindowHandle next) {
    return ChangeClipboardChain(ToHwnd(window), ToHwnd(next)) != FALSE;
}

}  // namespace kv::win32
