#pragma once
// The two accessibility questions for a caret the application draws itself. They call into other
// processes and may take long or never return, so only the caret worker thread asks them, with
// COM set up on that thread.
#include <windows.h>

#include <optional>

#include "platform/win32/win32_handles.h"

namespace kv::win32 {

// oleacc, ole32 and oleaut32 from the system folder, loaded by the thread that asks.
class AccessibilityLibraries {
public:
    AccessibilityLibraries();
    ~AccessibilityLibraries();
    AccessibilityLibraries(const AccessibilityLibraries&) = delete;
    AccessibilityLibraries& operator=(const AccessibilityLibraries&) = delete;

    // MSAA: the caret object of `focus` (OBJID_CARET) and its location in screen pixels.
    std::optional<RECT> MsaaCaret(HWND focus) const;
    // UI Automation: the caret range of the focused element's text, its bounding rectangle.
    std::optional<RECT> UiaCaret() const;

private:
    UniqueModule ole32_;
    UniqueModule oleaut32_;
    UniqueModule oleacc_;
    bool comReady_ = false;
};

}  // namespace kv::win32
