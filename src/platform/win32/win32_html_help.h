#pragma once
#include <windows.h>

#include "platform/html_help_api.h"
#include "platform/win32/win32_handles.h"

namespace kv::win32 {

// HTML help through the system's hhctrl.ocx. The viewer and the libraries it pulls in are loaded
// when help is first asked for, not at start-up, and stay until this object goes. Without the
// viewer every call reports failure and nothing else happens.
class Win32HtmlHelp : public IHtmlHelp {
public:
    // Help windows are owned by `caller` (may be null).
    explicit Win32HtmlHelp(HWND caller = nullptr) : caller_(caller) {}
    ~Win32HtmlHelp() override;
    Win32HtmlHelp(const Win32HtmlHelp&) = delete;
    Win32HtmlHelp& operator=(const Win32HtmlHelp&) = delete;

    // Loads the viewer unless it is loaded; true when it is there.
    bool LoadViewer();

    bool ShowContext(const std::u16string& file, int context) override;
    bool ShowContents(const std::u16string& file) override;

private:
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

    HWND caller_;
    UniqueModule library_;
    HtmlHelpFn htmlHelp_ = nullptr;
    bool viewerUsed_ = false;  // a help or error window may be open
};

}  // namespace kv::win32
