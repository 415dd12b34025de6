#include "win32/form_button_tips.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/win32_text.h"
#include "win32/window_controls.h"

namespace kv::win32app {

namespace {

TOOLINFOW ToolOf(HWND owner, UINT index) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = index;
    return tool;
}

}  // namespace

bool FormButtonTips::Ensure(HWND owner) {
    if (tips_ && owner == owner_) return true;
    tools_.clear();
    tips_.Reset();
    owner_ = owner;
    if (!owner || !controls_.RegisterClasses(ICC_BAR_CLASSES)) return false;
    // Top-most like the window it serves, which floats over every application.
    tips_.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr));
    return static_cast<bool>(tips_);
}

void FormButtonTips::SetTip(HWND owner, UINT index, const RECT& rect, const std::u16string& text) {
    if (!Ensure(owner)) return;
    TOOLINFOW tool = ToolOf(owner, index);
    tool.uFlags = TTF_SUBCLASS;
    tool.rect = rect;
    std::u16string copy = text;  // the control copies the text; the pointer is not const only by declaration
    tool.lpszText = const_cast<wchar_t*>(win32::W(copy));
    if (std::find(tools_.begin(), tools_.end(), index) == tools_.end()) {
        if (AddToolTip(tips_.Get(), tool)) tools_.push_back(index);
        return;
    }
    MoveToolTip(tips_.Get(), tool);
    SetToolTipText(tips_.Get(), tool);
}

void FormButtonTips::SetText(UINT index, const std::u16string& text) {
    if (!tips_ || std::find(tools_.begin(), tools_.end(), index) == tools_.end()) return;
    TOOLINFOW tool = ToolOf(owner_, index);
    std::u16string copy = text;
    tool.lpszText = const_cast<wchar_t*>(win32::W(copy));
    SetToolTipText(tips_.Get(), tool);
}

}  // namespace kv::win32app
