#pragma once
#include <windows.h>

#include "platform/html_help_api.h"
#include "platform/win32/win32_handles.h"

namespace kv::win32 {

// HTML help through the system's hhctrl.ocx, loaded for the lifetime of this object. Without the
// viewer every call reports failure and nothing else happens.
class Win32HtmlHelp : public IHtmlHelp {
public:
    // Help windows are owned by `caller` (may be null).
    explicit Win32HtmlHelp(HWND caller = nullptr);
    ~Win32HtmlHelp() override;
    Win32HtmlHelp(const Win32HtmlHelp&) = delete;
    Win32HtmlHelp& operator=(const Win32HtmlHelp&) = delete;

    bool ViewerLoaded() const { return htmlHelp_ != nullptr; }

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
