#pragma once
#include "platform/hook_api.h"

namespace kv {

class IWindowing;
class TypingRun;

// A click in the window in front moves its caret or its focus, so the text typed last no longer
// ends at the caret: the run ends, as when the hook library reports the click. The library is not
// loaded into elevated applications nor into those of the other bitness; a low-level mouse hook
// sees their clicks too. A click outside the window in front lands on the taskbar, the tray or
// another window (which then comes to the front and ends the run on its own), so the tray menu
// can still convert the run.
class ClickEndsTypedRun : public IMouseHookHandler {
public:
    ClickEndsTypedRun(TypingRun& typed, const IWindowing& windows) : typed_(typed), windows_(windows) {}

    void OnMouseButtonDown(Point screenPoint) override;

private:
    TypingRun& typed_;
    const IWindowing& windows_;
};

}  // namespace kv
