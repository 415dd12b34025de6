#include "keyboard/layout_chars_ahead.h"

#include <system_error>

namespace kv {

LayoutCharsAhead::LayoutCharsAhead(IKeyboardLayouts& layouts, LayoutHandle layout) {
    try {
        worker_ = std::thread([this, &layouts, layout] {
            try {
                ComputeLayoutChars(layouts, layout, record_);
            } catch (...) {
                failure_ = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        // No thread to spare: the keyboard computes the characters when it needs them.
        failure_ = std::current_exception();
    }
}

LayoutCharsAhead::~LayoutCharsAhead() {
    if (worker_.joinable()) worker_.join();
}

std::optional<TKvLayoutChars> LayoutCharsAhead::Take() {
    if (worker_.joinable()) worker_.join();
    if (taken_ || failure_) return std::nullopt;
    taken_ = true;
    return record_;
}

}  // namespace kv
