#include "platform/win32/win32_html_help.h"

#include <htmlhelp.h>

#include <string>

#include "platform/win32/win32_text.h"

namespace kv::win32 {

namespace {

// By full path, so a planted hhctrl.ocx in the current or program folder is never picked up.
HMODULE LoadSystemViewer() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\hhctrl.ocx";
    return LoadLibraryW(path.c_str());
}

}  // namespace

Win32HtmlHelp::~Win32HtmlHelp() {
    // Help windows run on the viewer's code; they must be gone before the library is freed.
    if (htmlHelp_ && viewerUsed_) htmlHelp_(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

bool Win32HtmlHelp::LoadViewer() {
    if (htmlHelp_) return true;
    if (!library_) library_.Reset(LoadSystemViewer());
    if (!library_) return false;
    htmlHelp_ = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(library_.Get(), "HtmlHelpW")));
    return htmlHelp_ != nullptr;
}

bool Win32HtmlHelp::ShowContext(const std::u16string& file, int context) {
    if (!LoadViewer()) return false;
    viewerUsed_ = true;
    return htmlHelp_(caller_, W(file), HH_HELP_CONTEXT, static_cast<DWORD_PTR>(context)) != nullptr;
}

bool Win32HtmlHelp::ShowContents(const std::u16string& file) {
    if (!LoadViewer()) return false;
    viewerUsed_ = true;
    return htmlHelp_(caller_, W(file), HH_DISPLAY_TOC, 0) != nullptr;
}

}  // namespace kv::win32
