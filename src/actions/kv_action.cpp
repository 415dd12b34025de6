#include "actions/kv_action.h"

namespace kv {

void TKvAction::SetKind(std::uint8_t kind) {
    if (kind == kind_) return;
    subKind_ = 0;
    text_.clear();
    kind_ = kind;
}

}  // namespace kv
