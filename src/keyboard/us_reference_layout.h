#pragma once
#include <cstddef>

#include "platform/keyboard_api.h"

namespace kv {

// US English, the reference for physical key positions: the installed one when it is among the
// first `consideredLayouts` installed layouts, else loaded for this object's lifetime.
class UsReferenceLayout {
public:
    UsReferenceLayout(IKeyboardLayouts& layouts, std::size_t consideredLayouts);
    ~UsReferenceLayout();
    UsReferenceLayout(const UsReferenceLayout&) = delete;
    UsReferenceLayout& operator=(const UsReferenceLayout&) = delete;

    // 0 when US English is neither installed nor loadable.
    LayoutHandle Handle() const { return handle_; }

private:
    IKeyboardLayouts& layouts_;
    LayoutHandle handle_ = 0;
    bool loadedHere_ = false;
};

}  // namespace kv
