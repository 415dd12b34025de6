#include "platform/win32/win32_html_help.h"

#include <htmlhelp.h>

#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"

namespace kv::win32 {

Win32HtmlHelp::~Win32HtmlHelp() {
    // Help windows run on the viewer's code; they must be gone before the library is freed.
    if (htmlHelp_ && viewerUsed_) htmlHelp_(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

bool Win32HtmlHelp::LoadViewer() {
    if (htmlHelp_) return true;
    if (!library_) library_ = LoadSystemLibrary(L"hhctrl.ocx");
    if (!library_) return false;
    htmlHelp_ = ExportOf<HtmlHelpFn>(library_.Get(), "HtmlHelpW");
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
