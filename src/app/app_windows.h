#pragma once
#include <string_view>

#include "app/app_forms.h"
#include "platform/types.h"

namespace kv {

class ILanguageTargets;

// The windows side of the entry sequence: a Win32 implementation, or a simulated one in tests.
class IAppWindows {
public:
    virtual ~IAppWindows() = default;
    // The hidden top-level window that owns the forms and receives the library's notifications.
    virtual WindowHandle CreateApplicationWindow(std::u16string_view title) = 0;
    virtual void CreateForm(AppForm form) = 0;
    virtual void DestroyForm(AppForm form) = 0;
    virtual WindowHandle FormWindow(AppForm form) const = 0;
    // Lets the keyboard forms create their window resources without appearing, and hides
    // the application's taskbar button.
    virtual void RealizeKeyboardFormsOffscreen() = 0;
    // The open forms and menus that a change of interface language re-translates.
    virtual ILanguageTargets& LanguageTargets() = 0;
};

}  // namespace kv
