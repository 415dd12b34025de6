// The caret flag as the composition root wires it: made once the engine exists, whose model names
// the first flag and whose application flags say when a caret must blink; its window exists while
// the "ShowCaretFlag" option is on, and goes before the other windows at the way out.
#include "app/app_singletons.h"
#include "app/app_windows.h"
#include "app/application_shell.h"
#include "app/keyboard_engine.h"
#include "common/messages.h"
#include "indicators/caret_flag.h"
#include "indicators/caret_locator.h"

namespace kv {

void ApplicationShell::CreateCaretFlag() {
    caretLocator_ = std::make_unique<CaretLocator>(app_.platform, app_.platform.accessibleCaret);
    KeyboardEngine& engine = *engine_;
    caretFlag_ = std::make_unique<CaretFlag>(CaretFlagServices{
        app_.preset, *this, app_.platform.loop, *caretLocator_, windows_.CaretFlagWindows(),
        engine.ApplicationFlags(), [&engine] { return engine.Model().Layout(); }});
    caretFlagPort_.Attach(caretFlag_.get());
}

void ApplicationShell::DestroyCaretFlag() {
    caretFlagPort_.Attach(nullptr);
    caretFlag_.reset();
}

void ApplicationShell::OnCaretActivity(std::uint32_t message) {
    if (message != msg::kCaretActivity && message != msg::kCaretActivityResetTyped && message != msg::kCaretMovedTo) {
        return;
    }
    if (app_.preset.ShowCaretFlag()) caretFlagPort_.CaretFlagOn(true);
}

}  // namespace kv
