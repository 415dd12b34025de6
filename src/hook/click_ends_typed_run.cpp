#include "hook/click_ends_typed_run.h"

#include "keyboard/typing_run.h"
#include "platform/windowing_api.h"

namespace kv {

void ClickEndsTypedRun::OnMouseButtonDown(Point at) {
    const std::optional<Rect> front = windows_.WindowBounds(windows_.ForegroundWindow());
    // With no window in front to tell, the click may well move a caret.
    const bool inFront = !front || (at.x >= front->left && at.x < front->right && at.y >= front->top &&
                                    at.y < front->bottom);
    if (inFront) typed_.ResetTypedBuffer();
}

}  // namespace kv
