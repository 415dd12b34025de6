#include "hotkeys/kv_action.h"

namespace kv {

void TKvAction::SetKind(ActionKind kind) {
    if (kind == kind_) return;
    subKind_ = 0;
    text_.clear();
    kind_ = kind;
}

}  // namespace kv
