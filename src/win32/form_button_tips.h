#pragma once
// The tooltips of a window's painted buttons: one system tooltip control holding a tool per
// button rectangle. Made on first use, since it needs the common-controls library the window may
// otherwise do without.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/win32_handles.h"
#include "win32/common_controls.h"

namespace kv::win32app {

class FormButtonTips {
public:
    explicit FormButtonTips(CommonControls& controls) : controls_(controls) {}

    // Tool `index` over `rect` (client coordinates of `owner`) with `text`; the control is made
    // the first time, and later calls move the rectangle or change the text.
    void SetTip(HWND owner, UINT index, const RECT& rect, const std::u16string& text);
    // Changes the texts of the tools made so far, e.g. after a change of language.
    void SetText(UINT index, const std::u16string& text);
    HWND Control() const { return tips_.Get(); }

private:
    bool Ensure(HWND owner);

    CommonControls& controls_;
    win32::UniqueWindow tips_;
    HWND owner_ = nullptr;
    std::vector<UINT> tools_;
};

}  // namespace kv::win32app
