#include "platform/win32/win32_system.h"

#include <windows.h>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"
#include "platform/win_constants.h"

namespace kv::win32 {

static_assert(win::kWmDestroy == WM_DESTROY && win::kWmClose == WM_CLOSE && win::kWmUser == WM_USER);
static_assert(win::kMbIconError == MB_ICONERROR && win::kMbIconExclamation == MB_ICONEXCLAMATION &&
              win::kMbIconInformation == MB_ICONINFORMATION && win::kMbIconQuestion == MB_ICONQUESTION);
static_assert(win::kMbYesNo == MB_YESNO && win::kMbYesNoCancel == MB_YESNOCANCEL && win::kIdYes == IDYES);
static_assert(win::kSwHide == SW_HIDE && win::kSwShow == SW_SHOW && win::kSwRestore == SW_RESTORE);
static_assert(win::kVerPlatformWin32Nt == VER_PLATFORM_WIN32_NT);
static_assert(win::kWmInputLangChangeRequest == WM_INPUTLANGCHANGEREQUEST);
static_assert(win::kWmKeyDown == WM_KEYDOWN && win::kWmKeyUp == WM_KEYUP && win::kWmSysKeyDown == WM_SYSKEYDOWN &&
              win::kWmSysKeyUp == WM_SYSKEYUP);
static_assert(win::kLlkhfUp == LLKHF_UP);

OsVersion Win32SystemInfo::Version() const {
    // GetVersionEx reports the version the manifest claims to support; the kernel tells the truth.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                                     reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                               : nullptr;
    // Every NT system from Windows 2000 on has it; without it the gate refuses the system.
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) return OsVersion{};
    return OsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

bool Win32SystemInfo::Is64BitWindows() const {
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture != PROCESSOR_ARCHITECTURE_INTEL;
}

std::uint16_t Win32SystemInfo::SystemDefaultUILanguage() const { return GetSystemDefaultUILanguage(); }

std::u16string Win32SystemInfo::LanguageName(std::uint16_t languageId) const {
    wchar_t name[128] = {};
    if (GetLocaleInfoW(MAKELCID(languageId, SORT_DEFAULT), LOCALE_SLANGUAGE, name, 128) <= 0) return {};
    name[127] = L'\0';
    return FromWide(name);
}

void Win32SystemInfo::SetRealtimePriority(bool threadAboveNormal) {
    UniqueKernelHandle process(OpenProcess(PROCESS_SET_INFORMATION, FALSE, GetCurrentProcessId()));
    if (process) SetPriorityClass(process.Get(), REALTIME_PRIORITY_CLASS);
    SetThreadPriority(GetCurrentThread(), threadAboveNormal ? THREAD_PRIORITY_ABOVE_NORMAL : THREAD_PRIORITY_NORMAL);
}

std::uint32_t Win32SystemInfo::ForegroundLockTimeout() const {
    DWORD ms = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &ms, 0);
    return ms;
}

void Win32SystemInfo::SetForegroundLockTimeout(std::uint32_t ms) {
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<std::uintptr_t>(ms)),
                          0);
}

std::uint32_t Win32SystemInfo::SystemColor(int index) const { return GetSysColor(index); }

std::uint32_t Win32SystemInfo::NearestScreenColor(std::uint32_t color) const {
    const WindowDc screen(nullptr);
    const COLORREF nearest = GetNearestColor(screen.Get(), color);
    return nearest == CLR_INVALID ? color : nearest;
}

std::string Win32SystemInfo::ToAnsi(std::u16string_view text) const { return ToAnsiCodePage(text); }

// A one-character buffer: the pointer form of CharUpperW would read a lone character as an address.
char16_t Win32SystemInfo::CharToUpper(char16_t c) const {
    wchar_t buffer[1] = {static_cast<wchar_t>(c)};
    CharUpperBuffW(buffer, 1);
    return static_cast<char16_t>(buffer[0]);
}

char16_t Win32SystemInfo::CharToLower(char16_t c) const {
    wchar_t buffer[1] = {static_cast<wchar_t>(c)};
    CharLowerBuffW(buffer, 1);
    return static_cast<char16_t>(buffer[0]);
}

std::u16string Win32SystemInfo::FromAnsi(std::string_view text) const { return FromAnsiCodePage(text); }

int Win32MessageBoxes::Show(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                            std::uint32_t flags) {
    const std::wstring t = ToWide(text);
    const std::wstring c = ToWide(caption);
    return MessageBoxW(ToHwnd(owner), t.c_str(), c.c_str(), flags);
}

OsEdition Win32SystemInfo::Edition() const {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    // GetVersionEx lies about the version number to unmanifested programs, not about these.
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return {};
    return {info.wProductType, FromWide(info.szCSDVersion)};
}

MemoryStatus Win32SystemInfo::Memory() const {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return {};
    return {status.ullTotalPhys, status.ullAvailPhys};
}

}  // namespace kv::win32
